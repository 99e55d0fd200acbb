// The payables filter's checks without the dialog: which fault comes first, where the focus goes,
// and the document range as it is compared and sent.

#include "offset/rules/payablesfilter.h"

#include <gtest/gtest.h>

namespace {

using Spot = offset::PayablesFilterFault::Spot;

const reg::DateInput kDec1{QDate(2026, 12, 1)};
const reg::DateInput kDec7{QDate(2026, 12, 7)};

offset::PayablesFilterInput With(auto change) {
    offset::PayablesFilterInput filtro{.vencIni = kDec1, .vencFin = kDec7};
    change(filtro);
    return filtro;
}

struct Caso {
    const char* name;
    offset::PayablesFilterInput filtro;
    std::optional<Spot> spot; // nothing: accepted
    const char* message;
    friend void PrintTo(const Caso& c, std::ostream* os) { *os << c.name; }
};

class FiltroPagCheckTest : public ::testing::TestWithParam<Caso> {};

TEST_P(FiltroPagCheckTest, FirstFaultAndItsControl) {
    const Caso& caso = GetParam();
    const std::optional<offset::PayablesFilterFault> fault =
        offset::PayablesFilterCheck::Check(caso.filtro);
    ASSERT_EQ(fault.has_value(), caso.spot.has_value());
    if (!fault)
        return;
    EXPECT_EQ(fault->spot, *caso.spot);
    EXPECT_EQ(fault->message, QString::fromLatin1(caso.message));
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
             Spot::ListaForn, "Fornecedor_inf"},
        Caso{"OnlyFinalNumber", With([](auto& f) { f.docFinal = "7"; }), Spot::DocInicial,
             "NumeIni_inf"},
        // Unpadded, "20" would sort before "3".
        Caso{"NumbersComparedPadded", With([](auto& f) {
                 f.docInicial = "20";
                 f.docFinal = "3";
             }),
             Spot::DocInicial, "NumeIni_menor"},
        Caso{"OnlyInitialNumber", With([](auto& f) { f.docInicial = "20"; }), std::nullopt, ""},
        Caso{"OriginBranchListEmpty", With([](auto& f) { f.listaFiliOrig = true; }),
             Spot::ListaFiliOrig, "FiliOrig_inf"},
        Caso{"PostingBranchListEmpty", With([](auto& f) {
                 f.listaFiliLanc = true;
                 f.stFiliOrig = "0001";
             }),
             Spot::ListaFiliLanc, "FiliLanc_inf"},
        Caso{"OnlyDueEnd", With([](auto& f) { f.vencIni = {}; }), Spot::VencIni, "DtVencIni_inf"},
        Caso{"OnlyDueStart", With([](auto& f) { f.vencFin = {}; }), Spot::VencFin, "DtVencFin_inf"},
        Caso{"DueEndBeforeStart", With([](auto& f) { f.vencFin = kDec1, f.vencIni = kDec7; }),
             Spot::VencIni, "DtVencIni_menor"},
        Caso{"DueDatesEqual", With([](auto& f) { f.vencFin = kDec1; }), std::nullopt, ""},
        Caso{"NoDueDates", With([](auto& f) { f.vencIni = f.vencFin = {}; }), std::nullopt, ""},
        Caso{"TypeListEmpty", With([](auto& f) { f.listaTipoBx = true; }), Spot::ListaTipoBx,
             "FormRece_inf"},
        Caso{"ValueEndBelowStart", With([](auto& f) { f.valorIni = 10; }), Spot::ValorIni,
             "Valor_menor"},
        Caso{"ValuesEqualToTheCent", With([](auto& f) {
                 f.valorIni = 10.004;
                 f.valorFin = 10.0;
             }),
             std::nullopt, ""}),
    [](const ::testing::TestParamInfo<Caso>& info) { return std::string(info.param.name); });

TEST(DocumentRange, ABlankEndRepeatsTheStartAndDigitsArePaddedToTen) {
    const offset::DocumentRange only = offset::PayablesFilterCheck::Documentos(" 123", "");
    EXPECT_EQ(only.inicial, "0000000123");
    EXPECT_EQ(only.final, "0000000123");
    const offset::DocumentRange none = offset::PayablesFilterCheck::Documentos("", "");
    EXPECT_EQ(none.inicial, QString());
    EXPECT_EQ(none.final, QString());
    EXPECT_EQ(offset::PayablesFilterCheck::Documentos("NF1", "").final, "NF1");
}

} // namespace
