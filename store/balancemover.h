#pragma once

#include "store/connection.h"
#include "store/money.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace store {

// A bill table's open balance column and the bill's key.
struct BalanceColumn {
    const char* table;
    const char* balance;
    const char* branch;
    const char* number;
};
inline constexpr BalanceColumn kReceivableBalance{"BOLETOREC", "VRSALDOBREC", "CDFILIBOLREC",
                                                  "NRLANBOLREC"};
inline constexpr BalanceColumn kPayableBalance{"BOLETOPAG", "VRSALDOBPAG", "CDFILIBPAG",
                                               "NRLANBOLPAG"};

// Moves bills' open balances by exact amounts inside the caller's write transaction: reads the
// balance as cents (locking the row on PostgreSQL), adds, and writes the sum back bound as
// decimal text. Adding in SQL would put SQLite's floating point into the column. The database
// refuses a balance below zero or above the original value (DbError, constraint), and so does
// this for a bill that does not exist. Statements are prepared once per mover.
class BalanceMover {
public:
    BalanceMover(const QSqlDatabase& db, const BalanceColumn& column);
    // Returns the new balance.
    Cents Move(const QString& branch, const QString& number, Cents delta);
    // Writes a balance worked out from one the caller read, locked, in this transaction.
    void Set(const QString& branch, const QString& number, Cents balance);

private:
    Statement m_read;
    Statement m_write;
};

} // namespace store
