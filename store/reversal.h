#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace store {

// Why a compensation could not be undone, in the order the checks run.
enum class ReversalOutcome {
    Reversed,
    NotFound,            // no such compensation (e.g. deleted by someone else meanwhile)
    BillSettled,         // nothing open on the bill, and this compensation's settlement realised
    BillSentToBank,      // the bill went out in a bank remittance file
    ReceivablesRealised, // the receivables settlement is no longer planned
    PayablesRealised,    // the payables settlement is no longer planned
};

struct Reversal {
    QString empresa;
    QString numero;
    QString operador; // recorded in the audit row
    QDateTime when;
};

// Undoes a compensation inside the caller's write transaction (WriteTransaction); on PostgreSQL
// the rows read are locked FOR UPDATE, so a second reversal of the same compensation waits and
// then finds nothing. Locks are taken as every writer takes them: the compensation, its
// receivable bill, its settlements, then the payables by key. Removes the
// compensation, its items (freeing the credits), adjustments and planned settlements, gives
// every adjusted bill back exactly what the adjustment took, and writes the audit row. On any
// outcome but Reversed nothing was written. Throws DbError.
ReversalOutcome ReverseCompensation(const QSqlDatabase& db, const Reversal& reversal);

} // namespace store
