#include "settlement/rules/creditfilter.h"

#include "data/rounding.h"
#include "data/text.h"

namespace settlement {

std::optional<CreditFilterFault> CreditFilterCheck::Check(const CreditFilterInput& filtro) {
    using Spot = CreditFilterFault::Spot;
    if (const auto fault = reg::CheckPeriod(filtro.dtLancIni, filtro.dtLancFin, false))
        return CreditFilterFault{fault->fim ? Spot::DtLancFin : Spot::DtLancIni, fault->message};
    if (host::RoundDec(filtro.valorFin, 2) < host::RoundDec(filtro.valorIni, 2))
        return CreditFilterFault{Spot::ValorIni, QStringLiteral("Valor_menor")};
    if (filtro.listaTipo && host::EmptyString(filtro.stTipo))
        return CreditFilterFault{Spot::ListaTipo, QStringLiteral("TIPOINF")};
    if (filtro.listaCCorr && host::EmptyString(filtro.stCCorr))
        return CreditFilterFault{Spot::ListaCCorr, QStringLiteral("CCORRINF")};
    return std::nullopt;
}

} // namespace settlement
