#pragma once

#include <QList>
#include <QString>
#include <Qt>

namespace host {

// A grid column: the field it shows, its title (the field's label when empty), its width in
// pixels (0: from the field's display width) and the title's look.
struct GridColumn {
    QString fieldName{};
    QString title{};
    int width = 0;
    Qt::Alignment titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    QString titleFontFamily{}; // e.g. a symbol font for a mark column's title
};

// The columns of one grid from a grid-columns resource:
//   [grid NAME]
//   column = FIELD | width in pixels | title | options ("center", "font=FAMILY")
// Blank width or title: the field's own. Throws host::FormDataError for a missing grid or a
// malformed line.
QList<GridColumn> LoadGridColumns(const QString& resourcePath, const QString& grid);

} // namespace host
