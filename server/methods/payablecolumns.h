#pragma once

#include "server/methods/querytable.h"

#include <array>

namespace rec18000 {

// A payable bill as the entry's payables list shows it, in the screen's field order. Its net
// value is the bill's open balance now; every row comes unmarked.
inline constexpr std::array kPayableColumns = {
    DateColumn("DTVENBOLPAG"),      TextColumn("DOCUMENTO", 26),   TextColumn("NRINSJURFORN", 20),
    TextColumn("NMRAZSOCFORN", 40), TextColumn("NRSEQVENPAG", 2),  TextColumn("NRPARCELAPAG", 2),
    TextColumn("NMTPBAIXAPAG", 50), NumberColumn("VRFINALBPAG"),   NumberColumn("VRITEMCOMPREC"),
    FlagColumn("IDMARCADO"),        TextColumn("CDFILIBPAG", 4),   TextColumn("NRLANBOLPAG", 10),
    TextColumn("CDTPBAIXAPAG", 2),  TextColumn("IDTPIJURFORN", 1), TextColumn("CDFORNECED", 21),
    TextColumn("CDFILIAL", 4),      TextColumn("NRLANCTONF", 10),  NumberColumn("VRORIGPAG"),
    TextColumn("CDFIMOVFLPAG", 4),  TextColumn("CDCLASSFINA", 6),  DateColumn("DTMOVFLUXO"),
    TextColumn("CDEMPRESA", 2),     DateColumn("DTENTRSAID"),
};

// The selected columns of kPayableColumns over BOLETOPAG P, FORNECEDOR F and TIPOBAIXAPAG T,
// through the joins; itemValue is what fills VRITEMCOMPREC.
inline QString PayableSelect(const QString& itemValue) {
    return QStringLiteral(
               "SELECT P.DTVENBOLPAG, %1, F.NRINSJURFORN, "
               "F.NMRAZSOCFORN, P.NRSEQVENPAG, P.NRPARCELAPAG, T.NMTPBAIXAPAG, P.VRSALDOBPAG, "
               "%2, 'N', P.CDFILIBPAG, P.NRLANBOLPAG, P.CDTPBAIXAPAG, F.IDTPIJURFORN, "
               "P.CDFORNECED, P.CDFILIAL, P.NRLANCTONF, P.VRORIGPAG, P.CDFIMOVFLPAG, "
               "P.CDCLASSFINA, P.DTMOVFLUXO, P.CDEMPRESA, P.DTENTRSAID "
               "FROM BOLETOPAG P "
               "JOIN FORNECEDOR F ON F.CDFORNECED = P.CDFORNECED "
               "JOIN TIPOBAIXAPAG T ON T.CDTPBAIXAPAG = P.CDTPBAIXAPAG ")
        .arg(DocumentSql("P"), itemValue);
}

} // namespace rec18000
