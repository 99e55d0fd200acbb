#pragma once

#include "data/codec.h"
#include "store/money.h"
#include "tests/support/cells.h"

#include <QSqlDatabase>

#include <httplib.h>

#include <string>
#include <vector>

// New compensations of company 01 as the screen sends them, for the generation tests and the
// benchmark (which compiles this file too, so it needs no test framework).
namespace testserver {

// Open items added to the demo books: a receivable bill of customer 4 on branch 0001, payables
// of supplier 2 on branch 0001 and credits on account IT1, all entered three days ago.
struct OpenItems {
    QString bill;
    std::vector<QString> payables; // bill numbers on branch 0001
    std::vector<QString> credits;  // posting numbers on IT1
};
// Numbers count up from first (ten digits); one transaction.
OpenItems AddOpenItems(const QSqlDatabase& db, qint64 first, store::Cents bill,
                       const std::vector<store::Cents>& payables,
                       const std::vector<store::Cents>& credits);

// The four record sets of a confirmation as the screen packs them, filled from what the
// database holds for the bill and the items; the total is the items' sum. The set of the other
// kind travels empty.
struct Confirmation {
    host::RecordSetTable nova;
    host::RecordSetTable bolRec;
    host::RecordSetTable marcados;
    host::RecordSetTable lancMarcados;
};
Confirmation Confirm(const QSqlDatabase& db, const QString& bill, bool payables,
                     const std::vector<QString>& items);
// The same from the screen's lists as the server answered them (GetBoletosRec, GetBoletosPag or
// GetCreditos): the chosen bill row and the marked item rows copied field by field by name.
Confirmation FromLists(const host::RecordSetTable& bills, size_t bill, bool payables,
                       const host::RecordSetTable& items, const std::vector<size_t>& marked);
// Appends a marked payable (branch, number) or credit (account, number) with its value now.
void AddPayable(const QSqlDatabase& db, host::RecordSetTable& marcados, const QString& branch,
                const QString& number);
void AddCredit(const QSqlDatabase& db, host::RecordSetTable& lancMarcados, const QString& account,
               const QString& number);

// The answer of SetGeraCompensacao: ["OK", number] / ["ERRO", text], or a JSON-RPC error.
struct Status {
    bool answered = false; // a result array came back
    int code = 0;          // the error code otherwise
    std::string status;
    std::string text;
};
// The call's params: company, branch, the four record sets and the label.
std::string GenerationParams(const Confirmation& c, const std::string& empresa = "01",
                             const std::string& filial = "0001");
Status StatusOf(const httplib::Result& result);

} // namespace testserver
