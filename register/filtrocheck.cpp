#include "register/filtrocheck.h"

#include "data/text.h"

namespace {

using Campo = FiltroRecusa::Campo;

std::optional<FiltroRecusa> CheckPeriod(const FiltroData& start, const FiltroData& end,
                                        Campo startSpot, Campo endSpot, bool required) {
    const std::optional<PeriodoRecusa> fault = CheckPeriodo(start, end, required);
    if (!fault)
        return std::nullopt;
    return FiltroRecusa{fault->fim ? endSpot : startSpot, fault->mensagem};
}

} // namespace

std::optional<PeriodoRecusa> CheckPeriodo(const FiltroData& inicio, const FiltroData& fim,
                                          bool obrigatorio) {
    if (!inicio.valida)
        return PeriodoRecusa{false, QString()};
    if (!fim.valida)
        return PeriodoRecusa{true, QString()};
    if (!obrigatorio && inicio.data.isNull() && fim.data.isNull())
        return std::nullopt;
    if (inicio.data.isNull())
        return PeriodoRecusa{false, QStringLiteral("DTINIINF")};
    if (fim.data.isNull())
        return PeriodoRecusa{true, QStringLiteral("DTFININF")};
    if (fim.data < inicio.data)
        return PeriodoRecusa{false, QStringLiteral("DTFINMENOR")};
    return std::nullopt;
}

std::optional<FiltroRecusa> FiltroCompRecCheck::Check(const FiltroEntrada& filtro) {
    if (auto fault = CheckPeriod(filtro.dtCompIni, filtro.dtCompFin, Campo::DtCompIni,
                                 Campo::DtCompFin, true))
        return fault;
    if (auto fault = CheckPeriod(filtro.dtLancIni, filtro.dtLancFin, Campo::DtLancIni,
                                 Campo::DtLancFin, false))
        return fault;
    if (filtro.listaOper && host::EmptyString(filtro.stOperLanc))
        return FiltroRecusa{Campo::ListaOper, QStringLiteral("OPERLANCINF")};
    if (filtro.listaClie && host::EmptyString(filtro.stCliente))
        return FiltroRecusa{Campo::ListaClie, QStringLiteral("CLIEINF")};
    return std::nullopt;
}
