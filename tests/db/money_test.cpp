// Exact money: what the database and the wire give, in cents.
#include "db/taxid.h"
#include "store/money.h"

#include <gtest/gtest.h>

namespace {

struct CentsCase {
    QVariant value;
    store::Cents cents;
};

void PrintTo(const CentsCase& c, std::ostream* os) {
    *os << c.value.typeName() << " " << c.value.toString().toStdString() << " -> " << c.cents;
}

class CentsFromTest : public testing::TestWithParam<CentsCase> {};

TEST_P(CentsFromTest, ReadsExactly) {
    EXPECT_EQ(store::CentsFrom(GetParam().value), GetParam().cents);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CentsFromTest,
    testing::Values(CentsCase{QString("1234.56"), 123456}, CentsCase{QString("-0.05"), -5},
                    CentsCase{QString("7"), 700}, CentsCase{QString("0.1"), 10},
                    CentsCase{QString("0.285"), 29}, CentsCase{QVariant(600), 60000},
                    CentsCase{QVariant(323.15), 32315}, CentsCase{QVariant(0.285), 29},
                    CentsCase{QVariant(-0.005), -1}, CentsCase{QVariant(0.004), 0},
                    CentsCase{QVariant(1e13 + 0.01), 1000000000000001}, CentsCase{QVariant(), 0}));

TEST(CentsText, BindsTheExactDecimal) {
    EXPECT_EQ(store::CentsText(123456), "1234.56");
    EXPECT_EQ(store::CentsText(-5), "-0.05");
    EXPECT_EQ(store::CentsText(0), "0.00");
}

TEST(CentsFrom, RefusesWhatIsNotAnAmount) {
    EXPECT_THROW(store::CentsFrom(QString("12,50")), std::invalid_argument);
    EXPECT_THROW(store::CentsFromDouble(std::numeric_limits<double>::infinity()),
                 std::invalid_argument);
}

TEST(TaxIds, DemoNumbersCarryValidCheckDigits) {
    EXPECT_EQ(db::Cpf(111444777), "11144477735");
    EXPECT_EQ(db::Cnpj(11222333, 1), "11222333000181");
    for (int n = 1; n < 60; ++n) {
        EXPECT_TRUE(db::ValidCpf(db::Cpf(123456000 + n * 1013)));
        EXPECT_TRUE(db::ValidCnpj(db::Cnpj(11222000 + n * 37, n % 3 + 1)));
    }
    EXPECT_FALSE(db::ValidCpf("11144477736"));
}

} // namespace
