#include "offset/itemmarks.h"

#include "data/controlsheld.h"
#include "data/recordset.h"

#include <QHash>

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

// The marked set held as a table while a walk over the list changes many of its rows, and written
// back in one step: a walk over a long list stays linear, with no row-by-row removal.
class MarkedTable {
public:
    MarkedTable(const host::RecordSet& list, host::RecordSet& marked, const QString& keyFields)
        : m_marked(marked) {
        if (!m_marked.Active())
            m_marked.CreateDataSet();
        m_table = m_marked.Table();
        for (const QString& field : keyFields.split(QLatin1Char(';'))) {
            m_listKey.push_back(&list.FieldByName(field));
            m_markedKey.push_back(m_marked.FieldByName(field).Index());
        }
        for (int i = 0; i < m_marked.FieldCount(); ++i) {
            const host::Field* source = list.FindField(m_marked.FieldAt(i).FieldName());
            m_source.push_back(source ? source->Index() : -1);
        }
        for (size_t row = 0; row < m_table.rows.size(); ++row) {
            QString key;
            for (const int column : m_markedKey)
                AddPart(key, m_table.rows[row][size_t(column)]);
            m_rows.insert(key, row);
        }
        m_kept.assign(m_table.rows.size(), true);
    }

    // The listed current row's key, strings compared case-insensitively as Locate does.
    QString ListedKey(int row) const {
        QString key;
        for (const host::Field* field : m_listKey)
            AddPart(key, field->ValueAt(row));
        return key;
    }
    bool Contains(const QString& key) const { return m_rows.contains(key); }

    // A copy of the listed row, refreshing the one of the same key.
    void Put(const QString& key, const host::RecordSet& list, int row) {
        std::vector<QVariant> copy(m_source.size());
        for (size_t i = 0; i < m_source.size(); ++i)
            if (m_source[i] >= 0)
                copy[i] = list.FieldAt(m_source[i]).ValueAt(row);
        const auto found = m_rows.constFind(key);
        if (found != m_rows.constEnd()) {
            m_table.rows[*found] = std::move(copy);
            m_kept[*found] = true;
            return;
        }
        m_rows.insert(key, m_table.rows.size());
        m_table.rows.push_back(std::move(copy));
        m_kept.push_back(true);
    }
    void Remove(const QString& key) {
        const auto found = m_rows.constFind(key);
        if (found != m_rows.constEnd())
            m_kept[*found] = false;
    }

    void Write() {
        host::RecordSetTable kept{std::move(m_table.fields), {}};
        kept.rows.reserve(m_table.rows.size());
        for (size_t row = 0; row < m_table.rows.size(); ++row)
            if (m_kept[row])
                kept.rows.push_back(std::move(m_table.rows[row]));
        m_marked.SetTable(std::move(kept));
    }

private:
    static void AddPart(QString& key, const QVariant& value) {
        key += value.toString().toCaseFolded();
        key += QChar(0x1f);
    }

    host::RecordSet& m_marked;
    host::RecordSetTable m_table;
    std::vector<const host::Field*> m_listKey;
    std::vector<int> m_markedKey;
    std::vector<int> m_source; // list column of each marked field, -1 for none
    QHash<QString, size_t> m_rows;
    std::vector<bool> m_kept;
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

void ItemMarks::Toggle() {
    if (!HasRows(m_list))
        return;
    host::ControlsHeld quiet(m_list);
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
