#pragma once

// One demo server for the test suite, the suite window logged in as ADMIN and the screen open
// in it.

#include "shell/suitewindow.h"
#include "tests/support/booksserver.h"
#include "tests/support/scripteddialogs.h"

#include <QApplication>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class ModuleLoader;
class ShellSession;

namespace host {
class Session;
}

class SuiteScreenTest : public testserver::ServerFixture {
protected:
    SuiteScreenTest();
    ~SuiteScreenTest() override;
    void SetUp() override;
    void TearDown() override;

    template <class T> T* Find(const char* name) const {
        return Window().findChild<T*>(QString::fromLatin1(name));
    }
    static void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
    }
    SuiteWindow& Window() const { return *m_window; }

    host::testing::ScriptedDialogs m_dialogs;

private:
    std::unique_ptr<ShellSession> m_session;
    host::Session* m_previous = nullptr;
    std::unique_ptr<ModuleLoader> m_modules;
    std::unique_ptr<SuiteWindow> m_window;
};
