#include "shell/shareddatabase.h"

#include "host/sql/connection.h"
#include "server/store/dburl.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>

#include <stdexcept>

namespace {

QSqlDatabase AddConnection(const store::DbUrl& url) {
    if (url.dialect == store::Dialect::Sqlite) {
        // A missing file would be created empty by the driver; say what is wrong instead.
        if (!QFileInfo::exists(url.path))
            throw std::runtime_error("Banco de dados não encontrado: " + url.path.toStdString());
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), host::SharedConnectionName());
        db.setDatabaseName(url.path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
        return db;
    }
    QSqlDatabase db =
        QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), host::SharedConnectionName());
    db.setHostName(url.host);
    db.setPort(url.port);
    db.setUserName(url.user);
    db.setPassword(url.password);
    db.setDatabaseName(url.database);
    return db;
}

} // namespace

void OpenSharedDatabase(const QString& url) {
    const store::DbUrl parsed = store::DbUrl::Parse(url);
    QString failure;
    {
        QSqlDatabase db = AddConnection(parsed);
        if (db.open())
            host::PrepareConnection(db);
        else
            failure = db.lastError().text();
    }
    if (!failure.isEmpty()) {
        CloseSharedDatabase();
        throw std::runtime_error("Não foi possível abrir o banco de dados " +
                                 parsed.Display().toStdString() + ": " + failure.toStdString());
    }
}

void CloseSharedDatabase() {
    {
        QSqlDatabase db = QSqlDatabase::database(host::SharedConnectionName(), false);
        db.close();
    }
    QSqlDatabase::removeDatabase(host::SharedConnectionName());
}
