#include "host/widgets/tip_delegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace host {

bool TipDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                            const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event && event->type() == QEvent::ToolTip && index.isValid()) {
        QStyleOptionViewItem item = option;
        item.features &= ~QStyleOptionViewItem::WrapText; // the width of the text on one line
        initStyleOption(&item, index);
        if (!item.text.isEmpty() && sizeHint(item, index).width() > option.rect.width()) {
            QToolTip::showText(event->globalPos(), item.text, view->viewport(), option.rect);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

} // namespace host
