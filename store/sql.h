#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <stdexcept>
#include <utility>

namespace store {

// Why the database refused a statement, as far as the caller must act on it.
enum class DbFault {
    Constraint, // a key, foreign key or CHECK constraint refused the change
    Busy,       // another writer held the lock longer than we wait
    Conflict,   // deadlock or serialization failure: running the transaction again may succeed
    Connection, // the link to the database is broken: reopen before the next use
    Other,
};

// A statement the database refused; the text names the statement's first words and the
// driver's reason, never the bound values. It goes to the server log, never to the client.
class DbError : public std::runtime_error {
public:
    DbError(const std::string& what, DbFault fault) : std::runtime_error(what), m_fault(fault) {}
    DbFault Fault() const { return m_fault; }
    bool ConstraintViolation() const { return m_fault == DbFault::Constraint; }

private:
    DbFault m_fault;
};

// What a driver error means for the caller (SQLite result codes, PostgreSQL SQLSTATEs).
DbFault FaultOf(const QSqlError& error);

using Binding = std::pair<const char*, QVariant>;

// Prepares with named placeholders; throws DbError.
QSqlQuery Prepare(const QSqlDatabase& db, const QString& sql);
// Binds (":NAME" without the colon is accepted) and executes; throws DbError.
void Exec(QSqlQuery& query, std::initializer_list<Binding> bindings = {});
// Prepares, binds and executes in one step.
QSqlQuery Run(const QSqlDatabase& db, const QString& sql,
              std::initializer_list<Binding> bindings = {});
// After the rows are read: a step that failed ends next() as the last row does, so a list cut
// short would pass as whole; throws DbError then.
void CheckFetched(const QSqlQuery& query);
// The next row of a read: false only when there is none. A step that failed throws DbError
// instead, so that a lost read never passes for a missing row (and a refusal).
bool NextRow(QSqlQuery& query);
// Statement without parameters (DDL, pragmas).
void ExecDirect(const QSqlDatabase& db, const QString& sql);

// Null for an empty text: codes left blank are stored as NULL.
QVariant TextOrNull(const QString& text);

} // namespace store
