#pragma once

#include "data/dburl.h"

#include <QSqlDatabase>
#include <QString>

#include <stdexcept>

namespace store {

// The database could not be opened or prepared. what() names the URL without its password and
// the reason; Reason() is the driver's text alone, for messages worded by the caller.
class DbOpenError : public std::runtime_error {
public:
    DbOpenError(const std::string& what, QString reason)
        : std::runtime_error(what), m_reason(std::move(reason)) {}
    const QString& Reason() const { return m_reason; }

private:
    QString m_reason;
};

struct OpenOptions {
    int busyTimeoutMs = 10000; // SQLite: how long a statement waits for another writer
    bool readOnly = false;     // SQLite only
};

// Adds the named connection and opens it. On SQLite NVL(a, b) is registered, which the Oracle
// texts of the look-ups use (PostgreSQL has it from the schema). On failure the connection is
// removed again and DbOpenError thrown.
QSqlDatabase OpenDatabase(const DbUrl& url, const QString& connectionName,
                          const OpenOptions& options = {});

// Registers NVL(a, b) on an open SQLite connection; throws DbOpenError.
void RegisterNvl(const QSqlDatabase& db);

} // namespace store
