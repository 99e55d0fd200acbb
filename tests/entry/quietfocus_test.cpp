// A validation that moves the focus does not run the exit check of the control it leaves.

#include "entry/quietfocus.h"

#include "host/widgets/edit.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

TEST(QuietFocus, TheControlLeftIsNotValidated) {
    QWidget window;
    auto* failed = new host::TEdit(&window);
    auto* passed = new host::TEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(failed);
    layout->addWidget(passed);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    int checks = 0;
    passed->OnExit.Set([&checks] { ++checks; });
    passed->setFocus();

    entry::FocusQuietly(failed);
    EXPECT_EQ(QApplication::focusWidget(), failed);
    EXPECT_EQ(checks, 0);
    EXPECT_TRUE(passed->OnExit.Attached());
    EXPECT_TRUE(entry::FocusInWindow(passed));

    passed->setFocus();
    failed->setFocus(); // the operator's own move still validates
    EXPECT_EQ(checks, 1);
}

} // namespace
