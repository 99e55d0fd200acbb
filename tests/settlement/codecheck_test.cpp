// The check of a typed reference code without widgets: what a blank, a short and an unknown code
// become for each of the four types and the bank account.

#include "settlement/rules/codecheck.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using Action = settlement::CodeVerdict::Action;

struct Caso {
    const char* name;
    const settlement::CodeDef& def;
    const char* typed;
    bool obrigatorio;
    const char* existing; // the one code the look-up knows
    Action action;
    const char* codigo;  // normalised code (and what was looked up, if anything)
    const char* message; // refusal key
    friend void PrintTo(const Caso& c, std::ostream* os) { *os << c.name; }
};

class CodigoCheckTest : public ::testing::TestWithParam<Caso> {};

TEST_P(CodigoCheckTest, VerdictAndMessage) {
    const Caso& c = GetParam();
    std::optional<QString> lookedUp;
    const settlement::CodeVerdict v = settlement::CodeCheck::Check(
        c.def, QString::fromUtf8(c.typed), c.obrigatorio, [&](const QString& code) {
            lookedUp = code;
            return code == QLatin1String(c.existing);
        });
    EXPECT_EQ(v.action, c.action);
    EXPECT_EQ(v.code, QLatin1String(c.codigo));
    EXPECT_EQ(v.message, QLatin1String(c.message));
    // A blank code never reaches the look-up; any other is looked up as normalised.
    if (*c.codigo)
        EXPECT_EQ(lookedUp, QString::fromLatin1(c.codigo));
    else
        EXPECT_FALSE(lookedUp.has_value());
}

const settlement::CodeDef& BxR = settlement::CodeCheck::Type(settlement::CodeType::BaixaRec);
const settlement::CodeDef& AjR = settlement::CodeCheck::Type(settlement::CodeType::AjusteRec);
const settlement::CodeDef& AjP = settlement::CodeCheck::Type(settlement::CodeType::AjustePag);
const settlement::CodeDef& CC = settlement::CodeCheck::Account();

INSTANTIATE_TEST_SUITE_P(
    Casos, CodigoCheckTest,
    ::testing::Values(
        // Leaving a blank code passes; confirming it names the missing code.
        Caso{"BxRBlankLeaving", BxR, "  ", false, "01", Action::Accept, "", ""},
        Caso{"BxRBlankConfirming", BxR, "", true, "01", Action::Refuse, "", "TIPORECNULL"},
        Caso{"CCBlankLeaving", CC, "", false, "BB1", Action::Accept, "", ""},
        Caso{"CCBlankConfirming", CC, "", true, "BB1", Action::Refuse, "", "CONTCORRNULL"},
        // Digits are padded to the code's width before the look-up.
        Caso{"BxRDigitPadded", BxR, "1", false, "01", Action::Found, "01", ""},
        Caso{"AjRSevenIs0007", AjR, "7", false, "0007", Action::Found, "0007", ""},
        Caso{"AjPSevenIs0007", AjP, "7 ", true, "0007", Action::Found, "0007", ""},
        Caso{"CCDigitsPaddedToThree", CC, "4", false, "004", Action::Found, "004", ""},
        Caso{"CCLettersOnlyTrimmed", CC, " BB1 ", false, "BB1", Action::Found, "BB1", ""},
        // Not among the qualifying rows.
        Caso{"BxRUnknown", BxR, "02", false, "01", Action::Refuse, "02", "TIPORECNCAD"},
        Caso{"CCOtherCompanys", CC, "BR1", false, "BB1", Action::Refuse, "BR1", "CONTCORRNCAD"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
