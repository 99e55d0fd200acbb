#include "offset/rules/itemmarks.h"

#include "data/controlsheld.h"
#include "data/recordset.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <vector>

namespace offset {

namespace {

const QString kFlag = QStringLiteral("IDMARCADO");
const QString kMarked = QStringLiteral("S");
const QString kUnmarked = QStringLiteral("N");

bool HasRows(const host::RecordSet& rows) {
    return rows.Active() && !rows.IsEmpty();
}

// Whatever happens to a row, the walk ends where the operator sees the list begin.
class FromFirst {
public:
    explicit FromFirst(host::RecordSet& rows) : m_rows(rows) { m_rows.First(); }
    ~FromFirst() {
        if (HasRows(m_rows))
            m_rows.First();
    }
    FromFirst(const FromFirst&) = delete;
    FromFirst& operator=(const FromFirst&) = delete;

private:
    host::RecordSet& m_rows;
};

} // namespace

// The marked set's changes gathered while a walk over the list visits many rows, and written in
// one step at the end: the walk stays linear, with no row-by-row removal. Rows already in the set
// are read only when it is written.
class MarkedTable {
public:
    MarkedTable(const host::RecordSet& list, host::RecordSet& marked, const QString& keyFields)
        : m_marked(marked) {
        if (!m_marked.Active())
            m_marked.CreateDataSet();
        std::vector<const host::Field*> markedKey;
        for (const QString& field : keyFields.split(QLatin1Char(';'))) {
            m_listKey.push_back(&list.FieldByName(field));
            markedKey.push_back(&m_marked.FieldByName(field));
        }
        for (int i = 0; i < m_marked.FieldCount(); ++i) {
            const host::Field* source = list.FindField(m_marked.FieldAt(i).FieldName());
            m_source.push_back(source ? source->Index() : -1);
        }
        m_count = size_t(m_marked.RecordCount());
        for (size_t row = 0; row < m_count; ++row)
            m_rows.insert(Key(markedKey, int(row)), row);
        m_state.assign(m_count, Row::Kept);
    }

    // The listed row's key, strings compared case-insensitively as Locate does.
    QString ListedKey(int row) const { return Key(m_listKey, row); }
    bool Contains(const QString& key) const { return m_rows.contains(key); }

    // A copy of the listed row, refreshing the one of the same key.
    void Put(const QString& key, const host::RecordSet& list, int row) {
        std::vector<QVariant> copy(m_source.size());
        for (size_t i = 0; i < m_source.size(); ++i)
            if (m_source[i] >= 0)
                copy[i] = list.FieldAt(m_source[i]).ValueAt(row);
        const auto found = m_rows.constFind(key);
        if (found == m_rows.constEnd()) {
            m_rows.insert(key, m_count + m_added.size());
            m_added.push_back(std::move(copy));
        } else if (*found < m_count) {
            m_state[*found] = Row::Replaced;
            m_replaced[*found] = std::move(copy);
        } else {
            m_added[*found - m_count] = std::move(copy);
        }
    }
    void Remove(const QString& key) {
        const auto found = m_rows.constFind(key);
        if (found != m_rows.constEnd() && *found < m_count)
            m_state[*found] = Row::Removed;
    }

    // New copies alone are appended to what the set held; otherwise it is written whole.
    void Write() {
        const bool untouched =
            std::all_of(m_state.cbegin(), m_state.cend(), [](Row r) { return r == Row::Kept; });
        if (untouched && m_count > 0) {
            for (std::vector<QVariant>& copy : m_added)
                m_marked.AppendRow(std::move(copy));
            if (!m_added.empty())
                m_marked.Refresh();
            return;
        }
        host::RecordSetTable table{m_marked.FieldDefs(), {}};
        table.rows.reserve(m_count + m_added.size());
        for (size_t row = 0; row < m_count; ++row) {
            if (m_state[row] == Row::Kept)
                table.rows.push_back(m_marked.Row(int(row)));
            else if (m_state[row] == Row::Replaced)
                table.rows.push_back(std::move(m_replaced[row]));
        }
        for (std::vector<QVariant>& copy : m_added)
            table.rows.push_back(std::move(copy));
        if (table.rows.empty())
            m_marked.EmptyDataSet();
        else
            m_marked.SetTable(std::move(table));
    }

private:
    enum class Row : char { Kept, Replaced, Removed };

    static QString Key(const std::vector<const host::Field*>& fields, int row) {
        QString key;
        for (const host::Field* field : fields) {
            key += field->ValueAt(row).toString().toCaseFolded();
            key += QChar(0x1f);
        }
        return key;
    }

