#include "host/widgets/grid_columns.h"

#include "host/data/recordset.h"

#include <QFont>

namespace host {

GridColumnsModel::GridColumnsModel(QObject* parent) : QAbstractProxyModel(parent) {}

void GridColumnsModel::SetRecordSet(RecordSet* recordSet) {
    m_recordSet = recordSet;
    beginResetModel();
    Remap();
    endResetModel();
}

void GridColumnsModel::setSourceModel(QAbstractItemModel* source) {
    beginResetModel();
    for (const auto& connection : m_connections)
        disconnect(connection);
    m_connections.clear();
    QAbstractProxyModel::setSourceModel(source);
    if (source) {
        using M = QAbstractItemModel;
        const auto reset = [this] {
            beginResetModel();
            Remap();
            endResetModel();
        };
        m_connections << connect(source, &M::modelAboutToBeReset, this,
                                 [this] { beginResetModel(); })
                      << connect(source, &M::modelReset, this,
                                 [this] {
                                     Remap();
                                     endResetModel();
                                 })
                      << connect(source, &M::layoutChanged, this, reset)
                      << connect(source, &M::columnsInserted, this, reset)
                      << connect(source, &M::columnsRemoved, this, reset)
                      << connect(source, &M::headerDataChanged, this, reset)
                      << connect(source, &M::rowsAboutToBeInserted, this,
                                 [this](const QModelIndex&, int first, int last) {
                                     beginInsertRows({}, first, last);
                                 })
                      << connect(source, &M::rowsInserted, this, [this] { endInsertRows(); })
                      << connect(source, &M::rowsAboutToBeRemoved, this,
                                 [this](const QModelIndex&, int first, int last) {
                                     beginRemoveRows({}, first, last);
                                 })
                      << connect(source, &M::rowsRemoved, this, [this] { endRemoveRows(); })
                      << connect(
                             source, &M::dataChanged, this,
                             [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                                 if (columnCount() > 0)
                                     emit dataChanged(index(topLeft.row(), 0),
                                                      index(bottomRight.row(), columnCount() - 1));
                             });
    }
    Remap();
    endResetModel();
}

void GridColumnsModel::SetColumns(const QList<GridColumn>& columns) {
    beginResetModel();
    m_columns = columns;
    Remap();
    endResetModel();
}

void GridColumnsModel::Remap() {
    m_shown.clear();
    m_fieldIndexes.clear();
    if (!m_recordSet)
        return;
    QList<GridColumn> wanted = m_columns;
    if (wanted.isEmpty()) {
        for (int index = 0; index < m_recordSet->FieldCount(); ++index) {
            const Field& field = m_recordSet->FieldAt(index);
            if (field.Visible())
                wanted << GridColumn{field.FieldName(), {}, 0, {}, {}};
        }
    }
    for (GridColumn column : wanted) {
        const Field* field = m_recordSet->FindField(column.fieldName);
        if (column.title.isEmpty() && field)
            column.title = field->DisplayLabel();
        m_shown << column;
        m_fieldIndexes << (field ? field->Index() : -1);
    }
}

int GridColumnsModel::FieldIndex(int column) const {
    return m_fieldIndexes.value(column, -1);
}

QModelIndex GridColumnsModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return createIndex(row, column);
}

QModelIndex GridColumnsModel::parent(const QModelIndex&) const {
    return {};
}

int GridColumnsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !sourceModel() ? 0 : sourceModel()->rowCount();
}

int GridColumnsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_shown.size());
}

QModelIndex GridColumnsModel::mapToSource(const QModelIndex& proxy) const {
    if (!proxy.isValid() || !sourceModel() || FieldIndex(proxy.column()) < 0)
        return {};
    return sourceModel()->index(proxy.row(), FieldIndex(proxy.column()));
}

QModelIndex GridColumnsModel::mapFromSource(const QModelIndex& source) const {
    const int column = int(m_fieldIndexes.indexOf(source.column()));
    return source.isValid() && column >= 0 ? index(source.row(), column) : QModelIndex();
}

QVariant GridColumnsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractProxyModel::headerData(section, orientation, role);
    const GridColumn& column = m_shown.at(section);
    switch (role) {
    case Qt::DisplayRole:
        return column.title;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.titleAlignment);
    case Qt::FontRole:
        if (!column.titleFontFamily.isEmpty())
            return QFont(column.titleFontFamily);
        break;
    default:
        break;
    }
    return {};
}

} // namespace host
