#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace http {

// Why a request was refused: a wrong login, a missing or expired session, an HTTP request we do
// not take (bad header or body, unknown route or object, too large), a malformed JSON-RPC call,
// a business rule, or the database (busy after the retries, a lost connection, a constraint).
enum class Refusal { Login, Session, Request, Protocol, Business, Database };

// The counters GET /metrics shows in Prometheus' text format. Every update is a relaxed atomic
// increment; each method's counters sit on cache lines of their own, so workers answering
// different methods do not share them. The set of methods is fixed at construction.
class Metrics {
public:
    // methods: the remote object's; "session" (logins) and "other" (anything else) are added.
    explicit Metrics(const std::vector<std::string>& methods);

    void Call(std::string_view method, std::int64_t nanoseconds, bool failed);
    void Refused(Refusal kind);
    void Retried(int attempts);
    void Replayed();
    void ConnectionOpened();
    void ConnectionClosed();

    std::string Text() const;

private:
    static constexpr std::array<double, 14> kBounds = {
        0.0005, 0.001, 0.0025, 0.005, 0.01, 0.025, 0.05, 0.1, 0.25, 0.5, 1, 2.5, 5, 10};
    struct alignas(64) Method {
        std::string name;
        std::atomic<std::uint64_t> failures{0};
        std::atomic<std::uint64_t> nanoseconds{0};
        std::array<std::atomic<std::uint64_t>, kBounds.size() + 1> buckets{}; // last: above all
    };

    std::vector<std::unique_ptr<Method>> m_methods;
    std::unordered_map<std::string_view, Method*> m_byName; // read-only once built
    Method* m_other = nullptr;
    std::array<std::atomic<std::uint64_t>, 6> m_refusals{};
    alignas(64) std::atomic<std::uint64_t> m_retries{0};
    std::atomic<std::uint64_t> m_replays{0};
    alignas(64) std::atomic<std::int64_t> m_connections{0};
};

} // namespace http
