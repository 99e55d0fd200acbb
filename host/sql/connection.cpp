#include "host/sql/connection.h"

#include <QSqlDriver>
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
