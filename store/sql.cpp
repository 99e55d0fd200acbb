#include "store/sql.h"

#include <QSqlError>

namespace store {

namespace {

QString Head(const QString& sql) {
    return sql.simplified().left(60);
}

// SQLite primary result codes (the driver may report extended ones: the low byte is primary).
enum SqliteCode {
    kBusy = 5,
    kLocked = 6,
    kIoErr = 10,
    kCorrupt = 11,
    kCantOpen = 14,
    kConstraint = 19,
    kNotADb = 26
};

DbFault SqliteFault(int code) {
    switch (code & 0xff) {
    case kConstraint:
        return DbFault::Constraint;
    case kBusy:
    case kLocked:
        return DbFault::Busy;
    case kIoErr:
    case kCorrupt:
    case kCantOpen:
    case kNotADb:
        return DbFault::Connection;
    default:
        return DbFault::Other;
    }
}

DbFault PostgresFault(const QString& state) {
    // Every error the server reports carries a SQLSTATE; none means the link itself failed.
    if (state.isEmpty() || state.startsWith(QLatin1String("08")) ||
        state.startsWith(QLatin1String("57P")))
        return DbFault::Connection;
    if (state.startsWith(QLatin1String("23")))
        return DbFault::Constraint;
    if (state == QLatin1String("40001") || state == QLatin1String("40P01"))
        return DbFault::Conflict;
    if (state == QLatin1String("55P03")) // lock_timeout ran out
        return DbFault::Busy;
    return DbFault::Other;
}

[[noreturn]] void Fail(const QSqlError& error, const QString& sql) {
    throw DbError(QStringLiteral("%1: %2").arg(Head(sql), error.text()).toStdString(),
                  FaultOf(error));
}

} // namespace

DbFault FaultOf(const QSqlError& error) {
    // SQLite reports its numeric result code (and calls a failed step a connection error);
    // PostgreSQL a five-character SQLSTATE.
    const QString code = error.nativeErrorCode();
    bool numeric = false;
    const int sqlite = code.toInt(&numeric);
    if (numeric && code.size() != 5)
        return SqliteFault(sqlite);
    if (code.isEmpty() && error.type() == QSqlError::ConnectionError)
        return DbFault::Connection;
    return PostgresFault(code);
}

QSqlQuery Prepare(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        Fail(query.lastError(), sql);
    return query;
}

void Exec(QSqlQuery& query, std::initializer_list<Binding> bindings) {
    for (const auto& [name, value] : bindings) {
        const QString placeholder =
            name[0] == ':' ? QString::fromLatin1(name) : QLatin1Char(':') + QLatin1String(name);
        query.bindValue(placeholder, value);
    }
    if (!query.exec())
        Fail(query.lastError(), query.lastQuery());
}

QSqlQuery Run(const QSqlDatabase& db, const QString& sql, std::initializer_list<Binding> bindings) {
    QSqlQuery query = Prepare(db, sql);
    Exec(query, bindings);
    return query;
}

void CheckFetched(const QSqlQuery& query) {
    if (query.lastError().isValid())
        Fail(query.lastError(), query.lastQuery());
}

bool NextRow(QSqlQuery& query) {
    if (query.next())
        return true;
    CheckFetched(query);
    return false;
}

void ExecDirect(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    if (!query.exec(sql))
        Fail(query.lastError(), sql);
}

QVariant TextOrNull(const QString& text) {
    return text.trimmed().isEmpty() ? QVariant() : QVariant(text);
}

} // namespace store
