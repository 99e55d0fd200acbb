#include "server/rpc/params.h"

#include "server/rpc/errors.h"

#include <QDateTime>

namespace rpc {

namespace {

using simdjson::dom::element_type;

QDateTime ParseDateTime(std::string_view text) {
    return QDateTime::fromString(QString::fromUtf8(text.data(), qsizetype(text.size())),
                                 Qt::ISODate);
}

} // namespace

QString Params::String(size_t index) const {
    const std::string_view text = m_values.at(index).get_string().value_unsafe();
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

double Params::Number(size_t index) const {
    return m_values.at(index).get_double().value_unsafe();
}

QDate Params::Date(size_t index) const {
    const auto value = m_values.at(index);
    if (value.is_null())
        return {};
    return ParseDateTime(value.get_string().value_unsafe()).date();
}

host::RecordSetTable Params::RecordSet(size_t index) const {
    try {
        return host::codec::Decode(std::string_view(simdjson::minify(m_values.at(index))));
    } catch (const host::CodecError& error) {
        throw RpcError(kInvalidParams, QStringLiteral("Parâmetro %1 inválido: %2")
                                           .arg(index + 1)
                                           .arg(QString::fromUtf8(error.what())));
    }
}

bool Params::Matches(simdjson::dom::element value, ParamType type) {
    switch (type) {
    case ParamType::String:
        return value.type() == element_type::STRING;
    case ParamType::Number:
        return value.is_number();
    case ParamType::Date:
        return value.is_null() || (value.type() == element_type::STRING &&
                                   ParseDateTime(value.get_string().value_unsafe()).isValid());
    case ParamType::RecordSet:
        return value.type() == element_type::OBJECT;
    }
    return false;
}

} // namespace rpc
