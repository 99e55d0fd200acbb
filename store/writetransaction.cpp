#include "store/writetransaction.h"

#include "store/connection.h"

#include <QRandomGenerator>

#include <thread>

namespace store {

namespace {

bool Retryable(DbFault fault) {
    return fault == DbFault::Busy || fault == DbFault::Conflict;
}

// Two transactions that deadlocked would meet again if both retried at once.
void Pause(int attempt) {
    const int ms = QRandomGenerator::global()->bounded(1, 10) * attempt;
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

WriteTransaction::WriteTransaction(QSqlDatabase db, WritePolicy policy, RetryNotice notice)
    : m_db(std::move(db)), m_policy(policy), m_notice(std::move(notice)) {}

void WriteTransaction::Run(const std::function<void(const QSqlDatabase& db)>& work) {
    for (int attempt = 1;; ++attempt) {
        try {
            Attempt(work);
            return;
        } catch (const DbError& error) {
            if (!Retryable(error.Fault()) || attempt >= m_policy.attempts)
                throw;
            if (m_notice)
                m_notice(error, attempt + 1);
        }
        Pause(attempt);
    }
}

void WriteTransaction::Attempt(const std::function<void(const QSqlDatabase& db)>& work) {
    const qint64 waitMs = m_policy.lockWait.count();
    const bool sqlite = DialectOf(m_db) == Dialect::Sqlite;
    if (sqlite)
        ExecDirect(m_db, QStringLiteral("PRAGMA busy_timeout = %1").arg(waitMs));
    Transaction transaction(m_db); // rolls back unless committed
    if (!sqlite)
        ExecDirect(m_db, QStringLiteral("SET LOCAL lock_timeout = %1").arg(waitMs));
    work(m_db);
    transaction.Commit();
}

} // namespace store
