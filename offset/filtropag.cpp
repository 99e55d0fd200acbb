#include "offset/filtropag.h"

#include "data/rounding.h"
#include "data/text.h"

namespace {

using Campo = FiltroPagRecusa::Campo;

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

FiltroPagDocumentos FiltroCntPagarCheck::Documentos(const QString& inicial, const QString& final) {
    const auto given = [](const QString& number) {
        return host::EmptyString(number) ? QString() : host::Ajusta(number, kDocWidth);
    };
    return {given(inicial), given(host::EmptyString(final) ? inicial : final)};
}

std::optional<FiltroPagRecusa> FiltroCntPagarCheck::Check(const FiltroPagEntrada& filtro) {
    if (ListaVazia(filtro.listaForn, filtro.stForneced))
        return FiltroPagRecusa{Campo::ListaForn, QStringLiteral("Fornecedor_inf")};
    // The end is never blank once the start is given, so only the start can be missing.
    const FiltroPagDocumentos docs = Documentos(filtro.docInicial, filtro.docFinal);
    if (docs.inicial.isEmpty() && !docs.final.isEmpty())
        return FiltroPagRecusa{Campo::DocInicial, QStringLiteral("NumeIni_inf")};
    if (docs.inicial > docs.final)
        return FiltroPagRecusa{Campo::DocInicial, QStringLiteral("NumeIni_menor")};
    if (ListaVazia(filtro.listaFiliOrig, filtro.stFiliOrig))
        return FiltroPagRecusa{Campo::ListaFiliOrig, QStringLiteral("FiliOrig_inf")};
    if (ListaVazia(filtro.listaFiliLanc, filtro.stFiliLanc))
        return FiltroPagRecusa{Campo::ListaFiliLanc, QStringLiteral("FiliLanc_inf")};
    if (const auto fault = CheckPeriodo(filtro.vencIni, filtro.vencFin, false))
        return FiltroPagRecusa{fault->fim ? Campo::VencFin : Campo::VencIni,
                               DueDateKey(fault->mensagem)};
    if (ListaVazia(filtro.listaTipoBx, filtro.stTipoBx))
        return FiltroPagRecusa{Campo::ListaTipoBx, QStringLiteral("FormRece_inf")};
    if (host::RoundDec(filtro.valorFin, 2) < host::RoundDec(filtro.valorIni, 2))
        return FiltroPagRecusa{Campo::ValorIni, QStringLiteral("Valor_menor")};
    return std::nullopt;
}
