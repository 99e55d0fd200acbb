#pragma once

#include "store/sql.h"

#include <QSqlDatabase>

#include <chrono>
#include <functional>

namespace store {

// How long a writer waits for another one, and how often it tries.
struct WritePolicy {
    int attempts = 4;
    // Per attempt: SQLite's busy timeout, PostgreSQL's lock_timeout.
    std::chrono::milliseconds lockWait{2500};
};

// The one way business data is written: each attempt is one transaction that takes the write
// lock up front (SQLite BEGIN IMMEDIATE; PostgreSQL rows locked FOR UPDATE in key order by the
// work itself) and commits only when the work returns. Any exception rolls the attempt back, so
// nothing is ever half-written. A busy database, a deadlock or a serialization failure runs the
// work again, up to the policy's attempts; the last failure is rethrown as it came (DbError).
// The work must therefore change nothing outside the database before it returns.
class WriteTransaction {
public:
    // Told before each new attempt, with the failure that caused it and the attempt to come.
    using RetryNotice = std::function<void(const DbError& cause, int nextAttempt)>;

    WriteTransaction(QSqlDatabase db, WritePolicy policy, RetryNotice notice = {});

    void Run(const std::function<void(const QSqlDatabase& db)>& work);

private:
    void Attempt(const std::function<void(const QSqlDatabase& db)>& work);

    QSqlDatabase m_db;
    WritePolicy m_policy;
    RetryNotice m_notice;
};

} // namespace store
