// The date rules without the screen: which message, which control.

#include "entry/rules/datecheck.h"

#include <gtest/gtest.h>

namespace {

using entry::DateCheck;
using entry::DateFault;
using entry::DateSpot;
using entry::DateVerdict;

const QDate kDec7(2026, 12, 7);
const QDate kDec8(2026, 12, 8);

struct Case {
    const char* name;
    DateVerdict (*rule)(const DateCheck&);
    QDate compensation;
    QDate settlement;
    DateVerdict expected;
};

DateVerdict Compensation(const DateCheck& check) {
    return check.Compensation();
}
DateVerdict Settlement(const DateCheck& check) {
    return check.Settlement();
}
template <int Y, int M, int D, int H = 0> DateVerdict Payable(const DateCheck& check) {
    return check.Payable(QDateTime(QDate(Y, M, D), QTime(H, 0)));
}
template <int Y, int M, int D, int H = 0> DateVerdict Receivable(const DateCheck& check) {
    return check.Receivable(QDateTime(QDate(Y, M, D), QTime(H, 0)));
}
DateVerdict ReceivableWithoutEntryDate(const DateCheck& check) {
    return check.Receivable(QDateTime());
}

DateFault Fault(const char* key, DateSpot spot) {
    return {QString::fromLatin1(key), spot};
}

class DateRuleTest : public testing::TestWithParam<Case> {};

TEST_P(DateRuleTest, MessageAndFocus) {
    const Case& c = GetParam();
    EXPECT_EQ(c.rule(DateCheck(c.compensation, c.settlement)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateRuleTest,
    testing::Values(Case{"TodayTwicePasses", Settlement, kDec7, kDec7, std::nullopt},
                    Case{"CompensationGiven", Compensation, kDec7, QDate(), std::nullopt},
                    Case{"CompensationMissing", Compensation, QDate(), kDec7,
                         Fault("DATACOMPINF", DateSpot::Compensation)},
                    Case{"SettlementMissing", Settlement, kDec7, QDate(),
                         Fault("DATABAIXAINF", DateSpot::Settlement)},
                    Case{"SettlementADayEarlier", Settlement, kDec8, kDec7,
                         Fault("DTBAIXAMENORDTCOMP", DateSpot::Settlement)},
                    Case{"SettlementLater", Settlement, kDec7, kDec8, std::nullopt},
                    Case{"PayableEnteredOnTheCompensationDate", Payable<2026, 12, 7>, kDec7, kDec8,
                         std::nullopt},
                    Case{"PayableEnteredADayLater", Payable<2026, 12, 8>, kDec7, kDec8,
                         Fault("DTENTRMAIORCMP", DateSpot::Stay)},
                    Case{"PayableEnteredLaterTheSameDayIsLater", Payable<2026, 12, 7, 10>, kDec7,
                         kDec8, Fault("DTENTRMAIORCMP", DateSpot::Stay)},
                    // Only reachable while the settlement date is still being typed.
                    Case{"PayableAfterTheSettlementDate", Payable<2026, 12, 8>, kDec8, kDec7,
                         Fault("DTENTRMAIORBX", DateSpot::Stay)},
                    Case{"PayableWithoutCompensationDate", Payable<2026, 12, 1>, QDate(), kDec7,
                         Fault("DTENTRMAIORCMP", DateSpot::Stay)},
                    Case{"ReceivableLaterShowsTheBill", Receivable<2026, 12, 8>, kDec7, kDec8,
                         Fault("DTENTRMAIORCMP", DateSpot::BillsGrid)},
                    Case{"ReceivableAfterTheSettlementDate", Receivable<2026, 12, 8>, kDec8, kDec7,
                         Fault("DTENTRMAIORBX", DateSpot::BillsGrid)},
                    Case{"ReceivableWithoutEntryDatePasses", ReceivableWithoutEntryDate, kDec7,
                         kDec7, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct Lock {
    const char* name;
    int page;
    bool marked;
    bool editable;
};

class DateLockTest : public testing::TestWithParam<Lock> {};

TEST_P(DateLockTest, MarkedPayablesLockTheDatesOnTheirPage) {
    EXPECT_EQ(DateCheck::DatesEditable(GetParam().page, GetParam().marked), GetParam().editable);
}

INSTANTIATE_TEST_SUITE_P(Dates, DateLockTest,
                         testing::Values(Lock{"PayablesMarked", 0, true, false},
                                         Lock{"NothingMarked", 0, false, true},
                                         Lock{"CreditsPageWithPayablesMarked", 1, true, true},
                                         Lock{"CreditsPage", 1, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
