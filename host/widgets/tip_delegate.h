#pragma once

#include <QStyledItemDelegate>

namespace host {

// Cell painter whose cells, when too narrow for their text, show the whole text as a tooltip.
class TipDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

} // namespace host
