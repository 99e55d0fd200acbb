#include "bench/support/screenroad.h"

#include "host/net/serversession.h"
#include "host/sql/connection.h"
#include "module/cli_rec18000.h"
#include "module/cli_rec18002.h"
#include "register/filtrocomprec.h"
#include "register/frmcompcontrec.h"
#include "server/methods/methods.h"

#include <QApplication>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QTest>

#include <cstdio>
#include <cstdlib>

namespace bench_support {

namespace {
const QString kLoopback = QStringLiteral("127.0.0.1");
} // namespace

ScreenRoad::ScreenRoad(const QString& path, const char* serverMethod)
    : m_method(std::string("method=") + serverMethod) {
    http::ServerConfig config;
    config.database = store::DbUrl::Parse(QStringLiteral("sqlite:") + path);
    config.threads = 2;
    config.log = [this](std::string_view line) {
        if (line.find(m_method) == std::string_view::npos)
            return;
        const size_t at = line.find(" ms=");
        if (at != std::string_view::npos)
            m_serverMs = std::atof(std::string(line.substr(at + 4)).c_str());
    };
    rpc::Registry registry;
    rec18000::RegisterCompContRec(registry);
    m_server = std::make_unique<http::Server>(config, std::move(registry));
    const int port = m_server->Bind("127.0.0.1", 0);
    m_serverThread = std::thread([this] { m_server->Run(); });

    session = std::make_unique<host::testing::FakeSession>();
    session->operador = QStringLiteral("ADMIN");
    session->filiProc = QStringLiteral("0001");
    session->dataProc.insert(session->filiProc, QDate::currentDate());
    session->companies = {QStringLiteral("01")};
    session->webUrl = kLoopback;
    session->webPort = port;
    session->token = host::OpenServerSession(kLoopback, port, QStringLiteral("ADMIN"),
                                             QStringLiteral("admin123"));
    dialogs = std::make_unique<host::testing::ScriptedDialogs>();

    QSqlDatabase db =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), host::SharedConnectionName());
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open())
        std::fprintf(stderr, "cannot open %s\n", qPrintable(path));

    Cli_rec18000::criaCompContRec();
    screen = Cli_rec18000::frmCompContRec;
    screen->resize(1280, 800);
    QApplication::setActiveWindow(screen);
    if (!QTest::qWaitForWindowActive(screen))
        std::fprintf(stderr, "the screen did not become active\n");
    auto* company = screen->findChild<QLineEdit*>(QStringLiteral("edtCdEmpresa"));
    company->setFocus();
    company->setText(QStringLiteral("01"));
    screen->findChild<QWidget*>(QStringLiteral("dbgPadrao"))->setFocus();
}

ScreenRoad::~ScreenRoad() {
    delete Cli_rec18002::frmFiltroCompRec;
    delete Cli_rec18000::frmCompContRec;
    m_server->Stop();
    m_serverThread.join();
}

QString BenchDatabase(const char* usage) {
    const QString path = qEnvironmentVariable("REC18000_BENCH_DB");
    if (path.isEmpty())
        std::fprintf(stderr, "REC18000_BENCH_DB: %s\n", usage);
    return path;
}

} // namespace bench_support
