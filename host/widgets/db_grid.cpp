#include "host/widgets/db_grid.h"

#include "host/data/recordset.h"
#include "host/data/recordset_model.h"
#include "host/widgets/data_source.h"
#include "host/widgets/mark_delegate.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace host {

TDBGrid::TDBGrid(QWidget* parent) : QTableView(parent), m_columns(new GridColumnsModel(this)) {
    setModel(m_columns);
    setItemDelegate(new MarkDelegate(this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setSortingEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);

    connect(m_columns, &QAbstractItemModel::modelReset, this, [this] {
        ApplyWidths();
        FollowRecord();
    });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { OnCellClick.Fire(index.column()); });
    connect(this, &QAbstractItemView::doubleClicked, this, [this] { OnDblClick.Fire(); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { OnTitleClick.Fire(column); });
}

TDBGrid::~TDBGrid() {
    // The proxy must let go of the source model before the source goes.
    m_columns->setSourceModel(nullptr);
}

void TDBGrid::SetDataSource(TDataSource* dataSource) {
    if (m_dataSource)
        disconnect(m_dataSource, nullptr, this, nullptr);
    m_dataSource = dataSource;
    if (dataSource) {
        connect(dataSource, &TDataSource::dataSetChanged, this, &TDBGrid::Rebind);
        connect(dataSource, &TDataSource::recordChanged, this, &TDBGrid::FollowRecord);
        connect(dataSource, &TDataSource::stateChanged, this, [this] { viewport()->update(); });
    }
    Rebind();
}

RecordSet* TDBGrid::DataSet() const {
    return m_dataSource ? m_dataSource->DataSet() : nullptr;
}

void TDBGrid::Rebind() {
    RecordSet* dataSet = DataSet();
    m_columns->setSourceModel(nullptr);
    m_source = dataSet ? std::make_unique<RecordSetModel>(dataSet) : nullptr;
    m_columns->SetRecordSet(dataSet);
    m_columns->setSourceModel(m_source.get());
}

void TDBGrid::SetColumns(const QList<GridColumn>& columns) {
    m_columns->SetColumns(columns);
}

const QList<GridColumn>& TDBGrid::Columns() const {
    return m_columns->Columns();
}

QString TDBGrid::ColumnField(int column) const {
    return column >= 0 && column < Columns().size() ? Columns().at(column).fieldName : QString();
}

bool TDBGrid::MarkEditing() const {
    if (m_markEditing)
        return m_markEditing();
    return m_dataSource && m_dataSource->Editing();
}

bool TDBGrid::IsMarkColumn(int column) const {
    return !m_markField.isEmpty() &&
           ColumnField(column).compare(m_markField, Qt::CaseInsensitive) == 0;
}

std::optional<CheckPicture> TDBGrid::MarkPicture(int row) const {
    const RecordSet* dataSet = DataSet();
    if (!dataSet || !dataSet->Active() || dataSet->IsEmpty() || row < 0 ||
        row >= dataSet->RecordCount())
        return std::nullopt;
    const Field* mark = dataSet->FindField(m_markField);
    const QString flag = mark ? mark->ValueAt(row).toString() : QString();
    return ChooseCheckPicture(MarkEditing(), flag);
}

QBrush TDBGrid::CellBrush(int row, bool selected) const {
    if (selected)
        return palette().brush(hasFocus() ? QPalette::Active : QPalette::Inactive,
                               QPalette::Highlight);
    return m_rowBrush ? m_rowBrush(row) : palette().brush(QPalette::Base);
}

void TDBGrid::ApplyWidths() {
    const RecordSet* dataSet = DataSet();
    for (int column = 0; column < Columns().size(); ++column) {
        const GridColumn& shown = Columns().at(column);
        int width = shown.width;
        if (width <= 0 && dataSet) {
            if (const Field* field = dataSet->FindField(shown.fieldName)) {
                const int chars = qMax(field->DisplayWidth(), int(shown.title.size()));
                width = fontMetrics().averageCharWidth() * qBound(2, chars, 40) + 8;
            }
        }
        if (width > 0)
            setColumnWidth(column, width);
    }
}

// The current cell stands on the record set's current row.
void TDBGrid::FollowRecord() {
    const RecordSet* dataSet = DataSet();
    if (!dataSet || m_following)
        return;
    const int row = dataSet->RecNo();
    if (row < 0 || row >= model()->rowCount())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    m_following = true;
    setCurrentIndex(model()->index(row, column));
    m_following = false;
}

// Moving the current cell to another row moves the record set.
void TDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    RecordSet* dataSet = DataSet();
    if (m_following || !dataSet || !current.isValid() || current.row() == dataSet->RecNo())
        return;
    m_following = true;
    guarded([&] { dataSet->SetRecNo(current.row()); });
    m_following = false;
}

void TDBGrid::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    OnKeyDown.Fire(key, event->modifiers());
    if (key == 0) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TDBGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    OnEnter.Fire();
}

void TDBGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    OnExit.Fire();
}

int IndiceCol(const TDBGrid& grid, const QString& fieldName) {
    const QList<GridColumn>& columns = grid.Columns();
    for (int column = 0; column < columns.size(); ++column) {
        if (columns.at(column).fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

} // namespace host
