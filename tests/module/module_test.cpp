// The module as the suite sees it: a library loaded with QLibrary, opened through IniProc, its
// globals read through their exported names.

#include "host/app/mainwindow.h"
#include "host/net/netconnection.h"
#include "tests/host/net/fakeserver.h"
#include "tests/support/fakesession.h"
#include "tests/support/scripteddialogs.h"

#include <QApplication>
#include <QFile>
#include <QLibrary>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using testing_net::FakeServer;

// Exported names of the main unit's globals (namespace Cli_rec18000).
constexpr const char* kFrmCompContRec = "_ZN12Cli_rec1800014frmCompContRecE";
constexpr const char* kBoIdCriado = "_ZN12Cli_rec1800010boIdCriadoE";

bool ModuleMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("librec18000.so");
}

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.webPort = server.Port();
        host::SetMdiArea(&area);
        Load();
    }

    void TearDown() override {
        CloseScreens();
        module.unload();
        host::SetMdiArea(nullptr);
    }

    void Load() {
        ASSERT_TRUE(module.load()) << module.errorString().toStdString();
        iniProc = reinterpret_cast<void (*)()>(module.resolve("IniProc"));
        ASSERT_NE(iniProc, nullptr);
        boIdCriado = reinterpret_cast<bool*>(module.resolve(kBoIdCriado));
        frmCompContRec = reinterpret_cast<QWidget**>(module.resolve(kFrmCompContRec));
        ASSERT_NE(boIdCriado, nullptr);
        ASSERT_NE(frmCompContRec, nullptr);
    }

    // What the suite does before unloading: the screens the module drew go first.
    void CloseScreens() {
        area.closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QWidget* Screen() const { return *frmCompContRec; }

    FakeServer server;
    host::testing::FakeSession session;
    host::testing::ScriptedDialogs dialogs;
    QMdiArea area;
    QLibrary module{QStringLiteral(REC18000_MODULE)};
    void (*iniProc)() = nullptr;
    bool* boIdCriado = nullptr;
    QWidget** frmCompContRec = nullptr;
};

TEST_F(ModuleTest, IniProcTwiceCreatesOneScreenShownMaximizedInTheMainWindow) {
    EXPECT_FALSE(*boIdCriado);
    iniProc();
    QWidget* first = Screen();
    ASSERT_NE(first, nullptr);
    area.subWindowList().first()->showMinimized();
    iniProc();
    EXPECT_TRUE(*boIdCriado);
    EXPECT_EQ(Screen(), first);
    ASSERT_EQ(area.subWindowList().size(), 1);
    EXPECT_TRUE(area.subWindowList().first()->isMaximized());
}

TEST_F(ModuleTest, ScreenOpensConnectedOnTheListPageWithTheCompanyFirst) {
    iniProc();
    QWidget* screen = Screen();
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Compensação de Contas a Receber"));
    auto* net = screen->findChild<host::TNetConnection*>(QStringLiteral("netCompContRec"));
    ASSERT_NE(net, nullptr);
    EXPECT_TRUE(net->Connected());
    EXPECT_EQ(net->ServerName(), QStringLiteral("REC18000.rdmCompContRec"));
    EXPECT_EQ(
        screen->findChild<QTabWidget*>(QStringLiteral("pgcPadrao"))->currentWidget()->objectName(),
        QStringLiteral("tshFolhaDados"));
    QWidget* firstInTabOrder = screen->nextInFocusChain();
    while (!(firstInTabOrder->focusPolicy() & Qt::TabFocus))
        firstInTabOrder = firstInTabOrder->nextInFocusChain();
    EXPECT_EQ(firstInTabOrder->objectName(), QStringLiteral("edtCdEmpresa"));
    EXPECT_EQ(firstInTabOrder->parentWidget()->objectName(), QStringLiteral("panEmpresa"));
}

TEST_F(ModuleTest, UnloadedAndLoadedAgainTheModuleCreatesAFreshScreen) {
    iniProc();
    CloseScreens();
    module.unload();
    EXPECT_FALSE(ModuleMapped()) << "the last unload left the module in memory";
    Load();
    EXPECT_FALSE(*boIdCriado);
    EXPECT_EQ(Screen(), nullptr);
    iniProc();
    EXPECT_TRUE(*boIdCriado);
    EXPECT_EQ(area.subWindowList().size(), 1);
}

TEST_F(ModuleTest, CreationFailureLeavesNoScreenAndTheNextCallTriesAgain) {
    session.webPort = FakeServer::ClosedPort();
    EXPECT_THROW(iniProc(), std::exception);
    EXPECT_EQ(dialogs.Texts(host::testing::ShownDialog::Kind::ErrorBox).size(), 1)
        << "the operator is not told why the screen did not open";
    EXPECT_FALSE(*boIdCriado);
    EXPECT_EQ(Screen(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "wait cursor left after the failure";
    EXPECT_TRUE(area.subWindowList().isEmpty());

    session.webPort = server.Port();
    iniProc();
    EXPECT_TRUE(*boIdCriado);
    EXPECT_NE(Screen(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ModuleTest, ClosingTheScreenClosesItsConnectionAndTheNextCallCreatesANewOne) {
    iniProc();
    auto* net = Screen()->findChild<host::TNetConnection*>(QStringLiteral("netCompContRec"));
    QSignalSpy disconnected(net, &host::TNetConnection::afterDisconnect);
    CloseScreens();
    EXPECT_EQ(disconnected.count(), 1);
    EXPECT_FALSE(*boIdCriado);
    EXPECT_EQ(Screen(), nullptr);
    iniProc();
    EXPECT_NE(Screen(), nullptr);
    EXPECT_EQ(area.subWindowList().size(), 1);
}

} // namespace
