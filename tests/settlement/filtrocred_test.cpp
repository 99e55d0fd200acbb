// The credits filter's checks without the dialog: which fault comes first and where the focus
// goes.

#include "settlement/filtrocred.h"

#include <gtest/gtest.h>

namespace {

using Campo = FiltroCredRecusa::Campo;

const QDate kDec1(2026, 12, 1);
const QDate kDec7(2026, 12, 7);
const FiltroData kVazia{};
const FiltroData kTorta{QDate(), false}; // typed, but no date

FiltroCredEntrada Valido() {
    return {.dtLancIni = {kDec1}, .dtLancFin = {kDec7}};
}

FiltroCredEntrada With(auto change) {
    FiltroCredEntrada filtro = Valido();
    change(filtro);
    return filtro;
}

struct Caso {
    const char* name;
    FiltroCredEntrada filtro;
    std::optional<Campo> campo; // nothing: accepted
    const char* mensagem;
    friend void PrintTo(const Caso& c, std::ostream* os) { *os << c.name; }
};

class FiltroCredCheckTest : public ::testing::TestWithParam<Caso> {};

TEST_P(FiltroCredCheckTest, FirstFaultAndItsControl) {
    const Caso& caso = GetParam();
    const std::optional<FiltroCredRecusa> fault = FiltroLancCredCheck::Check(caso.filtro);
    ASSERT_EQ(fault.has_value(), caso.campo.has_value());
    if (!fault)
        return;
    EXPECT_EQ(fault->campo, *caso.campo);
    EXPECT_EQ(fault->mensagem, QString::fromLatin1(caso.mensagem));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, FiltroCredCheckTest,
    ::testing::Values(
        Caso{"Whole", Valido(), std::nullopt, ""},
        Caso{"NoDatesAtAll", With([](auto& f) { f.dtLancIni = f.dtLancFin = kVazia; }),
             std::nullopt, ""},
        Caso{"OnlyEnd", With([](auto& f) { f.dtLancIni = kVazia; }), Campo::DtLancIni, "DTINIINF"},
        Caso{"OnlyStart", With([](auto& f) { f.dtLancFin = kVazia; }), Campo::DtLancFin,
             "DTFININF"},
        Caso{"EndBeforeStartFocusesStart",
             With([](auto& f) { std::swap(f.dtLancIni, f.dtLancFin); }), Campo::DtLancIni,
             "DTFINMENOR"},
        Caso{"EndNoDate", With([](auto& f) { f.dtLancFin = kTorta; }), Campo::DtLancFin, ""},
        // An empty "to" reads 0: below any "from" above it.
        Caso{"ValueToBelowFrom", With([](auto& f) { f.valorIni = 10; }), Campo::ValorIni,
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
             Campo::DtLancFin, "DTFININF"},
        Caso{"TypeListEmpty", With([](auto& f) { f.listaTipo = true; }), Campo::ListaTipo,
             "TIPOINF"},
        Caso{"AccountListEmpty", With([](auto& f) {
                 f.listaTipo = true;
                 f.stTipo = "'C01'";
                 f.listaCCorr = true;
             }),
             Campo::ListaCCorr, "CCORRINF"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
