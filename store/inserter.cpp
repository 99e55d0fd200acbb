#include "store/inserter.h"

#include "store/connection.h"
#include "store/sql.h"

#include <stdexcept>

namespace store {

namespace {

QStringList Placeholders(const QStringList& columns) {
    QStringList placeholders;
    for (const QString& column : columns)
        placeholders << QLatin1Char(':') + column;
    return placeholders;
}

} // namespace

Inserter::Inserter(const QSqlDatabase& db, const QString& table, const QStringList& columns)
    : m_placeholders(Placeholders(columns)),
      m_query(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(table, columns.join(QStringLiteral(", ")),
                           m_placeholders.join(QStringLiteral(", ")))) {}

void Inserter::Insert(const std::vector<QVariant>& values) {
    if (qsizetype(values.size()) != m_placeholders.size())
        throw std::logic_error("Inserter: value count differs from column count");
    for (qsizetype i = 0; i < m_placeholders.size(); ++i)
        m_query->bindValue(m_placeholders[i], values[size_t(i)]);
    Exec(*m_query);
}

} // namespace store
