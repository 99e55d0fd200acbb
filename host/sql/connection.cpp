#include "host/sql/connection.h"

#include "data/dbopen.h"

namespace host {

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
    try {
        store::RegisterNvl(db);
    } catch (const store::DbOpenError& error) {
        throw SqlError(error.what());
    }
}

} // namespace host
