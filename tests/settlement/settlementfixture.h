#pragma once

// The compensation screen with a new compensation begun, its look-ups on a company database
// holding qualifying and non-qualifying types and the accounts of two companies.

#include "tests/register/screenfixture.h"

#include <QString>

namespace settlement_testing {

class SettlementTest : public register_testing::ScreenTest {
protected:
    SettlementTest();
    ~SettlementTest() override;

    // Opens the screen for company 01 and begins a new compensation.
    void BeginEntry();
    // Types into an edit (replacing what it held) and moves the focus on with Tab.
    void TypeAndLeave(const QString& edit, const QString& text);
    QString Text(const QString& edit) const;
    QString Focused() const;
};

} // namespace settlement_testing
