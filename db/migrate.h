#pragma once

#include <QSqlDatabase>

namespace db {

// Applies every numbered migration not yet applied, each in its own transaction, and records
// it in SCHEMA_VERSAO. Files named NNNN_name.sql run on every dialect; NNNN_name.sqlite.sql
// and NNNN_name.postgresql.sql only on theirs. Returns how many were applied; throws
// store::DbError.
int Migrate(const QSqlDatabase& db);

// Highest applied migration number; 0 on an empty database.
int SchemaVersion(const QSqlDatabase& db);

// Highest migration number this build knows for the database's dialect: what Migrate reaches.
int LatestVersion(const QSqlDatabase& db);

} // namespace db
