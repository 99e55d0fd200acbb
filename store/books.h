#pragma once

#include "store/balancemover.h"
#include "store/batchinserter.h"
#include "store/inserter.h"
#include "store/money.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <vector>

namespace store {

// Next number of a series (compensations of a company, settlements of a branch), zero-padded to
// ten digits. Must run inside the caller's transaction.
QString NextNumber(const QSqlDatabase& db, const QString& series);
// Reserves count numbers of a series at once; returns the first. Inside a transaction.
qint64 ReserveNumbers(const QSqlDatabase& db, const QString& series, qint64 count);
QString PaddedNumber(qint64 number);

// A compensation already checked by the caller: what gets written.
struct CompensationEntry {
    QString empresa;
    QString filialProc; // branch that records the settlements
    QString operador;
    QString cliente;
    QString filiBolRec;
    QString nrLanBolRec;
    QDate dtComp;
    QDate dtLanc;
    QDate dtBaixa;
    QString tpBaixaRec;
    QString ajuCtRec;
    QString tpBaixaPag; // payables kind only
    QString ajuCtPag;   // payables kind only
    QString reduCont;
    std::optional<Cents> billOpen; // the bill's balance the caller read, locked, if it did
    struct Payable {
        QString filial;
        QString numero;
        Cents value;
        std::optional<Cents> open = {}; // the balance the caller read, locked, if it did
    };
    struct Credit {
        QString reduCont;
        QString numero;
        Cents value;
    };
    std::vector<Payable> payables; // exactly one of these two is filled
    std::vector<Credit> credits;
    QString history;
    QDateTime when; // audit time
};

// Writes compensations inside the caller's transaction: the compensation and its items, the
// discount adjustments (lowering the bills' balances), the planned settlements and the audit
// row. The database's constraints refuse a balance below zero, a second adjustment of a type on
// a bill and a credit used twice (DbError). Statements are prepared once per writer.
class CompensationWriter {
public:
    explicit CompensationWriter(const QSqlDatabase& db);
    // Returns the new compensation's number.
    QString Write(const CompensationEntry& entry);

private:
    QSqlDatabase m_db;
    Inserter m_comp;
    BatchInserter m_item;
    Inserter m_ajusteRec;
    BatchInserter m_ajustePag;
    Inserter m_baixaRec;
    Inserter m_baixaPag;
    BatchInserter m_itBaixaPag;
    Inserter m_audit;
    BalanceMover m_receivables;
    BalanceMover m_payables;
};

// What other modules of the suite do to a compensation's settlements and bill.
enum class SettlementSide { Both, Receivables, Payables };
// Marks the compensation's planned settlements realised; false when there is no such
// compensation.
bool RealiseSettlements(const QSqlDatabase& db, const QString& empresa, const QString& numero,
                        SettlementSide side);
// Marks the compensation's receivable bill as sent in a bank remittance file.
bool SendBillToBank(const QSqlDatabase& db, const QString& empresa, const QString& numero,
                    const QDate& when);

// "01:0000000003" or a bare number that only one company has; nullopt when not found.
struct CompensationKey {
    QString empresa;
    QString numero;
};
std::optional<CompensationKey> FindCompensation(const QSqlDatabase& db, const QString& text);

} // namespace store
