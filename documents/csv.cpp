#include "documents/csv.h"

#include <QIODevice>

namespace documents {

namespace {
constexpr qsizetype kRowsPerWrite = 2000;
}

QString CsvField(const QString& text, Kind kind) {
    if (kind == Kind::Number) {
        // Shown texts are Brazilian: "." only ever groups thousands there.
        QString number = text;
        return number.remove(QLatin1Char('.'));
    }
    const bool quoted = text.contains(QLatin1Char(';')) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QByteArray CsvLine(const QStringList& cells, const QList<Column>& columns) {
    QString line;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += QLatin1Char(';');
        line += CsvField(cells[i], i < columns.size() ? columns[i].kind : Kind::Text);
    }
    line += QLatin1String("\r\n");
    return line.toUtf8();
}

bool WriteCsv(QIODevice& out, const Table& table, const Progress& progress) {
    QStringList captions;
    for (const Column& column : table.columns)
        captions << column.caption;
    QByteArray chunk = QByteArrayLiteral("\xEF\xBB\xBF") + CsvLine(captions, {});
    const qsizetype total = qsizetype(table.rows.size());
    for (qsizetype row = 0; row < total; ++row) {
        chunk += CsvLine(table.rows[size_t(row)], table.columns);
        if ((row + 1) % kRowsPerWrite != 0 && row + 1 != total)
            continue;
        if (out.write(chunk) != chunk.size())
            return false;
        chunk.clear();
        if (progress && !progress(row + 1, total))
            return false;
    }
    return chunk.isEmpty() || out.write(chunk) == chunk.size();
}

} // namespace documents
