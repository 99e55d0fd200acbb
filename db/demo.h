#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <vector>

namespace db {

struct DemoOperator {
    QString code;
    QString name;
    QString password;
    QString branch;
    QStringList companies;
};

// The demo operators, with the passwords that db/README.md documents.
const std::vector<DemoOperator>& DemoOperators();

// Loads the demo company data in one transaction; every branch's processing date is today.
// Refuses (std::runtime_error) when companies already exist. Throws store::DbError.
void LoadDemo(const QSqlDatabase& db, const QDate& today);

bool HasCompanies(const QSqlDatabase& db);

// Customer and supplier codes: digits, zero-padded to the code width.
QString PartyCode(int number);

} // namespace db
