#include "host/services/money.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct MoneyCase {
    QVariant value;
    const char* text;
    friend void PrintTo(const MoneyCase& c, std::ostream* os) { *os << c.text; }
};

class MoneyTextTest : public ::testing::TestWithParam<MoneyCase> {};

TEST_P(MoneyTextTest, FormatsInBrazilianPortugueseByDefault) {
    EXPECT_EQ(host::MoneyText(GetParam().value), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Cases, MoneyTextTest,
                         ::testing::Values(MoneyCase{1234.56, "1.234,56"}, MoneyCase{0.0, "0,00"},
                                           MoneyCase{1234567.891, "1.234.567,89"},
                                           MoneyCase{2.675, "2,68"},
                                           MoneyCase{-1234.5, "-1.234,50"},
                                           MoneyCase{-0.004, "0,00"}, MoneyCase{-0.05, "-0,05"},
                                           MoneyCase{QVariant(), ""},
                                           MoneyCase{QVariant(QMetaType::fromType<double>()), ""},
                                           MoneyCase{QVariant(QStringLiteral("abc")), ""}));

TEST(MoneyText, FollowsTheInstalledLocale) {
    const QLocale previous = host::UserLocale();
    host::SetUserLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(host::MoneyText(1234.5), "1,234.50");
    host::SetUserLocale(previous);
    EXPECT_EQ(host::MoneyText(1234.5), "1.234,50");
}

} // namespace
