#pragma once

// The road every screen benchmark stands on: an in-process rec18000-server (2 workers) over a
// database file, the operator ADMIN's session on it, scripted dialogs, the look-ups on the same
// file read only, and the compensation screen open on company 01.

#include "server/http/server.h"
#include "tests/support/fakesession.h"
#include "tests/support/scripteddialogs.h"

#include <QApplication>
#include <QString>

#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>
#include <thread>

class TfrmCompContRec;

namespace bench_support {

class ScreenRoad {
public:
    // serverMethod: the method whose log line gives ServerMs().
    ScreenRoad(const QString& path, const char* serverMethod);
    ~ScreenRoad();
    ScreenRoad(const ScreenRoad&) = delete;
    ScreenRoad& operator=(const ScreenRoad&) = delete;

    // Milliseconds the server spent in its last call of the method.
    double ServerMs() const { return m_serverMs; }

    std::unique_ptr<host::testing::FakeSession> session;
    std::unique_ptr<host::testing::ScriptedDialogs> dialogs;
    TfrmCompContRec* screen = nullptr;

private:
    std::unique_ptr<http::Server> m_server;
    std::thread m_serverThread;
    std::string m_method;
    std::atomic<double> m_serverMs{0};
};

// The database file from REC18000_BENCH_DB (usage on stderr and empty when unset).
QString BenchDatabase(const char* usage);

// The main of a screen benchmark: offscreen unless a platform is set, the road made over the
// database that usage describes and published in road while the benchmarks run.
template <class Road>
int RunScreenBenchmarks(int argc, char** argv, const char* usage, Road*& road) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString path = BenchDatabase(usage);
    if (path.isEmpty())
        return 2;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Road made(path);
    road = &made;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    road = nullptr;
    return 0;
}

} // namespace bench_support
