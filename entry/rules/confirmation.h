#pragma once

// What the confirmation prepares for the server, without widgets.

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace host {
class RecordSet;
}

namespace entry {

// Replaces into's content with one row holding, for each of its fields in order, the value of
// the same-named field of from's current row (nulls stay null): the orders differ.
void PackRow(const host::RecordSet& from, host::RecordSet& into);

// The payables that already carry the adjustment type, one per line ("\r\n" after each): due
// date in the locale's short format (with its time when not midnight), supplier, net value as
// money text. Empty for none.
QString AdjustedPayablesText(const host::RecordSet& payables, const QLocale& locale);

// The idempotency key of a confirmation. A request sent again after a call that got no answer
// keeps its key, so that a compensation the server did generate is not generated twice; any
// other confirmation gets a new key.
class ConfirmationKey {
public:
    QString For(const QByteArray& request);
    void Answered(); // an answer arrived: the next confirmation is a new one

private:
    QByteArray m_request;
    QString m_key;
};

} // namespace entry
