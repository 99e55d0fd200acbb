#include "register/filtrocheck.h"

#include "host/services/text.h"

namespace {

using Campo = FiltroRecusa::Campo;

std::optional<FiltroRecusa> CheckPeriod(const FiltroData& start, const FiltroData& end,
                                        Campo startSpot, Campo endSpot, bool required) {
    if (!start.valida)
        return FiltroRecusa{startSpot, QString()};
    if (!end.valida)
        return FiltroRecusa{endSpot, QString()};
    if (!required && start.data.isNull() && end.data.isNull())
        return std::nullopt;
    if (start.data.isNull())
        return FiltroRecusa{startSpot, QStringLiteral("DTINIINF")};
    if (end.data.isNull())
        return FiltroRecusa{endSpot, QStringLiteral("DTFININF")};
    if (end.data < start.data)
        return FiltroRecusa{startSpot, QStringLiteral("DTFINMENOR")};
    return std::nullopt;
}

} // namespace

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
