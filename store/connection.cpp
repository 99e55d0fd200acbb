#include "store/connection.h"

#include "data/dbopen.h"
#include "store/sql.h"

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

// Removes this thread's connections when the thread ends, their kept statements first.
struct ThreadConnections {
    std::map<QString, QString> byUrl;                           // URL key -> connection name
    std::map<QString, std::map<QString, QSqlQuery>> statements; // connection name -> SQL -> it
    void Forget(const QString& name) {
        statements.erase(name);
        Remove(name);
    }
    ~ThreadConnections() {
        for (const auto& [url, name] : byUrl)
            Forget(name);
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
        // Every commit reaches the disk before the server answers: an acknowledged
        // compensation survives a power cut, and its number is never handed out again.
        ExecDirect(db, QStringLiteral("PRAGMA synchronous=FULL"));
    }
    return db;
}

QSqlDatabase ThreadConnection(const DbUrl& url) {
    ThreadConnections& connections = Mine();
    const QString key = UrlKey(url);
    if (const auto found = connections.byUrl.find(key); found != connections.byUrl.end()) {
        if (QSqlDatabase::database(found->second, false).isOpen())
            return QSqlDatabase::database(found->second, false);
        connections.Forget(found->second);
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
        connections.Forget(found->second);
        connections.byUrl.erase(found);
    }
}

Statement::Statement(const QSqlDatabase& db, const QString& sql) {
    ThreadConnections& connections = Mine();
    const QString name = db.connectionName();
    bool kept = false;
    for (const auto& [url, connection] : connections.byUrl)
        kept = kept || connection == name;
    if (!kept) {
        m_own = std::make_unique<QSqlQuery>(Prepare(db, sql));
        m_query = m_own.get();
        return;
    }
    std::map<QString, QSqlQuery>& statements = connections.statements[name];
    auto found = statements.find(sql);
    if (found == statements.end())
        found = statements.emplace(sql, Prepare(db, sql)).first;
    m_query = &found->second;
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
