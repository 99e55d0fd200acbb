#pragma once

#include "host/widgets/tip_delegate.h"

namespace host {

class TDBGrid;

// Paints a grid's cells: each row's background brush, and in the mark column the check-box
// picture on the cell's brush instead of the flag's text; cut texts show as tooltips.
class MarkDelegate : public TipDelegate {
    Q_OBJECT
public:
    explicit MarkDelegate(TDBGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    TDBGrid* m_grid;
};

} // namespace host
