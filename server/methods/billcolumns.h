#pragma once

#include "server/methods/querytable.h"

#include <array>

namespace rec18000 {

// A receivable bill as the entry's bill list shows it, in the screen's field order. Its net
// value is the bill's open balance now: what a compensation may still settle. Every row comes
// unmarked.
inline constexpr std::array kBillColumns = {
    FlagColumn("IDMARCADO"),          DateTextColumn("VENCIMENTO", 10),
    TextColumn("DOCUMENTO", 26),      TextColumn("NRINSJURCLIE", 20),
    TextColumn("NMRAZSOCCLIE", 50),   TextColumn("NRSEQVENREC", 2),
    TextColumn("NRPARCELAREC", 2),    MoneyTextColumn("VRORIGINAL", 40),
    MoneyTextColumn("VRLIQUIDO", 40), NumberColumn("VRORIGREC"),
    NumberColumn("VRFINALBREC"),      TextColumn("CDFIMOVFLREC", 4),
    TextColumn("CDCLASSFINA", 6),     DateColumn("DTENTRSAID"),
    DateColumn("DTMOVFLUXO"),         DateColumn("DTVENBOLREC"),
    TextColumn("NRNOTAFISC", 20),     TextColumn("CDSERIE", 5),
    TextColumn("CDFILIEMIT", 4),      TextColumn("NMFILIAL", 30),
    TextColumn("CDFILIBOLREC", 4),    TextColumn("NRLANBOLREC", 10),
    TextColumn("IDTPIJURCLIE", 1),    TextColumn("CDCLIENTE", 21),
    TextColumn("CDFILIAL", 4),        TextColumn("NRLANCTONF", 10),
    TextColumn("CDEMPRESA", 2),
};

// The selected columns of kBillColumns over BOLETOREC B, CLIENTE CL and FILIAL F (the issuing
// branch), up to FROM.
inline const QString kBillSelect =
    QStringLiteral(
        "SELECT 'N', B.DTVENBOLREC, %1, "
        "CL.NRINSJURCLIE, CL.NMRAZSOCCLIE, B.NRSEQVENREC, B.NRPARCELAREC, B.VRORIGREC, "
        "B.VRSALDOBREC, B.VRORIGREC, B.VRSALDOBREC, B.CDFIMOVFLREC, B.CDCLASSFINA, B.DTENTRSAID, "
        "B.DTMOVFLUXO, B.DTVENBOLREC, B.NRNOTAFISC, B.CDSERIE, B.CDFILIEMIT, F.NMFILIAL, "
        "B.CDFILIBOLREC, B.NRLANBOLREC, CL.IDTPIJURCLIE, B.CDCLIENTE, B.CDFILIAL, B.NRLANCTONF, "
        "B.CDEMPRESA ")
        .arg(DocumentSql("B"));

} // namespace rec18000
