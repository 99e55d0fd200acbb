#include "store/batchinserter.h"

#include "store/connection.h"
#include "store/sql.h"

#include <stdexcept>

namespace store {

BatchInserter::BatchInserter(const QSqlDatabase& db, const QString& table,
                             const QStringList& columns, int rowsPerStatement)
    : m_db(db), m_head(QStringLiteral("INSERT INTO %1 (%2) VALUES ")
                           .arg(table, columns.join(QStringLiteral(", ")))),
      m_columnNames(columns), m_columns(columns.size()), m_batch(rowsPerStatement) {}

void BatchInserter::Add(std::vector<QVariant> values) {
    if (qsizetype(values.size()) != m_columns)
        throw std::logic_error("BatchInserter: value count differs from column count");
    for (QVariant& value : values)
        m_pending.push_back(std::move(value));
    if (qsizetype(m_pending.size()) >= m_columns * m_batch)
        Write(m_batch);
}

void BatchInserter::Flush() {
    if (!m_pending.empty())
        Write(int(qsizetype(m_pending.size()) / m_columns));
}

void BatchInserter::Write(int rows) {
    QSqlQuery& statement = StatementFor(rows);
    for (qsizetype i = 0; i < qsizetype(m_pending.size()); ++i)
        statement.bindValue(int(i), m_pending[size_t(i)]);
    Exec(statement);
    m_pending.clear();
}

QSqlQuery& BatchInserter::StatementFor(int rows) {
    auto found = m_statements.find(rows);
    if (found == m_statements.end()) {
        // One named placeholder per value, ":COLUMN_row", bound in order.
        QStringList tuples;
        for (int row = 0; row < rows; ++row) {
            QStringList names;
            for (const QString& column : m_columnNames)
                names << QStringLiteral(":%1_%2").arg(column).arg(row);
            tuples << QLatin1Char('(') + names.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        const QString sql = m_head + tuples.join(QStringLiteral(", "));
        found = m_statements.emplace(rows, Statement(m_db, sql)).first;
    }
    return *found->second;
}

} // namespace store
