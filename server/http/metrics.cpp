#include "server/http/metrics.h"

#include <cstdio>

namespace http {

namespace {

constexpr const char* kRefusalNames[] = {"login",    "session",  "request",
                                         "protocol", "business", "database"};

void Line(std::string& out, const char* format, auto... values) {
    char line[256];
    const int size = std::snprintf(line, sizeof line, format, values...);
    out.append(line, size_t(size) < sizeof line ? size_t(size) : sizeof line - 1);
}

void Header(std::string& out, const char* name, const char* type, const char* help) {
    Line(out, "# HELP %s %s\n# TYPE %s %s\n", name, help, name, type);
}

} // namespace

Metrics::Metrics(const std::vector<std::string>& methods) {
    for (const std::string& name : methods)
        m_methods.emplace_back(std::make_unique<Method>())->name = name;
    m_methods.emplace_back(std::make_unique<Method>())->name = "session";
    m_methods.emplace_back(std::make_unique<Method>())->name = "other";
    m_other = m_methods.back().get();
    for (const auto& method : m_methods)
        m_byName.emplace(method->name, method.get());
}

void Metrics::Call(std::string_view method, std::int64_t nanoseconds, bool failed) {
    const auto found = m_byName.find(method);
    Method& stats = found == m_byName.end() ? *m_other : *found->second;
    const double seconds = double(nanoseconds) / 1e9;
    size_t bucket = 0;
    while (bucket < kBounds.size() && seconds > kBounds[bucket])
        ++bucket;
    stats.buckets[bucket].fetch_add(1, std::memory_order_relaxed);
    stats.nanoseconds.fetch_add(std::uint64_t(nanoseconds), std::memory_order_relaxed);
    if (failed)
        stats.failures.fetch_add(1, std::memory_order_relaxed);
}

void Metrics::Refused(Refusal kind) {
    m_refusals[size_t(kind)].fetch_add(1, std::memory_order_relaxed);
}

void Metrics::Retried(int attempts) {
    m_retries.fetch_add(std::uint64_t(attempts), std::memory_order_relaxed);
}

void Metrics::Replayed() {
    m_replays.fetch_add(1, std::memory_order_relaxed);
}

void Metrics::ConnectionOpened() {
    m_connections.fetch_add(1, std::memory_order_relaxed);
}

void Metrics::ConnectionClosed() {
    m_connections.fetch_sub(1, std::memory_order_relaxed);
}

std::string Metrics::Text() const {
    std::string out;
    // Calls are the histogram's own count, summed once here, so both agree within a scrape.
    std::vector<std::array<std::uint64_t, kBounds.size() + 1>> buckets(m_methods.size());
    std::vector<std::uint64_t> calls(m_methods.size());
    for (size_t m = 0; m < m_methods.size(); ++m)
        for (size_t b = 0; b < buckets[m].size(); ++b)
            calls[m] += buckets[m][b] = m_methods[m]->buckets[b].load(std::memory_order_relaxed);

    Header(out, "rec18000_rpc_calls_total", "counter", "Calls answered, by method.");
    for (size_t m = 0; m < m_methods.size(); ++m)
        Line(out, "rec18000_rpc_calls_total{method=\"%s\"} %llu\n", m_methods[m]->name.c_str(),
             static_cast<unsigned long long>(calls[m]));
    Header(out, "rec18000_rpc_failures_total", "counter",
           "Calls answered with an error, by method.");
    for (const auto& method : m_methods)
        Line(out, "rec18000_rpc_failures_total{method=\"%s\"} %llu\n", method->name.c_str(),
             static_cast<unsigned long long>(method->failures.load(std::memory_order_relaxed)));
    Header(out, "rec18000_rpc_duration_seconds", "histogram",
           "Time from the request read to the answer, by method.");
    for (size_t m = 0; m < m_methods.size(); ++m) {
        const char* name = m_methods[m]->name.c_str();
        unsigned long long cumulative = 0;
        for (size_t b = 0; b < kBounds.size(); ++b) {
            cumulative += buckets[m][b];
            Line(out, "rec18000_rpc_duration_seconds_bucket{method=\"%s\",le=\"%g\"} %llu\n", name,
                 kBounds[b], cumulative);
        }
        Line(out, "rec18000_rpc_duration_seconds_bucket{method=\"%s\",le=\"+Inf\"} %llu\n", name,
             static_cast<unsigned long long>(calls[m]));
        Line(out, "rec18000_rpc_duration_seconds_sum{method=\"%s\"} %.6f\n", name,
             double(m_methods[m]->nanoseconds.load(std::memory_order_relaxed)) / 1e9);
        Line(out, "rec18000_rpc_duration_seconds_count{method=\"%s\"} %llu\n", name,
             static_cast<unsigned long long>(calls[m]));
    }
    Header(out, "rec18000_refusals_total", "counter", "Requests refused, by kind.");
    for (size_t k = 0; k < m_refusals.size(); ++k)
        Line(out, "rec18000_refusals_total{kind=\"%s\"} %llu\n", kRefusalNames[k],
             static_cast<unsigned long long>(m_refusals[k].load(std::memory_order_relaxed)));
    Header(out, "rec18000_db_retries_total", "counter",
           "Write transactions run again after a busy database, a deadlock or a serialization "
           "failure.");
    Line(out, "rec18000_db_retries_total %llu\n",
         static_cast<unsigned long long>(m_retries.load(std::memory_order_relaxed)));
    Header(out, "rec18000_idempotent_replays_total", "counter",
           "Calls answered with the answer stored for their Idempotency-Key.");
    Line(out, "rec18000_idempotent_replays_total %llu\n",
         static_cast<unsigned long long>(m_replays.load(std::memory_order_relaxed)));
    Header(out, "rec18000_open_connections", "gauge", "Client connections open now.");
    Line(out, "rec18000_open_connections %lld\n",
         static_cast<long long>(m_connections.load(std::memory_order_relaxed)));
    return out;
}

} // namespace http
