#include "data/rounding.h"
#include "host/services/keyfilter.h"
#include "data/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace {

struct RoundCase {
    double value;
    int decimals;
    double expected;
    friend void PrintTo(const RoundCase& c, std::ostream* os) {
        *os << c.value << " to " << c.decimals;
    }
};

class RoundDecTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundDecTest, RoundsHalfAwayFromZeroOnTheDecimalValue) {
    const RoundCase c = GetParam();
    const double rounded = host::RoundDec(c.value, c.decimals);
    EXPECT_EQ(rounded, c.expected) << c.value << " to " << c.decimals;
    EXPECT_FALSE(std::signbit(rounded) && rounded == 0.0) << "negative zero for " << c.value;
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundDecTest,
                         ::testing::Values(RoundCase{0.004, 2, 0.0}, RoundCase{0.005, 2, 0.01},
                                           RoundCase{-0.005, 2, -0.01}, RoundCase{1.005, 2, 1.01},
                                           RoundCase{2.675, 2, 2.68}, RoundCase{-2.675, 2, -2.68},
                                           RoundCase{-0.004, 2, 0.0}, RoundCase{0.1 + 0.2, 2, 0.3},
                                           RoundCase{9.995, 2, 10.0},
                                           RoundCase{999999.995, 2, 1000000.0},
                                           RoundCase{1234.5, 0, 1235.0},
                                           RoundCase{150.25, 2, 150.25}, RoundCase{1e-9, 2, 0.0},
                                           RoundCase{12345678901.235, 2, 12345678901.24},
                                           RoundCase{0.0, 2, 0.0}));

TEST(RoundDec, SumsOfRoundedCentsAreExact) {
    double total = 0.0;
    for (int i = 0; i < 1000; ++i)
        total = host::RoundDec(total + host::RoundDec(0.1, 2), 2);
    EXPECT_EQ(total, 100.0);
}

struct AjustaCase {
    const char* code;
    int width;
    const char* expected;
    friend void PrintTo(const AjustaCase& c, std::ostream* os) {
        *os << '"' << c.code << "\" width " << c.width;
    }
};

class AjustaTest : public ::testing::TestWithParam<AjustaCase> {};

TEST_P(AjustaTest, PadsDigitCodesAndTrimsOthers) {
    const AjustaCase c = GetParam();
    EXPECT_EQ(host::Ajusta(QString::fromUtf8(c.code), c.width), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, AjustaTest,
                         ::testing::Values(AjustaCase{"1", 2, "01"}, AjustaCase{" 7 ", 3, "007"},
                                           AjustaCase{"01", 2, "01"}, AjustaCase{"123", 2, "123"},
                                           AjustaCase{"ab ", 3, "ab"}, AjustaCase{"A1", 4, "A1"},
                                           AjustaCase{"", 2, ""}, AjustaCase{"  ", 2, ""},
                                           AjustaCase{"-1", 3, "-1"}));

TEST(PictPess, GivesTheTaxIdMaskOfThePersonType) {
    EXPECT_EQ(host::PictPess("F"), "999.999.999-99;0; ");
    EXPECT_EQ(host::PictPess("J"), "99.999.999/9999-99;0; ");
    EXPECT_EQ(host::PictPess("E"), "");
    EXPECT_EQ(host::PictPess(""), "");
}

TEST(EmptyString, IsTrueOnlyForBlankText) {
    EXPECT_TRUE(host::EmptyString(""));
    EXPECT_TRUE(host::EmptyString(" \t "));
    EXPECT_FALSE(host::EmptyString(" x "));
}

struct KeyCase {
    const char* text;
    int selStart;
    int selLength;
    char key;
    bool accepted;
    friend void PrintTo(const KeyCase& c, std::ostream* os) {
        *os << '"' << c.text << "\" + '" << c.key << "'";
    }
};

class MaxNumberTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(MaxNumberTest, HoldsIntegerAndDecimalDigits) {
    const KeyCase c = GetParam();
    const host::TypedKey typed{QString::fromUtf8(c.text), c.selStart, c.selLength,
                               QChar::fromLatin1(c.key)};
    EXPECT_EQ(host::MaxNumber(typed, 4, 2, QLatin1Char(',')), c.accepted)
        << c.text << " + " << c.key;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MaxNumberTest,
    ::testing::Values(KeyCase{"123", 3, 0, '4', true}, KeyCase{"1234", 4, 0, '5', false},
                      KeyCase{"1234", 0, 1, '9', true}, // replaces a digit
                      KeyCase{"1234", 4, 0, ',', true}, KeyCase{"12,3", 4, 0, '4', true},
                      KeyCase{"12,34", 5, 0, '5', false}, KeyCase{"12,34", 1, 0, '9', true},
                      KeyCase{"12,3", 2, 0, ',', false}, KeyCase{"12", 2, 0, 'x', false},
                      KeyCase{"12", 2, 0, '.', false},
                      KeyCase{"1.234", 5, 0, '5', false}, // grouping ignored
                      KeyCase{"12", 2, 0, '\b', true}));

TEST(MaxNumber, RefusesTheSeparatorWithoutDecimals) {
    EXPECT_FALSE(host::MaxNumber({"12", 2, 0, QLatin1Char(',')}, 4, 0, QLatin1Char(',')));
}

} // namespace
