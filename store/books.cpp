#include "store/books.h"

#include "store/connection.h"
#include "store/sql.h"

namespace store {

QString PaddedNumber(qint64 number) {
    return QStringLiteral("%1").arg(number, 10, 10, QLatin1Char('0'));
}

// One statement whether or not the series exists yet: two first generations of a new series at
// once both get a number (the second waits for the first's row) instead of a key violation.
qint64 ReserveNumbers(const QSqlDatabase& db, const QString& series, qint64 count) {
    Statement statement(db, QStringLiteral("INSERT INTO NUMERACAO (NMSERIE, NRULTIMO) VALUES "
                                           "(:NMSERIE, :QTDE) ON CONFLICT (NMSERIE) DO UPDATE SET "
                                           "NRULTIMO = NUMERACAO.NRULTIMO + :QTDE2 RETURNING "
                                           "NRULTIMO"));
    QSqlQuery& bump = *statement;
    Exec(bump, {{"NMSERIE", series}, {"QTDE", count}, {"QTDE2", count}});
    if (!NextRow(bump))
        throw DbError("number series " + series.toStdString() + " answered no number",
                      DbFault::Other);
    const qint64 last = bump.value(0).toLongLong();
    bump.finish();
    return last - count + 1;
}

QString NextNumber(const QSqlDatabase& db, const QString& series) {
    return PaddedNumber(ReserveNumbers(db, series, 1));
}

CompensationWriter::CompensationWriter(const QSqlDatabase& db)
    : m_db(db), m_comp(db, QStringLiteral("COMPCONTREC"),
                       {"CDEMPRESA",      "NRLANCCOMPREC",   "CDFILIBOLREC",    "NRLANBOLREC",
                        "CDCLIENTE",      "CDOPERLANCOMREC", "DTCOMPCONTREC",   "DTLANCOMCONTREC",
                        "DTBAIXACOMPREC", "CDTPBAIXAREC",    "CDAJUCTREC",      "CDTPBAIXAPAG",
                        "CDAJUCTPAG",     "CDREDUCONT",      "IDTPITUTLCOMREC", "QTITCOMCONTREC",
                        "VRTOTALCOMREC",  "CDFILIALBAIREC",  "NRBAIXAREC",      "CDFILIALBAIPAG",
                        "NRBAIXAPAG"}),
      m_item(db, QStringLiteral("ITCOMPCONTREC"),
             {"CDEMPRESA", "NRLANCCOMPREC", "NRITEMCOMPREC", "CDFILIBPAG", "NRLANBOLPAG",
              "CDREDUCONT", "NRMOVICRED", "VRITEMCOMPREC"}),
      m_ajusteRec(db, QStringLiteral("AJUSTEREC"),
                  {"CDFILIBOLREC", "NRLANBOLREC", "CDAJUCTREC", "DTAJUSTEREC", "VRAJUSTEREC",
                   "CDEMPRESA", "NRLANCCOMPREC"}),
      m_ajustePag(db, QStringLiteral("AJUSTEPAG"),
                  {"CDFILIBPAG", "NRLANBOLPAG", "CDAJUCTPAG", "DTAJUSTEPAG", "VRAJUSTEPAG",
                   "CDEMPRESA", "NRLANCCOMPREC"}),
      m_baixaRec(db, QStringLiteral("BAIXAREC"),
                 {"CDFILIALBAIREC", "NRBAIXAREC", "CDFILIBOLREC", "NRLANBOLREC", "CDEMPRESA",
                  "CDTPBAIXAREC", "CDREDUCONT", "DTBAIXAREC", "VRBAIXAREC", "IDSITBAIXA",
                  "DSHISTBAIXA", "NRLANCCOMPREC"}),
      m_baixaPag(db, QStringLiteral("BAIXAPAG"),
                 {"CDFILIALBAIPAG", "NRBAIXAPAG", "CDEMPRESA", "CDTPBAIXAPAG", "CDREDUCONT",
                  "DTBAIXAPAG", "VRBAIXAPAG", "IDSITBAIXA", "DSHISTBAIXA", "NRLANCCOMPREC"}),
      m_itBaixaPag(db, QStringLiteral("ITBAIXAPAG"),
                   {"CDFILIALBAIPAG", "NRBAIXAPAG", "CDFILIBPAG", "NRLANBOLPAG", "VRITBAIXAPAG"}),
      m_audit(db, QStringLiteral("AUDITCOMPREC"),
              {"CDEMPRESA", "NRLANCCOMPREC", "IDOPERACAO", "CDOPERADOR", "DTHRAUDITORIA",
               "CDFILIBOLREC", "NRLANBOLREC", "VRTOTALCOMREC"}),
      m_receivables(db, kReceivableBalance), m_payables(db, kPayableBalance) {}

QString CompensationWriter::Write(const CompensationEntry& e) {
    const bool payables = !e.payables.empty();
    Cents total = 0;
    for (const auto& p : e.payables)
        total += p.value;
    for (const auto& c : e.credits)
        total += c.value;
    const int items = int(e.payables.size() + e.credits.size());

    // Balances first: the numbering rows below stay locked to the end, so every statement
    // before them is one that other writers of the company do not wait for.
    if (e.billOpen)
        m_receivables.Set(e.filiBolRec, e.nrLanBolRec, *e.billOpen - total);
    else
        m_receivables.Move(e.filiBolRec, e.nrLanBolRec, -total);
    for (const auto& p : e.payables) {
        if (p.open)
            m_payables.Set(p.filial, p.numero, *p.open - p.value);
        else
            m_payables.Move(p.filial, p.numero, -p.value);
    }

    // In the same order for every writer: these rows stay locked to the end.
    const QString numero = NextNumber(m_db, QStringLiteral("COMPCONTREC:") + e.empresa);
    const QString nrBaixaRec = NextNumber(m_db, QStringLiteral("BAIXAREC:") + e.filialProc);
    const QString nrBaixaPag =
        payables ? NextNumber(m_db, QStringLiteral("BAIXAPAG:") + e.filialProc) : QString();
    const QVariant none;

    m_comp.Insert({e.empresa,
                   numero,
                   e.filiBolRec,
                   e.nrLanBolRec,
                   e.cliente,
                   e.operador,
                   e.dtComp,
                   e.dtLanc,
                   e.dtBaixa,
                   e.tpBaixaRec,
                   e.ajuCtRec,
                   payables ? QVariant(e.tpBaixaPag) : none,
                   payables ? QVariant(e.ajuCtPag) : none,
                   e.reduCont,
                   payables ? QStringLiteral("0") : QStringLiteral("1"),
                   items,
                   CentsText(total),
                   e.filialProc,
                   nrBaixaRec,
                   payables ? QVariant(e.filialProc) : none,
                   payables ? QVariant(nrBaixaPag) : none});
    int itemNumber = 0;
    for (const auto& p : e.payables)
        m_item.Add(
            {e.empresa, numero, ++itemNumber, p.filial, p.numero, none, none, CentsText(p.value)});
    for (const auto& c : e.credits)
        m_item.Add({e.empresa, numero, ++itemNumber, none, none, c.reduCont, c.numero,
                    CentsText(c.value)});
    m_item.Flush();

    m_ajusteRec.Insert(
        {e.filiBolRec, e.nrLanBolRec, e.ajuCtRec, e.dtComp, CentsText(total), e.empresa, numero});
    for (const auto& p : e.payables)
        m_ajustePag.Add(
            {p.filial, p.numero, e.ajuCtPag, e.dtComp, CentsText(p.value), e.empresa, numero});
    m_ajustePag.Flush();

    m_baixaRec.Insert({e.filialProc, nrBaixaRec, e.filiBolRec, e.nrLanBolRec, e.empresa,
                       e.tpBaixaRec, e.reduCont, e.dtBaixa, CentsText(total), QStringLiteral("P"),
                       e.history, numero});
    if (payables) {
        m_baixaPag.Insert({e.filialProc, nrBaixaPag, e.empresa, e.tpBaixaPag, e.reduCont, e.dtBaixa,
                           CentsText(total), QStringLiteral("P"), e.history, numero});
        for (const auto& p : e.payables)
            m_itBaixaPag.Add({e.filialProc, nrBaixaPag, p.filial, p.numero, CentsText(p.value)});
        m_itBaixaPag.Flush();
    }
    m_audit.Insert({e.empresa, numero, QStringLiteral("G"), e.operador, e.when, e.filiBolRec,
                    e.nrLanBolRec, CentsText(total)});
    return numero;
}

bool RealiseSettlements(const QSqlDatabase& db, const QString& empresa, const QString& numero,
                        SettlementSide side) {
    int changed = 0;
    if (side != SettlementSide::Payables) {
        changed += Run(db,
                       QStringLiteral("UPDATE BAIXAREC SET IDSITBAIXA = 'R' WHERE CDEMPRESA = "
                                      ":CDEMPRESA AND NRLANCCOMPREC = :NRLANCCOMPREC"),
                       {{"CDEMPRESA", empresa}, {"NRLANCCOMPREC", numero}})
                       .numRowsAffected();
    }
    if (side != SettlementSide::Receivables) {
        changed += Run(db,
                       QStringLiteral("UPDATE BAIXAPAG SET IDSITBAIXA = 'R' WHERE CDEMPRESA = "
                                      ":CDEMPRESA AND NRLANCCOMPREC = :NRLANCCOMPREC"),
                       {{"CDEMPRESA", empresa}, {"NRLANCCOMPREC", numero}})
                       .numRowsAffected();
    }
    return changed > 0;
}

bool SendBillToBank(const QSqlDatabase& db, const QString& empresa, const QString& numero,
                    const QDate& when) {
    return Run(db,
               QStringLiteral("UPDATE BOLETOREC SET IDENVBANCO = 'S', DTENVBANCO = :DTENVBANCO "
                              "WHERE EXISTS (SELECT 1 FROM COMPCONTREC C WHERE C.CDEMPRESA = "
                              ":CDEMPRESA AND C.NRLANCCOMPREC = :NRLANCCOMPREC AND "
                              "C.CDFILIBOLREC = BOLETOREC.CDFILIBOLREC AND C.NRLANBOLREC = "
                              "BOLETOREC.NRLANBOLREC)"),
               {{"DTENVBANCO", when}, {"CDEMPRESA", empresa}, {"NRLANCCOMPREC", numero}})
               .numRowsAffected() > 0;
}

std::optional<CompensationKey> FindCompensation(const QSqlDatabase& db, const QString& text) {
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const QString empresa = colon < 0 ? QString() : text.left(colon).trimmed();
    QString numero = (colon < 0 ? text : text.mid(colon + 1)).trimmed();
    bool digits = false;
    const qint64 value = numero.toLongLong(&digits);
    if (digits)
        numero = PaddedNumber(value);
    QSqlQuery query = Run(db,
                          QStringLiteral("SELECT CDEMPRESA FROM COMPCONTREC WHERE NRLANCCOMPREC = "
                                         ":NRLANCCOMPREC AND CDEMPRESA = NVL(:CDEMPRESA, "
                                         "CDEMPRESA) ORDER BY CDEMPRESA"),
                          {{"NRLANCCOMPREC", numero}, {"CDEMPRESA", TextOrNull(empresa)}});
    if (!NextRow(query))
        return std::nullopt;
    CompensationKey key{query.value(0).toString(), numero};
    if (NextRow(query))
        return std::nullopt; // ambiguous without the company
    return key;
}

} // namespace store
