#include "data/recordset.h"

#include "data/datatexts.h"
#include "data/keyindex.h"

#include <QHash>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>

namespace host {

namespace {

struct RowData {
    quint64 id;
    std::vector<QVariant> values;
};

[[noreturn]] void Fail(DataText what) {
    throw std::logic_error(DataMsg(what).toStdString());
}

// Field names by a case-insensitive hash, so that a look-up needs no folded copy of the name.
class NameIndex {
public:
    // The index whose name nameAt(index) equals `name` ignoring case, or -1.
    template <typename NameAt> int Find(QStringView name, NameAt nameAt) const {
        const size_t hash = Hash(name);
        for (auto it = m_byHash.constFind(hash); it != m_byHash.constEnd() && it.key() == hash;
             ++it)
            if (name.compare(nameAt(*it), Qt::CaseInsensitive) == 0)
                return *it;
        return -1;
    }
    void Insert(QStringView name, int index) { m_byHash.insert(Hash(name), index); }

private:
    static size_t Hash(QStringView name) { // FNV-1a over the upper-cased code units
        size_t hash = size_t(14695981039346656037ull);
        for (const QChar c : name) {
            char16_t unit = c.unicode();
            if (unit < 0x80)
                unit = unit >= 'a' && unit <= 'z' ? char16_t(unit - 32) : unit;
            else
                unit = c.toUpper().unicode();
            hash = (hash ^ unit) * size_t(1099511628211ull);
        }
        return hash;
    }

    QMultiHash<size_t, int> m_byHash;
};

} // namespace

struct RecordSet::Impl {
    std::vector<std::unique_ptr<Field>> fields;
    std::vector<std::unique_ptr<Field>> retired; // see RebuildFields
    NameIndex byName;
    std::vector<RowData> rows;
    DataSetState state = DataSetState::Inactive;
    int current = -1;
    bool eof = true;
    bool bof = true;
    quint64 nextId = 1;
    std::vector<QVariant> editBackup;
    int disableCount = 0;
    DataSetState stateAtDisable = DataSetState::Inactive;

    // Row ids grow with every new row, so they stay in row order until a row is inserted
    // before others; then positions come from a map rebuilt on demand.
    bool idsAscending = true;
    mutable QHash<quint64, int> positions;
    mutable bool positionsValid = false;
    mutable std::map<std::vector<int>, KeyIndex> indexes; // key columns -> index
    QHash<QString, std::vector<int>> keyColumns;          // "A;B" -> key columns

    int PositionOf(quint64 id) const {
        if (idsAscending) {
            auto it = std::lower_bound(rows.begin(), rows.end(), id,
                                       [](const RowData& row, quint64 v) { return row.id < v; });
            return it != rows.end() && it->id == id ? int(it - rows.begin()) : -1;
        }
        if (!positionsValid) {
            positions.clear();
            positions.reserve(qsizetype(rows.size()));
            for (size_t i = 0; i < rows.size(); ++i)
                positions.insert(rows[i].id, int(i));
            positionsValid = true;
        }
        return positions.value(id, -1);
    }

    void ResetRows() {
        rows.clear();
        idsAscending = true;
        positions.clear();
        positionsValid = false;
        indexes.clear();
        current = -1;
        eof = bof = true;
        editBackup.clear();
    }

    QString KeyOf(const std::vector<int>& columns, const std::vector<QVariant>& values) const {
        QString key;
        key.reserve(48);
        for (int column : columns)
            AppendKeyPart(key, fields[size_t(column)]->DataType(), values[size_t(column)]);
        return key;
    }

    // Keeps every built index in step with a row that entered the set at `pos`.
    void IndexAdd(int pos) {
        DropIndexesWhere([&](KeyIndex& index) {
            return !index.Add(KeyOf(index.columns, rows[size_t(pos)].values), rows[size_t(pos)].id,
                              pos, [&](quint64 id) { return PositionOf(id); });
        });
    }

    void IndexRemove(quint64 id, const std::vector<QVariant>& values) {
        DropIndexesWhere(
            [&](KeyIndex& index) { return !index.Remove(KeyOf(index.columns, values), id); });
    }

    void IndexUpdate(int pos, const std::vector<QVariant>& before) {
        const RowData& row = rows[size_t(pos)];
        DropIndexesWhere([&](KeyIndex& index) {
            const QString oldKey = KeyOf(index.columns, before);
            const QString newKey = KeyOf(index.columns, row.values);
            if (oldKey == newKey)
                return false;
            return !index.Remove(oldKey, row.id) ||
                   !index.Add(newKey, row.id, pos, [&](quint64 id) { return PositionOf(id); });
        });
    }

