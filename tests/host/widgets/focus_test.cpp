#include "host/widgets/db_radio_group.h"
#include "host/widgets/edit.h"
#include "host/widgets/focus_watch.h"

#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace host {
namespace {

class ContainerFocus : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        panel = new QWidget(&window);
        auto* inner = new QVBoxLayout(panel);
        code = new TEdit(panel);
        name = new TEdit(panel);
        inner->addWidget(code);
        inner->addWidget(name);
        outside = new TEdit(&window);
        layout->addWidget(panel);
        layout->addWidget(outside);
        outside->setFocus();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        TFocusWatch* watch = TFocusWatch::Of(panel);
        watch->OnEnter.Set([this] { log << "enter"; });
        watch->OnExit.Set([this] { log << "exit"; });
    }

    QWidget window;
    QWidget* panel = nullptr;
    TEdit* code = nullptr;
    TEdit* name = nullptr;
    TEdit* outside = nullptr;
    QStringList log;
};

TEST_F(ContainerFocus, EntersOnceExitsOnceMovesInsideAreSilent) {
    code->setFocus();
    name->setFocus();
    code->setFocus();
    outside->setFocus();
    EXPECT_EQ(log, (QStringList{"enter", "exit"}));
    EXPECT_EQ(TFocusWatch::Of(panel), TFocusWatch::Of(panel));
}

TEST_F(ContainerFocus, LeavingTheApplicationAndComingBackIsNeither) {
    code->setFocus();
    QApplication::setActiveWindow(nullptr);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(log, QStringList{"enter"});
}

TEST(Edit, DetachedChangeIgnoresTheScreensWrite) {
    TEdit edit;
    int changes = 0;
    edit.OnChange.Set([&] { ++changes; });
    {
        const Reaction::Detached quiet(edit.OnChange);
        edit.setText("01");
    }
    EXPECT_EQ(changes, 0);
    QTest::keyClicks(&edit, "2");
    EXPECT_EQ(changes, 1);
}

TEST(RadioGroup, AdoptsTheRadioButtonsADesignerFormPlaced) {
    TDBRadioGroup group;
    new QRadioButton("Conta a Pagar", &group);
    auto* second = new QRadioButton("Crédito em Conta Corrente", &group);
    group.SetValues({"0", "1"});
    second->click();
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_EQ(group.Value(), "1");
}

} // namespace
} // namespace host
