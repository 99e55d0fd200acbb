#include "host/net/netanswer.h"

#include "host/net/jsonread.h"
#include "host/net/neterror.h"

namespace host {

NetAnswer NetAnswer::Result(Kind kind, QByteArray json) {
    NetAnswer answer;
    answer.m_kind = kind;
    answer.m_json = std::move(json);
    return answer;
}

NetAnswer NetAnswer::Refusal(int code, QString message) {
    NetAnswer answer;
    answer.m_kind = Kind::Refused;
    answer.m_errorCode = code;
    answer.m_errorMessage = std::move(message);
    return answer;
}

QString NetAnswer::AsString() const {
    if (m_kind == Kind::Null)
        return {};
    if (m_kind != Kind::String && m_kind != Kind::Number)
        throw ENetError("o servidor não respondeu um texto");
    return QString::fromUtf8(m_json);
}

QList<NetAnswer> NetAnswer::Elements() const {
    if (m_kind != Kind::Array)
        throw ENetError("o servidor não respondeu uma lista");
    try {
        simdjson::ondemand::parser parser;
        const simdjson::padded_string json(m_json.constData(), static_cast<size_t>(m_json.size()));
        auto document = parser.iterate(json);
        QList<NetAnswer> items;
        for (auto item : document.get_array())
            items.append(jsonrpc::ReadValue(item.value()));
        return items;
    } catch (const simdjson::simdjson_error& error) {
        throw ENetError(std::string("lista ilegível na resposta do servidor: ") + error.what());
    }
}

} // namespace host
