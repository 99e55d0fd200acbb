#pragma once

#include "data/codec.h"
#include "store/sql.h"
#include "tests/support/booksserver.h"

#include <QSqlDatabase>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

// Reading and deleting stored compensations of company 01 over HTTP, for the deletion tests.
namespace testserver {

QString Numero(int n);

// The screen's copy of a listed compensation: the fields of its new-compensation record set,
// each taken from the same-named field of the list's row.
host::RecordSetTable NovaComp(BooksServer& server, int number);
Answer Delete(BooksServer& server, const host::RecordSetTable& comp,
              const std::string& operador = "ADMIN", const httplib::Headers& extra = {});

// Everything a compensation touches, as numbers: open balances in cents, credits' uses, and the
// row counts of the tables a compensation writes (the audit aside).
using Books = std::map<std::string, qint64>;
Books ReadBooks(const QSqlDatabase& db);

// Every row, read to the end: on SQLite an unfinished statement would keep the connection on
// its old snapshot and hide the server's writes.
std::vector<std::vector<QVariant>> Rows(const QSqlDatabase& db, const QString& sql,
                                        std::initializer_list<store::Binding> bindings = {});

} // namespace testserver
