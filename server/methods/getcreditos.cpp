#include "server/methods/methods.h"

#include "server/methods/querytable.h"
#include "server/rpc/errors.h"
#include "store/sql.h"

#include <array>

namespace rec18000 {

namespace {

// The credits' record set, in the order the screen's record set declares its fields.
constexpr std::array kColumns = {
    DateColumn("DTMOVICRED"),     TextColumn("DSTPCREDBANC", 30), TextColumn("CDTPCREDBANC", 4),
    TextColumn("DSMOVICRED", 40), NumberColumn("VRMOVICRED"),     TextColumn("CDREDUCONT", 3),
    TextColumn("CDEMPRESA", 2),   TextColumn("NRMOVICRED", 10),   FlagColumn("IDMARCADO"),
};

const QString kSelect = QStringLiteral(
    "SELECT M.DTMOVICRED, T.DSTPCREDBANC, M.CDTPCREDBANC, M.DSMOVICRED, M.VRMOVICRED, "
    "M.CDREDUCONT, M.CDEMPRESA, M.NRMOVICRED, 'N' "
    "FROM MOVCREDBANC M JOIN TPCREDBANC T ON T.CDTPCREDBANC = M.CDTPCREDBANC");
// A credit is used whole by at most one compensation.
const QString kCompanyUnused =
    QStringLiteral("M.CDEMPRESA = :CDEMPRESA AND NOT EXISTS (SELECT 1 FROM ITCOMPCONTREC I "
                   "WHERE I.CDEMPRESA = M.CDEMPRESA AND I.CDREDUCONT = M.CDREDUCONT "
                   "AND I.NRMOVICRED = M.NRMOVICRED)");
const QString kOrder = QStringLiteral(" ORDER BY M.DTMOVICRED, M.CDREDUCONT, M.NRMOVICRED");

// The type picker lists 'C' followed by the type code.
QStringList TypeCodes(const QString& list) {
    QStringList codes = KeyListParam(list, QStringLiteral("tipos de crédito"));
    for (QString& code : codes) {
        if (!code.startsWith(QLatin1Char('C')))
            throw rpc::RpcError(rpc::kInvalidParams,
                                QStringLiteral("Lista de tipos de crédito em formato inválido."));
        code.remove(0, 1);
    }
    return codes;
}

} // namespace

// The company's credit postings that no compensation used yet: posting date range (null = open
// side), value range (0 = open side), credit-type and account list strings (empty = all).
void GetCreditos(rpc::CallContext& context, const rpc::Params& params, host::JsonWriter& result) {
    Conditions where;
    where.Add(kCompanyUnused, QStringLiteral("CDEMPRESA"), params.String(0));
    if (const QDate from = params.Date(1); from.isValid())
        where.Add(QStringLiteral("M.DTMOVICRED >= :DTINI"), QStringLiteral("DTINI"), from);
    if (const QDate to = params.Date(2); to.isValid())
        where.Add(QStringLiteral("M.DTMOVICRED <= :DTFIN"), QStringLiteral("DTFIN"), to);
    const QString value = QStringLiteral("M.VRMOVICRED");
    AddMoneyBound(where, value, QStringLiteral(">="), QStringLiteral("VRINI"), params.Number(3));
    AddMoneyBound(where, value, QStringLiteral("<="), QStringLiteral("VRFIN"), params.Number(4));
    where.AddIn(QStringLiteral("M.CDTPCREDBANC"), QStringLiteral("TIPO"),
                TypeCodes(params.String(5)));
    where.AddIn(QStringLiteral("M.CDREDUCONT"), QStringLiteral("CONTA"),
                KeyListParam(params.String(6), QStringLiteral("contas correntes")));

    QSqlQuery query = store::Prepare(context.Db(), kSelect + where.Sql() + kOrder);
    where.Bind(query);
    store::Exec(query);
    WriteTable(result, query, kColumns);
}

} // namespace rec18000