    host::RecordSet& m_marked;
    std::vector<const host::Field*> m_listKey;
    std::vector<int> m_source; // list column of each marked field, -1 for none
    size_t m_count = 0;        // rows of the set before the walk
    QHash<QString, size_t> m_rows;
    std::vector<Row> m_state;
    QHash<size_t, std::vector<QVariant>> m_replaced;
    std::vector<std::vector<QVariant>> m_added;
};

qint64 SumCents(const host::RecordSet& rows, const QString& field) {
    qint64 cents = 0;
    if (!rows.Active())
        return cents;
    const host::Field& value = rows.FieldByName(field);
    for (int row = 0; row < rows.RecordCount(); ++row)
        cents += std::llround(value.ValueAt(row).toDouble() * 100.0);
    return cents;
}

ItemMarks::ItemMarks(host::RecordSet& list, host::RecordSet& marked, QString keyFields,
                     QString value)
    : m_list(list), m_marked(marked), m_keyFields(std::move(keyFields)), m_value(std::move(value)) {
}

bool ItemMarks::CurrentMarked() const {
    return m_list.FieldByName(kFlag).AsString() != kUnmarked;
}

// One row changes: bound controls redraw that row only, where a held walk ends in a reset of
// the whole list.
void ItemMarks::Toggle() {
    if (!HasRows(m_list))
        return;
    if (CurrentMarked())
        Unmark();
    else
        Mark();
}

void ItemMarks::MarkAll(const std::function<bool()>& eligible) {
    EachMarking([&](MarkedTable& marked) {
        if (m_list.FieldByName(kFlag).AsString() == kUnmarked && eligible()) {
            SetFlag(kMarked);
            marked.Put(marked.ListedKey(m_list.RecNo()), m_list, m_list.RecNo());
        }
    });
}

void ItemMarks::UnmarkAll() {
    EachMarking([this](MarkedTable& marked) {
        if (m_list.FieldByName(kFlag).AsString() == kMarked) {
            SetFlag(kUnmarked);
            marked.Remove(marked.ListedKey(m_list.RecNo()));
        }
    });
}

void ItemMarks::Restore() {
    if (!HasRows(m_marked))
        return;
    EachMarking([this](MarkedTable& marked) {
        const QString key = marked.ListedKey(m_list.RecNo());
        if (marked.Contains(key)) {
            SetFlag(kMarked);
            marked.Put(key, m_list, m_list.RecNo());
        }
    });
}

void ItemMarks::Forget() {
    if (m_marked.Active())
        m_marked.EmptyDataSet();
    EachListed([this] {
        if (CurrentMarked())
            SetFlag(kUnmarked);
    });
}

qint64 ItemMarks::TotalCents() const {
    return SumCents(m_marked, m_value);
}

void ItemMarks::EachListed(const std::function<void()>& visit) {
    if (!HasRows(m_list))
        return;
    const host::ControlsHeld quiet(m_list);
    const FromFirst walk(m_list);
    for (; !m_list.Eof(); m_list.Next())
        visit();
}

// The marked set changes once, after the walk.
void ItemMarks::EachMarking(const std::function<void(MarkedTable&)>& visit) {
    if (!HasRows(m_list))
        return;
    MarkedTable marked(m_list, m_marked, m_keyFields);
    EachListed([&] { visit(marked); });
    marked.Write();
}

QVariantList ItemMarks::CurrentKey() const {
    QVariantList key;
    for (const QString& field : m_keyFields.split(QLatin1Char(';')))
        key << m_list.FieldByName(field).AsString();
    return key;
}

void ItemMarks::SetFlag(const QString& flag) {
    m_list.Edit();
    m_list.FieldByName(kFlag).SetAsString(flag);
    m_list.Post();
}

// One copy per key: a copy left from an earlier list is refreshed, not doubled.
void ItemMarks::Mark() {
    SetFlag(kMarked);
    if (!m_marked.Active())
        m_marked.CreateDataSet();
    if (!m_marked.Locate(m_keyFields, CurrentKey()))
        m_marked.Append();
    CopyCurrent();
}

void ItemMarks::Unmark() {
    SetFlag(kUnmarked);
    if (m_marked.Active() && m_marked.Locate(m_keyFields, CurrentKey()))
        m_marked.Delete();
}

// Into the marked set's current row (or the one being appended), field by field by name.
void ItemMarks::CopyCurrent() {
    if (!m_marked.Editing())
        m_marked.Edit();
    for (int i = 0; i < m_marked.FieldCount(); ++i) {
        host::Field& field = m_marked.FieldAt(i);
        if (const host::Field* source = m_list.FindField(field.FieldName()))
            field.SetValue(source->Value());
    }
    m_marked.Post();
}

} // namespace offset
