#pragma once

// Cells of a record set table by field name, for tests that read answers and build requests.
// A field the table lacks throws, which fails the test where it asks.

#include "data/codec.h"

#include <QAnyStringView>

#include <stdexcept>

namespace testserver {

inline size_t Column(const QList<host::FieldDef>& fields, QAnyStringView name) {
    for (qsizetype i = 0; i < fields.size(); ++i)
        if (QAnyStringView::equal(fields[i].name, name))
            return size_t(i);
    throw std::out_of_range("no field " + name.toString().toStdString());
}

inline const QVariant& Cell(const host::RecordSetTable& table, size_t row, QAnyStringView name) {
    return table.rows.at(row).at(Column(table.fields, name));
}

inline QVariant& Cell(host::RecordSetTable& table, size_t row, QAnyStringView name) {
    return table.rows.at(row).at(Column(table.fields, name));
}

} // namespace testserver
