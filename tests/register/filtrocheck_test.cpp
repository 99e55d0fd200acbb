// The list filter's checks without the dialog: which fault comes first and where the focus goes.

#include "register/filtrocheck.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using Campo = FiltroRecusa::Campo;

const QDate kDec1(2026, 12, 1);
const QDate kDec7(2026, 12, 7);
const FiltroData kVazia{};
const FiltroData kTorta{QDate(), false}; // typed, but no date

FiltroEntrada Valido() {
    return {.dtCompIni = {kDec1}, .dtCompFin = {kDec7}};
}

struct Caso {
    const char* name;
    FiltroEntrada filtro;
    std::optional<Campo> campo; // nothing: accepted
    const char* mensagem;
    friend void PrintTo(const Caso& caso, std::ostream* os) { *os << caso.name; }
};

class FiltroCheckTest : public ::testing::TestWithParam<Caso> {};

TEST_P(FiltroCheckTest, FirstFaultAndItsControl) {
    const Caso& caso = GetParam();
    const std::optional<FiltroRecusa> fault = FiltroCompRecCheck::Check(caso.filtro);
    ASSERT_EQ(fault.has_value(), caso.campo.has_value());
    if (!fault)
        return;
    EXPECT_EQ(fault->campo, *caso.campo);
    EXPECT_EQ(fault->mensagem, QString::fromLatin1(caso.mensagem));
}

FiltroEntrada With(auto change) {
    FiltroEntrada filtro = Valido();
    change(filtro);
    return filtro;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, FiltroCheckTest,
    ::testing::Values(
        Caso{"Whole", Valido(), std::nullopt, ""},
        Caso{"OneDayPeriod", With([](auto& f) { f.dtCompFin = {kDec1}; }), std::nullopt, ""},
        Caso{"CompStartMissing", With([](auto& f) { f.dtCompIni = kVazia; }), Campo::DtCompIni,
             "DTINIINF"},
        Caso{"CompEndMissing", With([](auto& f) { f.dtCompFin = kVazia; }), Campo::DtCompFin,
             "DTFININF"},
        Caso{"CompBothMissingIsRequired", With([](auto& f) { f.dtCompIni = f.dtCompFin = kVazia; }),
             Campo::DtCompIni, "DTINIINF"},
        Caso{"CompEndsBeforeStartFocusesStart",
             With([](auto& f) { std::swap(f.dtCompIni, f.dtCompFin); }), Campo::DtCompIni,
             "DTFINMENOR"},
        Caso{"EntryBegunMustBeWhole", With([](auto& f) { f.dtLancIni = {kDec1}; }),
             Campo::DtLancFin, "DTFININF"},
        Caso{"EntryEndAloneLacksStart", With([](auto& f) { f.dtLancFin = {kDec1}; }),
             Campo::DtLancIni, "DTINIINF"},
        Caso{"EntryEndsBeforeStart", With([](auto& f) {
                 f.dtLancIni = {kDec7};
                 f.dtLancFin = {kDec1};
             }),
             Campo::DtLancIni, "DTFINMENOR"},
        Caso{"TypedWrongIsLeftToItsEdit", With([](auto& f) { f.dtCompFin = kTorta; }),
             Campo::DtCompFin, ""},
        Caso{"CompPeriodBeforeEntryDateTypedWrong", With([](auto& f) {
                 f.dtCompIni = kVazia;
                 f.dtLancIni = kTorta;
             }),
             Campo::DtCompIni, "DTINIINF"},
        Caso{"DatesBeforeLists", With([](auto& f) {
                 f.dtLancIni = {kDec1};
                 f.listaOper = true;
             }),
             Campo::DtLancFin, "DTFININF"},
        Caso{"BlankOperatorList", With([](auto& f) {
                 f.listaOper = true;
                 f.stOperLanc = QStringLiteral("  ");
             }),
             Campo::ListaOper, "OPERLANCINF"},
        Caso{"OperatorListBeforeCustomerList",
             With([](auto& f) { f.listaOper = f.listaClie = true; }), Campo::ListaOper,
             "OPERLANCINF"},
        Caso{"EmptyCustomerList", With([](auto& f) { f.listaClie = true; }), Campo::ListaClie,
             "CLIEINF"},
        Caso{"ListsGiven", With([](auto& f) {
                 f.listaOper = f.listaClie = true;
                 f.stOperLanc = QStringLiteral("'ADMIN'");
                 f.stCliente = QStringLiteral("'0001'");
             }),
             std::nullopt, ""}),
    [](const ::testing::TestParamInfo<Caso>& info) { return std::string(info.param.name); });

} // namespace
