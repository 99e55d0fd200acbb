#include "server/methods/methods.h"

#include "data/jsonwriter.h"
#include "server/methods/billcolumns.h"
#include "server/methods/payablecolumns.h"
#include "server/methods/querytable.h"
#include "server/rpc/answers.h"
#include "server/rpc/errors.h"
#include "store/sql.h"

#include <array>

namespace rec18000 {

namespace {

// The compensation's receivable bill, as the bill list of the entry shows it.
const QString kSelectBill =
    kBillSelect +
    QStringLiteral(
        "FROM COMPCONTREC C "
        "JOIN BOLETOREC B ON B.CDFILIBOLREC = C.CDFILIBOLREC AND B.NRLANBOLREC = C.NRLANBOLREC "
        "JOIN CLIENTE CL ON CL.CDCLIENTE = B.CDCLIENTE "
        "LEFT JOIN FILIAL F ON F.CDFILIAL = B.CDFILIEMIT "
        "WHERE C.CDEMPRESA = :CDEMPRESA AND C.NRLANCCOMPREC = :NRLANCCOMPREC");

// Payable items: the payables list's fields; the net value is the payable's open balance now,
// VRITEMCOMPREC what this compensation offset.
const QString kSelectPayables =
    PayableSelect(QStringLiteral("I.VRITEMCOMPREC")) +
    QStringLiteral(
        "JOIN ITCOMPCONTREC I ON I.CDFILIBPAG = P.CDFILIBPAG AND I.NRLANBOLPAG = P.NRLANBOLPAG "
        "WHERE I.CDEMPRESA = :CDEMPRESA AND I.NRLANCCOMPREC = :NRLANCCOMPREC "
        "ORDER BY I.NRITEMCOMPREC");

constexpr std::array kCreditColumns = {
    DateColumn("DTMOVICRED"),     TextColumn("DSTPCREDBANC", 30), TextColumn("CDTPCREDBANC", 4),
    TextColumn("DSMOVICRED", 40), NumberColumn("VRMOVICRED"),     TextColumn("CDREDUCONT", 3),
    TextColumn("CDEMPRESA", 2),   TextColumn("NRMOVICRED", 10),   FlagColumn("IDMARCADO"),
};

const QString kSelectCredits = QStringLiteral(
    "SELECT M.DTMOVICRED, T.DSTPCREDBANC, M.CDTPCREDBANC, M.DSMOVICRED, M.VRMOVICRED, "
    "M.CDREDUCONT, M.CDEMPRESA, M.NRMOVICRED, 'N' "
    "FROM ITCOMPCONTREC I "
    "JOIN MOVCREDBANC M ON M.CDEMPRESA = I.CDEMPRESA AND M.CDREDUCONT = I.CDREDUCONT "
    "AND M.NRMOVICRED = I.NRMOVICRED "
    "JOIN TPCREDBANC T ON T.CDTPCREDBANC = M.CDTPCREDBANC "
    "WHERE I.CDEMPRESA = :CDEMPRESA AND I.NRLANCCOMPREC = :NRLANCCOMPREC "
    "ORDER BY I.NRITEMCOMPREC");

host::RecordSetTable Select(const QSqlDatabase& db, const QString& sql,
                            std::span<const Column> columns, const QString& empresa,
                            const QString& numero) {
    QSqlQuery query = store::Run(db, sql, {{"CDEMPRESA", empresa}, {"NRLANCCOMPREC", numero}});
    return ReadTable(query, columns);
}

} // namespace

// A stored compensation's receivable bill and its items of the given kind ("0" payables,
// "1" credits), as two record sets.
void GetContaItensComp(rpc::CallContext& context, const rpc::Params& params,
                       host::JsonWriter& result) {
    const QString empresa = params.String(0);
    const QString numero = params.String(1);
    const QString kind = params.String(2);
    const bool payables = kind == QLatin1String("0");
    if (!payables && kind != QLatin1String("1"))
        throw rpc::RpcError(rpc::kInvalidParams,
                            QStringLiteral("Tipo de item da compensação inválido: use 0 ou 1."));
    const QSqlDatabase db = context.Db();
    const host::RecordSetTable bill = Select(db, kSelectBill, kBillColumns, empresa, numero);
    if (bill.rows.empty())
        rpc::Refuse(
            QStringLiteral("Compensação %1 não encontrada na empresa %2.").arg(numero, empresa));
    const host::RecordSetTable items =
        payables ? Select(db, kSelectPayables, kPayableColumns, empresa, numero)
                 : Select(db, kSelectCredits, kCreditColumns, empresa, numero);
    result.beginArray();
    rpc::WriteRecordSet(result, bill);
    rpc::WriteRecordSet(result, items);
    result.endArray();
}

} // namespace rec18000
