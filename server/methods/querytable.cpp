#include "server/methods/querytable.h"

#include "server/rpc/errors.h"
#include "server/store/money.h"

#include "host/services/keylist.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

namespace rec18000 {

namespace {

// SQLite hands dates back as text, PostgreSQL as QDate.
QDate DateOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate();
    case QMetaType::QDateTime:
        return value.toDateTime().date();
    default:
        return QDate::fromString(value.toString().left(10), Qt::ISODate);
    }
}

QVariant CellOf(const QVariant& value, const Column& column) {
    if (value.isNull())
        return {};
    switch (column.cell) {
    case Cell::Text: {
        QString text = value.toString();
        if (column.size > 0 && text.size() > column.size)
            text.truncate(column.size);
        return text;
    }
    case Cell::Number:
        return store::CentsToDouble(store::CentsFrom(value));
    case Cell::Date: {
        const QDate date = DateOf(value);
        return date.isValid() ? QVariant(QDateTime(date, QTime(0, 0))) : QVariant();
    }
    case Cell::DateText: {
        const QDate date = DateOf(value);
        return date.isValid() ? QVariant(date.toString(QStringLiteral("dd/MM/yyyy"))) : QVariant();
    }
    case Cell::MoneyText:
        return MoneyText(store::CentsFrom(value));
    }
    return {};
}

} // namespace

host::RecordSetTable ReadTable(QSqlQuery& query, std::span<const Column> columns) {
    host::RecordSetTable table;
    for (const Column& column : columns) {
        host::FieldDef def;
        def.name = QString::fromLatin1(column.name);
        def.type = column.type;
        def.size = column.size;
        table.fields.append(def);
    }
    const int count = int(columns.size());
    while (query.next()) {
        std::vector<QVariant> row;
        row.reserve(columns.size());
        for (int i = 0; i < count; ++i)
            row.push_back(CellOf(query.value(i), columns[size_t(i)]));
        table.rows.push_back(std::move(row));
    }
    return table;
}

QString MoneyText(qint64 cents) {
    static const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return QStringLiteral("%1%2%3%4")
        .arg(cents < 0 ? QStringLiteral("-") : QString(), brazil.toString(magnitude / 100),
             brazil.decimalPoint())
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

void Conditions::Add(const QString& fragment, const QString& name, const QVariant& value) {
    m_fragments << fragment;
    m_values.emplace_back(QLatin1Char(':') + name, value);
}

void Conditions::AddIn(const QString& column, const QString& prefix, const QStringList& values) {
    if (values.isEmpty())
        return;
    QStringList placeholders;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QString name = QStringLiteral(":%1%2").arg(prefix).arg(i);
        placeholders << name;
        m_values.emplace_back(name, values[i]);
    }
    m_fragments
        << QStringLiteral("%1 IN (%2)").arg(column, placeholders.join(QStringLiteral(", ")));
}

QString Conditions::Sql() const {
    return m_fragments.isEmpty()
               ? QString()
               : QStringLiteral(" WHERE ") + m_fragments.join(QStringLiteral(" AND "));
}

void Conditions::Bind(QSqlQuery& query) const {
    for (const auto& [name, value] : m_values)
        query.bindValue(name, value);
}

QStringList KeyListParam(const QString& list, const QString& what) {
    const auto keys = host::DecodeKeyList(list);
    if (!keys)
        throw rpc::RpcError(rpc::kInvalidParams,
                            QStringLiteral("Lista de %1 em formato inválido.").arg(what));
    return *keys;
}

} // namespace rec18000
