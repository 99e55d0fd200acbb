#include "server/methods/methods.h"

#include "server/methods/billcolumns.h"
#include "store/sql.h"

namespace rec18000 {

namespace {

// Open: something is left of the bill after its adjustments and settlements. A bill another
// compensation settled in full is not offered again; one settled in part offers what is left.
const QString kSelectOpenBills =
    kBillSelect + QStringLiteral("FROM BOLETOREC B "
                                 "JOIN CLIENTE CL ON CL.CDCLIENTE = B.CDCLIENTE "
                                 "LEFT JOIN FILIAL F ON F.CDFILIAL = B.CDFILIEMIT "
                                 "WHERE B.CDEMPRESA = :CDEMPRESA AND B.CDCLIENTE = :CDCLIENTE "
                                 "AND B.VRSALDOBREC > 0 "
                                 "ORDER BY B.DTVENBOLREC, B.CDFILIBOLREC, B.NRLANBOLREC");

} // namespace

// The customer's open receivable bills of the company, each with its open balance as net value.
void GetBoletosRec(rpc::CallContext& context, const rpc::Params& params, host::JsonWriter& result) {
    QSqlQuery query =
        store::Run(context.Db(), kSelectOpenBills,
                   {{"CDEMPRESA", params.String(0)}, {"CDCLIENTE", params.String(1)}});
    WriteTable(result, query, kBillColumns);
}

} // namespace rec18000
