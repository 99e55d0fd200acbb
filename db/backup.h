#pragma once

#include <QString>

namespace db {

// Copies the SQLite database at path into the new file copy while servers go on writing: SQLite's
// online backup in one read transaction, so the copy holds the books of one moment. The copy is
// written beside as copy.part, checked, then renamed. Throws std::runtime_error (Portuguese).
void BackupSqlite(const QString& path, const QString& copy);

// Puts the copy back as the database at path. Refused while any connection has that database
// open (a running server): an exclusive lock must be had at once, and is held while the pages
// are copied. Throws std::runtime_error (Portuguese).
void RestoreSqlite(const QString& copy, const QString& path);

} // namespace db
