#include "store/balancemover.h"

#include "store/connection.h"
#include "store/sql.h"

namespace store {

namespace {

QString Where(const BalanceColumn& c) {
    return QStringLiteral(" WHERE %1 = :FILIAL AND %2 = :NUMERO")
        .arg(QLatin1String(c.branch), QLatin1String(c.number));
}

} // namespace

BalanceMover::BalanceMover(const QSqlDatabase& db, const BalanceColumn& c)
    : m_read(db, Locked(db, QStringLiteral("SELECT %1 FROM %2")
                                    .arg(QLatin1String(c.balance), QLatin1String(c.table)) +
                                Where(c))),
      m_write(db, QStringLiteral("UPDATE %1 SET %2 = :SALDO")
                          .arg(QLatin1String(c.table), QLatin1String(c.balance)) +
                      Where(c)) {}

Cents BalanceMover::Move(const QString& branch, const QString& number, Cents delta) {
    Exec(*m_read, {{"FILIAL", branch}, {"NUMERO", number}});
    if (!NextRow(*m_read)) {
        m_read->finish();
        throw DbError("bill not found: " + branch.toStdString() + "/" + number.toStdString(),
                      DbFault::Constraint);
    }
    const Cents balance = CentsFrom(m_read->value(0)) + delta;
    m_read->finish();
    Set(branch, number, balance);
    return balance;
}

void BalanceMover::Set(const QString& branch, const QString& number, Cents balance) {
    Exec(*m_write, {{"SALDO", CentsText(balance)}, {"FILIAL", branch}, {"NUMERO", number}});
}

} // namespace store