    template <typename Pred> void DropIndexesWhere(Pred pred) {
        for (auto it = indexes.begin(); it != indexes.end();)
            it = pred(it->second) ? indexes.erase(it) : std::next(it);
    }
};

RecordSet::RecordSet(QObject* parent) : QObject(parent), d(std::make_unique<Impl>()) {}

RecordSet::~RecordSet() = default;

// ---- structure ----

void RecordSet::AddFieldDef(const FieldDef& def) {
    QList<FieldDef> defs = FieldDefs();
    defs.append(def);
    SetFieldDefs(defs);
}

void RecordSet::SetFieldDefs(const QList<FieldDef>& defs) {
    if (Active())
        Fail(DataText::DefsWhileOpen);
    RebuildFields(defs, false);
    if (!ControlsDisabled())
        emit fieldsChanged();
}

void RecordSet::RebuildFields(const QList<FieldDef>& defs, bool keepPresentation) {
    NameIndex byName;
    const auto defName = [&defs](int i) {
        return QStringView(defs[i].name);
    };
    for (int i = 0; i < defs.size(); ++i) {
        if (defs[i].name.isEmpty())
            throw std::invalid_argument(DataMsg(DataText::FieldNoName).toStdString());
        if (byName.Find(defs[i].name, defName) >= 0)
            throw std::invalid_argument(
                DataMsg(DataText::FieldTwice).arg(defs[i].name).toStdString());
        byName.Insert(defs[i].name, i);
    }
    // Fields already taken over read as nameless, so each old field is kept at most once.
    const auto oldName = [this](int i) {
        const auto& field = d->fields[size_t(i)];
        return field ? QStringView(field->FieldName()) : QStringView();
    };
    std::vector<std::unique_ptr<Field>> fields;
    fields.reserve(size_t(defs.size()));
    for (int i = 0; i < defs.size(); ++i) {
        FieldDef def = defs[i];
        const int old = d->byName.Find(def.name, oldName);
        if (old >= 0) {
            std::unique_ptr<Field> field = std::move(d->fields[size_t(old)]);
            if (keepPresentation) {
                const FieldDef& kept = field->m_def;
                def.label = kept.label;
                def.visible = kept.visible;
                def.displayWidth = kept.displayWidth;
                def.editMask = kept.editMask;
                def.required = kept.required;
            }
            if (def.label.isEmpty())
                def.label = def.name;
            field->m_def = std::move(def);
            field->m_index = i;
            fields.push_back(std::move(field));
        } else {
            if (def.label.isEmpty())
                def.label = def.name;
            fields.push_back(std::unique_ptr<Field>(new Field(this, std::move(def), i)));
        }
    }
    // Fields that left the structure may still be referenced by bound controls: keep them,
    // detached, so such a reference reads null instead of freed memory.
    for (auto& old : d->fields)
        if (old) {
            old->m_index = -1;
            d->retired.push_back(std::move(old));
        }
    d->fields = std::move(fields);
    d->byName = std::move(byName);
    d->indexes.clear();
    d->keyColumns.clear();
}

QList<FieldDef> RecordSet::FieldDefs() const {
    QList<FieldDef> defs;
    defs.reserve(qsizetype(d->fields.size()));
    for (const auto& field : d->fields)
        defs.append(field->Def());
    return defs;
}

int RecordSet::FieldCount() const {
    return int(d->fields.size());
}

const Field& RecordSet::FieldAt(int index) const {
    return *d->fields.at(size_t(index));
}

Field& RecordSet::FieldAt(int index) {
    return *d->fields.at(size_t(index));
}

const Field& RecordSet::FieldByName(const QString& name) const {
    const Field* field = FindField(name);
    if (!field)
        throw std::out_of_range(DataMsg(DataText::FieldNotFound).arg(name).toStdString());
    return *field;
}

Field& RecordSet::FieldByName(const QString& name) {
    return const_cast<Field&>(std::as_const(*this).FieldByName(name));
}

int RecordSet::IndexOfName(QStringView name) const {
    return d->byName.Find(name.trimmed(),
                          [this](int i) { return QStringView(d->fields[size_t(i)]->FieldName()); });
}

const Field* RecordSet::FindField(const QString& name) const {
    const int index = IndexOfName(name);
    return index < 0 ? nullptr : d->fields[size_t(index)].get();
}

Field* RecordSet::FindField(const QString& name) {
    return const_cast<Field*>(std::as_const(*this).FindField(name));
}

// ---- life ----

void RecordSet::CreateDataSet() {
    if (d->fields.empty())
        Fail(DataText::NoFieldsToCreate);
    SetTableUnchecked({FieldDefs(), {}});
}

void RecordSet::EmptyDataSet() {
    RequireActive();
    const DataSetState before = d->state;
    d->ResetRows();
    d->state = DataSetState::Browse;
    if (before != d->state)
        NotifyState();
    NotifyReset();
    NotifyScroll();
}

void RecordSet::Close() {
    if (!Active())
        return;
    d->ResetRows();
    d->state = DataSetState::Inactive;
    NotifyState();
    NotifyReset();
}

bool RecordSet::Active() const {
    return d->state != DataSetState::Inactive;
}

bool RecordSet::IsEmpty() const {
    return d->rows.empty();
}

int RecordSet::RecordCount() const {
    return int(d->rows.size());
}

DataSetState RecordSet::State() const {
    return d->state;
}

bool RecordSet::Editing() const {
    return d->state == DataSetState::Edit || d->state == DataSetState::Insert;
}

// ---- navigation ----

int RecordSet::RecNo() const {
    return d->current;
}

void RecordSet::SetRecNo(int row) {
    RequireActive();
    if (row < 0 || row >= RecordCount())
        throw std::out_of_range(DataMsg(DataText::RowOutOfRange).toStdString());
    CheckBrowseMode();
    MoveTo(row);
}

void RecordSet::First() {
    RequireActive();
    CheckBrowseMode();
    d->current = IsEmpty() ? -1 : 0;
    d->bof = true;
    d->eof = IsEmpty();
    NotifyScroll();
}

void RecordSet::Last() {
    RequireActive();
    CheckBrowseMode();
    d->current = RecordCount() - 1;
    d->eof = true;
    d->bof = IsEmpty();
    NotifyScroll();
}

void RecordSet::Next() {
    RequireActive();
    CheckBrowseMode();
    if (d->current + 1 < RecordCount())
        MoveTo(d->current + 1);
    else
        d->eof = true;
}

void RecordSet::Prior() {
    RequireActive();
    CheckBrowseMode();
    if (d->current > 0)
        MoveTo(d->current - 1);
    else
        d->bof = true;
}

bool RecordSet::Eof() const {
    return !Active() || d->eof;
}

bool RecordSet::Bof() const {
    return !Active() || d->bof;
}

void RecordSet::MoveTo(int row) {
    d->eof = d->bof = false;
    if (row == d->current)
        return;
    d->current = row;
    NotifyScroll();
}

// ---- editing ----

void RecordSet::Append() {
    InsertBlankAt(-1);
}

void RecordSet::Insert() {
    InsertBlankAt(std::max(d->current, 0));
}

void RecordSet::InsertBlankAt(int pos) {
    RequireActive();
    CheckBrowseMode();
    const int count = RecordCount();
    if (pos < 0 || pos > count)
        pos = count;
    RowData row{d->nextId++, std::vector<QVariant>(d->fields.size())};
    if (pos == count) {
        d->rows.push_back(std::move(row));
        if (d->positionsValid)
            d->positions.insert(d->rows.back().id, pos);
    } else {
        d->rows.insert(d->rows.begin() + pos, std::move(row));
        d->idsAscending = false;
        d->positionsValid = false;
    }
    d->current = pos;
    d->eof = d->bof = false;
    d->state = DataSetState::Insert;
    NotifyState();
    NotifyReset();
    NotifyScroll();
}

void RecordSet::Edit() {
    RequireActive();
    if (Editing())
        return;
    if (IsEmpty()) {
        Insert();
        return;
    }
    d->editBackup = d->rows[size_t(d->current)].values;
    d->state = DataSetState::Edit;
    NotifyState();
}

void RecordSet::Post() {
    RequireActive();
    if (!Editing())
        return;
    const std::vector<QVariant>& values = d->rows[size_t(d->current)].values;
    for (const auto& field : d->fields) {
        const QVariant& value = values[size_t(field->Index())];
        const bool blank = !value.isValid() ||
                           (value.typeId() == QMetaType::QString && value.toString().isEmpty());
        if (field->Required() && blank)
            throw std::invalid_argument(
                DataMsg(DataText::FieldRequired).arg(field->DisplayLabel()).toStdString());
    }
    if (d->state == DataSetState::Insert)
        d->IndexAdd(d->current);
    else
        d->IndexUpdate(d->current, d->editBackup);
    d->editBackup.clear();
    d->state = DataSetState::Browse;
    NotifyState();
    NotifyRow(d->current);
}

void RecordSet::Cancel() {
    RequireActive();
    if (d->state == DataSetState::Edit) {
        d->rows[size_t(d->current)].values = std::move(d->editBackup);
        d->editBackup.clear();
        d->state = DataSetState::Browse;
        NotifyState();
        NotifyRow(d->current);
    } else if (d->state == DataSetState::Insert) {
        RemoveRow(d->current, false);
        d->state = DataSetState::Browse;
        NotifyState();
        NotifyReset();
        NotifyScroll();
    }
}

void RecordSet::Delete() {
    RequireActive();
    if (d->state == DataSetState::Insert) {
        Cancel();
        return;
    }
    if (IsEmpty())
        Fail(DataText::DeleteFromEmpty);
    const bool wasEditing = d->state == DataSetState::Edit;
    if (wasEditing) {
        d->rows[size_t(d->current)].values = std::move(d->editBackup);
        d->editBackup.clear();
        d->state = DataSetState::Browse;
    }
    RemoveRow(d->current, true);
    if (wasEditing)
        NotifyState();
    NotifyReset();
    NotifyScroll();
}

void RecordSet::RemoveRow(int pos, bool indexed) {
    const quint64 id = d->rows[size_t(pos)].id;
    if (indexed)
        d->IndexRemove(id, d->rows[size_t(pos)].values);
    const bool wasLast = pos == RecordCount() - 1;
    d->rows.erase(d->rows.begin() + pos);
    if (wasLast && d->positionsValid)
        d->positions.remove(id);
    else
        d->positionsValid = false;
    d->current = std::min(pos, RecordCount() - 1);
    d->eof = wasLast || IsEmpty();
    d->bof = IsEmpty();
}

void RecordSet::SetFieldValue(int index, QVariant value) {
    if (!Editing())
        Fail(DataText::NotEditing);
    QVariant& cell = d->rows[size_t(d->current)].values[size_t(index)];
    if (cell == value && cell.isValid() == value.isValid())
        return;
    cell = std::move(value);
    NotifyRow(d->current);
}

void RecordSet::AppendRow(std::vector<QVariant> values) {
    RequireActive();
    if (Editing())
        Fail(DataText::AppendWhileEditing);
    if (values.size() != d->fields.size())
        throw std::invalid_argument(
            DataMsg(DataText::AppendWidth).arg(values.size()).arg(d->fields.size()).toStdString());
    for (size_t i = 0; i < values.size(); ++i)
        NormaliseInPlace(d->fields[i]->Def(), values[i]);
    d->rows.push_back({d->nextId++, std::move(values)});
    const int pos = RecordCount() - 1;
    if (d->positionsValid)
        d->positions.insert(d->rows.back().id, pos);
    d->IndexAdd(pos);
    if (d->current < 0) {
        d->current = 0;
        d->eof = d->bof = false;
    }
}

void RecordSet::Refresh() {
    NotifyReset();
    NotifyScroll();
}

std::vector<QVariant> RecordSet::Row(int row) const {
    return d->rows.at(size_t(row)).values;
}

const std::vector<QVariant>& RecordSet::RowValues(int row) const {
    return d->rows[size_t(row)].values;
}

const QVariant& RecordSet::CellAt(int row, int column) const {
    return d->rows[size_t(row)].values[size_t(column)];
}

// ---- look-up ----

bool RecordSet::Locate(const QString& keyFields, const QVariantList& keyValues) {
    RequireActive();
    auto cached = d->keyColumns.constFind(keyFields);
    if (cached == d->keyColumns.constEnd()) {
        std::vector<int> parsed;
        for (const QString& name : keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            parsed.push_back(FieldByName(name).Index());
        cached = d->keyColumns.insert(keyFields, std::move(parsed));
    }
    const std::vector<int>& columns = *cached;
    if (columns.empty() || size_t(keyValues.size()) != columns.size())
        throw std::invalid_argument(
            DataMsg(DataText::LocateWidth).arg(keyValues.size()).arg(keyFields).toStdString());
    CheckBrowseMode();

    QString key;
    for (size_t i = 0; i < columns.size(); ++i) {
        const FieldDef& def = d->fields[size_t(columns[i])]->Def();
        QVariant value;
        try {
            value = NormaliseValue(def, keyValues[qsizetype(i)]);
        } catch (const std::invalid_argument&) {
            return false; // a value the field cannot hold matches no row
        }
        AppendKeyPart(key, def.type, value);
    }

    auto found = d->indexes.find(columns);
    if (found == d->indexes.end()) {
        KeyIndex index;
        index.columns = columns;
        index.entries.reserve(qsizetype(d->rows.size()));
        for (const RowData& row : d->rows)
            index.Append(d->KeyOf(columns, row.values), row.id);
        found = d->indexes.emplace(columns, std::move(index)).first;
    }
    const auto entry = found->second.entries.constFind(key);
    if (entry == found->second.entries.constEnd())
        return false;
    const int pos = d->PositionOf(entry->firstId);
    if (pos < 0)
        return false;
    d->eof = d->bof = false;
    d->current = pos;
    NotifyScroll();
    return true;
}

// ---- bookmarks ----

RecordSet::Bookmark RecordSet::GetBookmark() const {
    return d->current >= 0 ? d->rows[size_t(d->current)].id : 0;
}

bool RecordSet::BookmarkValid(Bookmark bookmark) const {
    return bookmark != 0 && d->PositionOf(bookmark) >= 0;
}

void RecordSet::GotoBookmark(Bookmark bookmark) {
    RequireActive();
    CheckBrowseMode();
    const int pos = bookmark != 0 ? d->PositionOf(bookmark) : -1;
    if (pos < 0)
        throw std::out_of_range(DataMsg(DataText::BookmarkGone).toStdString());
    d->eof = d->bof = false;
    d->current = pos;
    NotifyScroll();
}

// ---- bound controls ----

void RecordSet::DisableControls() {
    if (d->disableCount++ == 0)
        d->stateAtDisable = d->state;
}

void RecordSet::EnableControls() {
    if (d->disableCount == 0 || --d->disableCount > 0)
        return;
    if (d->state != d->stateAtDisable)
        NotifyState();
    NotifyReset();
    NotifyScroll();
}

bool RecordSet::ControlsDisabled() const {
    return d->disableCount > 0;
}

// ---- serialisation ----

QByteArray RecordSet::Data() const {
    return codec::Encode(*this);
}

void RecordSet::SetData(const QByteArray& data) {
    codec::DecodeInto(data, *this);
}

RecordSetTable RecordSet::Table() const {
    RecordSetTable table{FieldDefs(), {}};
    table.rows.reserve(d->rows.size());
    for (const RowData& row : d->rows)
        table.rows.push_back(row.values);
    return table;
}

void RecordSet::SetTable(RecordSetTable table) {
    const QList<FieldDef>& fields = table.fields;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        std::vector<QVariant>& row = table.rows[r];
        if (row.size() != size_t(table.fields.size()))
            throw std::invalid_argument(DataMsg(DataText::RowWidth)
                                            .arg(r + 1)
                                            .arg(row.size())
                                            .arg(table.fields.size())
                                            .toStdString());
        for (size_t i = 0; i < row.size(); ++i)
            NormaliseInPlace(fields[qsizetype(i)], row[i]);
    }
    SetTableUnchecked(std::move(table));
}

void RecordSet::SetTableUnchecked(RecordSetTable table) {
    RebuildFields(table.fields, true); // validates names before anything changes
    const DataSetState before = d->state;
    d->ResetRows();
    d->rows.reserve(table.rows.size());
    for (auto& values : table.rows)
        d->rows.push_back({d->nextId++, std::move(values)});
    d->state = DataSetState::Browse;
    d->current = IsEmpty() ? -1 : 0;
    d->eof = IsEmpty();
    d->bof = true;
    if (before != d->state)
        NotifyState();
    NotifyReset();
    emit afterOpen();
    NotifyScroll();
}

// ---- helpers ----

void RecordSet::RequireActive() const {
    if (!Active())
        Fail(DataText::NotOpen);
}

void RecordSet::CheckBrowseMode() {
    if (Editing())
        Post();
}

void RecordSet::NotifyState() {
    if (!ControlsDisabled())
        emit stateChanged(d->state);
}

void RecordSet::NotifyScroll() {
    if (!ControlsDisabled() && Active())
        emit afterScroll();
}

void RecordSet::NotifyReset() {
    if (!ControlsDisabled())
        emit rowsReset();
}

void RecordSet::NotifyRow(int row) {
    if (!ControlsDisabled() && row >= 0)
        emit dataChanged(row);
}

} // namespace host
