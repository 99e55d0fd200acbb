#include "server/store/reversal.h"

#include "server/store/connection.h"
#include "server/store/money.h"
#include "server/store/sql.h"

#include <vector>

namespace store {

namespace {

const QString kWhereComp =
    QStringLiteral(" WHERE CDEMPRESA = :CDEMPRESA AND NRLANCCOMPREC = :NRLANCCOMPREC");

// PostgreSQL locks what it reads; SQLite already holds the write lock of the transaction.
QString Locked(const QSqlDatabase& db, const QString& sql) {
    return DialectOf(db) == Dialect::Postgres ? sql + QStringLiteral(" FOR UPDATE") : sql;
}

struct BillSide {
    const char* table;
    const char* balance;
    const char* branch;
    const char* number;
    const char* adjustments;
    const char* adjustment;
};
constexpr BillSide kReceivable{"BOLETOREC",   "VRSALDOBREC", "CDFILIBOLREC",
                               "NRLANBOLREC", "AJUSTEREC",   "VRAJUSTEREC"};
constexpr BillSide kPayable{"BOLETOPAG",   "VRSALDOBPAG", "CDFILIBPAG",
                            "NRLANBOLPAG", "AJUSTEPAG",   "VRAJUSTEPAG"};

struct Adjustment {
    QString branch;
    QString number;
    Cents value;
};

std::vector<Adjustment> AdjustmentsOf(const QSqlDatabase& db, const BillSide& side,
                                      const Reversal& r) {
    QSqlQuery query =
        Run(db,
            QStringLiteral("SELECT %1, %2, %3 FROM %4")
                    .arg(QLatin1String(side.branch), QLatin1String(side.number),
                         QLatin1String(side.adjustment), QLatin1String(side.adjustments)) +
                kWhereComp +
                QStringLiteral(" ORDER BY %1, %2")
                    .arg(QLatin1String(side.branch), QLatin1String(side.number)),
            {{"CDEMPRESA", r.empresa}, {"NRLANCCOMPREC", r.numero}});
    std::vector<Adjustment> adjustments;
    while (query.next())
        adjustments.push_back(
            {query.value(0).toString(), query.value(1).toString(), CentsFrom(query.value(2))});
    return adjustments;
}

// Gives a bill back what an adjustment took. The balance is read (under lock) and written back
// as an exact decimal: adding in SQL would put SQLite's float arithmetic into the column.
void RaiseBalance(const QSqlDatabase& db, const BillSide& side, const Adjustment& adjustment) {
    const QString where = QStringLiteral(" WHERE %1 = :FILIAL AND %2 = :NUMERO")
                              .arg(QLatin1String(side.branch), QLatin1String(side.number));
    QSqlQuery read =
        Run(db,
            Locked(db, QStringLiteral("SELECT %1 FROM %2")
                               .arg(QLatin1String(side.balance), QLatin1String(side.table)) +
                           where),
            {{"FILIAL", adjustment.branch}, {"NUMERO", adjustment.number}});
    if (!read.next())
        throw DbError(std::string("adjusted bill missing in ") + side.table, true);
    const Cents balance = CentsFrom(read.value(0)) + adjustment.value;
    QSqlQuery write = Run(db,
                          QStringLiteral("UPDATE %1 SET %2 = :SALDO")
                                  .arg(QLatin1String(side.table), QLatin1String(side.balance)) +
                              where,
                          {{"SALDO", CentsText(balance)},
                           {"FILIAL", adjustment.branch},
                           {"NUMERO", adjustment.number}});
    if (write.numRowsAffected() != 1)
        throw DbError(std::string("adjusted bill not updated in ") + side.table, true);
}

// Whether every settlement of the compensation in the table is still planned; required: the
// compensation must have one.
bool AllPlanned(const QSqlDatabase& db, const char* table, const Reversal& r, bool required) {
    QSqlQuery query =
        Run(db,
            Locked(db, QStringLiteral("SELECT IDSITBAIXA FROM %1").arg(QLatin1String(table)) +
                           kWhereComp),
            {{"CDEMPRESA", r.empresa}, {"NRLANCCOMPREC", r.numero}});
    bool any = false;
    while (query.next()) {
        any = true;
        if (query.value(0).toString() != QLatin1String("P"))
            return false;
    }
    return any || !required;
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
        throw DbError("compensation vanished while locked", false);
}

} // namespace

ReversalOutcome ReverseCompensation(const QSqlDatabase& db, const Reversal& r) {
    QSqlQuery comp =
        Run(db,
            Locked(db, QStringLiteral("SELECT CDFILIBOLREC, NRLANBOLREC, IDTPITUTLCOMREC, "
                                      "VRTOTALCOMREC FROM COMPCONTREC") +
                           kWhereComp),
            {{"CDEMPRESA", r.empresa}, {"NRLANCCOMPREC", r.numero}});
    if (!comp.next())
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
    if (!bill.next())
        throw DbError("compensation without its receivable bill", true);
    const bool nothingOpen = CentsFrom(bill.value(0)) == 0;
    const bool sentToBank = bill.value(1).toString() == QLatin1String("S");

    if (nothingOpen) {
        QSqlQuery realised = Run(db,
                                 QStringLiteral("SELECT 1 FROM BAIXAREC WHERE CDFILIBOLREC = "
                                                ":FILIAL AND NRLANBOLREC = :NUMERO AND "
                                                "IDSITBAIXA = 'R'"),
                                 {{"FILIAL", filial}, {"NUMERO", boleto}});
        if (realised.next())
            return ReversalOutcome::BillSettled;
    }
    if (sentToBank)
        return ReversalOutcome::BillSentToBank;
    if (!AllPlanned(db, "BAIXAREC", r, true))
        return ReversalOutcome::ReceivablesRealised;
    if (!AllPlanned(db, "BAIXAPAG", r, payables))
        return ReversalOutcome::PayablesRealised;

    for (const Adjustment& a : AdjustmentsOf(db, kReceivable, r))
        RaiseBalance(db, kReceivable, a);
    for (const Adjustment& a : AdjustmentsOf(db, kPayable, r))
        RaiseBalance(db, kPayable, a);
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
