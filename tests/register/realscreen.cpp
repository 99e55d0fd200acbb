#include "tests/register/realscreen.h"

#include "host/net/serversession.h"
#include "host/sql/connection.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace register_testing {

namespace {
const QString kLoopback = QStringLiteral("127.0.0.1");
const QString kWriter = QStringLiteral("real_screen_writer");
} // namespace

RealServerScreen::RealServerScreen() {
    session.operador = "ADMIN";
    session.dataProc.insert("0001", QDate::currentDate());
    session.companies = {"01", "02", "03"};
    session.webUrl = kLoopback;
    session.webPort = server->Port();
    session.token = host::OpenServerSession(kLoopback, server->Port(), "ADMIN", "admin123");
    QSqlDatabase db =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), host::SharedConnectionName());
    db.setDatabaseName(DatabaseFile());
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    EXPECT_TRUE(db.open());
}

RealServerScreen::~RealServerScreen() {
    CloseScreen();
    QSqlDatabase::database(kWriter, false).close();
    QSqlDatabase::removeDatabase(kWriter);
    QSqlDatabase::database(host::SharedConnectionName(), false).close();
    QSqlDatabase::removeDatabase(host::SharedConnectionName());
}

QString RealServerScreen::DatabaseFile() const {
    return server->Url().path;
}

QSqlDatabase RealServerScreen::Writer() {
    QSqlDatabase db = QSqlDatabase::database(kWriter, false);
    if (!db.isValid()) {
        server->LeaveBooksUnchecked();
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kWriter);
        db.setDatabaseName(DatabaseFile());
        EXPECT_TRUE(db.open());
    }
    return db;
}

int RealServerScreen::Write(const QString& sql, const QVariantList& values) {
    QSqlQuery query(Writer());
    query.prepare(sql);
    for (const QVariant& value : values)
        query.addBindValue(value);
    EXPECT_TRUE(query.exec()) << sql.toStdString();
    return query.numRowsAffected();
}

} // namespace register_testing
