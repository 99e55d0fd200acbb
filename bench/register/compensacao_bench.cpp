// GetCompensacao for a whole year, end to end through the screen: server query and encoding,
// transfer, decoding, record set ready and the list grid painting its first rows; and the same
// road split into its parts.
//
//   REC18000_BENCH_DB=/tmp/big.db build/bin/bench_register
// with a database from `rec18000-db --database sqlite:/tmp/big.db generate --scale 100`.

#include "data/codec.h"
#include "data/recordset.h"
#include "host/net/netconnection.h"
#include "host/net/serversession.h"
#include "host/sql/connection.h"
#include "module/cli_rec18000.h"
#include "module/cli_rec18002.h"
#include "register/filtrocomprec.h"
#include "register/frmcompcontrec.h"
#include "server/http/server.h"
#include "server/methods/methods.h"
#include "tests/support/fakesession.h"
#include "tests/support/scripteddialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QTableView>
#include <QTest>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>

namespace {

const QString kLoopback = QStringLiteral("127.0.0.1");

// Milliseconds the server spent in its last GetCompensacao, read from its log line.
std::atomic<double> g_serverMs{0};

void ReadLogLine(std::string_view line) {
    if (line.find("method=GetCompensacao") == std::string_view::npos)
        return;
    const size_t at = line.find(" ms=");
    if (at != std::string_view::npos)
        g_serverMs = std::atof(std::string(line.substr(at + 4)).c_str());
}

// The server, the operator's session and the screen standing on company 01 with a filter of
// one whole year.
struct Road {
    std::unique_ptr<http::Server> server;
    std::thread serverThread;
    std::unique_ptr<host::testing::FakeSession> session;
    std::unique_ptr<host::testing::ScriptedDialogs> dialogs;
    TfrmCompContRec* screen = nullptr;
    QVariantList params;

    explicit Road(const QString& path) {
        http::ServerConfig config;
        config.database = store::DbUrl::Parse(QStringLiteral("sqlite:") + path);
        config.threads = 2;
        config.log = ReadLogLine;
        rpc::Registry registry;
        rec18000::RegisterCompContRec(registry);
        server = std::make_unique<http::Server>(config, std::move(registry));
        const int port = server->Bind("127.0.0.1", 0);
        serverThread = std::thread([this] { server->Run(); });

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

        const QDate today = QDate::currentDate();
        Cli_rec18002::TFILTRO& filtro = Cli_rec18002::frmFiltroCompRec->Filtro;
        filtro.DtCompIni = today.addYears(-1).startOfDay();
        filtro.DtCompFin = today.startOfDay();
        params = {QStringLiteral("01"), today.addYears(-1), today,    QVariant(),
                  QVariant(),           QString(),          QString()};
    }
    ~Road() {
        delete Cli_rec18002::frmFiltroCompRec;
        delete Cli_rec18000::frmCompContRec;
        server->Stop();
        serverThread.join();
    }
    QTableView* Grid() const { return screen->findChild<QTableView*>(QStringLiteral("dbgPadrao")); }
};

Road* g_road = nullptr;

void BM_EndToEnd(benchmark::State& state) {
    double serverMs = 0;
    for (auto _ : state) {
        g_road->screen->GetCompensacao(false, QString());
        g_road->Grid()->viewport()->repaint();
        serverMs += g_serverMs;
    }
    state.counters["rows"] = g_road->screen->cdsCompensacao->RecordCount();
    state.counters["server_ms"] = serverMs / double(state.iterations());
}
BENCHMARK(BM_EndToEnd)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ServerAndTransfer(benchmark::State& state) {
    double serverMs = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        const host::NetAnswer answer =
            g_road->screen->netCompContRec->Call(QStringLiteral("GetCompensacao"), g_road->params);
        bytes = answer.Json().size();
        serverMs += g_serverMs;
    }
    state.counters["MB"] = double(bytes) / 1e6;
    state.counters["server_ms"] = serverMs / double(state.iterations());
}
BENCHMARK(BM_ServerAndTransfer)->Unit(benchmark::kMillisecond)->Iterations(5);

QByteArray YearJson() {
    return g_road->screen->netCompContRec->Call(QStringLiteral("GetCompensacao"), g_road->params)
        .Json();
}

void BM_Decode(benchmark::State& state) {
    const QByteArray json = YearJson();
    host::RecordSet rows;
    for (auto _ : state)
        host::codec::DecodeInto(json, rows);
    state.counters["rows"] = rows.RecordCount();
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMillisecond)->Iterations(5);

// Decoding into the screen's record set: bound controls, the grid's model and the first rows
// painted.
void BM_DecodeIntoScreen(benchmark::State& state) {
    const QByteArray json = YearJson();
    for (auto _ : state) {
        host::codec::DecodeInto(json, *g_road->screen->cdsCompensacao);
        g_road->Grid()->viewport()->repaint();
    }
}
BENCHMARK(BM_DecodeIntoScreen)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString path = qEnvironmentVariable("REC18000_BENCH_DB");
    if (path.isEmpty()) {
        std::fprintf(stderr, "REC18000_BENCH_DB: path of a database made with "
                             "`rec18000-db generate --scale 100`\n");
        return 2;
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Road road(path);
    g_road = &road;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_road = nullptr;
    return 0;
}
