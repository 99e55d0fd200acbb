#pragma once

#include "data/codec.h"

#include <QDate>
#include <QString>

#include <simdjson.h>

#include <vector>

namespace rpc {

// What a positional parameter must be on the wire.
enum class ParamType {
    String,    // JSON string
    Number,    // JSON number
    Date,      // "YYYY-MM-DDTHH:MM:SS" text, or null for none
    RecordSet, // {"fields":[...],"rows":[...]}
};

// The positional parameters of one call, already checked against the method's signature, so
// the accessors only convert.
class Params {
public:
    explicit Params(std::vector<simdjson::dom::element> values) : m_values(std::move(values)) {}

    size_t size() const { return m_values.size(); }
    QString String(size_t index) const;
    double Number(size_t index) const;
    QDate Date(size_t index) const; // invalid QDate for none
    // Throws RpcError (invalid params) when the record set does not decode.
    host::RecordSetTable RecordSet(size_t index) const;

    // Whether a value has the shape a parameter type asks for.
    static bool Matches(simdjson::dom::element value, ParamType type);

private:
    std::vector<simdjson::dom::element> m_values;
};

} // namespace rpc
