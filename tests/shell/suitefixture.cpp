#include "tests/shell/suitefixture.h"

#include "host/app/mainwindow.h"
#include "host/net/serversession.h"
#include "shell/moduleloader.h"
#include "shell/shareddatabase.h"
#include "shell/shellsession.h"
#include "shell/shutdown.h"
#include "shell/suitewindow.h"

namespace {
const QString kLoopback = QStringLiteral("127.0.0.1");
}

SuiteScreenTest::SuiteScreenTest() = default;
SuiteScreenTest::~SuiteScreenTest() = default;

void SuiteScreenTest::SetUp() {
    OpenSharedDatabase(Server().DatabaseUrl());
    m_session = std::make_unique<ShellSession>(QStringLiteral("ADMIN"), kLoopback, Server().Port(),
                                               host::OpenServerSession(kLoopback, Server().Port(),
                                                                       QStringLiteral("ADMIN"),
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

void SuiteScreenTest::TearDown() {
    CloseModules(*m_window);
    m_modules->UnloadAll();
    host::SetMdiArea(nullptr);
    m_window.reset();
    m_modules.reset();
    host::SetSession(m_previous);
    m_session.reset();
    CloseSharedDatabase();
}
