// The payables filter's checks without the dialog: which fault comes first, where the focus goes,
// and the document range as it is compared and sent.

#include "offset/filtropag.h"

#include <gtest/gtest.h>

namespace {

using Campo = FiltroPagRecusa::Campo;

const FiltroData kDec1{QDate(2026, 12, 1)};
const FiltroData kDec7{QDate(2026, 12, 7)};

FiltroPagEntrada With(auto change) {
    FiltroPagEntrada filtro{.vencIni = kDec1, .vencFin = kDec7};
    change(filtro);
    return filtro;
}

struct Caso {
    const char* name;
    FiltroPagEntrada filtro;
    std::optional<Campo> campo; // nothing: accepted
    const char* mensagem;
    friend void PrintTo(const Caso& c, std::ostream* os) { *os << c.name; }
};

class FiltroPagCheckTest : public ::testing::TestWithParam<Caso> {};

TEST_P(FiltroPagCheckTest, FirstFaultAndItsControl) {
    const Caso& caso = GetParam();
    const std::optional<FiltroPagRecusa> fault = FiltroCntPagarCheck::Check(caso.filtro);
    ASSERT_EQ(fault.has_value(), caso.campo.has_value());
    if (!fault)
        return;
    EXPECT_EQ(fault->campo, *caso.campo);
    EXPECT_EQ(fault->mensagem, QString::fromLatin1(caso.mensagem));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, FiltroPagCheckTest,
    ::testing::Values(
        Caso{"Defaults", With([](auto&) {}), std::nullopt, ""},
        Caso{"SupplierListEmptyBeforeAnythingElse", With([](auto& f) {
                 f.listaForn = true;
                 f.docFinal = "1";
                 f.listaTipoBx = true;
             }),
             Campo::ListaForn, "Fornecedor_inf"},
        Caso{"OnlyFinalNumber", With([](auto& f) { f.docFinal = "7"; }), Campo::DocInicial,
             "NumeIni_inf"},
        // Unpadded, "20" would sort before "3".
        Caso{"NumbersComparedPadded", With([](auto& f) {
                 f.docInicial = "20";
                 f.docFinal = "3";
             }),
             Campo::DocInicial, "NumeIni_menor"},
        Caso{"OnlyInitialNumber", With([](auto& f) { f.docInicial = "20"; }), std::nullopt, ""},
        Caso{"OriginBranchListEmpty", With([](auto& f) { f.listaFiliOrig = true; }),
             Campo::ListaFiliOrig, "FiliOrig_inf"},
        Caso{"PostingBranchListEmpty", With([](auto& f) {
                 f.listaFiliLanc = true;
                 f.stFiliOrig = "0001";
             }),
             Campo::ListaFiliLanc, "FiliLanc_inf"},
        Caso{"OnlyDueEnd", With([](auto& f) { f.vencIni = {}; }), Campo::VencIni, "DtVencIni_inf"},
        Caso{"OnlyDueStart", With([](auto& f) { f.vencFin = {}; }), Campo::VencFin,
             "DtVencFin_inf"},
        Caso{"DueEndBeforeStart", With([](auto& f) { f.vencFin = kDec1, f.vencIni = kDec7; }),
             Campo::VencIni, "DtVencIni_menor"},
        Caso{"DueDatesEqual", With([](auto& f) { f.vencFin = kDec1; }), std::nullopt, ""},
        Caso{"NoDueDates", With([](auto& f) { f.vencIni = f.vencFin = {}; }), std::nullopt, ""},
        Caso{"TypeListEmpty", With([](auto& f) { f.listaTipoBx = true; }), Campo::ListaTipoBx,
             "FormRece_inf"},
        Caso{"ValueEndBelowStart", With([](auto& f) { f.valorIni = 10; }), Campo::ValorIni,
             "Valor_menor"},
        Caso{"ValuesEqualToTheCent", With([](auto& f) {
                 f.valorIni = 10.004;
                 f.valorFin = 10.0;
             }),
             std::nullopt, ""}),
    [](const ::testing::TestParamInfo<Caso>& info) { return std::string(info.param.name); });

TEST(FiltroPagDocumentos, ABlankEndRepeatsTheStartAndDigitsArePaddedToTen) {
    const FiltroPagDocumentos only = FiltroCntPagarCheck::Documentos(" 123", "");
    EXPECT_EQ(only.inicial, "0000000123");
    EXPECT_EQ(only.final, "0000000123");
    const FiltroPagDocumentos none = FiltroCntPagarCheck::Documentos("", "");
    EXPECT_EQ(none.inicial, QString());
    EXPECT_EQ(none.final, QString());
    EXPECT_EQ(FiltroCntPagarCheck::Documentos("NF1", "").final, "NF1");
}

} // namespace
