// GetCompensacao for a whole year over a large database (rec18000-db generate --scale 100):
// the call as a client sees it over HTTP, the same call dispatched in process (query, rows and
// encoding, no HTTP), the encoding alone, and the client's decoding for comparison.
//   REC18000_BENCH_DB=sqlite:/tmp/big.db build/bin/bench_compensacao
#include "data/codec.h"
#include "server/http/server.h"
#include "server/methods/methods.h"
#include "server/rpc/dispatcher.h"

#include <QCoreApplication>
#include <QDate>

#include <benchmark/benchmark.h>
#include <httplib.h>
#include <simdjson.h>

#include <memory>
#include <thread>

namespace {

struct Bench {
    store::DbUrl url;
    std::unique_ptr<http::Server> server;
    std::thread serving;
    int port = 0;
    std::string token;
    rpc::Registry registry;
    std::string request;

    ~Bench() {
        if (server) {
            server->Stop();
            serving.join();
        }
    }
};

std::string YearRequest() {
    const QDate today = QDate::currentDate();
    const auto day = [](const QDate& d) {
        return "\"" + d.toString(Qt::ISODate).toStdString() + "T00:00:00\"";
    };
    return R"({"jsonrpc":"2.0","id":1,"method":"GetCompensacao","params":["01",)" +
           day(today.addYears(-1)) + "," + day(today) + R"(,null,null,"",""]})";
}

std::unique_ptr<Bench>& Holder() {
    static std::unique_ptr<Bench> bench;
    return bench;
}

// Started on first use; nullptr without REC18000_BENCH_DB.
Bench* Shared() {
    static const bool started = [] {
        const QByteArray url = qgetenv("REC18000_BENCH_DB");
        if (url.isEmpty())
            return false;
        auto& b = Holder();
        b = std::make_unique<Bench>();
        b->url = store::DbUrl::Parse(QString::fromUtf8(url));
        http::ServerConfig config;
        config.database = b->url;
        config.log = [](std::string_view) {
        };
        rpc::Registry registry;
        rec18000::RegisterCompContRec(registry);
        rec18000::RegisterCompContRec(b->registry);
        b->server = std::make_unique<http::Server>(config, std::move(registry));
        b->port = b->server->Bind("127.0.0.1", 0);
        b->serving = std::thread([s = b->server.get()] { s->Run(); });
        httplib::Client client("127.0.0.1", b->port);
        auto login = client.Post("/session", R"({"operator":"ADMIN","password":"admin123"})",
                                 "application/json");
        simdjson::dom::parser parser;
        std::string_view token;
        if (login && parser.parse(login->body)["token"].get(token) == simdjson::SUCCESS)
            b->token = std::string(token);
        b->request = YearRequest();
        return true;
    }();
    return started ? Holder().get() : nullptr;
}

// The answer's record set, as the client receives it.
std::string_view ResultOf(simdjson::dom::parser& parser, const std::string& body) {
    simdjson::dom::element result;
    if (parser.parse(body)["result"].get(result) != simdjson::SUCCESS)
        return {};
    thread_local std::string text;
    text = simdjson::minify(result);
    return text;
}

void Report(benchmark::State& state, size_t rows, size_t bytes) {
    state.counters["rows"] = double(rows);
    state.counters["MB"] = double(bytes) / 1e6;
}

void BM_GetCompensacaoYearOverHttp(benchmark::State& state) {
    Bench* b = Shared();
    if (b == nullptr || b->token.empty()) {
        state.SkipWithError("set REC18000_BENCH_DB to a database made by rec18000-db generate");
        return;
    }
    httplib::Client client("127.0.0.1", b->port);
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);
    client.set_read_timeout(std::chrono::seconds(120));
    const httplib::Headers headers{{"Authorization", "Bearer " + b->token}};
    size_t bytes = 0;
    for (auto _ : state) {
        auto result =
            client.Post("/REC18000.rdmCompContRec", headers, b->request, "application/json");
        if (!result || result->status != 200) {
            state.SkipWithError("call failed");
            return;
        }
        bytes = result->body.size();
        benchmark::DoNotOptimize(result->body.data());
    }
    simdjson::dom::parser parser;
    auto last = client.Post("/REC18000.rdmCompContRec", headers, b->request, "application/json");
    Report(state, last ? host::codec::Decode(ResultOf(parser, last->body)).rows.size() : 0, bytes);
}

void BM_GetCompensacaoYearDispatched(benchmark::State& state) {
    Bench* b = Shared();
    if (b == nullptr) {
        state.SkipWithError("set REC18000_BENCH_DB");
        return;
    }
    const rpc::RemoteObject* object = b->registry.Find(rec18000::kServerName);
    rpc::CallContext context(b->url, rpc::CallMeta{QStringLiteral("ADMIN"), {}, {}, {}});
    size_t bytes = 0;
    for (auto _ : state) {
        const rpc::Answer answer = rpc::Dispatch(*object, b->request, context);
        bytes = size_t(answer.body.size());
        benchmark::DoNotOptimize(answer.body.constData());
    }
    Report(state, 0, bytes);
}

// The answer's encoding alone, from the rows the call produced.
void BM_GetCompensacaoYearEncode(benchmark::State& state) {
    Bench* b = Shared();
    if (b == nullptr) {
        state.SkipWithError("set REC18000_BENCH_DB");
        return;
    }
    rpc::CallContext context(b->url, rpc::CallMeta{QStringLiteral("ADMIN"), {}, {}, {}});
    const rpc::Answer answer =
        rpc::Dispatch(*b->registry.Find(rec18000::kServerName), b->request, context);
    simdjson::dom::parser parser;
    const host::RecordSetTable table =
        host::codec::Decode(ResultOf(parser, answer.body.toStdString()));
    size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray encoded = host::codec::Encode(table);
        bytes = size_t(encoded.size());
        benchmark::DoNotOptimize(encoded.constData());
    }
    Report(state, table.rows.size(), bytes);
}

// What the client does next with the answer (not the server's part).
void BM_GetCompensacaoYearClientDecode(benchmark::State& state) {
    Bench* b = Shared();
    if (b == nullptr) {
        state.SkipWithError("set REC18000_BENCH_DB");
        return;
    }
    rpc::CallContext context(b->url, rpc::CallMeta{QStringLiteral("ADMIN"), {}, {}, {}});
    const rpc::Answer answer =
        rpc::Dispatch(*b->registry.Find(rec18000::kServerName), b->request, context);
    simdjson::dom::parser parser;
    const std::string result(ResultOf(parser, answer.body.toStdString()));
    size_t rows = 0;
    for (auto _ : state) {
        rows = host::codec::Decode(result).rows.size();
        benchmark::DoNotOptimize(rows);
    }
    Report(state, rows, result.size());
}

BENCHMARK(BM_GetCompensacaoYearOverHttp)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0)
    ->UseRealTime();
BENCHMARK(BM_GetCompensacaoYearDispatched)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0)
    ->UseRealTime();
BENCHMARK(BM_GetCompensacaoYearEncode)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_GetCompensacaoYearClientDecode)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Holder().reset(); // the server stops while the application still exists
    return 0;
}
