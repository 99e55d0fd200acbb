#include "server/methods/querytable.h"

#include "server/rpc/errors.h"
#include "store/money.h"
#include "store/sql.h"

#include "data/keylist.h"
#include "data/moneytext.h"

#include <QDate>
#include <QDateTime>
#include <QHash>

namespace rec18000 {

namespace {

// SQLite hands dates back as "YYYY-MM-DD" text, PostgreSQL as QDate.
QDate DateOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate();
    case QMetaType::QDateTime:
        return value.toDateTime().date();
    case QMetaType::QString: {
        const QString& text = *static_cast<const QString*>(value.constData());
        const auto digits = [&text](qsizetype from, qsizetype count) {
            int number = 0;
            for (qsizetype i = from; i < from + count; ++i) {
                const int digit = text.at(i).digitValue();
                if (digit < 0)
                    return -1;
                number = number * 10 + digit;
            }
            return number;
        };
        if (text.size() >= 10 && text.at(4) == QLatin1Char('-') && text.at(7) == QLatin1Char('-'))
            return QDate(digits(0, 4), digits(5, 2), digits(8, 2));
        return QDate::fromString(text.left(10), Qt::ISODate);
    }
    default:
        return {};
    }
}

// Converts one column's values; dates repeat a lot in a list, so each is converted once.
class CellMaker {
public:
    explicit CellMaker(const Column& column) : m_column(column) {}

    QVariant operator()(const QVariant& value) {
        if (value.isNull())
            return {};
        switch (m_column.cell) {
        case Cell::Text: {
            QString text = value.toString();
            if (m_column.size > 0 && text.size() > m_column.size)
                text.truncate(m_column.size);
            return text;
        }
        case Cell::Number:
            return store::CentsToDouble(store::CentsFrom(value));
        case Cell::Date:
        case Cell::DateText:
            return DateCell(DateOf(value));
        case Cell::MoneyText:
            return host::MoneyTextOfCents(store::CentsFrom(value));
        }
        return {};
    }

private:
    QVariant DateCell(const QDate& date) {
        if (!date.isValid())
            return {};
        auto known = m_dates.constFind(date.toJulianDay());
        if (known != m_dates.cend())
            return *known;
        // UTC: the wire carries no zone, and a local date-time would consult the system's time
        // zone on every read of its parts.
        const QVariant cell = m_column.cell == Cell::Date
                                  ? QVariant(QDateTime(date, QTime(0, 0), Qt::UTC))
                                  : QVariant(date.toString(QStringLiteral("dd/MM/yyyy")));
        m_dates.insert(date.toJulianDay(), cell);
        return cell;
    }

    Column m_column;
    QHash<qint64, QVariant> m_dates;
};

QList<host::FieldDef> FieldsOf(std::span<const Column> columns) {
    QList<host::FieldDef> fields;
    for (const Column& column : columns) {
        host::FieldDef def;
        def.name = QString::fromLatin1(column.name);
        def.type = column.type;
        def.size = column.size;
        fields.append(def);
    }
    return fields;
}

// Calls take(row) for every row of the query; row is refilled in place for the next one.
template <typename Take>
void ForEachRow(QSqlQuery& query, std::span<const Column> columns, Take take) {
    std::vector<CellMaker> makers(columns.begin(), columns.end());
    std::vector<QVariant> row(columns.size());
    while (query.next()) {
        for (size_t i = 0; i < makers.size(); ++i)
            row[i] = makers[i](query.value(int(i)));
        take(row);
    }
    store::CheckFetched(query);
}

} // namespace

host::RecordSetTable ReadTable(QSqlQuery& query, std::span<const Column> columns) {
    host::RecordSetTable table;
    table.fields = FieldsOf(columns);
    ForEachRow(query, columns,
               [&table](const std::vector<QVariant>& row) { table.rows.push_back(row); });
    return table;
}

void WriteTable(host::JsonWriter& out, QSqlQuery& query, std::span<const Column> columns) {
    host::codec::RowWriter writer(out, FieldsOf(columns));
    ForEachRow(query, columns, [&writer](const std::vector<QVariant>& row) { writer.Row(row); });
    writer.Finish();
}

QString DocumentSql(const char* alias) {
    return QStringLiteral("%1.NRNOTAFISC || COALESCE('/' || NULLIF(TRIM(%1.CDSERIE), ''), '')")
        .arg(QLatin1String(alias));
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

void AddMoneyBound(Conditions& where, const QString& column, const QString& comparison,
                   const QString& name, double value) {
    const store::Cents cents = store::CentsFromDouble(value);
    if (cents != 0)
        where.Add(QStringLiteral("%1 %2 CAST(:%3 AS NUMERIC(15,2))").arg(column, comparison, name),
                  name, store::CentsText(cents));
}

QStringList KeyListParam(const QString& list, const QString& what) {
    const auto keys = host::DecodeKeyList(list);
    if (!keys)
        throw rpc::RpcError(rpc::kInvalidParams,
                            QStringLiteral("Lista de %1 em formato inválido.").arg(what));
    return *keys;
}

} // namespace rec18000
