#include "host/widgets/db_grid.h"

#include "data/recordset.h"
#include "host/widgets/column_fit.h"
#include "host/widgets/data_source.h"
#include "host/widgets/grid_titles.h"
#include "host/widgets/mark_delegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>

#include <utility>

namespace host {

namespace {

constexpr int kMeasuredRows = 100;

// Tab moves between the grid's columns; Ctrl+Tab and Ctrl+Shift+Tab leave the grid. The MDI
// area takes Ctrl+Tab for itself through an application filter, so while the grid has the
// focus a later application filter (asked first) sees the key before it.
class TabOut : public QObject {
public:
    explicit TabOut(QWidget* grid) : QObject(grid), m_grid(grid) { grid->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_grid && event->type() == QEvent::FocusIn)
            qApp->installEventFilter(this);
        else if (watched == m_grid && event->type() == QEvent::FocusOut)
            qApp->removeEventFilter(this);
        else if (event->type() == QEvent::KeyPress && watched == m_grid)
            return LeaveOn(*static_cast<QKeyEvent*>(event));
        return false;
    }

private:
    bool LeaveOn(const QKeyEvent& key) const {
        const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
        if (!tab || !key.modifiers().testFlag(Qt::ControlModifier))
            return false;
        const bool forward =
            key.key() == Qt::Key_Tab && !key.modifiers().testFlag(Qt::ShiftModifier);
        // The move a plain Tab makes where the grid does not take it: Qt's own focus order.
        QKeyEvent plain(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                        forward ? Qt::NoModifier : Qt::ShiftModifier);
        QCoreApplication::sendEvent(m_grid->parentWidget(), &plain);
        return true;
    }

    QWidget* m_grid;
};

} // namespace

TDBGrid::TDBGrid(QWidget* parent)
    : QTableView(parent), m_model(new RecordSetModel(nullptr, this)),
      m_titles(new GridTitles(this)) {
    new TabOut(this);
    m_titles->setSourceModel(m_model);
    setModel(m_titles);
    setItemDelegate(new MarkDelegate(this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows); // the operator reads a record across its columns
    setSortingEnabled(false);
    setWordWrap(false); // one line per record; a cut text ends in an ellipsis
    // Columns are fitted on every new content of the list: measuring a few screens of rows
    // keeps that cheap on lists of thousands, and a cell still cut shows its text as a tooltip.
    horizontalHeader()->setResizeContentsPrecision(kMeasuredRows);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(8); // a mark column is narrower than the default

    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        ApplyWidths();
        PlaceCurrentCell();
    });
    connect(m_model, &RecordSetModel::currentRowChanged, this, &TDBGrid::FollowRecord);
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { OnCellClick.Fire(index.column()); });
    connect(this, &QAbstractItemView::doubleClicked, this, [this] { OnDblClick.Fire(); });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { OnTitleClick.Fire(column); });
}

TDBGrid::~TDBGrid() = default;

void TDBGrid::SetDataSource(TDataSource* dataSource) {
    if (m_dataSource)
        disconnect(m_dataSource, nullptr, this, nullptr);
    m_dataSource = dataSource;
    if (dataSource) {
        connect(dataSource, &TDataSource::dataSetChanged, this, &TDBGrid::Rebind);
        connect(dataSource, &TDataSource::stateChanged, this, [this] { viewport()->update(); });
    }
    Rebind();
}

RecordSet* TDBGrid::DataSet() const {
    return m_dataSource ? m_dataSource->DataSet() : nullptr;
}

void TDBGrid::Rebind() {
    m_model->SetRecordSet(DataSet());
}

void TDBGrid::SetColumns(const QList<GridColumn>& columns) {
    QList<RecordSetModel::Column> shown;
    QHash<int, GridTitles::Look> looks;
    for (const GridColumn& column : columns) {
        looks.insert(int(shown.size()), {column.titleAlignment, column.titleFontFamily});
        shown.append({column.fieldName, column.title, column.width});
    }
    m_model->SetColumns(shown);
    m_titles->SetLooks(std::move(looks));
}

int TDBGrid::ColumnCount() const {
    return m_model->columnCount();
}

QString TDBGrid::ColumnField(int column) const {
    const QList<RecordSetModel::Column> columns = m_model->Columns();
    return column >= 0 && column < columns.size() ? columns.at(column).fieldName : QString();
}

int TDBGrid::ColumnOfField(const QString& fieldName) const {
    return m_model->ColumnOfField(fieldName);
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
    FitColumns(*this, [this](int column) { return m_model->ColumnWidth(column); });
}

// The current cell stands on the record set's current row.
void TDBGrid::FollowRecord() {
    if (!m_following)
        PlaceCurrentCell();
}

// Also after a reset that happened while the grid itself was moving the record set: the reset
// dropped the current cell, and the view would otherwise fall back to the first row.
void TDBGrid::PlaceCurrentCell() {
    const int row = m_model->CurrentRow();
    if (row < 0 || row >= model()->rowCount())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const bool following = std::exchange(m_following, true);
    setCurrentIndex(model()->index(row, column));
    m_following = following;
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
    return grid.ColumnOfField(fieldName);
}

} // namespace host
