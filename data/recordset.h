#pragma once

#include "data/codec.h"
#include "data/field.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QVariant>

#include <memory>
#include <vector>

namespace host {

enum class DataSetState { Inactive, Browse, Edit, Insert };

// In-memory table of typed fields with a current row, browse/edit/insert states, key look-up,
// bookmarks and serialisation to one value. Independent of widgets; see RecordSetModel for grids.
class RecordSet : public QObject {
    Q_OBJECT
public:
    explicit RecordSet(QObject* parent = nullptr);
    ~RecordSet() override;

    // Structure. Field definitions can change only while the record set is inactive.
    void AddFieldDef(const FieldDef& def);
    void SetFieldDefs(const QList<FieldDef>& defs);
    QList<FieldDef> FieldDefs() const;
    int FieldCount() const;
    // Names compare case-insensitively, blanks around them ignored; a look-up allocates nothing.
    const Field& FieldAt(int index) const;
    Field& FieldAt(int index);
    const Field& FieldByName(const QString& name) const; // throws std::out_of_range when unknown
    Field& FieldByName(const QString& name);
    const Field* FindField(const QString& name) const;
    Field* FindField(const QString& name);

    // Life.
    void CreateDataSet(); // opens an empty record set with the current field definitions
    void EmptyDataSet();  // removes every row, stays open
    void Close();
    bool Active() const;
    bool IsEmpty() const;
    int RecordCount() const;
    DataSetState State() const;
    bool Editing() const; // Edit or Insert

    // Navigation. RecNo is 0-based; -1 when empty. Moving posts a pending edit first (a
    // refused Post throws and the cursor stays). Eof turns true when Next finds no further
    // row, after Last, and when Delete removed the last row, so delete-or-next loops end.
    int RecNo() const;
    void SetRecNo(int row);
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const;
    bool Bof() const;

    // Editing. Append/Insert add a blank row (after the last / before the current row) in
    // Insert state; Post keeps it, Cancel removes it. Edit on an empty set inserts. Post
    // refuses (std::invalid_argument) a required field that is null or empty. Delete removes
    // the current row (the cursor goes to the next row, or the previous one at the end);
    // Delete while inserting cancels the insert. Outside editing, Post and Cancel do nothing.
    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();

    // Appends a complete row without events (bulk loading by codecs and queries); values are
    // normalised as Field::SetValue does and the row is refused (std::invalid_argument) when
    // it has the wrong length or a value does not fit. Needs an active set, not editing.
    void AppendRow(std::vector<QVariant> values);
    // Tells bound controls that rows changed wholesale (after bulk AppendRow calls).
    void Refresh();
    // A copy of one row's values; the storage itself stays private.
    std::vector<QVariant> Row(int row) const;

    // "A;B" key text, values in the same order; strings compare case-insensitively, a null
    // value matches null cells. Moves to the first matching row and returns true, or leaves
    // the cursor and returns false. Hash indexes are built per key on first use and kept in
    // step with edits, so a look-up per row of a long loop stays cheap.
    bool Locate(const QString& keyFields, const QVariantList& keyValues);

    // A bookmark names a row, and survives inserts and deletes of other rows.
    using Bookmark = quint64;
    Bookmark GetBookmark() const;
    bool BookmarkValid(Bookmark bookmark) const;
    void GotoBookmark(Bookmark bookmark); // throws std::out_of_range for a deleted row

    // While disabled (calls nest), afterScroll, stateChanged, dataChanged, rowsReset and
    // fieldsChanged are held back; the last EnableControls sends stateChanged when the state
    // differs, then rowsReset and afterScroll. afterOpen is always sent.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const;

    // The whole content (structure and rows) as one value, and back (see codec.h).
    QByteArray Data() const;
    void SetData(const QByteArray& data); // throws CodecError; leaves the set unchanged then
    // Same as table form. SetTable opens the set with this structure and these rows; fields
    // whose name exists already keep their Field object, presentation and display hook.
    RecordSetTable Table() const;
    void SetTable(RecordSetTable table); // throws std::invalid_argument for a bad cell

signals:
    void afterOpen();
    void afterScroll();
    void stateChanged(host::DataSetState state);
    void dataChanged(int row); // one row's values changed
    void rowsReset();          // rows added, removed or replaced wholesale
    void fieldsChanged();      // labels, visibility, widths or masks changed

private:
    friend void codec::DecodeInto(const QByteArray& json, RecordSet& recordSet);
    friend QByteArray codec::Encode(const RecordSet& recordSet);
    friend void codec::Write(JsonWriter& out, const RecordSet& recordSet);
    const QVariant& CellAt(int row, int column) const; // unchecked
    const std::vector<QVariant>& RowValues(int row) const;
    int IndexOfName(QStringView name) const;
    void SetFieldValue(int index, QVariant value); // already normalised
    void RebuildFields(const QList<FieldDef>& defs, bool keepPresentation);
    void SetTableUnchecked(RecordSetTable table);
    void InsertBlankAt(int pos);
    void RemoveRow(int pos, bool indexed);
    void MoveTo(int row);
    void RequireActive() const;
    void CheckBrowseMode();
    void NotifyState();
    void NotifyScroll();
    void NotifyReset();
    void NotifyRow(int row);
    struct Impl;
    std::unique_ptr<Impl> d;
    friend class Field;
};

} // namespace host
