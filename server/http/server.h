#pragma once

#include "data/dburl.h"
#include "server/rpc/registry.h"
#include "store/writetransaction.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace http {

// Which log lines are written: errors only (internal faults), warnings too (malformed calls,
// database failures, retried writes), or every call.
enum class LogLevel { Error, Warning, Info };

struct ServerConfig {
    store::DbUrl database;
    int threads = 16;                      // worker threads, each with its own connection
    size_t maxConnections = 512;           // connections served at once; more wait in line
    size_t maxBodyBytes = 8 * 1024 * 1024; // larger requests are refused unread (413)
    std::chrono::seconds tokenLifetime{12 * 3600};
    store::WritePolicy write; // how writing methods wait for and retry a busy database
    // One line per call; stderr when unset.
    std::function<void(std::string_view line)> log;
    LogLevel logLevel = LogLevel::Info;
};

// The application server: POST /session, POST /<server name> (JSON-RPC 2.0), GET /health,
// GET /metrics.
class Server {
public:
    Server(ServerConfig config, rpc::Registry registry);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Binds and listens (port 0: a free port chosen by the system); returns the port. Once this
    // returns, connections are accepted into the backlog. Throws std::runtime_error.
    int Bind(const std::string& host, int port);
    // Serves until Stop(); blocking.
    void Run();
    // Takes no more connections; idle ones are closed, calls under way finish and answer, and
    // then Run() returns.
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace http
