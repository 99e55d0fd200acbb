#include "host/sql/tadoibquery.h"

#include "host/sql/placeholders.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <stdexcept>

namespace host {

namespace {

const QString& SqlFor(const QueryDef& def, SqlDialect dialect) {
    switch (dialect) {
    case SqlDialect::MsSql:
        return def.sqlMssql;
    case SqlDialect::InterBase:
        return def.sqlIb;
    case SqlDialect::Oracle:
        break;
    }
    return def.sqlOracle;
}

QDateTime ToDateTime(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate().startOfDay();
    const QString text = value.toString().trimmed();
    QDateTime parsed = QDateTime::fromString(text, Qt::ISODate);
    if (!parsed.isValid())
        parsed = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!parsed.isValid())
        parsed = QDate::fromString(text, Qt::ISODate).startOfDay();
    return parsed;
}

QVariant ToFieldValue(const QVariant& value, FieldType type) {
    if (value.isNull())
        return {};
    switch (type) {
    case FieldType::Float:
        return value.toDouble();
    case FieldType::DateTime: {
        const QDateTime dt = ToDateTime(value);
        return dt.isValid() ? QVariant(dt) : QVariant();
    }
    case FieldType::String:
    case FieldType::FixedString:
        break;
    }
    return value.toString();
}

[[noreturn]] void FailSql(const QString& query, const QString& what, const QSqlError& error) {
    throw SqlError(QStringLiteral("%1: %2: %3").arg(query, what, error.text()).toStdString());
}

} // namespace

QVariant QueryParam::BoundValue() const {
    if (m_value.isEmpty())
        return QVariant(QMetaType::fromType<QString>());
    return m_value;
}

TADOIBQuery::TADOIBQuery(const QueryDef& def, QObject* parent)
    : QObject(parent), m_def(def), m_connectionName(SharedConnectionName()) {
    setObjectName(def.name);
    for (const QString& name : def.params)
        m_params.emplace_back(name);
    m_rows.SetFieldDefs(def.fields);
}

QueryParam& TADOIBQuery::ParamByName(const QString& name) {
    for (QueryParam& param : m_params)
        if (param.Name().compare(name, Qt::CaseInsensitive) == 0)
            return param;
    throw std::out_of_range(
        QStringLiteral("%1: no parameter %2").arg(m_def.name, name).toStdString());
}

void TADOIBQuery::Open() {
    Close();
    QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
    if (!db.isValid() || !db.isOpen())
        throw SqlError(QStringLiteral("%1: connection %2 is not open")
                           .arg(m_def.name, m_connectionName)
                           .toStdString());
    PrepareConnection(db);

    const PositionalSql sql = ToPositional(SqlFor(m_def, DialectOf(db)));
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql.text))
        FailSql(m_def.name, QStringLiteral("prepare"), query.lastError());
    for (const QString& name : sql.names)
        query.addBindValue(ParamByName(name).BoundValue());
    if (!query.exec())
        FailSql(m_def.name, QStringLiteral("exec"), query.lastError());

    // Result columns by field, in the definition's order; without a definition, as selected.
    QList<FieldDef> defs = m_def.fields;
    const QSqlRecord record = query.record();
    if (defs.isEmpty())
        for (int i = 0; i < record.count(); ++i) {
            FieldDef def;
            def.name = record.fieldName(i);
            defs.append(def);
        }
    std::vector<int> columns;
    for (const FieldDef& def : defs) {
        const int column = record.indexOf(def.name);
        if (column < 0)
            throw SqlError(QStringLiteral("%1: the result has no column %2")
                               .arg(m_def.name, def.name)
                               .toStdString());
        columns.push_back(column);
    }

    RecordSetTable table{defs, {}};
    while (query.next()) {
        std::vector<QVariant> row;
        row.reserve(columns.size());
        for (std::size_t i = 0; i < columns.size(); ++i)
            row.push_back(ToFieldValue(query.value(columns[i]), defs.at(qsizetype(i)).type));
        table.rows.push_back(std::move(row));
    }
    if (query.lastError().isValid())
        FailSql(m_def.name, QStringLiteral("fetch"), query.lastError());
    try {
        m_rows.SetTable(std::move(table)); // keeps the fields, their labels and display hooks
    } catch (const std::invalid_argument& e) {
        throw SqlError(
            QStringLiteral("%1: %2").arg(m_def.name, QString::fromUtf8(e.what())).toStdString());
    }
}

void TADOIBQuery::Close() {
    if (m_rows.Active())
        m_rows.Close();
}

} // namespace host
