#pragma once

#include <QString>
#include <QVariantList>

#include <functional>

namespace host {
class RecordSet;
}

namespace offset {

// The values of one field over every row, each rounded to the cent, summed in cents; 0 for a
// set not open.
qint64 SumCents(const host::RecordSet& rows, const QString& field);

// The marked set held as a table while a walk changes many of its rows (itemmarks.cpp).
class MarkedTable;

// The multiple choice of offset items. A listed row is marked when its flag is not "N" (the
// screen writes "S"); the marked set holds one copy per marked item, found by key, whether or
// not the item is still listed. Every operation keeps both in step, so the same item is never
// counted twice nor dropped while it shows ticked. Controls bound to the list do not repaint
// until a walk over it is done.
class ItemMarks {
public:
    // keyFields: "A;B" as Locate takes it; value: the field the total adds up.
    ItemMarks(host::RecordSet& list, host::RecordSet& marked, QString keyFields, QString value);

    bool CurrentMarked() const;
    // Marks or unmarks the current row; nothing for an empty list.
    void Toggle();
    // Marks every unmarked row the predicate accepts (it reads the current row), or unmarks
    // every row holding "S"; the list ends on its first row.
    void MarkAll(const std::function<bool()>& eligible);
    void UnmarkAll();
    // After new content of the list: ticks the rows already marked and refreshes their copies
    // from the new values; the list ends on its first row.
    void Restore();
    // Nothing marked any more: the marked set empty and no listed row ticked.
    void Forget();

    // The marked items' values, each rounded to the cent, summed in cents.
    qint64 TotalCents() const;

private:
    // Visits every listed row with repainting held; the walk ends on the first row.
    void EachListed(const std::function<void()>& visit);
    // The same, with the marked set's changes gathered and written once at the end.
    void EachMarking(const std::function<void(MarkedTable&)>& visit);
    QVariantList CurrentKey() const;
    void SetFlag(const QString& flag);
    void Mark();
    void Unmark();
    void CopyCurrent();

    host::RecordSet& m_list;
    host::RecordSet& m_marked;
    QString m_keyFields;
    QString m_value;
};

} // namespace offset
