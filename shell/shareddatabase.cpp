#include "shell/shareddatabase.h"

#include "data/dbopen.h"
#include "host/sql/connection.h"

#include <QFileInfo>
#include <QSqlDatabase>

#include <stdexcept>

void OpenSharedDatabase(const QString& url) {
    const store::DbUrl parsed = store::DbUrl::Parse(url);
    // A missing file would be created empty by the driver; say what is wrong instead.
    if (parsed.dialect == store::Dialect::Sqlite && !QFileInfo::exists(parsed.path))
        throw std::runtime_error("Banco de dados não encontrado: " + parsed.path.toStdString());
    try {
        store::OpenDatabase(parsed, host::SharedConnectionName(),
                            {.busyTimeoutMs = 5000, .readOnly = true});
    } catch (const store::DbOpenError& error) {
        throw std::runtime_error("Não foi possível abrir o banco de dados " +
                                 parsed.Display().toStdString() + ": " +
                                 error.Reason().toStdString());
    }
}

void CloseSharedDatabase() {
    {
        QSqlDatabase db = QSqlDatabase::database(host::SharedConnectionName(), false);
        db.close();
    }
    QSqlDatabase::removeDatabase(host::SharedConnectionName());
}
