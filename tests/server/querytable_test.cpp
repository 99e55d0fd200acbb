// Rows of a query as record sets: the table read whole and the rows written one by one agree,
// and a step that fails part way is an error, not a shorter list.
#include "server/methods/querytable.h"

#include "data/jsonwriter.h"
#include "store/sql.h"

#include <QSqlDatabase>
#include <QUuid>

#include <gtest/gtest.h>

#include <array>

namespace {

using namespace rec18000;

constexpr std::array kColumns = {DateColumn("DT"), TextColumn("NM", 3), NumberColumn("VR"),
                                 DateTextColumn("DTTX", 10), MoneyTextColumn("VRTX", 12)};

class QueryTableTest : public testing::Test {
protected:
    void SetUp() override {
        m_name = QUuid::createUuid().toString();
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(m_db.open());
    }
    void TearDown() override {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlQuery Select(const char* sql) {
        QSqlQuery query = store::Prepare(m_db, QString::fromLatin1(sql));
        store::Exec(query);
        return query;
    }

    QString m_name;
    QSqlDatabase m_db;
};

const char* const kRows =
    "SELECT '2026-01-31', 'Maria', 1234.5, '2026-01-31', 1234.5 "
    "UNION ALL SELECT NULL, NULL, NULL, NULL, NULL "
    "UNION ALL SELECT '2026-01-31', 'Ana', -0.07, '2025-12-01', '-1000000.99'";

TEST_F(QueryTableTest, WrittenRowsMatchTheTableEncoded) {
    QSqlQuery whole = Select(kRows);
    host::JsonWriter expected;
    host::codec::Write(expected, ReadTable(whole, kColumns));

    QSqlQuery streamed = Select(kRows);
    host::JsonWriter written;
    WriteTable(written, streamed, kColumns);

    EXPECT_EQ(written.view(), expected.view());
    EXPECT_NE(written.view().find(R"("Mar",1234.5,"31/01/2026","1.234,50"])"),
              std::string_view::npos);
    EXPECT_NE(written.view().find(R"("-1.000.000,99"])"), std::string_view::npos);
}

TEST_F(QueryTableTest, StepFailingPartWayIsAnError) {
    // abs() of the smallest integer overflows when the second row is made.
    const char* sql = "SELECT abs(V), 'x', 1, NULL, NULL FROM "
                      "(SELECT 1 AS V UNION ALL SELECT -9223372036854775807 - 1)";
    QSqlQuery read = Select(sql);
    EXPECT_THROW(ReadTable(read, kColumns), store::DbError);
    QSqlQuery written = Select(sql);
    host::JsonWriter out;
    EXPECT_THROW(WriteTable(out, written, kColumns), store::DbError);
}

} // namespace
