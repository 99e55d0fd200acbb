#include "host/widgets/recordsetmodel.h"

#include <QFontMetrics>
#include <QGuiApplication>

#include <algorithm>

namespace host {

namespace {

// Character width of the application font; for dates, money and numbers a digit's at least.
// A fixed guess without a GUI.
int CharWidth(const Field* field) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return 7;
    const QFontMetrics metrics(QGuiApplication::font());
    const bool text = !field || field->DataType() == FieldType::String ||
                      field->DataType() == FieldType::FixedString;
    return text ? metrics.averageCharWidth()
                : std::max(metrics.averageCharWidth(), metrics.horizontalAdvance(QLatin1Char('0')));
}

} // namespace

RecordSetModel::RecordSetModel(RecordSet* recordSet, QObject* parent)
    : QAbstractTableModel(parent) {
    SetRecordSet(recordSet);
}

void RecordSetModel::SetRecordSet(RecordSet* recordSet) {
    if (m_recordSet)
        disconnect(m_recordSet, nullptr, this, nullptr);
    m_recordSet = recordSet;
    if (recordSet) {
        connect(recordSet, &RecordSet::rowsReset, this, &RecordSetModel::Reset);
        connect(recordSet, &RecordSet::afterOpen, this, &RecordSetModel::Reset);
        connect(recordSet, &RecordSet::fieldsChanged, this, &RecordSetModel::FieldsChanged);
        connect(recordSet, &RecordSet::dataChanged, this, &RecordSetModel::RowChanged);
        connect(recordSet, &RecordSet::afterScroll, this, &RecordSetModel::Scrolled);
    }
    Reset();
}

void RecordSetModel::SetColumns(const QList<Column>& columns) {
    m_explicit = columns;
    Reset();
}

QList<RecordSetModel::Column> RecordSetModel::Columns() const {
    return m_columns;
}

Field* RecordSetModel::FieldOfColumn(int column) const {
    if (!m_recordSet || column < 0 || column >= m_columns.size())
        return nullptr;
    return m_recordSet->FindField(m_columns[column].fieldName);
}

int RecordSetModel::ColumnOfField(const QString& fieldName) const {
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString RecordSetModel::ColumnTitle(int column) const {
    if (column < 0 || column >= m_columns.size())
        return {};
    if (!m_columns[column].title.isEmpty())
        return m_columns[column].title;
    const Field* field = FieldOfColumn(column);
    return field ? field->DisplayLabel() : m_columns[column].fieldName;
}

int RecordSetModel::ColumnWidth(int column) const {
    if (column < 0 || column >= m_columns.size())
        return 0;
    if (m_columns[column].width > 0)
        return m_columns[column].width;
    const Field* field = FieldOfColumn(column);
    const int characters = field ? field->DisplayWidth() : 10;
    return characters * CharWidth(field) + 8;
}

int RecordSetModel::CurrentRow() const {
    return m_recordSet ? m_recordSet->RecNo() : -1;
}

int RecordSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_recordSet ? 0 : m_recordSet->RecordCount();
}

int RecordSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RecordSetModel::data(const QModelIndex& index, int role) const {
    // Rows may have changed under the view while the record set's controls were disabled.
    if (!m_recordSet || !index.isValid() || index.row() >= m_recordSet->RecordCount())
        return {};
    const Field* field = FieldOfColumn(index.column());
    if (!field)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return field->DisplayTextAt(index.row());
    case Qt::EditRole:
    case Qt::UserRole:
        return field->ValueAt(index.row());
    case Qt::TextAlignmentRole:
        if (field->DataType() == FieldType::Float)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant RecordSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return ColumnTitle(section);
    return {};
}

QList<RecordSetModel::Column> RecordSetModel::ColumnsInUse() const {
    QList<Column> columns = m_explicit;
    if (columns.isEmpty() && m_recordSet) {
        for (int i = 0; i < m_recordSet->FieldCount(); ++i) {
            const Field& field = m_recordSet->FieldAt(i);
            if (field.Visible())
                columns.append({field.FieldName(), QString(), 0});
        }
    }
    return columns;
}

// A label, width or mask change keeps rows and columns: repainting is enough, and a reset
// would drop the view's current cell (and with it the operator's row).
void RecordSetModel::FieldsChanged() {
    const QList<Column> columns = ColumnsInUse();
    const auto sameField = [](const Column& a, const Column& b) {
        return a.fieldName == b.fieldName;
    };
    if (!std::equal(columns.begin(), columns.end(), m_columns.begin(), m_columns.end(),
                    sameField)) {
        Reset();
        return;
    }
    if (m_columns.isEmpty())
        return;
    emit headerDataChanged(Qt::Horizontal, 0, int(m_columns.size()) - 1);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, int(m_columns.size()) - 1));
}

void RecordSetModel::Reset() {
    beginResetModel();
    m_columns = ColumnsInUse();
    endResetModel();
    m_lastRow = CurrentRow();
    emit currentRowChanged(m_lastRow);
}

void RecordSetModel::RowChanged(int row) {
    if (row < 0 || row >= rowCount() || m_columns.isEmpty())
        return;
    emit dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1));
}

void RecordSetModel::Scrolled() {
    const int row = CurrentRow();
    if (row == m_lastRow)
        return;
    m_lastRow = row;
    emit currentRowChanged(row);
}

} // namespace host
