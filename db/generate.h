#pragma once

#include <QDate>
#include <QSqlDatabase>

namespace db {

// Adds scale x (1,000 receivable bills, 10,000 payable bills, 1,000 credit postings and 1,000
// stored compensations) over the demo's companies, loading the demo first on an empty
// database. One transaction per thousand compensations. Throws store::DbError.
void Generate(const QSqlDatabase& db, int scale, const QDate& today);

} // namespace db
