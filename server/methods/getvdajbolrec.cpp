#include "server/methods/methods.h"

#include "server/methods/querytable.h"
#include "store/sql.h"

#include <array>

namespace rec18000 {

namespace {

constexpr std::array kColumns = {TextColumn("CDAJUCTREC", 4)};

} // namespace

// One row when the receivable bill already carries the adjustment type: a compensation would
// add a second adjustment of that type. The bill's company must be one the operator works for.
void GetVdAjBolRec(rpc::CallContext& context, const rpc::Params& params, host::JsonWriter& result) {
    const QSqlDatabase db = context.Db();
    const QString filial = params.String(0).trimmed();
    const QString numero = params.String(1).trimmed();
    QSqlQuery bill = store::Run(db,
                                QStringLiteral("SELECT CDEMPRESA FROM BOLETOREC WHERE "
                                               "CDFILIBOLREC = :FILIAL AND NRLANBOLREC = :NUMERO"),
                                {{"FILIAL", filial}, {"NUMERO", numero}});
    if (store::NextRow(bill))
        context.RequireCompany(bill.value(0).toString());
    store::CheckFetched(bill);
    bill.finish();
    QSqlQuery query = store::Run(
        db,
        QStringLiteral("SELECT CDAJUCTREC FROM AJUSTEREC WHERE "
                       "CDFILIBOLREC = :FILIAL AND NRLANBOLREC = :NUMERO "
                       "AND CDAJUCTREC = :CDAJUCTREC"),
        {{"FILIAL", filial}, {"NUMERO", numero}, {"CDAJUCTREC", params.String(2).trimmed()}});
    WriteTable(result, query, kColumns);
}

} // namespace rec18000
