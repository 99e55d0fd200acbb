#pragma once

#include "data/dburl.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <memory>

namespace store {

// Opens a new named connection, configured for our use: SQLite in WAL mode with a busy timeout,
// foreign keys enforced and NVL registered; PostgreSQL as given. Throws DbError.
QSqlDatabase OpenConnection(const DbUrl& url, const QString& connectionName);

// This thread's connection to the database (Qt SQL connections belong to one thread). Opened on
// first use, reopened when found closed, removed when the thread ends. Throws DbError.
QSqlDatabase ThreadConnection(const DbUrl& url);
// Forgets this thread's connection (after a fault that may have broken it); the next
// ThreadConnection opens a fresh one. No QSqlDatabase copy of it may be alive.
void DropThreadConnection(const DbUrl& url);

// A statement prepared once per thread connection and kept with it, for the statements every
// write runs: PostgreSQL prepares and frees a statement in round trips of their own, and SQLite's
// preparing counts when a thousand rows are written. For any other connection the statement is
// this object's own. Holders of the same SQL share one statement, so each uses it up (and
// finishes a SELECT) before the next one runs it. Throws DbError.
class Statement {
public:
    Statement(const QSqlDatabase& db, const QString& sql);
    QSqlQuery& operator*() { return *m_query; }
    QSqlQuery* operator->() { return m_query; }

private:
    std::unique_ptr<QSqlQuery> m_own;
    QSqlQuery* m_query;
};

// One transaction; rolled back unless committed. On SQLite the write lock is taken at the start
// (BEGIN IMMEDIATE), so a read-check-write sequence cannot be overtaken by another writer.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();

private:
    QSqlDatabase m_db;
    bool m_open = true;
};

Dialect DialectOf(const QSqlDatabase& db);

// A SELECT that locks the rows it reads on PostgreSQL (FOR UPDATE); SQLite's write transaction
// already holds the whole database. Rows are locked in the order read: give an ORDER BY by key
// where several are read, so that two writers never wait on each other crosswise.
QString Locked(const QSqlDatabase& db, const QString& select);

} // namespace store
