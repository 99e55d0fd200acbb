#include "host/services/searchdialog.h"

#include "data/recordset.h"
#include "host/services/hostmessages.h"
#include "host/widgets/column_fit.h"
#include "host/widgets/recordsetmodel.h"
#include "host/widgets/tip_delegate.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace host {

// Adds a check box to the first column, remembering the checked rows by key.
class CheckedRowsModel : public QIdentityProxyModel {
public:
    CheckedRowsModel(RecordSet& rows, QString keyField, const QStringList& checked, QObject* parent)
        : QIdentityProxyModel(parent), m_rows(rows), m_keyField(std::move(keyField)),
          m_checked(checked.cbegin(), checked.cend()) {}

    QString KeyOf(int row) const { return m_rows.FieldByName(m_keyField).ValueAt(row).toString(); }
    bool IsChecked(int row) const { return m_checked.contains(KeyOf(row)); }

    void SetChecked(const QModelIndex& index, bool checked) {
        const QString key = KeyOf(index.row());
        if (checked)
            m_checked.insert(key);
        else
            m_checked.remove(key);
        emit dataChanged(index.siblingAtColumn(0), index.siblingAtColumn(0), {Qt::CheckStateRole});
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = QIdentityProxyModel::flags(index);
        if (index.column() == 0)
            f |= Qt::ItemIsUserCheckable;
        return f;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::CheckStateRole && index.column() == 0)
            return IsChecked(index.row()) ? Qt::Checked : Qt::Unchecked;
        return QIdentityProxyModel::data(index, role);
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::CheckStateRole || index.column() != 0)
            return QIdentityProxyModel::setData(index, value, role);
        SetChecked(index, value.value<Qt::CheckState>() == Qt::Checked);
        return true;
    }

private:
    RecordSet& m_rows;
    QString m_keyField;
    QSet<QString> m_checked;
};

namespace {

// Keeps rows where any column's shown text, or its raw value, contains the filter text; so
// a masked tax id is found by its bare digits too.
class RowFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetText(const QString& text) {
        m_text = text.trimmed();
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& parent) const override {
        if (m_text.isEmpty())
            return true;
        const QAbstractItemModel* source = sourceModel();
        for (int column = 0; column < source->columnCount(parent); ++column) {
            const QModelIndex index = source->index(sourceRow, column, parent);
            for (int role : {int(Qt::DisplayRole), int(Qt::EditRole)})
                if (source->data(index, role).toString().contains(m_text, Qt::CaseInsensitive))
                    return true;
        }
        return false;
    }

private:
    QString m_text;
};

QString HostText(const char* key) {
    return HostMessages().Msg(QString::fromLatin1(key));
}

} // namespace

SearchDialog::SearchDialog(RecordSet& rows, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    m_model = new RecordSetModel(&rows, this);
    m_filter = new RowFilter(this);
    m_filter->setSourceModel(m_model);
    Build(caption);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_grid, &QTableView::doubleClicked, this, &QDialog::accept);
    // The record set's current row starts selected.
    const QModelIndex current = m_filter->mapFromSource(m_model->index(rows.RecNo(), 0));
    if (current.isValid())
        m_grid->setCurrentIndex(current);
}

SearchDialog::SearchDialog(RecordSet& rows, const QString& caption, const QString& keyField,
                           const QStringList& preselected, QWidget* parent)
    : QDialog(parent) {
    rows.FieldByName(keyField); // an unknown key field fails here, before anything is shown
    m_model = new RecordSetModel(&rows, this);
    m_checked = new CheckedRowsModel(rows, keyField, preselected, this);
    m_checked->setSourceModel(m_model);
    m_filter = new RowFilter(this);
    m_filter->setSourceModel(m_checked);
    Build(caption);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    // Double-click or space toggles the row's check box.
    auto toggle = [this](const QModelIndex& index) {
        const QModelIndex source = m_filter->mapToSource(index);
        m_checked->SetChecked(source, !m_checked->IsChecked(source.row()));
    };
    connect(m_grid, &QTableView::doubleClicked, this, toggle);

    auto* markAll = new QPushButton(HostText("LISTMARCA"), this);
    markAll->setObjectName(QStringLiteral("btnMarcaTodos"));
    auto* unmarkAll = new QPushButton(HostText("LISTDESMARCA"), this);
    unmarkAll->setObjectName(QStringLiteral("btnDesmarcaTodos"));
    connect(markAll, &QPushButton::clicked, this, [this] { SetAllChecked(true); });
    connect(unmarkAll, &QPushButton::clicked, this, [this] { SetAllChecked(false); });
    auto* marks = new QHBoxLayout;
    marks->addWidget(markAll);
    marks->addWidget(unmarkAll);
    marks->addStretch();
    static_cast<QVBoxLayout*>(layout())->insertLayout(2, marks);
}

SearchDialog::~SearchDialog() = default;

void SearchDialog::Build(const QString& caption) {
    setObjectName(QStringLiteral("hostSearchDialog"));
    setWindowTitle(caption);
    resize(640, 420);

    m_filterEdit = new QLineEdit(this);
    m_filterEdit->setObjectName(QStringLiteral("edtFiltro"));
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("grdPesquisa"));
    m_grid->setModel(m_filter);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setWordWrap(false);
    m_grid->setItemDelegate(new TipDelegate(m_grid));
    FitColumns(*m_grid, [this](int column) { return m_model->ColumnWidth(column); });
    // Wide enough for the columns, so that "Código" and the names need no scrolling, yet never
    // wider than the screen: there the grid scrolls sideways to its last column.
    const int columns = m_grid->horizontalHeader()->length() + 4 * m_grid->frameWidth() + 48;
    const int room = screen()->availableGeometry().width() - 40;
    resize(std::min({std::max(columns, width()), 1000, room}), height());

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(HostText("PESQOK"), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("btnOk"));
    buttons->addButton(HostText("PESQCANC"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("btnCancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(HostText("PESQFILTRO"), this));
    filterRow->addWidget(m_filterEdit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(m_grid);
    layout->addWidget(buttons);

    connect(m_filterEdit, &QLineEdit::textChanged, this, &SearchDialog::SetFilterText);
    m_filterEdit->setFocus();
}

void SearchDialog::SetFilterText(const QString& text) {
    if (m_filterEdit->text() != text)
        m_filterEdit->setText(text); // comes back here through textChanged
    static_cast<RowFilter*>(m_filter)->SetText(text);
    if (m_filter->rowCount() > 0 && !m_grid->currentIndex().isValid())
        m_grid->setCurrentIndex(m_filter->index(0, 0));
}

int SearchDialog::VisibleRowCount() const {
    return m_filter->rowCount();
}

void SearchDialog::SetAllChecked(bool checked) {
    if (m_checked == nullptr)
        return;
    for (int row = 0; row < m_filter->rowCount(); ++row)
        m_checked->SetChecked(m_filter->mapToSource(m_filter->index(row, 0)), checked);
}

std::optional<int> SearchDialog::ChosenRow() const {
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return std::nullopt;
    const QModelIndex source = m_filter->mapToSource(current);
    return m_checked != nullptr ? m_checked->mapToSource(source).row() : source.row();
}

QStringList SearchDialog::ChosenKeys() const {
    QStringList keys;
    if (m_checked == nullptr)
        return keys;
    for (int row = 0; row < m_model->rowCount(); ++row)
        if (m_checked->IsChecked(row))
            keys << m_checked->KeyOf(row);
    return keys;
}

} // namespace host
