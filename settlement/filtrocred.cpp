#include "settlement/filtrocred.h"

#include "data/rounding.h"
#include "data/text.h"

std::optional<FiltroCredRecusa> FiltroLancCredCheck::Check(const FiltroCredEntrada& filtro) {
    using Campo = FiltroCredRecusa::Campo;
    if (const auto fault = CheckPeriodo(filtro.dtLancIni, filtro.dtLancFin, false))
        return FiltroCredRecusa{fault->fim ? Campo::DtLancFin : Campo::DtLancIni, fault->mensagem};
    if (host::RoundDec(filtro.valorFin, 2) < host::RoundDec(filtro.valorIni, 2))
        return FiltroCredRecusa{Campo::ValorIni, QStringLiteral("Valor_menor")};
    if (filtro.listaTipo && host::EmptyString(filtro.stTipo))
        return FiltroCredRecusa{Campo::ListaTipo, QStringLiteral("TIPOINF")};
    if (filtro.listaCCorr && host::EmptyString(filtro.stCCorr))
        return FiltroCredRecusa{Campo::ListaCCorr, QStringLiteral("CCORRINF")};
    return std::nullopt;
}
