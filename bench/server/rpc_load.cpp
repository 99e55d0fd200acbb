// rec18000-rpc-load: latency and calls per second of the RPC endpoint with concurrent clients on
// loopback. Bounded in calls and time, and only ever aimed at 127.0.0.1. Without --port it starts
// its own server over a temporary demo database.
#include "db/demo.h"
#include "db/migrate.h"
#include "server/http/server.h"
#include "server/methods/methods.h"
#include "store/connection.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <httplib.h>
#include <simdjson.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    int port = 0;
    int clients = 8;
    int idle = 0;          // keep-alive connections that make one call, then stay open idle
    long calls = 100000;   // upper bound on all calls together
    double seconds = 10.0; // upper bound on the run
    std::string method = "GetGeralPag";
    std::string operador = "ADMIN";
    std::string password = "admin123";
};

Options Parse(const QStringList& args) {
    Options o;
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        const QString& v = args[i + 1];
        if (args[i] == QLatin1String("--port"))
            o.port = v.toInt();
        else if (args[i] == QLatin1String("--clients"))
            o.clients = std::clamp(v.toInt(), 1, 64);
        else if (args[i] == QLatin1String("--idle"))
            o.idle = std::clamp(v.toInt(), 0, 256);
        else if (args[i] == QLatin1String("--calls"))
            o.calls = std::clamp(v.toLong(), 1L, 10000000L);
        else if (args[i] == QLatin1String("--seconds"))
            o.seconds = std::clamp(v.toDouble(), 0.1, 120.0);
        else if (args[i] == QLatin1String("--method"))
            o.method = v.toStdString();
        else if (args[i] == QLatin1String("--operator"))
            o.operador = v.toStdString();
        else if (args[i] == QLatin1String("--password"))
            o.password = v.toStdString();
    }
    return o;
}

std::string Login(int port, const Options& o) {
    httplib::Client client("127.0.0.1", port);
    auto result = client.Post(
        "/session", "{\"operator\":\"" + o.operador + "\",\"password\":\"" + o.password + "\"}",
        "application/json");
    simdjson::dom::parser parser;
    std::string_view token;
    if (!result || parser.parse(result->body)["token"].get(token) != simdjson::SUCCESS)
        return {};
    return std::string(token);
}

struct Totals {
    std::vector<double> latenciesUs;
    long failures = 0;
};

void Load(int port, const Options& o, const std::string& token) {
    const std::string body =
        R"({"jsonrpc":"2.0","id":1,"method":")" + o.method + R"(","params":[]})";
    const httplib::Headers headers{{"Authorization", "Bearer " + token}};
    // Suites left open on the server: each connection is in use once, then waits.
    std::vector<std::unique_ptr<httplib::Client>> idle;
    for (int i = 0; i < o.idle; ++i) {
        idle.push_back(std::make_unique<httplib::Client>("127.0.0.1", port));
        idle.back()->set_keep_alive(true);
        if (!idle.back()->Post("/REC18000.rdmCompContRec", headers, body, "application/json"))
            std::fprintf(stderr, "rec18000-rpc-load: idle connection %d failed\n", i);
    }
    std::atomic<long> budget{o.calls};
    const auto deadline = Clock::now() + std::chrono::duration<double>(o.seconds);
    std::vector<Totals> totals(size_t(o.clients));
    std::vector<std::thread> threads;
    const auto start = Clock::now();
    for (int c = 0; c < o.clients; ++c) {
        threads.emplace_back([&, c] {
            httplib::Client client("127.0.0.1", port);
            client.set_keep_alive(true);
            client.set_tcp_nodelay(true);
            Totals& mine = totals[size_t(c)];
            while (budget.fetch_sub(1) > 0 && Clock::now() < deadline) {
                const auto begin = Clock::now();
                auto result =
                    client.Post("/REC18000.rdmCompContRec", headers, body, "application/json");
                const auto end = Clock::now();
                if (!result || result->status != 200)
                    ++mine.failures;
                mine.latenciesUs.push_back(
                    std::chrono::duration<double, std::micro>(end - begin).count());
            }
        });
    }
    for (auto& t : threads)
        t.join();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    std::vector<double> all;
    long failures = 0;
    for (const auto& t : totals) {
        all.insert(all.end(), t.latenciesUs.begin(), t.latenciesUs.end());
        failures += t.failures;
    }
    std::sort(all.begin(), all.end());
    const auto pct = [&](double p) {
        return all.empty() ? 0.0 : all[size_t(p * (all.size() - 1))];
    };
    std::printf("%d idle connections; ", o.idle);
    std::printf("method %s, %d clients: %zu calls in %.2f s = %.0f calls/s; latency p50 %.0f us, "
                "p99 %.0f us, max %.0f us; failures %ld\n",
                o.method.c_str(), o.clients, all.size(), elapsed, double(all.size()) / elapsed,
                pct(0.5), pct(0.99), all.empty() ? 0.0 : all.back(), failures);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options options = Parse(app.arguments().mid(1));
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<http::Server> server;
    std::thread serving;
    std::atomic<long> logLines{0};
    int port = options.port;
    if (port == 0) {
        dir = std::make_unique<QTemporaryDir>();
        http::ServerConfig config;
        config.database = store::DbUrl::Parse("sqlite:" + dir->filePath("bench.db"));
        // Log lines are formatted as in production, then counted instead of printed.
        config.log = [&logLines](std::string_view) {
            ++logLines;
        };
        const QSqlDatabase db = store::OpenConnection(config.database, "bench");
        db::Migrate(db);
        db::LoadDemo(db, QDate::currentDate());
        rpc::Registry registry;
        rec18000::RegisterCompContRec(registry);
        server = std::make_unique<http::Server>(config, std::move(registry));
        port = server->Bind("127.0.0.1", 0);
        serving = std::thread([&] { server->Run(); });
    }
    const std::string token = Login(port, options);
    if (token.empty()) {
        std::fprintf(stderr, "rec18000-rpc-load: login failed on 127.0.0.1:%d\n", port);
    } else {
        Load(port, options, token);
    }
    if (server) {
        server->Stop();
        serving.join();
    }
    return token.empty() ? 1 : 0;
}
