#pragma once

#include "store/connection.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace store {

// One prepared INSERT reused for many rows: columns fixed at construction, values given in the
// same order. The table and column names are ours, never input.
class Inserter {
public:
    Inserter(const QSqlDatabase& db, const QString& table, const QStringList& columns);
    void Insert(const std::vector<QVariant>& values); // throws DbError

private:
    QStringList m_placeholders;
    Statement m_query;
};

} // namespace store
