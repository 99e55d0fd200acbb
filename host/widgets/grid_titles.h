#pragma once

#include <QFont>
#include <QHash>
#include <QIdentityProxyModel>

namespace host {

// Title look per grid column (alignment, font) over a record-set model that gives the texts.
class GridTitles : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    struct Look {
        Qt::Alignment alignment;
        QString fontFamily; // empty: the header's own font
    };
    void SetLooks(QHash<int, Look> looks);

    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QHash<int, Look> m_looks;
};

} // namespace host
