#include "tests/support/testdatabase.h"

#include "store/connection.h"
#include "store/sql.h"

#include <QUuid>

namespace testdb {

namespace {

QString UniqueName(const char* prefix) {
    return QLatin1String(prefix) + QUuid::createUuid().toString(QUuid::Id128).left(12);
}

} // namespace

std::unique_ptr<TestDatabase> TestDatabase::Sqlite() {
    std::unique_ptr<TestDatabase> test(new TestDatabase);
    test->m_dir = std::make_unique<QTemporaryDir>();
    test->m_url = store::DbUrl::Parse(QStringLiteral("sqlite:") +
                                      test->m_dir->filePath(QStringLiteral("company.db")));
    test->Open();
    return test;
}

std::unique_ptr<TestDatabase> TestDatabase::Postgres() {
    const QByteArray admin = qgetenv("REC18000_TEST_PG_URL");
    if (admin.isEmpty())
        return nullptr;
    std::unique_ptr<TestDatabase> test(new TestDatabase);
    test->m_admin = store::DbUrl::Parse(QString::fromUtf8(admin));
    const QString name = UniqueName("rec_test_");
    {
        const QSqlDatabase db = store::OpenConnection(*test->m_admin, name + "_create");
        store::ExecDirect(db, QStringLiteral("CREATE DATABASE ") + name);
    }
    QSqlDatabase::removeDatabase(name + "_create");
    test->m_url = *test->m_admin;
    test->m_url.database = name;
    test->Open();
    return test;
}

TestDatabase::~TestDatabase() {
    if (!m_connection.isEmpty()) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
    if (m_admin) {
        const QString drop = m_url.database + "_drop";
        try {
            const QSqlDatabase db = store::OpenConnection(*m_admin, drop);
            store::ExecDirect(db, QStringLiteral("DROP DATABASE IF EXISTS ") + m_url.database);
        } catch (const store::DbError&) {
            // the cluster is thrown away with its folder anyway
        }
        QSqlDatabase::removeDatabase(drop);
    }
}

void TestDatabase::Open() {
    m_connection = UniqueName("test_");
    store::OpenConnection(m_url, m_connection);
}

QSqlDatabase TestDatabase::Db() const {
    return QSqlDatabase::database(m_connection, false);
}

} // namespace testdb
