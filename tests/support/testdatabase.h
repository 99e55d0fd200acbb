#pragma once

#include "data/dburl.h"

#include <QSqlDatabase>
#include <QTemporaryDir>

#include <memory>
#include <optional>

namespace testdb {

// A fresh, empty company database for one test: a SQLite file in a temporary folder, or a new
// database on the throwaway PostgreSQL cluster that tools/test starts (REC18000_TEST_PG_URL).
class TestDatabase {
public:
    static std::unique_ptr<TestDatabase> Sqlite();
    // nullptr when no PostgreSQL server was started for the tests.
    static std::unique_ptr<TestDatabase> Postgres();
    ~TestDatabase();

    const store::DbUrl& Url() const { return m_url; }
    QSqlDatabase Db() const;

private:
    TestDatabase() = default;
    void Open();
    store::DbUrl m_url;
    std::optional<store::DbUrl> m_admin; // PostgreSQL: where the test database gets dropped
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_connection;
};

} // namespace testdb
