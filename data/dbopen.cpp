#include "data/dbopen.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>

#include <sqlite3.h>

namespace store {

namespace {

// Oracle's NVL: the first argument unless it is null.
void SqliteNvl(sqlite3_context* context, int /*argc*/, sqlite3_value** argv) {
    sqlite3_result_value(context, sqlite3_value_type(argv[0]) == SQLITE_NULL ? argv[1] : argv[0]);
}

[[noreturn]] void Fail(const QString& reason) {
    throw DbOpenError(reason.toStdString(), reason);
}

} // namespace

void RegisterNvl(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        Fail(QStringLiteral("the SQLite connection has no native handle"));
    sqlite3* native = *static_cast<sqlite3* const*>(handle.constData());
    if (native == nullptr)
        Fail(QStringLiteral("the SQLite connection is not open"));
    const int rc = sqlite3_create_function_v2(native, "NVL", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                              nullptr, &SqliteNvl, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        Fail(QStringLiteral("cannot register NVL: %1").arg(QString::fromUtf8(sqlite3_errstr(rc))));
}

QSqlDatabase OpenDatabase(const DbUrl& url, const QString& connectionName,
                          const OpenOptions& options) {
    const bool sqlite = url.dialect == Dialect::Sqlite;
    QString reason;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"), connectionName);
        if (sqlite) {
            db.setDatabaseName(url.path);
            QString connectOptions =
                QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(options.busyTimeoutMs);
            if (options.readOnly)
                connectOptions += QStringLiteral(";QSQLITE_OPEN_READONLY");
            db.setConnectOptions(connectOptions);
        } else {
            db.setHostName(url.host);
            db.setPort(url.port);
            db.setUserName(url.user);
            db.setPassword(url.password);
            db.setDatabaseName(url.database);
        }
        if (!db.open()) {
            reason = db.lastError().text();
        } else if (sqlite) {
            try {
                RegisterNvl(db);
            } catch (const DbOpenError& error) {
                reason = error.Reason();
            }
        }
        if (reason.isEmpty())
            return db;
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    throw DbOpenError(QStringLiteral("cannot open %1: %2").arg(url.Display(), reason).toStdString(),
                      reason);
}

} // namespace store
