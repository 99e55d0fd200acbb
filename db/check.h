#pragma once

#include <QSqlDatabase>
#include <QStringList>

namespace db {

// The books' invariants, read from the whole database (see db/README.md, "Checking the
// books"). One line per fault found; empty when the books are sound. Throws store::DbError.
QStringList CheckBooks(const QSqlDatabase& db);

} // namespace db
