#include "store/reversal.h"

#include "store/balancemover.h"
#include "store/connection.h"
#include "store/money.h"
#include "store/sql.h"

#include <vector>

namespace store {

namespace {

const QString kWhereComp =
    QStringLiteral(" WHERE CDEMPRESA = :CDEMPRESA AND NRLANCCOMPREC = :NRLANCCOMPREC");

// A bill side of a compensation: the bills and the adjustments the compensation put on them.
struct BillSide {
    BalanceColumn bills;
    const char* adjustments;
    const char* adjustment;
};
constexpr BillSide kReceivable{kReceivableBalance, "AJUSTEREC", "VRAJUSTEREC"};
constexpr BillSide kPayable{kPayableBalance, "AJUSTEPAG", "VRAJUSTEPAG"};

struct Adjustment {
    QString branch;
    QString number;
    Cents value;
};

// By bill key: the order in which the bills' rows get locked.
std::vector<Adjustment> AdjustmentsOf(const QSqlDatabase& db, const BillSide& side,
                                      const Reversal& r) {
    const QLatin1String branch(side.bills.branch);
    const QLatin1String number(side.bills.number);
    QSqlQuery query = Run(db,
                          QStringLiteral("SELECT %1, %2, %3 FROM %4")
                                  .arg(branch, number, QLatin1String(side.adjustment),
                                       QLatin1String(side.adjustments)) +
                              kWhereComp + QStringLiteral(" ORDER BY %1, %2").arg(branch, number),
                          {{"CDEMPRESA", r.empresa}, {"NRLANCCOMPREC", r.numero}});
    std::vector<Adjustment> adjustments;
    while (query.next())
        adjustments.push_back(
            {query.value(0).toString(), query.value(1).toString(), CentsFrom(query.value(2))});
    CheckFetched(query);
    return adjustments;
}

// Gives every bill of the side back exactly what the compensation's adjustment took.
void GiveBack(const QSqlDatabase& db, const BillSide& side, const Reversal& r) {
    BalanceMover mover(db, side.bills);
    for (const Adjustment& a : AdjustmentsOf(db, side, r))
        mover.Move(a.branch, a.number, a.value);
}

// Settlements of a compensation: the table and its key, by which they are locked.
struct SettlementTable {
    const char* table;
    const char* key;
};
constexpr SettlementTable kBaixaRec{"BAIXAREC", "CDFILIALBAIREC, NRBAIXAREC"};
constexpr SettlementTable kBaixaPag{"BAIXAPAG", "CDFILIALBAIPAG, NRBAIXAPAG"};

// The compensation's settlements in one table: none, all still planned, or some realised.
enum class Settled { None, Planned, Realised };

Settled SettlementsOf(const QSqlDatabase& db, const SettlementTable& t, const Reversal& r) {
    QSqlQuery query =
        Run(db,
            Locked(db, QStringLiteral("SELECT IDSITBAIXA FROM %1").arg(QLatin1String(t.table)) +
                           kWhereComp + QStringLiteral(" ORDER BY %1").arg(QLatin1String(t.key))),
            {{"CDEMPRESA", r.empresa}, {"NRLANCCOMPREC", r.numero}});
    Settled settled = Settled::None;
    while (query.next()) {
        if (query.value(0).toString() != QLatin1String("P"))
            return Settled::Realised;
        settled = Settled::Planned;
    }
    CheckFetched(query);
    return settled;
}

void DeleteRows(const QSqlDatabase& db, const Reversal& r) {
    const std::initializer_list<Binding> keys = {{"CDEMPRESA", r.empresa},
                                                 {"NRLANCCOMPREC", r.numero}};
    Run(db,
        QStringLiteral("DELETE FROM ITBAIXAPAG WHERE EXISTS (SELECT 1 FROM BAIXAPAG P WHERE "
                       "P.CDFILIALBAIPAG = ITBAIXAPAG.CDFILIALBAIPAG AND P.NRBAIXAPAG = "
                       "ITBAIXAPAG.NRBAIXAPAG AND P.CDEMPRESA = :CDEMPRESA AND "
                       "P.NRLANCCOMPREC = :NRLANCCOMPREC)"),
        keys);
    // Children before the compensation they point at.
    for (const char* table : {"BAIXAPAG", "BAIXAREC", "AJUSTEPAG", "AJUSTEREC", "ITCOMPCONTREC"})
        Run(db, QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)) + kWhereComp, keys);
    if (Run(db, QStringLiteral("DELETE FROM COMPCONTREC") + kWhereComp, keys).numRowsAffected() !=
        1)
        throw DbError("compensation vanished while locked", DbFault::Other);
}

} // namespace

