#pragma once

#include "store/connection.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <map>
#include <vector>

namespace store {

// Rows of one table gathered and inserted many per statement: a compensation of a thousand
// payables writes thousands of rows, and one statement per row would cost most of its time.
// Columns are fixed at construction; rows give their values in that order. The table and column
// names are ours, never input.
class BatchInserter {
public:
    BatchInserter(const QSqlDatabase& db, const QString& table, const QStringList& columns,
                  int rowsPerStatement = 20);
    // Writes a full batch at once; throws DbError.
    void Add(std::vector<QVariant> values);
    // Writes what is gathered; throws DbError. Call before anything reads the rows or refers
    // to them.
    void Flush();

private:
    void Write(int rows);
    QSqlQuery& StatementFor(int rows); // prepared once per row count

    QSqlDatabase m_db;
    QString m_head; // INSERT INTO table (columns) VALUES
    QStringList m_columnNames;
    qsizetype m_columns;
    int m_batch;
    std::vector<QVariant> m_pending; // row after row
    std::map<int, Statement> m_statements;
};

} // namespace store
