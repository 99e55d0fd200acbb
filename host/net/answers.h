#pragma once

// What screens do with the server's answers.

#include "host/net/netanswer.h"

#include <QStringList>

namespace host {

class RecordSet;

// Loads a record-set answer into the record set (its structure and rows), after
// CheckResultServ: a refused answer is shown and aborts, leaving the record set as it was.
void LoadRecordSet(const NetAnswer& answer, RecordSet& into);

// A status answer: "OK" on success, otherwise the server's text or message key. A refused call
// gives the server's text.
QString StatusText(const NetAnswer& answer);

// A two-element status answer ["OK", value] or [status, text]; a refused call gives
// ["ERRO", text]. Throws ENetError for an answer of another shape.
QStringList StatusPair(const NetAnswer& answer);

} // namespace host
