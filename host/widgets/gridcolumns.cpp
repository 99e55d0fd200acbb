#include "host/widgets/gridcolumns.h"

#include "host/services/formerror.h"

#include <QStringList>

namespace host {
namespace {

const QString kSectionStart = QStringLiteral("[grid ");
const QString kColumnKey = QStringLiteral("column");
const QString kCenter = QStringLiteral("center");
const QString kFont = QStringLiteral("font=");

[[noreturn]] void Refuse(const QString& where, const QString& what) {
    throw FormDataError((where + QStringLiteral(": ") + what).toStdString());
}

GridColumn ParseColumn(const QString& value, const QString& where) {
    const QStringList parts = value.split(QLatin1Char('|'));
    GridColumn column;
    column.fieldName = parts.value(0).trimmed();
    if (column.fieldName.isEmpty())
        Refuse(where, QStringLiteral("column without a field"));
    const QString width = parts.value(1).trimmed();
    if (!width.isEmpty()) {
        bool ok = false;
        column.width = width.toInt(&ok);
        if (!ok || column.width <= 0)
            Refuse(where, QStringLiteral("bad width ") + width);
    }
    column.title = parts.value(2).trimmed();
    for (const QString& option : parts.value(3).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (option == kCenter)
            column.titleAlignment = Qt::AlignCenter;
        else if (option.startsWith(kFont))
            column.titleFontFamily = option.mid(kFont.size());
        else
            Refuse(where, QStringLiteral("unknown option ") + option);
    }
    return column;
}

} // namespace

QList<GridColumn> LoadGridColumns(const QString& resourcePath, const QString& grid) {
    const QStringList lines = ReadFormText(resourcePath).split(QLatin1Char('\n'));
    const QString header = kSectionStart + grid + QLatin1Char(']');
    QList<GridColumn> columns;
    bool inGrid = false;
    bool found = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            inGrid = line == header;
            found = found || inGrid;
            continue;
        }
        if (!inGrid)
            continue;
        const QString where = QStringLiteral("%1:%2").arg(resourcePath).arg(i + 1);
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0 || line.left(eq).trimmed() != kColumnKey)
            Refuse(where, QStringLiteral("expected column = ..."));
        columns << ParseColumn(line.mid(eq + 1), where);
    }
    if (!found)
        Refuse(resourcePath, QStringLiteral("no grid ") + grid);
    return columns;
}

} // namespace host
