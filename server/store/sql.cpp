#include "server/store/sql.h"

#include <QSqlError>

namespace store {

namespace {

QString Head(const QString& sql) {
    return sql.simplified().left(60);
}

bool IsConstraint(const QSqlError& error) {
    // SQLite: "constraint failed"; PostgreSQL: SQLSTATE class 23 (integrity violation).
    const QString code = error.nativeErrorCode();
    return code.startsWith(QLatin1String("23")) ||
           error.databaseText().contains(QLatin1String("constraint"), Qt::CaseInsensitive);
}

[[noreturn]] void Fail(const QString& sql, const QSqlError& error) {
    throw DbError(QStringLiteral("%1: %2").arg(Head(sql), error.text()).toStdString(),
                  IsConstraint(error));
}

} // namespace

QSqlQuery Prepare(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        Fail(sql, query.lastError());
    return query;
}

void Exec(QSqlQuery& query, std::initializer_list<Binding> bindings) {
    for (const auto& [name, value] : bindings) {
        const QString placeholder =
            name[0] == ':' ? QString::fromLatin1(name) : QLatin1Char(':') + QLatin1String(name);
        query.bindValue(placeholder, value);
    }
    if (!query.exec())
        Fail(query.lastQuery(), query.lastError());
}

QSqlQuery Run(const QSqlDatabase& db, const QString& sql, std::initializer_list<Binding> bindings) {
    QSqlQuery query = Prepare(db, sql);
    Exec(query, bindings);
    return query;
}

void CheckFetched(const QSqlQuery& query) {
    if (query.lastError().isValid())
        Fail(query.lastQuery(), query.lastError());
}

void ExecDirect(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    if (!query.exec(sql))
        Fail(sql, query.lastError());
}

QVariant TextOrNull(const QString& text) {
    return text.trimmed().isEmpty() ? QVariant() : QVariant(text);
}

} // namespace store
