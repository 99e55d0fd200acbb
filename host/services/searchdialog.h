#pragma once

#include <QDialog>
#include <QSet>
#include <QStringList>

#include <optional>

class QLineEdit;
class QSortFilterProxyModel;
class QTableView;

namespace host {

class RecordSet;
class RecordSetModel;
class CheckedRowsModel;

// Search over a record set's rows: typing in the filter edit ("edtFiltro") keeps the rows
// whose visible text contains it (any column, case-insensitive); the grid ("grdPesquisa")
// shows them. With a key field the rows carry check boxes and several may be chosen.
class SearchDialog : public QDialog {
    Q_OBJECT
public:
    SearchDialog(RecordSet& rows, const QString& caption, QWidget* parent = nullptr);
    // Multi-select over keyField, starting with the preselected keys checked.
    SearchDialog(RecordSet& rows, const QString& caption, const QString& keyField,
                 const QStringList& preselected, QWidget* parent = nullptr);
    ~SearchDialog() override;

    // Source row of the grid's current row (single choice), nothing when none.
    std::optional<int> ChosenRow() const;
    // Checked keys in the record set's row order (multi-select).
    QStringList ChosenKeys() const;

    void SetFilterText(const QString& text);
    int VisibleRowCount() const;
    void SetAllChecked(bool checked); // only the rows the filter shows

private:
    void Build(const QString& caption);

    RecordSetModel* m_model = nullptr;
    CheckedRowsModel* m_checked = nullptr;
    QSortFilterProxyModel* m_filter = nullptr;
    QLineEdit* m_filterEdit = nullptr;
    QTableView* m_grid = nullptr;
};

} // namespace host
