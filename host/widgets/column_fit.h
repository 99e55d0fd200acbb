#pragma once

#include <functional>

class QTableView;

namespace host {

// Widens every column of the view so that its title and its cells show whole in the view's
// fonts, never below minimum(column). Cells alone never widen a column past a bound: a long
// name stays cut (its cell shows the text as a tooltip) rather than pushing the rest away.
void FitColumns(QTableView& view, const std::function<int(int column)>& minimum);

} // namespace host
