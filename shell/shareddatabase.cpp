#include "shell/shareddatabase.h"

#include "host/sql/connection.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QUrl>

#include <stdexcept>

namespace {

const QString kSqlitePrefix = QStringLiteral("sqlite:");

QSqlDatabase AddSqlite(const QString& path) {
    // A missing file would be created empty by the driver; say what is wrong instead.
    if (!QFileInfo::exists(path))
        throw std::runtime_error("Banco de dados não encontrado: " + path.toStdString());
    QSqlDatabase db =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), host::SharedConnectionName());
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
    return db;
}

QSqlDatabase AddPostgres(const QUrl& url) {
    QSqlDatabase db =
        QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), host::SharedConnectionName());
    db.setHostName(url.host());
    db.setPort(url.port(5432));
    db.setUserName(url.userName());
    db.setPassword(url.password());
    db.setDatabaseName(url.path().mid(1));
    return db;
}

} // namespace

void OpenSharedDatabase(const QString& url) {
    const QUrl parsed(url);
    QSqlDatabase db;
    if (url.startsWith(kSqlitePrefix))
        db = AddSqlite(url.mid(kSqlitePrefix.size()));
    else if (parsed.scheme() == QLatin1String("postgresql") ||
             parsed.scheme() == QLatin1String("postgres"))
        db = AddPostgres(parsed);
    else
        throw std::runtime_error("URL de banco não suportada: " + url.toStdString());
    if (!db.open()) {
        const std::string text = db.lastError().text().toStdString();
        db = QSqlDatabase();
        CloseSharedDatabase();
        throw std::runtime_error("Não foi possível abrir o banco de dados: " + text);
    }
    host::PrepareConnection(db);
}

void CloseSharedDatabase() {
    {
        QSqlDatabase db = QSqlDatabase::database(host::SharedConnectionName(), false);
        db.close();
    }
    QSqlDatabase::removeDatabase(host::SharedConnectionName());
}
