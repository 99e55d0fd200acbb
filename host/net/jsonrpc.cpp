#include "host/net/jsonrpc.h"

#include "data/codec.h"
#include "data/recordset.h"
#include "host/net/jsonread.h"
#include "host/net/neterror.h"
#include "host/services/hostmessages.h"

#include <QDateTime>
#include <QLocale>

#include <optional>
#include <string_view>

namespace host::jsonrpc {
namespace {

void AppendString(QByteArray& out, const QString& text) {
    out += '"';
    for (const char c : text.toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            out += "\\u00";
            out += QByteArray::number(u, 16).rightJustified(2, '0');
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendDateTime(QByteArray& out, const QDateTime& value) {
    if (!value.isValid()) {
        out += "null";
        return;
    }
    out += '"';
    out += value.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")).toLatin1();
    out += '"';
}

void AppendParam(QByteArray& out, const QVariant& param) {
    if (!param.isValid() || param.isNull()) {
        out += "null";
        return;
    }
    if (auto* recordSet = param.value<RecordSet*>()) {
        out += codec::Encode(*recordSet);
        return;
    }
    switch (param.typeId()) {
    case QMetaType::Bool:
        out += param.toBool() ? "true" : "false";
        return;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        out += QByteArray::number(param.toLongLong());
        return;
    case QMetaType::Double:
        out += QByteArray::number(param.toDouble(), 'g', QLocale::FloatingPointShortest);
        return;
    case QMetaType::QString:
        AppendString(out, param.toString());
        return;
    case QMetaType::QDate:
        AppendDateTime(out, param.toDate().startOfDay());
        return;
    case QMetaType::QDateTime:
        AppendDateTime(out, param.toDateTime());
        return;
    default:
        // Our own mistake, not the server's.
        throw ENetError(HostMessages().Msg(QStringLiteral("ERRCOMUN")),
                        std::string("parameter of an unsupported type: ") + param.typeName());
    }
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray Bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QByteArray Request(qint64 id, const QString& method, const QVariantList& params) {
    QByteArray out = R"({"jsonrpc":"2.0","id":)";
    out += QByteArray::number(id);
    out += R"(,"method":)";
    AppendString(out, method);
    out += R"(,"params":[)";
    for (qsizetype i = 0; i < params.size(); ++i) {
        if (i > 0)
            out += ',';
        AppendParam(out, params[i]);
    }
    out += "]}";
    return out;
}

NetAnswer ReadValue(simdjson::ondemand::value value) {
    using Kind = NetAnswer::Kind;
    switch (value.type()) {
    case simdjson::ondemand::json_type::object:
        return NetAnswer::Result(Kind::Object,
                                 Bytes(value.get_object().value().raw_json().value()));
    case simdjson::ondemand::json_type::array:
        return NetAnswer::Result(Kind::Array, Bytes(value.get_array().value().raw_json().value()));
    case simdjson::ondemand::json_type::string: {
        return NetAnswer::Result(Kind::String, Bytes(value.get_string()));
    }
    case simdjson::ondemand::json_type::number:
        return NetAnswer::Result(Kind::Number, Bytes(value.raw_json_token()).trimmed());
    case simdjson::ondemand::json_type::boolean:
        return NetAnswer::Result(Kind::Boolean, value.get_bool() ? "true" : "false");
    case simdjson::ondemand::json_type::null:
        break;
    }
    return NetAnswer::Result(Kind::Null, "null");
}

namespace {

struct Envelope {
    std::optional<qint64> id; // empty for a null id
    std::optional<NetAnswer> answer;
};

Envelope ReadEnvelope(const QByteArray& body) {
    try {
        simdjson::ondemand::parser parser;
        const simdjson::padded_string json(body.constData(), static_cast<size_t>(body.size()));
        auto document = parser.iterate(json);
        Envelope envelope;
        for (auto member : document.get_object()) {
            const std::string_view key = member.unescaped_key();
            simdjson::ondemand::value value = member.value();
            if (key == "id") {
                if (!value.is_null())
                    envelope.id = value.get_int64();
            } else if (key == "result") {
                envelope.answer = ReadValue(value);
            } else if (key == "error") {
                auto error = value.get_object();
                const auto code = static_cast<int>(int64_t(error["code"]));
                envelope.answer =
                    NetAnswer::Refusal(code, ToQString(std::string_view(error["message"])));
            }
        }
        return envelope;
    } catch (const simdjson::simdjson_error& error) {
        throw ENetError(std::string("resposta do servidor ilegível: ") + error.what());
    }
}

} // namespace

NetAnswer Response(const QByteArray& body, qint64 id) {
    Envelope envelope = ReadEnvelope(body);
    // A server that could not read the request answers its error with a null id.
    const bool idMatches =
        envelope.id ? *envelope.id == id : envelope.answer && envelope.answer->Refused();
    if (!envelope.answer || !idMatches)
        throw ENetError("resposta do servidor fora do protocolo");
    return std::move(*envelope.answer);
}

QString ErrorText(const QByteArray& body) {
    try {
        const Envelope envelope = ReadEnvelope(body);
        if (envelope.answer && envelope.answer->Refused())
            return envelope.answer->ErrorMessage();
    } catch (const ENetError&) {
        // Not a JSON-RPC body: no text to give.
    }
    return {};
}

} // namespace host::jsonrpc
