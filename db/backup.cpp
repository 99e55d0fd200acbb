#include "db/backup.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <stdexcept>

namespace db {

namespace {

[[noreturn]] void Fail(const QString& text) {
    throw std::runtime_error(text.toStdString());
}

class Connection {
public:
    Connection(const QString& path, int flags) : m_path(path) {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr) !=
            SQLITE_OK)
            Fail(QStringLiteral("não foi possível abrir %1: %2").arg(path, Error()));
    }
    ~Connection() { sqlite3_close_v2(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* Handle() const { return m_db; }
    QString Error() const {
        return m_db == nullptr ? QStringLiteral("sem memória")
                               : QString::fromUtf8(sqlite3_errmsg(m_db));
    }
    int Exec(const char* sql) const { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }
    void Run(const char* sql) const {
        if (Exec(sql) != SQLITE_OK)
            Fail(QStringLiteral("%1: %2").arg(m_path, Error()));
    }
    // The first column of the statement's first row.
    QString Value(const char* sql) const {
        sqlite3_stmt* statement = nullptr;
        QString value;
        const bool ok = sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) == SQLITE_OK &&
                        sqlite3_step(statement) == SQLITE_ROW;
        if (ok)
            value =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        if (!ok)
            Fail(QStringLiteral("%1: %2").arg(m_path, Error()));
        return value;
    }

private:
    QString m_path;
    sqlite3* m_db = nullptr;
};

// Every page in one step: one read transaction on the source, during which WAL writers go on.
void CopyPages(const Connection& from, const Connection& to) {
    sqlite3_backup* backup = sqlite3_backup_init(to.Handle(), "main", from.Handle(), "main");
    if (backup == nullptr)
        Fail(QStringLiteral("cópia não iniciada: %1").arg(to.Error()));
    int step = SQLITE_OK;
    for (int tries = 0; tries < 200; ++tries) {
        step = sqlite3_backup_step(backup, -1);
        if (step != SQLITE_BUSY && step != SQLITE_LOCKED)
            break;
        sqlite3_sleep(50);
    }
    const int finish = sqlite3_backup_finish(backup);
    if (step != SQLITE_DONE || finish != SQLITE_OK)
        Fail(QStringLiteral("cópia interrompida: %1").arg(QString::fromUtf8(sqlite3_errstr(step))));
}

void RequireSound(const Connection& db, const QString& path) {
    const QString check = db.Value("PRAGMA quick_check");
    if (check != QLatin1String("ok"))
        Fail(QStringLiteral("%1 está danificado: %2").arg(path, check));
    if (db.Value("SELECT COUNT(*) FROM sqlite_master WHERE name = 'SCHEMA_VERSAO'") !=
        QLatin1String("1"))
        Fail(QStringLiteral("%1 não é um banco do REC18000 (sem SCHEMA_VERSAO)").arg(path));
}

} // namespace

void BackupSqlite(const QString& path, const QString& copy) {
    if (!QFileInfo::exists(path))
        Fail(QStringLiteral("banco não encontrado: %1").arg(path));
    if (QFileInfo::exists(copy))
        Fail(QStringLiteral("a cópia %1 já existe: escolha outro arquivo").arg(copy));
    const QString part = copy + QStringLiteral(".part");
    QFile::remove(part);
    {
        const Connection from(path, SQLITE_OPEN_READWRITE);
        sqlite3_busy_timeout(from.Handle(), 10000);
        const Connection to(part, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        try {
            CopyPages(from, to);
            RequireSound(to, part);
        } catch (...) {
            QFile::remove(part);
            throw;
        }
    }
    if (!QFile::rename(part, copy))
        Fail(QStringLiteral("não foi possível renomear %1 para %2").arg(part, copy));
}

void RestoreSqlite(const QString& copy, const QString& path) {
    const Connection from(copy, SQLITE_OPEN_READONLY);
    RequireSound(from, copy);
    const Connection to(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    // In exclusive locking mode the lock taken is kept until the connection closes; another
    // connection (even an idle one, in WAL mode) holds a shared lock that makes it fail at once.
    to.Run("PRAGMA locking_mode = EXCLUSIVE");
    if (to.Exec("BEGIN EXCLUSIVE") != SQLITE_OK)
        Fail(QStringLiteral("o banco %1 está em uso (%2): pare o rec18000-server e todo programa "
                            "que o tenha aberto antes de restaurar")
                 .arg(path, to.Error()));
    to.Run("COMMIT");
    CopyPages(from, to);
}

} // namespace db
