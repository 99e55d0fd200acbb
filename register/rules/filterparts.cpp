#include "register/rules/filterparts.h"

namespace reg {

std::optional<PeriodFault> CheckPeriod(const DateInput& inicio, const DateInput& fim,
                                       bool obrigatorio) {
    if (!inicio.valida)
        return PeriodFault{false, QString()};
    if (!fim.valida)
        return PeriodFault{true, QString()};
    if (!obrigatorio && inicio.data.isNull() && fim.data.isNull())
        return std::nullopt;
    if (inicio.data.isNull())
        return PeriodFault{false, QStringLiteral("DTINIINF")};
    if (fim.data.isNull())
        return PeriodFault{true, QStringLiteral("DTFININF")};
    if (fim.data < inicio.data)
        return PeriodFault{false, QStringLiteral("DTFINMENOR")};
    return std::nullopt;
}

} // namespace reg
