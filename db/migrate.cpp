#include "db/migrate.h"

#include "store/connection.h"
#include "store/sql.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <map>

namespace db {

namespace {

using store::Dialect;

struct Migration {
    QString name;
    QString path;
};

// Number -> file, keeping only the files meant for this dialect.
std::map<int, Migration> Available(Dialect dialect) {
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})_[a-z0-9_]+(\\.(sqlite|postgresql))?\\.sql$"));
    const QString mine =
        dialect == Dialect::Sqlite ? QStringLiteral("sqlite") : QStringLiteral("postgresql");
    std::map<int, Migration> found;
    const QDir dir(QStringLiteral(":/db/migrations"));
    for (const QString& file : dir.entryList(QDir::Files, QDir::Name)) {
        const auto match = pattern.match(file);
        if (!match.hasMatch())
            continue;
        if (!match.captured(3).isEmpty() && match.captured(3) != mine)
            continue;
        found[match.captured(1).toInt()] = {file, dir.filePath(file)};
    }
    return found;
}

// Statements end with ";" at the end of a line; "--" lines are comments.
QStringList Statements(const QString& script) {
    QStringList statements;
    QString current;
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("--")) || trimmed.isEmpty())
            continue;
        current += line + QLatin1Char('\n');
        if (trimmed.endsWith(QLatin1Char(';'))) {
            current.chop(current.size() - current.lastIndexOf(QLatin1Char(';')));
            statements << current.trimmed();
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

QString ReadResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw store::DbError("cannot read migration " + path.toStdString(), store::DbFault::Other);
    return QString::fromUtf8(file.readAll());
}

bool HasVersionTable(const QSqlDatabase& db) {
    const QString sql = store::DialectOf(db) == Dialect::Sqlite
                            ? QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' "
                                             "AND name = 'SCHEMA_VERSAO'")
                            : QStringLiteral("SELECT 1 FROM information_schema.tables WHERE "
                                             "table_schema = current_schema() AND table_name = "
                                             "'schema_versao'");
    return store::Run(db, sql).next();
}

void EnsureVersionTable(const QSqlDatabase& db) {
    if (!HasVersionTable(db))
        store::ExecDirect(db, QStringLiteral("CREATE TABLE SCHEMA_VERSAO ("
                                             "NRVERSAO INTEGER NOT NULL PRIMARY KEY, "
                                             "NMARQUIVO VARCHAR(100) NOT NULL, "
                                             "DTHRAPLICADA TIMESTAMP NOT NULL)"));
}

} // namespace

int SchemaVersion(const QSqlDatabase& db) {
    if (!HasVersionTable(db))
        return 0;
    QSqlQuery query = store::Run(db, QStringLiteral("SELECT MAX(NRVERSAO) FROM SCHEMA_VERSAO"));
    return store::NextRow(query) ? query.value(0).toInt() : 0;
}

int LatestVersion(const QSqlDatabase& db) {
    const std::map<int, Migration> available = Available(store::DialectOf(db));
    return available.empty() ? 0 : available.rbegin()->first;
}

int Migrate(const QSqlDatabase& db) {
    EnsureVersionTable(db);
    const int current = SchemaVersion(db);
    int applied = 0;
    for (const auto& [number, migration] : Available(store::DialectOf(db))) {
        if (number <= current)
            continue;
        store::Transaction transaction(db);
        for (const QString& statement : Statements(ReadResource(migration.path)))
            store::ExecDirect(db, statement);
        store::Run(db,
                   QStringLiteral("INSERT INTO SCHEMA_VERSAO (NRVERSAO, NMARQUIVO, DTHRAPLICADA) "
                                  "VALUES (:NRVERSAO, :NMARQUIVO, :DTHRAPLICADA)"),
                   {{"NRVERSAO", number},
                    {"NMARQUIVO", migration.name},
                    {"DTHRAPLICADA", QDateTime::currentDateTimeUtc()}});
        transaction.Commit();
        ++applied;
    }
    return applied;
}

} // namespace db
