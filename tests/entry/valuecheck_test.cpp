// The total against the chosen bill's net value, to the cent.

#include "entry/rules/valuecheck.h"

#include <gtest/gtest.h>

namespace {

using entry::ValueCheck;
using Verdict = ValueCheck::Verdict;

struct Case {
    const char* name;
    double total;
    double billNet;
    Verdict verdict;
    const char* message;
};

class ValueCheckTest : public testing::TestWithParam<Case> {};

TEST_P(ValueCheckTest, GivesTheVerdictOfTheRoundedValues) {
    const Case& c = GetParam();
    const ValueCheck check(c.total, c.billNet);
    EXPECT_EQ(check.verdict(), c.verdict);
    EXPECT_EQ(check.message(), QString::fromLatin1(c.message));
    EXPECT_EQ(check.showsBill(), check.message() == QStringLiteral("VRCOMPMAIOR"));
}

INSTANTIATE_TEST_SUITE_P(
    Totals, ValueCheckTest,
    testing::Values(Case{"RoundsToZero", 0.004, 100.0, Verdict::Refused, "VRCOMPZERO"},
                    Case{"Negative", -5.0, 100.0, Verdict::Refused, "VRCOMPZERO"},
                    Case{"NullTotal", 0.0, 100.0, Verdict::Refused, "VRCOMPZERO"},
                    Case{"OneCentBelow", 99.99, 100.0, Verdict::Fine, ""},
                    Case{"WholeNetValue", 100.0, 100.0, Verdict::WholeBill, ""},
                    Case{"SumThatDriftsInBinary", 0.1 + 0.2, 0.3, Verdict::WholeBill, ""},
                    Case{"JustAboveRoundsToTheNetValue", 100.004, 100.0, Verdict::WholeBill, ""},
                    Case{"HalfCentRoundsUp", 1.005, 1.01, Verdict::WholeBill, ""},
                    Case{"OneCentAbove", 100.01, 100.0, Verdict::Refused, "VRCOMPMAIOR"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
