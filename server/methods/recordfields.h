#pragma once

#include "data/codec.h"
#include "store/money.h"

#include <QDate>
#include <QString>

namespace rec18000 {

// A record set the screen sent, read by field name: the screen's field order is its own
// business. A field that is missing or holds the wrong kind of value makes the call invalid.
class RecordFields {
public:
    // what names the record set in the refusal ("cdsBolRec").
    RecordFields(const host::RecordSetTable& table, QString what);

    size_t Rows() const { return m_table.rows.size(); }
    QString Text(size_t row, const char* name) const;       // trimmed; null gives ""
    QDate Date(size_t row, const char* name) const;         // invalid for null
    store::Cents Money(size_t row, const char* name) const; // null gives 0

private:
    const QVariant& Cell(size_t row, const char* name) const;
    [[noreturn]] void Invalid(const char* name) const;

    const host::RecordSetTable& m_table;
    QString m_what;
};

} // namespace rec18000
