#include "register/rules/listfilter.h"

#include "data/text.h"

namespace reg {

namespace {

using Spot = ListFilterFault::Spot;

std::optional<ListFilterFault> CheckPeriod(const DateInput& start, const DateInput& end,
                                           Spot startSpot, Spot endSpot, bool required) {
    const std::optional<PeriodFault> fault = CheckPeriod(start, end, required);
    if (!fault)
        return std::nullopt;
    return ListFilterFault{fault->fim ? endSpot : startSpot, fault->message};
}

} // namespace

std::optional<ListFilterFault> ListFilterCheck::Check(const ListFilterInput& filtro) {
    if (auto fault =
            CheckPeriod(filtro.dtCompIni, filtro.dtCompFin, Spot::DtCompIni, Spot::DtCompFin, true))
        return fault;
    if (auto fault = CheckPeriod(filtro.dtLancIni, filtro.dtLancFin, Spot::DtLancIni,
                                 Spot::DtLancFin, false))
        return fault;
    if (filtro.listaOper && host::EmptyString(filtro.stOperLanc))
        return ListFilterFault{Spot::ListaOper, QStringLiteral("OPERLANCINF")};
    if (filtro.listaClie && host::EmptyString(filtro.stCliente))
        return ListFilterFault{Spot::ListaClie, QStringLiteral("CLIEINF")};
    return std::nullopt;
}

} // namespace reg
