#include "host/sql/connection.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

#include <sqlite3.h>

namespace host {

namespace {

// Oracle's NVL: the first argument unless it is null.
void SqliteNvl(sqlite3_context* context, int /*argc*/, sqlite3_value** argv) {
    sqlite3_result_value(context, sqlite3_value_type(argv[0]) == SQLITE_NULL ? argv[1] : argv[0]);
}

} // namespace

QString SharedConnectionName() {
    return QStringLiteral("suitehost");
}

void OpenSharedConnection(const QString& connectionString) {
    CloseSharedConnection();
    const QString name = SharedConnectionName();
    QSqlDatabase db;
    if (connectionString.startsWith(QLatin1String("sqlite:"))) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(connectionString.mid(7));
        // Look-ups only read; the application server is the one writer.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
    } else if (connectionString.startsWith(QLatin1String("postgresql://"))) {
        const QUrl url(connectionString, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty() || url.path().size() < 2)
            throw SqlError("malformed PostgreSQL connection string");
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(url.host());
        db.setPort(url.port(5432));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(url.path().mid(1));
    } else {
        throw SqlError("unknown connection string; expected sqlite:PATH or postgresql://...");
    }
    if (!db.open()) {
        const std::string text = db.lastError().text().toStdString();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw SqlError("cannot open the database: " + text);
    }
    if (db.driverName() == QLatin1String("QPSQL")) {
        QSqlQuery readOnly(db);
        if (!readOnly.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY")))
            throw SqlError("cannot make the connection read-only: " +
                           readOnly.lastError().text().toStdString());
    }
    PrepareConnection(db);
}

void CloseSharedConnection() {
    const QString name = SharedConnectionName();
    if (!QSqlDatabase::contains(name))
        return;
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

SqlDialect DialectOf(const QSqlDatabase& db) {
    const QString driver = db.driverName();
    if (driver == QLatin1String("QSQLITE") || driver == QLatin1String("QPSQL"))
        return SqlDialect::Oracle;
    if (driver == QLatin1String("QIBASE"))
        return SqlDialect::InterBase;
    if (driver == QLatin1String("QODBC"))
        return SqlDialect::MsSql;
    throw SqlError("no look-up dialect for the database driver " + driver.toStdString());
}

void PrepareConnection(const QSqlDatabase& db) {
    if (db.driverName() != QLatin1String("QSQLITE"))
        return;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw SqlError("the SQLite connection has no native handle");
    sqlite3* native = *static_cast<sqlite3* const*>(handle.constData());
    if (native == nullptr)
        throw SqlError("the SQLite connection is not open");
    const int rc = sqlite3_create_function_v2(native, "NVL", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                              nullptr, &SqliteNvl, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw SqlError(std::string("cannot register NVL: ") + sqlite3_errstr(rc));
}

} // namespace host
