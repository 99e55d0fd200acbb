// rec18000-geracao-bench: SetGeraCompensacao against a server of its own on loopback.
//   1. one confirmation with --payables marked payables (1,000): server time of the call (parse,
//      checks, writes and commit, from the server's log line) and the client's round trip;
//   2. --clients clients (8) confirming distinct bills, --each confirmations per client, half
//      against a payable and half against a credit: compensations per second.
// --database URL names an empty database (schema and demo are loaded); default a temporary
// SQLite file.
#include "db/demo.h"
#include "db/migrate.h"
#include "server/http/server.h"
#include "server/methods/methods.h"
#include "store/connection.h"
#include "tests/server/confirmation.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <simdjson.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    QString database;
    int clients = 8;
    int each = 250;
    int payables = 1000;
    int repeats = 5;
};

Options Parse(const QStringList& args) {
    Options o;
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        const QString& v = args[i + 1];
        if (args[i] == QLatin1String("--database"))
            o.database = v;
        else if (args[i] == QLatin1String("--clients"))
            o.clients = std::clamp(v.toInt(), 1, 64);
        else if (args[i] == QLatin1String("--each"))
            o.each = std::clamp(v.toInt(), 1, 10000);
        else if (args[i] == QLatin1String("--payables"))
            o.payables = std::clamp(v.toInt(), 1, 5000);
        else if (args[i] == QLatin1String("--repeats"))
            o.repeats = std::clamp(v.toInt(), 1, 100);
    }
    return o;
}

std::string Login(int port) {
    httplib::Client client("127.0.0.1", port);
    auto result = client.Post("/session", R"({"operator":"ADMIN","password":"admin123"})",
                              "application/json");
    simdjson::dom::parser parser;
    std::string_view token;
    if (!result || parser.parse(result->body)["token"].get(token) != simdjson::SUCCESS)
        return {};
    return std::string(token);
}

std::string Body(const std::string& params) {
    return R"({"jsonrpc":"2.0","id":1,"method":"SetGeraCompensacao","params":)" + params + "}";
}

// CPU time of the whole process: around one call, while the client only waits, the server's.
double CpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[size_t(p * double(values.size() - 1))];
}

// The server's own time of its last SetGeraCompensacao call, from the log line.
class ServerTimes {
public:
    void Line(std::string_view line) {
        if (line.find("method=SetGeraCompensacao") == std::string_view::npos)
            return;
        const size_t at = line.find(" ms=");
        if (at == std::string_view::npos)
            return;
        const std::lock_guard lock(m_mutex);
        m_last = std::stod(std::string(line.substr(at + 4)));
    }
    double Last() {
        const std::lock_guard lock(m_mutex);
        return m_last;
    }

private:
    std::mutex m_mutex;
    double m_last = 0;
};

void BigConfirmation(const QSqlDatabase& db, int port, const httplib::Headers& headers,
                     const Options& o, ServerTimes& times) {
    httplib::Client client("127.0.0.1", port);
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);
    client.set_read_timeout(std::chrono::seconds(60));
    std::vector<double> server;
    std::vector<double> roundTrip;
    std::vector<double> cpu;
    size_t bytes = 0;
    for (int r = 0; r < o.repeats; ++r) {
        const std::vector<store::Cents> values(size_t(o.payables), 1000);
        const testserver::OpenItems items = testserver::AddOpenItems(
            db, 8000000000 + r * 10000, store::Cents(o.payables) * 1000 + 100, values, {});
        const std::string body = Body(testserver::GenerationParams(
            testserver::Confirm(db, items.bill, true, items.payables)));
        bytes = body.size();
        const double cpuBefore = CpuMs();
        const auto begin = Clock::now();
        const testserver::Status status = testserver::StatusOf(
            client.Post("/REC18000.rdmCompContRec", headers, body, "application/json"));
        roundTrip.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
        cpu.push_back(CpuMs() - cpuBefore);
        server.push_back(times.Last());
        if (status.status != "OK")
            std::fprintf(stderr, "refused: %s %s\n", status.status.c_str(), status.text.c_str());
    }
    std::printf("%d marked payables, %d confirmations (%zu KB request): server %.1f ms median "
                "(min %.1f, max %.1f); round trip %.1f ms median; CPU %.1f ms median\n",
                o.payables, o.repeats, bytes / 1024, Percentile(server, 0.5),
                Percentile(server, 0.0), Percentile(server, 1.0), Percentile(roundTrip, 0.5),
                Percentile(cpu, 0.5));
}