ReversalOutcome ReverseCompensation(const QSqlDatabase& db, const Reversal& r) {
    QSqlQuery comp =
        Run(db,
            Locked(db, QStringLiteral("SELECT CDFILIBOLREC, NRLANBOLREC, IDTPITUTLCOMREC, "
                                      "VRTOTALCOMREC FROM COMPCONTREC") +
                           kWhereComp),
            {{"CDEMPRESA", r.empresa}, {"NRLANCCOMPREC", r.numero}});
    if (!NextRow(comp))
        return ReversalOutcome::NotFound;
    const QString filial = comp.value(0).toString();
    const QString boleto = comp.value(1).toString();
    const bool payables = comp.value(2).toString() == QLatin1String("0");
    const QVariant total = comp.value(3);

    QSqlQuery bill = Run(db,
                         Locked(db, QStringLiteral("SELECT VRSALDOBREC, IDENVBANCO FROM BOLETOREC "
                                                   "WHERE CDFILIBOLREC = :FILIAL AND "
                                                   "NRLANBOLREC = :NUMERO")),
                         {{"FILIAL", filial}, {"NUMERO", boleto}});
    if (!NextRow(bill))
        throw DbError("compensation without its receivable bill", DbFault::Other);
    const bool nothingOpen = CentsFrom(bill.value(0)) == 0;
    const bool sentToBank = bill.value(1).toString() == QLatin1String("S");

    const Settled receivables = SettlementsOf(db, kBaixaRec, r);
    const Settled payablesSide = SettlementsOf(db, kBaixaPag, r);
    // Only this compensation's own realised settlement can have settled the bill for it: another
    // compensation's on the same bill does not keep this one from being deleted.
    if (nothingOpen && receivables == Settled::Realised)
        return ReversalOutcome::BillSettled;
    if (sentToBank)
        return ReversalOutcome::BillSentToBank;
    if (receivables != Settled::Planned)
        return ReversalOutcome::ReceivablesRealised;
    if (payablesSide == Settled::Realised || (payables && payablesSide == Settled::None))
        return ReversalOutcome::PayablesRealised;

    GiveBack(db, kReceivable, r);
    GiveBack(db, kPayable, r);
    DeleteRows(db, r);
    Run(db,
        QStringLiteral("INSERT INTO AUDITCOMPREC (CDEMPRESA, NRLANCCOMPREC, IDOPERACAO, "
                       "CDOPERADOR, DTHRAUDITORIA, CDFILIBOLREC, NRLANBOLREC, VRTOTALCOMREC) "
                       "VALUES (:CDEMPRESA, :NRLANCCOMPREC, 'E', :CDOPERADOR, :DTHRAUDITORIA, "
                       ":CDFILIBOLREC, :NRLANBOLREC, :VRTOTALCOMREC)"),
        {{"CDEMPRESA", r.empresa},
         {"NRLANCCOMPREC", r.numero},
         {"CDOPERADOR", r.operador},
         {"DTHRAUDITORIA", r.when},
         {"CDFILIBOLREC", filial},
         {"NRLANBOLREC", boleto},
         {"VRTOTALCOMREC", CentsText(CentsFrom(total))}});
    return ReversalOutcome::Reversed;
}

} // namespace store
