#pragma once

#include "documents/table.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace documents {

// A CSV that a spreadsheet set up for Brazil opens as it is: UTF-8 with a byte-order mark,
// fields between ";", lines ended by CR LF, the captions first, numbers with a decimal comma and
// no grouping, dates dd/mm/aaaa as shown. A field holding ";", a quote or a line break is quoted,
// its quotes doubled.
QString CsvField(const QString& text, Kind kind);
QByteArray CsvLine(const QStringList& cells, const QList<Column>& columns);

// Writes the whole table; false when progress stopped it or the device refused a write.
bool WriteCsv(QIODevice& out, const Table& table, const Progress& progress = {});

} // namespace documents
