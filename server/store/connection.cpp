#include "server/store/connection.h"

#include "data/dbopen.h"
#include "server/store/sql.h"

#include <atomic>
#include <map>

namespace store {

namespace {

constexpr int kBusyTimeoutMs = 10000;

void Remove(const QString& name) {
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// Removes this thread's connections when the thread ends.
struct ThreadConnections {
    std::map<QString, QString> byUrl; // URL key -> connection name
    ~ThreadConnections() {
        for (const auto& [url, name] : byUrl)
            Remove(name);
    }
};

ThreadConnections& Mine() {
    thread_local ThreadConnections connections;
    return connections;
}

QString UrlKey(const DbUrl& url) {
    return url.dialect == Dialect::Sqlite ? url.path
                                          : QStringLiteral("%1|%2|%3|%4")
                                                .arg(url.host)
                                                .arg(url.port)
                                                .arg(url.user, url.database);
}

} // namespace

QSqlDatabase OpenConnection(const DbUrl& url, const QString& connectionName) {
    QSqlDatabase db;
    try {
        db = OpenDatabase(url, connectionName, {.busyTimeoutMs = kBusyTimeoutMs});
    } catch (const DbOpenError& error) {
        throw DbError(error.what(), DbFault::Connection);
    }
    if (url.dialect == Dialect::Sqlite) {
        ExecDirect(db, QStringLiteral("PRAGMA journal_mode=WAL"));
        ExecDirect(db, QStringLiteral("PRAGMA foreign_keys=ON"));
        ExecDirect(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
    }
    return db;
}

QSqlDatabase ThreadConnection(const DbUrl& url) {
    ThreadConnections& connections = Mine();
    const QString key = UrlKey(url);
    if (const auto found = connections.byUrl.find(key); found != connections.byUrl.end()) {
        if (QSqlDatabase::database(found->second, false).isOpen())
            return QSqlDatabase::database(found->second, false);
        Remove(found->second);
        connections.byUrl.erase(found);
    }
    static std::atomic<quint64> serial{0};
    const QString name = QStringLiteral("rec18000-thread-%1").arg(++serial);
    QSqlDatabase db = OpenConnection(url, name);
    connections.byUrl.emplace(key, name);
    return db;
}

void DropThreadConnection(const DbUrl& url) {
    ThreadConnections& connections = Mine();
    if (const auto found = connections.byUrl.find(UrlKey(url)); found != connections.byUrl.end()) {
        Remove(found->second);
        connections.byUrl.erase(found);
    }
}

Dialect DialectOf(const QSqlDatabase& db) {
    return db.driverName() == QLatin1String("QSQLITE") ? Dialect::Sqlite : Dialect::Postgres;
}

QString Locked(const QSqlDatabase& db, const QString& select) {
    return DialectOf(db) == Dialect::Postgres ? select + QStringLiteral(" FOR UPDATE") : select;
}

Transaction::Transaction(const QSqlDatabase& db) : m_db(db) {
    ExecDirect(m_db, DialectOf(m_db) == Dialect::Sqlite ? QStringLiteral("BEGIN IMMEDIATE")
                                                        : QStringLiteral("BEGIN"));
}

Transaction::~Transaction() {
    if (m_open) {
        QSqlQuery rollback(m_db);
        rollback.exec(QStringLiteral("ROLLBACK")); // nothing more to do if this fails too
    }
}

void Transaction::Commit() {
    ExecDirect(m_db, QStringLiteral("COMMIT"));
    m_open = false;
}

} // namespace store
