// The suite with the screen open, from the keyboard alone.

#include "shell/suitewindow.h"
#include "tests/shell/suitefixture.h"

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

class KeyboardTest : public SuiteScreenTest {};

TEST_F(KeyboardTest, NoTwoMenuEntriesShareAMnemonic) {
    QStringList titles;
    for (const QMenuBar* bar : {Window().menuBar(), Find<QMenuBar>("mnuPadrao")}) {
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
