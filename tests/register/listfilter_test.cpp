// The list filter's checks without the dialog: which fault comes first and where the focus goes.

#include "register/rules/listfilter.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using Spot = reg::ListFilterFault::Spot;

const QDate kDec1(2026, 12, 1);
const QDate kDec7(2026, 12, 7);
const reg::DateInput kVazia{};
const reg::DateInput kTorta{QDate(), false}; // typed, but no date

reg::ListFilterInput Valido() {
    return {.dtCompIni = {kDec1}, .dtCompFin = {kDec7}};
}

struct Caso {
    const char* name;
    reg::ListFilterInput filtro;
    std::optional<Spot> spot; // nothing: accepted
    const char* message;
    friend void PrintTo(const Caso& caso, std::ostream* os) { *os << caso.name; }
};

class ListFilterCheckTest : public ::testing::TestWithParam<Caso> {};

TEST_P(ListFilterCheckTest, FirstFaultAndItsControl) {
    const Caso& caso = GetParam();
    const std::optional<reg::ListFilterFault> fault = reg::ListFilterCheck::Check(caso.filtro);
    ASSERT_EQ(fault.has_value(), caso.spot.has_value());
    if (!fault)
        return;
    EXPECT_EQ(fault->spot, *caso.spot);
    EXPECT_EQ(fault->message, QString::fromLatin1(caso.message));
}

reg::ListFilterInput With(auto change) {
    reg::ListFilterInput filtro = Valido();
    change(filtro);
    return filtro;
}

INSTANTIATE_TEST_SUITE_P(
    Casos, ListFilterCheckTest,
    ::testing::Values(
        Caso{"Whole", Valido(), std::nullopt, ""},
        Caso{"OneDayPeriod", With([](auto& f) { f.dtCompFin = {kDec1}; }), std::nullopt, ""},
        Caso{"CompStartMissing", With([](auto& f) { f.dtCompIni = kVazia; }), Spot::DtCompIni,
             "DTINIINF"},
        Caso{"CompEndMissing", With([](auto& f) { f.dtCompFin = kVazia; }), Spot::DtCompFin,
             "DTFININF"},
        Caso{"CompBothMissingIsRequired", With([](auto& f) { f.dtCompIni = f.dtCompFin = kVazia; }),
             Spot::DtCompIni, "DTINIINF"},
        Caso{"CompEndsBeforeStartFocusesStart",
             With([](auto& f) { std::swap(f.dtCompIni, f.dtCompFin); }), Spot::DtCompIni,
             "DTFINMENOR"},
        Caso{"EntryBegunMustBeWhole", With([](auto& f) { f.dtLancIni = {kDec1}; }), Spot::DtLancFin,
             "DTFININF"},
        Caso{"EntryEndAloneLacksStart", With([](auto& f) { f.dtLancFin = {kDec1}; }),
             Spot::DtLancIni, "DTINIINF"},
        Caso{"EntryEndsBeforeStart", With([](auto& f) {
                 f.dtLancIni = {kDec7};
                 f.dtLancFin = {kDec1};
             }),
             Spot::DtLancIni, "DTFINMENOR"},
        Caso{"TypedWrongIsLeftToItsEdit", With([](auto& f) { f.dtCompFin = kTorta; }),
             Spot::DtCompFin, ""},
        Caso{"CompPeriodBeforeEntryDateTypedWrong", With([](auto& f) {
                 f.dtCompIni = kVazia;
                 f.dtLancIni = kTorta;
             }),
             Spot::DtCompIni, "DTINIINF"},
        Caso{"DatesBeforeLists", With([](auto& f) {
                 f.dtLancIni = {kDec1};
                 f.listaOper = true;
             }),
             Spot::DtLancFin, "DTFININF"},
        Caso{"BlankOperatorList", With([](auto& f) {
                 f.listaOper = true;
                 f.stOperLanc = QStringLiteral("  ");
             }),
             Spot::ListaOper, "OPERLANCINF"},
        Caso{"OperatorListBeforeCustomerList",
             With([](auto& f) { f.listaOper = f.listaClie = true; }), Spot::ListaOper,
             "OPERLANCINF"},
        Caso{"EmptyCustomerList", With([](auto& f) { f.listaClie = true; }), Spot::ListaClie,
             "CLIEINF"},
        Caso{"ListsGiven", With([](auto& f) {
                 f.listaOper = f.listaClie = true;
                 f.stOperLanc = QStringLiteral("'ADMIN'");
                 f.stCliente = QStringLiteral("'0001'");
             }),
             std::nullopt, ""}),
    [](const ::testing::TestParamInfo<Caso>& info) { return std::string(info.param.name); });

} // namespace
