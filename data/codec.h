#pragma once

#include "data/field.h"

#include <QByteArray>
#include <QList>
#include <QVariant>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class JsonWriter;
class RecordSet;

// Refused input: the message says what and where, in words an operator can report.
class CodecError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Plain table form of a record set, as exchanged on the wire:
// {"fields":[{"name":..,"type":"string|fixedstring|float|datetime","size":N}],"rows":[[...]]}
// "size" is written and required for the two text types only (0 = no limit). Cells: QString,
// double, QDateTime, or an invalid QVariant for null; on the wire text, number,
// "YYYY-MM-DDTHH:MM:SS" (local time, seconds kept, milliseconds dropped; "YYYY-MM-DD" is
// read too) and null. Decoding refuses malformed JSON, unknown types, missing keys, rows of
// the wrong length, a value of the wrong kind, text longer than its field and bad dates.
struct RecordSetTable {
    QList<FieldDef> fields;
    std::vector<std::vector<QVariant>> rows;
};

namespace codec {

QByteArray Encode(const RecordSetTable& table);
QByteArray Encode(const RecordSet& recordSet);
// Writes the record set as the next value of a larger document (an answer's "result").
void Write(JsonWriter& out, const RecordSet& recordSet);
void Write(JsonWriter& out, const RecordSetTable& table);

// Writes a record set as the next value of a larger document one row at a time, for rows
// made on the fly (no table held); the same text Write makes. Finish once, after the rows.
class RowWriter {
public:
    RowWriter(JsonWriter& out, const QList<FieldDef>& fields);
    void Row(const std::vector<QVariant>& row);
    void Finish();

private:
    JsonWriter& m_out;
    std::vector<FieldType> m_types;
};
RecordSetTable Decode(const QByteArray& json); // throws CodecError
RecordSetTable Decode(std::string_view json);  // throws CodecError
// Decodes straight into a record set (replacing structure and rows); throws CodecError and
// leaves the record set unchanged on refused input.
void DecodeInto(const QByteArray& json, RecordSet& recordSet);

} // namespace codec
} // namespace host
