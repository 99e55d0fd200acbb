#include "tests/register/realscreen.h"

#include "host/net/serversession.h"
#include "host/sql/connection.h"

#include <QSqlDatabase>

namespace register_testing {

namespace {
const QString kLoopback = QStringLiteral("127.0.0.1");
}

RealServerScreen::RealServerScreen() {
    session.operador = "ADMIN";
    session.dataProc.insert("0001", QDate::currentDate());
    session.companies = {"01", "02", "03"};
    session.webUrl = kLoopback;
    session.webPort = server.Port();
    session.token = host::OpenServerSession(kLoopback, server.Port(), "ADMIN", "admin123");
    QSqlDatabase db =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), host::SharedConnectionName());
    db.setDatabaseName(DatabaseFile());
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    EXPECT_TRUE(db.open());
}

RealServerScreen::~RealServerScreen() {
    CloseScreen();
    QSqlDatabase::database(host::SharedConnectionName(), false).close();
    QSqlDatabase::removeDatabase(host::SharedConnectionName());
}

QString RealServerScreen::DatabaseFile() const {
    return server.DatabaseUrl().mid(QStringLiteral("sqlite:").size());
}

} // namespace register_testing
