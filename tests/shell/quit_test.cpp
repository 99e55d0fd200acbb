// Leaving the suite with a module's screen open: every way out ends cleanly.

#include "host/app/mainwindow.h"
#include "host/net/serversession.h"
#include "shell/moduleloader.h"
#include "shell/shareddatabase.h"
#include "shell/shellsession.h"
#include "shell/shutdown.h"
#include "shell/suitewindow.h"
#include "tests/support/booksserver.h"
#include "tests/support/scripteddialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <httplib.h>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

namespace {

const QString kLoopback = QStringLiteral("127.0.0.1");

class QuitTest : public testserver::ServerFixture {};

// Regression: quitting with a company chosen crashed in the main window's destructor, which
// deleted the list filter dialog after the module that holds its code was unloaded.
TEST_F(QuitTest, WithTheScreenOpenAndACompanyChosenTheModuleWindowsGoBeforeTheModule) {
    OpenSharedDatabase(Server().DatabaseUrl());
    struct Close {
        ~Close() { CloseSharedDatabase(); }
    } closeDatabase;
    host::testing::ScriptedDialogs dialogs;
    ShellSession session(QStringLiteral("ADMIN"), kLoopback, Server().Port(),
                         host::OpenServerSession(kLoopback, Server().Port(),
                                                 QStringLiteral("ADMIN"),
                                                 QStringLiteral("admin123")));
    host::Session* previous = host::SetSession(&session);
    struct Restore {
        host::Session* previous;
        ~Restore() { host::SetSession(previous); }
    } restoreSession{previous};
    {
        ModuleLoader modules(QStringLiteral(REC18000_LIBDIR));
        auto window = std::make_unique<SuiteWindow>([](const QString&) {});
        host::SetMdiArea(window->MdiArea());
        window->resize(1000, 700);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        modules.Open(QStringLiteral("REC18000"));
        auto* code = window->findChild<QLineEdit*>(QStringLiteral("edtCdEmpresa"));
        ASSERT_NE(code, nullptr);
        code->setFocus();
        QTest::keyClicks(code, QStringLiteral("01"));
        window->findChild<QWidget*>(QStringLiteral("dbgPadrao"))->setFocus();
        ASSERT_TRUE(dialogs.Shown().empty()) << dialogs.Errors().join('\n').toStdString();
        QPointer<QDialog> filter = window->findChild<QDialog*>(QStringLiteral("TfrmFiltroCompRec"));
        ASSERT_FALSE(filter.isNull()) << "choosing the company makes the list filter";

        CloseModules(*window);
        EXPECT_TRUE(filter.isNull());
        EXPECT_TRUE(window->MdiArea()->subWindowList().isEmpty());
        modules.UnloadAll();
        host::SetMdiArea(nullptr);
        window.reset(); // crashed here when a module window outlived its code
    }
}

// Stands in for the application server: logs anyone in, counts the screens that connect.
class CountingServer {
public:
    CountingServer() {
        m_server.Post("/session", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(R"({"token":"t"})", "application/json");
        });
        m_server.Get("/health", [this](const httplib::Request&, httplib::Response& res) {
            ++m_connects;
            res.set_content(R"({"status":"ok"})", "application/json");
        });
        m_server.set_keep_alive_max_count(1);
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::yield();
    }
    ~CountingServer() {
        m_server.stop();
        m_thread.join();
    }
    int Port() const { return m_port; }
    int Connects() const { return m_connects; }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    std::atomic<int> m_connects{0};
};

// Regression: a stop from the system (SIGTERM) killed the suite without taking its way out.
TEST_F(QuitTest, TheSuiteStoppedByTheSystemLeavesCleanly) {
    CountingServer server;
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("suite.ini"));
    ASSERT_TRUE(QFile(config).open(QIODevice::WriteOnly));
    QProcess suite;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("REC18000_PASSWORD"), QStringLiteral("x"));
    suite.setProcessEnvironment(environment);
    suite.setProcessChannelMode(QProcess::ForwardedChannels);
    suite.start(QStringLiteral(SUITE_BIN),
                {QStringLiteral("--config"), config, QStringLiteral("--database"),
                 Server().DatabaseUrl(), QStringLiteral("--server-port"),
                 QString::number(server.Port()), QStringLiteral("--operator"),
                 QStringLiteral("ADMIN"), QStringLiteral("--module"), QStringLiteral("REC18000")});
    ASSERT_TRUE(suite.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Connects() > 0; }, 30000))
        << "the screen never connected";
    suite.terminate();
    ASSERT_TRUE(suite.waitForFinished(30000));
    EXPECT_EQ(suite.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(suite.exitCode(), 0);
}

} // namespace
