#include "offset/itemmarks.h"

#include "data/controlsheld.h"
#include "data/recordset.h"

#include <cmath>

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
    EachListed([&] {
        if (m_list.FieldByName(kFlag).AsString() == kUnmarked && eligible())
            Mark();
    });
}

void ItemMarks::UnmarkAll() {
    EachListed([this] {
        if (m_list.FieldByName(kFlag).AsString() == kMarked)
            Unmark();
    });
}

void ItemMarks::Restore() {
    if (!HasRows(m_marked))
        return;
    EachListed([this] {
        if (m_marked.Locate(m_keyFields, CurrentKey())) {
            SetFlag(kMarked);
            CopyCurrent();
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
