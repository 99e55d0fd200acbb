// The credits filter's checks without the dialog: which fault comes first and where the focus
// goes.

#include "settlement/rules/creditfilter.h"

#include <gtest/gtest.h>

namespace {

using Spot = settlement::CreditFilterFault::Spot;

const QDate kDec1(2026, 12, 1);
const QDate kDec7(2026, 12, 7);
const reg::DateInput kVazia{};
const reg::DateInput kTorta{QDate(), false}; // typed, but no date

settlement::CreditFilterInput Valido() {
    return {.dtLancIni = {kDec1}, .dtLancFin = {kDec7}};
}

settlement::CreditFilterInput With(auto change) {
    settlement::CreditFilterInput filtro = Valido();
    change(filtro);
    return filtro;
}

struct Caso {
    const char* name;
    settlement::CreditFilterInput filtro;
    std::optional<Spot> spot; // nothing: accepted
    const char* message;
    friend void PrintTo(const Caso& c, std::ostream* os) { *os << c.name; }
};

class FiltroCredCheckTest : public ::testing::TestWithParam<Caso> {};

TEST_P(FiltroCredCheckTest, FirstFaultAndItsControl) {
    const Caso& caso = GetParam();
    const std::optional<settlement::CreditFilterFault> fault =
        settlement::CreditFilterCheck::Check(caso.filtro);
    ASSERT_EQ(fault.has_value(), caso.spot.has_value());
    if (!fault)
        return;
    EXPECT_EQ(fault->spot, *caso.spot);
    EXPECT_EQ(fault->message, QString::fromLatin1(caso.message));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, FiltroCredCheckTest,
    ::testing::Values(
        Caso{"Whole", Valido(), std::nullopt, ""},
        Caso{"NoDatesAtAll", With([](auto& f) { f.dtLancIni = f.dtLancFin = kVazia; }),
             std::nullopt, ""},
        Caso{"OnlyEnd", With([](auto& f) { f.dtLancIni = kVazia; }), Spot::DtLancIni, "DTINIINF"},
        Caso{"OnlyStart", With([](auto& f) { f.dtLancFin = kVazia; }), Spot::DtLancFin, "DTFININF"},
        Caso{"EndBeforeStartFocusesStart",
             With([](auto& f) { std::swap(f.dtLancIni, f.dtLancFin); }), Spot::DtLancIni,
             "DTFINMENOR"},
        Caso{"EndNoDate", With([](auto& f) { f.dtLancFin = kTorta; }), Spot::DtLancFin, ""},
        // An empty "to" reads 0: below any "from" above it.
        Caso{"ValueToBelowFrom", With([](auto& f) { f.valorIni = 10; }), Spot::ValorIni,
             "Valor_menor"},
        // Compared as sent: both are 10.00.
        Caso{"SameCentAfterRounding", With([](auto& f) {
                 f.valorIni = 10.004;
                 f.valorFin = 10.0;
             }),
             std::nullopt, ""},
        Caso{"DatesBeforeValues", With([](auto& f) {
                 f.dtLancFin = kVazia;
                 f.valorIni = 10;
             }),
             Spot::DtLancFin, "DTFININF"},
        Caso{"TypeListEmpty", With([](auto& f) { f.listaTipo = true; }), Spot::ListaTipo,
             "TIPOINF"},
        Caso{"AccountListEmpty", With([](auto& f) {
                 f.listaTipo = true;
                 f.stTipo = "'C01'";
                 f.listaCCorr = true;
             }),
             Spot::ListaCCorr, "CCORRINF"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
