#pragma once

#include "host/widgets/check_pictures.h"
#include "host/widgets/data_source.h"
#include "host/widgets/gridcolumns.h"
#include "host/widgets/reaction.h"
#include "host/widgets/recordsetmodel.h"

#include <QBrush>
#include <QPointer>
#include <QTableView>

#include <functional>
#include <optional>

namespace host {

class GridTitles;

// Grid over a record set: the grid's columns in order with titles and widths, display texts
// through the fields' hooks, the current cell following the record set's current row and moving
// it. The mark column (field IDMARCADO unless set otherwise) is drawn with the check-box
// pictures. Cells are never edited in place.
class TDBGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDBGrid(QWidget* parent = nullptr);
    ~TDBGrid() override;

    void SetDataSource(TDataSource* dataSource);
    TDataSource* DataSource() const { return m_dataSource; }
    RecordSet* DataSet() const;

    void SetColumns(const QList<GridColumn>& columns); // empty: every visible field
    int ColumnCount() const;
    QString ColumnField(int column) const;
    int ColumnOfField(const QString& fieldName) const; // -1 when not shown

    // Whether marks are live (ticked or not) or greyed; by default the grid's own data source
    // editing. Screens whose marks depend on another record set's state set it.
    void SetMarkEditing(std::function<bool()> editing) { m_markEditing = std::move(editing); }
    bool MarkEditing() const;
    bool IsMarkColumn(int column) const;
    // The picture the mark column shows for row; nothing for an empty record set.
    std::optional<CheckPicture> MarkPicture(int row) const;

    // Background brush per row (e.g. olive for rows a screen wants to stand out); without it the
    // palette's base colour. Selected cells use the highlight colour.
    void SetRowBrush(std::function<QBrush(int row)> brush) { m_rowBrush = std::move(brush); }
    QBrush CellBrush(int row, bool selected) const;

    BasicReaction<int> OnCellClick;  // column clicked (the clicked row is current already)
    BasicReaction<int> OnTitleClick; // column whose title was clicked
    // Key pressed: a handler that sets the key to 0 swallows it.
    BasicReaction<int&, Qt::KeyboardModifiers> OnKeyDown;
    Reaction OnDblClick;
    Reaction OnEnter;
    Reaction OnExit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void Rebind();
    void FollowRecord();
    void PlaceCurrentCell();
    void ApplyWidths();

    QPointer<TDataSource> m_dataSource;
    RecordSetModel* m_model;
    GridTitles* m_titles;
    QString m_markField = QStringLiteral("IDMARCADO");
    std::function<bool()> m_markEditing;
    std::function<QBrush(int)> m_rowBrush;
    bool m_following = false;
};

// Index of the grid column bound to the field; -1 when the grid does not show it.
int IndiceCol(const TDBGrid& grid, const QString& fieldName);

} // namespace host
