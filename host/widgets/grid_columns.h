#pragma once

#include <QAbstractProxyModel>
#include <QList>
#include <QString>

namespace host {

class RecordSet;

// A grid column: the field it shows, its title (the field's label when empty) and its width in
// pixels (0 = the grid's default).
struct GridColumn {
    QString fieldName;
    QString title;
    int width = 0;
    Qt::Alignment titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    QString titleFontFamily; // e.g. a symbol font for a mark column's title
};

// Shows the grid's columns, in the grid's order, over a record-set model whose columns are the
// record set's fields in field order.
class GridColumnsModel : public QAbstractProxyModel {
    Q_OBJECT
public:
    explicit GridColumnsModel(QObject* parent = nullptr);

    void SetRecordSet(RecordSet* recordSet);
    void setSourceModel(QAbstractItemModel* source) override;
    void SetColumns(const QList<GridColumn>& columns);           // empty: every visible field
    const QList<GridColumn>& Columns() const { return m_shown; } // titles resolved
    int FieldIndex(int column) const; // -1 when the field is not in the record set

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QModelIndex mapToSource(const QModelIndex& proxy) const override;
    QModelIndex mapFromSource(const QModelIndex& source) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void Remap();

    RecordSet* m_recordSet = nullptr;
    QList<GridColumn> m_columns; // as asked
    QList<GridColumn> m_shown;   // as shown (defaults resolved)
    QList<int> m_fieldIndexes;   // per shown column
    QList<QMetaObject::Connection> m_connections;
};

} // namespace host
