// Choosing the company as an operator does it: by search, inside the suite's window among other
// screens, and the menu entries that stay usable meanwhile.

#include "data/recordset.h"
#include "host/app/mainwindow.h"
#include "host/widgets/edit.h"
#include "register/frmcompcontrec.h"
#include "tests/register/screenfixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

namespace register_testing {
namespace {

struct PickCase {
    const char* name;
    const char* typedFirst; // company chosen by typing before the pick; empty: none
    const char* picked;
    const char* error; // shown for the pick; empty: accepted
};

class CompanyPickTest : public ScreenTest, public ::testing::WithParamInterface<PickCase> {};

// Regression: a pick left the list of the previous company under the new one's name, or the
// toolbar disabled until the operator tabbed out of the panel.
TEST_P(CompanyPickTest, IsAChoiceOfCompanyLikeTypingIt) {
    const PickCase& pick = GetParam();
    session.companies = {"01", "02"};
    if (*pick.error)
        session.companies = {"01"};
    AddCompensation(Compensation("0000000001"));
    OpenScreen();
    if (*pick.typedFirst) {
        ChooseCompany(pick.typedFirst);
        ASSERT_TRUE(Enabled("sbtExcluir"));
    }
    server.ClearCalls();
    dialogs.PickWhere("CDEMPRESA", pick.picked);
    QTest::mouseClick(Find<QWidget>("btpEmpresa"), Qt::LeftButton);

    EXPECT_EQ(Find<QLineEdit>("edtCdEmpresa")->text(), pick.picked);
    const auto loads = server.CallsOf("GetCompensacao");
    if (*pick.error) {
        EXPECT_EQ(dialogs.Errors(), QStringList{QString::fromUtf8(pick.error)});
        EXPECT_TRUE(loads.empty());
        EXPECT_TRUE(Find<QLineEdit>("edtCdEmpresa")->hasFocus());
        for (const char* name : {"sbtIncluir", "sbtExcluir", "sbtVerificar"})
            EXPECT_FALSE(Enabled(name)) << name;
        return;
    }
    EXPECT_TRUE(dialogs.Errors().isEmpty());
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(loads[0].params.at(0).toString(), pick.picked);
    EXPECT_FALSE(Find<QLineEdit>("edtCdEmpresa")->hasFocus());
    for (const char* name : {"sbtIncluir", "sbtExcluir", "sbtVerificar", "sbtFiltro"})
        EXPECT_TRUE(Enabled(name)) << name;
    // Leaving the panel afterwards is no second choice.
    Find<QWidget>("dbgPadrao")->setFocus();
    EXPECT_EQ(server.CallsOf("GetCompensacao").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Picks, CompanyPickTest,
                         ::testing::Values(PickCase{"FromABlankCode", "", "01", ""},
                                           PickCase{"OverAnotherCompanysList", "01", "02", ""},
                                           PickCase{"OfACompanyNotTheOperators", "01", "02",
                                                    "Empresa não relacionada ao operador logado."}),
                         [](const auto& info) { return std::string(info.param.name); });

// Regression: the screen's own writes of the code ran its change reaction as if typed.
TEST_F(ScreenTest, ScreenWritesOfTheCompanyCodeAreNotTakenForTyping) {
    session.companies = {"01", "02"};
    OpenScreen();
    auto* code = Find<host::TEdit>("edtCdEmpresa");
    int changes = 0;
    code->OnChange.Set([&changes] { ++changes; });
    ChooseCompany("1"); // typed "1", written back as "01"
    EXPECT_EQ(code->text(), "01");
    EXPECT_EQ(changes, 1);
    dialogs.PickWhere("CDEMPRESA", "02");
    QTest::mouseClick(Find<QWidget>("btpEmpresa"), Qt::LeftButton);
    EXPECT_EQ(code->text(), "02");
    EXPECT_EQ(changes, 1);
}

// The suite's area with the screen and another child window beside it.
class ScreenAmongOthersTest : public ScreenTest {
protected:
    ScreenAmongOthersTest() {
        host::SetMdiArea(&area);
        other = new QLineEdit;
        area.addSubWindow(other)->show();
        area.resize(1000, 700);
        area.show();
    }
    ~ScreenAmongOthersTest() override {
        CloseScreen();
        host::SetMdiArea(nullptr);
    }

    QMdiArea area;
    QLineEdit* other = nullptr;
};

enum class Elsewhere { AnotherChildWindow, TheScreensMenuBar };

class FocusElsewhereTest : public ScreenAmongOthersTest,
                           public ::testing::WithParamInterface<Elsewhere> {};

// Regression: every child window shares the suite's window, so moving to another one counted as
// leaving the company panel and validated a code not yet typed; so did opening the screen
// maximized (Qt passes the focus along and back) and pressing Escape in the screen's menu (the
// menu bar keeps the focus).
TEST_P(FocusElsewhereTest, IsNoExitOfTheCompanyPanel) {
    OpenScreen();
    EXPECT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
    auto* code = Find<QLineEdit>("edtCdEmpresa");
    ASSERT_TRUE(code->hasFocus());
    if (GetParam() == Elsewhere::AnotherChildWindow) {
        area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(other->parentWidget()));
        other->setFocus();
        ASSERT_TRUE(other->hasFocus());
        area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(screen->parentWidget()));
    } else {
        auto* menu = Find<QMenuBar>("mnuPadrao");
        menu->setFocus(Qt::MenuBarFocusReason);
        ASSERT_TRUE(menu->hasFocus());
    }
    EXPECT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
    EXPECT_TRUE(server.CallsOf("GetCompensacao").empty());
    // Back in the panel, leaving it is still the choice of the company.
    code->setFocus();
    ASSERT_TRUE(code->hasFocus());
    QTest::keyClicks(code, "01");
    QTest::keyClick(code, Qt::Key_Tab);
    EXPECT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
    EXPECT_EQ(server.CallsOf("GetCompensacao").size(), 1u);
    EXPECT_TRUE(Enabled("sbtIncluir"));
}

std::string PlaceName(const ::testing::TestParamInfo<Elsewhere>& info) {
    return info.param == Elsewhere::AnotherChildWindow ? "AnotherChildWindow" : "TheScreensMenuBar";
}

INSTANTIATE_TEST_SUITE_P(Places, FocusElsewhereTest,
                         ::testing::Values(Elsewhere::AnotherChildWindow,
                                           Elsewhere::TheScreensMenuBar),
                         PlaceName);

enum class Moment { ChoosingTheCompany, Browsing, Entering };

class CloseEntryTest : public ScreenTest, public ::testing::WithParamInterface<Moment> {};

// Regression: "Fechar" followed the new-entry rule, so a screen just opened, or in an entry,
// could not be closed from its menu.
TEST_P(CloseEntryTest, ClosesTheScreenAtAnyMoment) {
    AddCompensation(Compensation("0000000001"));
    OpenScreen();
    if (GetParam() != Moment::ChoosingTheCompany)
        ChooseCompany("01");
    if (GetParam() == Moment::Entering) {
        Click("sbtIncluir");
        dialogs.AnswerYes(); // the entry under way is cancelled first
    }
    auto* close = Find<QAction>("mnuFechar");
    ASSERT_TRUE(close->isEnabled());
    QPointer<QWidget> shown = screen;
    close->trigger();
    EXPECT_FALSE(shown && shown->isVisible());
    EXPECT_TRUE(dialogs.ScriptDone());
}

std::string MomentName(const ::testing::TestParamInfo<Moment>& info) {
    static const char* const names[] = {"ChoosingTheCompany", "Browsing", "Entering"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Moments, CloseEntryTest,
                         ::testing::Values(Moment::ChoosingTheCompany, Moment::Browsing,
                                           Moment::Entering),
                         MomentName);

} // namespace
} // namespace register_testing
