#pragma once

#include "host/widgets/db_grid.h"

#include <QList>
#include <QString>

namespace register_forms {

// The columns of one grid from a grid-columns resource:
//   [grid NAME]
//   column = FIELD | width in pixels | title | options ("center", "font=FAMILY")
// Blank width or title: the field's own. Throws host::FormDataError for a missing grid or a
// malformed line.
QList<host::GridColumn> LoadGridColumns(const QString& resourcePath, const QString& grid);

} // namespace register_forms
