#include "server/store/connection.h"

#include "server/store/sql.h"

#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

#include <atomic>
#include <map>

namespace store {

namespace {

constexpr int kBusyTimeoutMs = 10000;

void SqliteNvl(sqlite3_context* context, int argc, sqlite3_value** argv) {
    Q_UNUSED(argc);
    sqlite3_result_value(context, sqlite3_value_type(argv[0]) == SQLITE_NULL ? argv[1] : argv[0]);
}

void RegisterNvl(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    sqlite3* raw = handle.isValid() ? *static_cast<sqlite3* const*>(handle.data()) : nullptr;
    if (raw == nullptr ||
        sqlite3_create_function_v2(raw, "NVL", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   &SqliteNvl, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw DbError("cannot register NVL on the SQLite connection", false);
}

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
    const bool sqlite = url.dialect == Dialect::Sqlite;
    QSqlDatabase db = QSqlDatabase::addDatabase(
        sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), connectionName);
    if (sqlite) {
        db.setDatabaseName(url.path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    } else {
        db.setHostName(url.host);
        db.setPort(url.port);
        db.setUserName(url.user);
        db.setPassword(url.password);
        db.setDatabaseName(url.database);
    }
    if (!db.open())
        throw DbError(QStringLiteral("cannot open %1: %2")
                          .arg(url.Display(), db.lastError().text())
                          .toStdString(),
                      false);
    if (sqlite) {
        ExecDirect(db, QStringLiteral("PRAGMA journal_mode=WAL"));
        ExecDirect(db, QStringLiteral("PRAGMA foreign_keys=ON"));
        ExecDirect(db, QStringLiteral("PRAGMA synchronous=NORMAL"));
        RegisterNvl(db);
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
