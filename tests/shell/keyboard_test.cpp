// The suite with the screen open, from the keyboard alone.

#include "host/app/mainwindow.h"
#include "host/net/serversession.h"
#include "shell/moduleloader.h"
#include "shell/shareddatabase.h"
#include "shell/shellsession.h"
#include "shell/shutdown.h"
#include "shell/suitewindow.h"
#include "tests/shell/realserver.h"
#include "tests/support/scripteddialogs.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kLoopback = QStringLiteral("127.0.0.1");

// The letter after a single '&', lower case; empty without one.
QString Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text.mid(i + 1, 1).toLower();
        ++i;
    }
    return {};
}

// Adds the text's mnemonic to the seen ones; false when one was there already.
bool Unique(const QString& text, QStringList& seen) {
    const QString letter = Mnemonic(text);
    if (letter.isEmpty())
        return true;
    if (seen.contains(letter))
        return false;
    seen << letter;
    return true;
}

// One demo server, the suite window logged in as ADMIN and the screen open in it.
class KeyboardTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_server = new RealServer(); }
    static void TearDownTestSuite() {
        delete s_server;
        s_server = nullptr;
    }

    void SetUp() override {
        OpenSharedDatabase(s_server->DatabaseUrl());
        m_session = std::make_unique<ShellSession>(
            QStringLiteral("ADMIN"), kLoopback, s_server->Port(),
            host::OpenServerSession(kLoopback, s_server->Port(), QStringLiteral("ADMIN"),
                                    QStringLiteral("admin123")));
        m_previous = host::SetSession(m_session.get());
        m_modules = std::make_unique<ModuleLoader>(QStringLiteral(REC18000_LIBDIR));
        m_window = std::make_unique<SuiteWindow>([](const QString&) {});
        host::SetMdiArea(m_window->MdiArea());
        m_window->resize(1200, 800);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_modules->Open(QStringLiteral("REC18000"));
    }
    void TearDown() override {
        CloseModules(*m_window);
        m_modules->UnloadAll();
        host::SetMdiArea(nullptr);
        m_window.reset();
        m_modules.reset();
        host::SetSession(m_previous);
        m_session.reset();
        CloseSharedDatabase();
    }

    template <class T> T* Find(const char* name) const {
        return m_window->findChild<T*>(QString::fromLatin1(name));
    }
    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }

    host::testing::ScriptedDialogs m_dialogs;
    std::unique_ptr<ShellSession> m_session;
    host::Session* m_previous = nullptr;
    std::unique_ptr<ModuleLoader> m_modules;
    std::unique_ptr<SuiteWindow> m_window;

    static inline RealServer* s_server = nullptr;
};

TEST_F(KeyboardTest, NoTwoMenuEntriesShareAMnemonic) {
    QStringList titles;
    for (const QMenuBar* bar : {m_window->menuBar(), Find<QMenuBar>("mnuPadrao")}) {
        ASSERT_NE(bar, nullptr);
        for (const QAction* top : bar->actions()) {
            EXPECT_TRUE(Unique(top->text(), titles)) << top->text().toStdString();
            QStringList entries;
            for (const QAction* entry : top->menu()->actions())
                EXPECT_TRUE(Unique(entry->text(), entries)) << entry->text().toStdString();
        }
    }
}

TEST_F(KeyboardTest, ACompanyIsChosenItsListBrowsedAndARowViewedWithoutTheMouse) {
    auto* list = Find<QTableView>("dbgPadrao");
    auto* pages = Find<QTabWidget>("pgcPadrao");
    ASSERT_EQ(QApplication::focusWidget(), Find<QLineEdit>("edtCdEmpresa"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("01"));
    const auto tabToList = [list] {
        for (int i = 0; i < 20 && QApplication::focusWidget() != list; ++i)
            Press(Qt::Key_Tab);
        return QApplication::focusWidget() == list;
    };
    ASSERT_TRUE(tabToList()) << "Tab reaches the list";
    ASSERT_TRUE(m_dialogs.Shown().empty()) << m_dialogs.Errors().join('\n').toStdString();
    ASSERT_GE(list->model()->rowCount(), 2) << "the demo holds compensations of today";

    Press(Qt::Key_Down);
    EXPECT_EQ(list->currentIndex().row(), 1);
    Press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_NE(QApplication::focusWidget(), list) << "Ctrl+Tab leaves the grid";
    EXPECT_EQ(pages->currentWidget(), Find<QWidget>("tshFolhaDados"));
    ASSERT_TRUE(tabToList());
    Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(QApplication::focusWidget(), list) << "Ctrl+Shift+Tab leaves it backwards";
    ASSERT_TRUE(tabToList());
    EXPECT_EQ(list->currentIndex().row(), 1);

    Press(Qt::Key_Return);
    QWidget* form = Find<QWidget>("tshFormulario");
    EXPECT_EQ(pages->currentWidget(), form);
    EXPECT_TRUE(form->isAncestorOf(QApplication::focusWidget()));
    EXPECT_TRUE(m_dialogs.Shown().empty()) << m_dialogs.Errors().join('\n').toStdString();
}

// The menu's keys act while the focus is in the screen: search, start, cancel on Yes.
TEST_F(KeyboardTest, TheEditingEntriesAnswerTheirKeys) {
    auto* list = Find<QTableView>("dbgPadrao");
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("01"));
    list->setFocus();
    ASSERT_GE(list->model()->rowCount(), 2);

    m_dialogs.FindRow(1);
    Press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(list->currentIndex().row(), 1);

    Press(Qt::Key_Insert);
    EXPECT_EQ(Find<QTabWidget>("pgcPadrao")->currentWidget(), Find<QWidget>("tshFormulario"));
    EXPECT_TRUE(Find<QAction>("mnuCancelar")->isEnabled());
    m_dialogs.AnswerYes();
    Press(Qt::Key_Escape);
    EXPECT_TRUE(m_dialogs.ScriptDone()) << "Escape asks before it cancels";
    EXPECT_FALSE(Find<QAction>("mnuCancelar")->isEnabled());
}

} // namespace
