#pragma once

#include <QSqlDatabase>
#include <QString>

#include <stdexcept>

namespace host {

// A look-up could not run; the message carries the database's own text.
class SqlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Name of the database connection the shell opens and every look-up shares.
QString SharedConnectionName();

// Which of a look-up's SQL texts suits a connection.
enum class SqlDialect { Oracle, MsSql, InterBase };

// SQLite and PostgreSQL run the Oracle texts, Firebird the InterBase ones, ODBC the SQL Server
// ones; throws SqlError for any other driver.
SqlDialect DialectOf(const QSqlDatabase& db);

// Makes an open connection ready for the look-ups: on SQLite registers NVL(a, b), which the
// Oracle texts use. Other databases get their functions from the schema. Throws SqlError.
void PrepareConnection(const QSqlDatabase& db);

} // namespace host