void ManyClients(const QSqlDatabase& db, int port, const httplib::Headers& headers,
                 const Options& o) {
    std::vector<std::vector<std::string>> bodies(size_t(o.clients));
    for (int c = 0; c < o.clients; ++c) {
        for (int i = 0; i < o.each; ++i) {
            const bool payables = i % 2 == 0;
            const testserver::OpenItems items = testserver::AddOpenItems(
                db, 9000000000 + (c * o.each + i) * 10, 50000,
                payables ? std::vector<store::Cents>{12345} : std::vector<store::Cents>{},
                payables ? std::vector<store::Cents>{} : std::vector<store::Cents>{23456});
            bodies[size_t(c)].push_back(Body(testserver::GenerationParams(testserver::Confirm(
                db, items.bill, payables, payables ? items.payables : items.credits))));
        }
    }
    std::vector<std::vector<double>> latencies(size_t(o.clients));
    std::atomic<long> refused{0};
    std::vector<std::thread> threads;
    const auto start = Clock::now();
    for (int c = 0; c < o.clients; ++c) {
        threads.emplace_back([&, c] {
            httplib::Client client("127.0.0.1", port);
            client.set_keep_alive(true);
            client.set_tcp_nodelay(true);
            for (const std::string& body : bodies[size_t(c)]) {
                const auto begin = Clock::now();
                const testserver::Status status = testserver::StatusOf(
                    client.Post("/REC18000.rdmCompContRec", headers, body, "application/json"));
                latencies[size_t(c)].push_back(
                    std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
                if (status.status != "OK")
                    ++refused;
            }
        });
    }
    for (auto& t : threads)
        t.join();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    std::vector<double> all;
    for (const auto& l : latencies)
        all.insert(all.end(), l.begin(), l.end());
    std::printf("%d clients, %zu confirmations of distinct bills in %.2f s = %.0f compensations/s; "
                "latency p50 %.1f ms, p99 %.1f ms; not OK %ld\n",
                o.clients, all.size(), elapsed, double(all.size() - size_t(refused)) / elapsed,
                Percentile(all, 0.5), Percentile(all, 0.99), refused.load());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options options = Parse(app.arguments().mid(1));
    QTemporaryDir dir;
    ServerTimes times;
    http::ServerConfig config;
    config.database = store::DbUrl::Parse(
        options.database.isEmpty() ? "sqlite:" + dir.filePath("bench.db") : options.database);
    config.log = [&times](std::string_view line) {
        times.Line(line);
    };
    const QSqlDatabase db = store::OpenConnection(config.database, "bench");
    db::Migrate(db);
    db::LoadDemo(db, QDate::currentDate());
    rpc::Registry registry;
    rec18000::RegisterCompContRec(registry);
    auto server = std::make_unique<http::Server>(config, std::move(registry));
    const int port = server->Bind("127.0.0.1", 0);
    std::thread serving([&] { server->Run(); });

    const std::string token = Login(port);
    if (token.empty()) {
        std::fprintf(stderr, "rec18000-geracao-bench: login failed\n");
    } else {
        const httplib::Headers headers{{"Authorization", "Bearer " + token}};
        BigConfirmation(db, port, headers, options, times);
        ManyClients(db, port, headers, options);
    }
    server->Stop();
    serving.join();
    return token.empty() ? 1 : 0;
}
