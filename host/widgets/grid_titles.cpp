#include "host/widgets/grid_titles.h"

namespace host {

void GridTitles::SetLooks(QHash<int, Look> looks) {
    m_looks = std::move(looks);
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QVariant GridTitles::headerData(int section, Qt::Orientation orientation, int role) const {
    const auto look = m_looks.constFind(section);
    if (orientation == Qt::Horizontal && look != m_looks.cend()) {
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(look->alignment);
        if (role == Qt::FontRole && !look->fontFamily.isEmpty())
            return QFont(look->fontFamily);
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
}

} // namespace host
