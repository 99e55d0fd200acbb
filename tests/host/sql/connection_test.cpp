#include "host/sql/connection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(SharedConnection, OpensSqliteReadOnlyWithNvl) {
    QTemporaryDir dir;
    const QString path = dir.filePath("empresa.db");
    {
        QSqlDatabase setup = QSqlDatabase::addDatabase("QSQLITE", "setup");
        setup.setDatabaseName(path);
        ASSERT_TRUE(setup.open());
        QSqlQuery create(setup);
        ASSERT_TRUE(create.exec("CREATE TABLE EMPRESA (CDEMPRESA VARCHAR(2))"));
        ASSERT_TRUE(create.exec("INSERT INTO EMPRESA VALUES ('01')"));
        setup.close();
    }
    QSqlDatabase::removeDatabase("setup");

    host::OpenSharedConnection("sqlite:" + path);
    {
        QSqlQuery query(QSqlDatabase::database(host::SharedConnectionName()));
        ASSERT_TRUE(query.exec("SELECT NVL(NULL, 'x'), NVL('a', 'x'), NVL(NULL, NULL)"));
        ASSERT_TRUE(query.next());
        EXPECT_EQ(query.value(0).toString(), "x");
        EXPECT_EQ(query.value(1).toString(), "a");
        EXPECT_TRUE(query.value(2).isNull());
        EXPECT_FALSE(query.exec("INSERT INTO EMPRESA VALUES ('02')")) << "look-ups must not write";
    }
    host::CloseSharedConnection();
    EXPECT_FALSE(QSqlDatabase::contains(host::SharedConnectionName()));
}

class BadConnectionString : public ::testing::TestWithParam<const char*> {};

TEST_P(BadConnectionString, IsRefusedWithAnError) {
    EXPECT_THROW(host::OpenSharedConnection(QString::fromUtf8(GetParam())), host::SqlError);
    EXPECT_FALSE(QSqlDatabase::contains(host::SharedConnectionName()));
}

INSTANTIATE_TEST_SUITE_P(Cases, BadConnectionString,
                         ::testing::Values("mysql://u@h/db", "postgresql://", "postgresql://h",
                                           "sqlite:/nonexistent/dir/none.db", ""));

} // namespace
