// Closing the screen or quitting the suite while a compensation is being entered asks first.

#include "host/services/messages.h"
#include "shell/suitewindow.h"
#include "tests/shell/suitefixture.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace {

enum class Way { ScreenMenu, ChildWindow, Suite };

struct CloseCase {
    const char* name;
    Way way;
    bool yes;
};

class ClosingTest : public SuiteScreenTest, public ::testing::WithParamInterface<CloseCase> {
protected:
    void StartEntry() {
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("01"));
        Find<QWidget>("dbgPadrao")->setFocus();
        Press(Qt::Key_Insert);
        ASSERT_TRUE(Find<QAction>("mnuCancelar")->isEnabled()) << "an entry is under way";
        ASSERT_TRUE(m_dialogs.Shown().empty()) << m_dialogs.Errors().join('\n').toStdString();
    }
    void Close(Way way) {
        switch (way) {
        case Way::ScreenMenu:
            Find<QAction>("mnuFechar")->trigger();
            break;
        case Way::ChildWindow:
            Window().MdiArea()->subWindowList().value(0)->close();
            break;
        case Way::Suite:
            Window().close();
            break;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_P(ClosingTest, AnEntryUnderWayIsCancelledOnlyOnYes) {
    StartEntry();
    QPointer<QWidget> screen = Find<QWidget>("TfrmCompContRec");
    const QString screenTitle = screen->windowTitle();
    if (GetParam().yes)
        m_dialogs.AnswerYes();
    else
        m_dialogs.AnswerNo();

    Close(GetParam().way);
    EXPECT_TRUE(m_dialogs.ScriptDone()) << "closing asks first";
    EXPECT_EQ(m_dialogs.Texts(host::testing::ShownDialog::Kind::Message),
              QStringList{host::TMessages::Load(QStringLiteral(":/host/msgPadraoBase.msg"))
                              .Msg(QStringLiteral("Canc"))});
    if (GetParam().yes) {
        EXPECT_TRUE(screen.isNull());
        EXPECT_FALSE(Window().windowTitle().contains(screenTitle))
            << "the main window no longer names the closed screen";
        EXPECT_EQ(Window().isVisible(), GetParam().way != Way::Suite);
    } else {
        ASSERT_FALSE(screen.isNull());
        EXPECT_TRUE(Find<QAction>("mnuCancelar")->isEnabled()) << "the entry is kept";
        EXPECT_TRUE(screen->isVisible());
        EXPECT_TRUE(Window().isVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, ClosingTest,
                         ::testing::Values(CloseCase{"ScreenMenuNo", Way::ScreenMenu, false},
                                           CloseCase{"ScreenMenuYes", Way::ScreenMenu, true},
                                           CloseCase{"ChildWindowYes", Way::ChildWindow, true},
                                           CloseCase{"SuiteNo", Way::Suite, false},
                                           CloseCase{"SuiteYes", Way::Suite, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Without an entry nothing is asked, and the title forgets the screen.
TEST_F(SuiteScreenTest, ClosingABrowsedScreenAsksNothingAndTheTitleForgetsIt) {
    QPointer<QWidget> screen = Find<QWidget>("TfrmCompContRec");
    const QString screenTitle = screen->windowTitle();
    EXPECT_TRUE(Window().windowTitle().contains(screenTitle));
    EXPECT_FALSE(Window().windowIcon().isNull()) << "the suite's own icon";
    Find<QAction>("mnuFechar")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(screen.isNull());
    EXPECT_TRUE(m_dialogs.Shown().empty());
    EXPECT_FALSE(Window().windowTitle().contains(screenTitle));
}

} // namespace
