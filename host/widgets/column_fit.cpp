#include "host/widgets/column_fit.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace host {

namespace {
constexpr int kWidestForCells = 320;
}

void FitColumns(QTableView& view, const std::function<int(int)>& minimum) {
    QHeaderView* header = view.horizontalHeader();
    const QAbstractItemView& cellsView = view; // the table's widest cell, through the public base
    for (int column = 0; column < header->count(); ++column) {
        const int least = minimum(column);
        const int cells =
            std::min(cellsView.sizeHintForColumn(column), std::max(least, kWidestForCells));
        view.setColumnWidth(column, std::max({least, header->sectionSizeHint(column), cells}));
    }
}

} // namespace host
