#include "offset/rules/payablesfilter.h"

#include "data/rounding.h"
#include "data/text.h"

namespace offset {

namespace {

using Spot = PayablesFilterFault::Spot;

// The due-date keys of this dialog for the shared period faults.
QString DueDateKey(const QString& periodKey) {
    if (periodKey == QLatin1String("DTINIINF"))
        return QStringLiteral("DtVencIni_inf");
    if (periodKey == QLatin1String("DTFININF"))
        return QStringLiteral("DtVencFin_inf");
    if (periodKey == QLatin1String("DTFINMENOR"))
        return QStringLiteral("DtVencIni_menor");
    return periodKey;
}

bool ListaVazia(bool lista, const QString& picked) {
    return lista && host::EmptyString(picked);
}

} // namespace

DocumentRange PayablesFilterCheck::Documentos(const QString& inicial, const QString& final) {
    const auto given = [](const QString& number) {
        return host::EmptyString(number) ? QString() : host::Ajusta(number, kDocWidth);
    };
    return {given(inicial), given(host::EmptyString(final) ? inicial : final)};
}

std::optional<PayablesFilterFault> PayablesFilterCheck::Check(const PayablesFilterInput& filtro) {
    if (ListaVazia(filtro.listaForn, filtro.stForneced))
        return PayablesFilterFault{Spot::ListaForn, QStringLiteral("Fornecedor_inf")};
    // The end is never blank once the start is given, so only the start can be missing.
    const DocumentRange docs = Documentos(filtro.docInicial, filtro.docFinal);
    if (docs.inicial.isEmpty() && !docs.final.isEmpty())
        return PayablesFilterFault{Spot::DocInicial, QStringLiteral("NumeIni_inf")};
    if (docs.inicial > docs.final)
        return PayablesFilterFault{Spot::DocInicial, QStringLiteral("NumeIni_menor")};
    if (ListaVazia(filtro.listaFiliOrig, filtro.stFiliOrig))
        return PayablesFilterFault{Spot::ListaFiliOrig, QStringLiteral("FiliOrig_inf")};
    if (ListaVazia(filtro.listaFiliLanc, filtro.stFiliLanc))
        return PayablesFilterFault{Spot::ListaFiliLanc, QStringLiteral("FiliLanc_inf")};
    if (const auto fault = reg::CheckPeriod(filtro.vencIni, filtro.vencFin, false))
        return PayablesFilterFault{fault->fim ? Spot::VencFin : Spot::VencIni,
                                   DueDateKey(fault->message)};
    if (ListaVazia(filtro.listaTipoBx, filtro.stTipoBx))
        return PayablesFilterFault{Spot::ListaTipoBx, QStringLiteral("FormRece_inf")};
    if (host::RoundDec(filtro.valorFin, 2) < host::RoundDec(filtro.valorIni, 2))
        return PayablesFilterFault{Spot::ValorIni, QStringLiteral("Valor_menor")};
    return std::nullopt;
}

} // namespace offset
