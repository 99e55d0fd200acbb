#include "host/widgets/mark_delegate.h"

#include "host/widgets/db_grid.h"

#include <QPainter>

namespace host {

MarkDelegate::MarkDelegate(TDBGrid* grid) : TipDelegate(grid), m_grid(grid) {}

void MarkDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    TipDelegate::initStyleOption(option, index);
    option->backgroundBrush = m_grid->CellBrush(index.row(), false);
}

void MarkDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const auto picture =
        m_grid->IsMarkColumn(index.column()) ? m_grid->MarkPicture(index.row()) : std::nullopt;
    if (!picture) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, m_grid->CellBrush(index.row(), selected));
    DrawCheckPicture(*painter, option.rect, *picture);
}

} // namespace host
