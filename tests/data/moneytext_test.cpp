#include "data/moneytext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>

namespace {

struct CentsCase {
    std::int64_t cents;
    const char* text;
    friend void PrintTo(const CentsCase& c, std::ostream* os) { *os << c.text; }
};

class MoneyTextOfCentsTest : public ::testing::TestWithParam<CentsCase> {};

TEST_P(MoneyTextOfCentsTest, GroupsThousandsAndKeepsTheSign) {
    EXPECT_EQ(host::MoneyTextOfCents(GetParam().cents), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Cases, MoneyTextOfCentsTest,
                         ::testing::Values(CentsCase{123456, "1.234,56"}, CentsCase{0, "0,00"},
                                           CentsCase{7, "0,07"}, CentsCase{-5, "-0,05"},
                                           CentsCase{-123450, "-1.234,50"},
                                           CentsCase{100000000, "1.000.000,00"},
                                           CentsCase{std::numeric_limits<std::int64_t>::min(),
                                                     "-92.233.720.368.547.758,08"}));

TEST(MoneyTextOfCents, UsesTheGivenLocale) {
    EXPECT_EQ(host::MoneyTextOfCents(-123405, QLocale(QLocale::English, QLocale::UnitedStates)),
              "-1,234.05");
}

} // namespace
