#pragma once

#include "store/money.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <vector>

namespace store {

// A new compensation as the screen asks for it. Every value here is the client's: the
// generation believes none of them until it has read the same from the database.
struct GenerationRequest {
    QString empresa;
    QString filialProc; // the branch the client names: none, or the operator's own
    QString operador;   // from the session, not from the record
    QString cliente;
    QString filiBolRec;
    QString nrLanBolRec;
    Cents billOriginal = 0; // VRORIGREC the screen showed
    Cents billOpen = 0;     // VRFINALBREC the screen showed: the ceiling it checked against
    QDate dtComp;
    QDate dtBaixa;
    QString tpBaixaRec;
    QString ajuCtRec;
    QString tpBaixaPag;
    QString ajuCtPag;
    QString reduCont;
    bool payables = true; // IDTPITUTLCOMREC "0"; "1" credits
    struct Item {
        QString first;  // payable: branch; credit: account
        QString second; // payable: bill number; credit: posting number
        Cents value = 0;
    };
    std::vector<Item> items; // of the kind named, the other set already left out
    Cents total = 0;         // VRTOTALCOMREC
    QString label;           // the history text's beginning
    QDateTime when;
};

// Either the new compensation's number or the operator's reason why there is none.
struct GenerationOutcome {
    QString numero;  // set on success
    QString refusal; // set otherwise
};

// Checks the request against the database and, when it holds, writes the compensation, inside
// the caller's write transaction. Rows are locked before they are checked (the bill, then the
// payables or credits in key order) so that a second generation waits and then sees the first
// one's writes. On a refusal nothing was written. Throws DbError.
GenerationOutcome GenerateCompensation(const QSqlDatabase& db, const GenerationRequest& request);

// The settlements' history text: label, then the documents, cut to the column's width.
QString HistoryText(const QString& label, const std::vector<QString>& documents);

} // namespace store
