#pragma once

#include "data/recordset.h"

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>

namespace host {

// Table model over a record set for grids. Columns are the visible fields unless set
// explicitly; DisplayRole is the field's display text (hooks apply), EditRole and UserRole the
// raw value. ColumnWidth is the least width a view gives the column; views widen it to their
// fonts. Follows the record set's signals.
class RecordSetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString fieldName;
        QString title; // empty: the field's display label
        int width = 0; // pixels; 0: from the field's display width
    };

    explicit RecordSetModel(RecordSet* recordSet = nullptr, QObject* parent = nullptr);

    void SetRecordSet(RecordSet* recordSet);

    // Explicit columns; an empty list goes back to the visible fields.
    void SetColumns(const QList<Column>& columns);
    QList<Column> Columns() const;
    Field* FieldOfColumn(int column) const;            // null for an unknown field
    int ColumnOfField(const QString& fieldName) const; // -1 when not shown
    QString ColumnTitle(int column) const;
    int ColumnWidth(int column) const;

    int CurrentRow() const; // the record set's current row, -1 when none

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void currentRowChanged(int row);

private:
    void Reset();
    QList<Column> ColumnsInUse() const;
    void FieldsChanged();
    void RowChanged(int row);
    void Scrolled();

    QPointer<RecordSet> m_recordSet;
    QList<Column> m_explicit;
    QList<Column> m_columns; // in use
    int m_lastRow = -1;
};

} // namespace host
