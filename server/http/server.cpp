#include "server/http/server.h"

#include "server/auth/session.h"
#include "server/auth/token.h"
#include "server/http/metrics.h"
#include "server/http/pools.h"
#include "server/rpc/dispatcher.h"
#include "server/rpc/errors.h"
#include "store/connection.h"
#include "store/sql.h"

#include <QElapsedTimer>

#include <httplib.h>
#include <simdjson.h>

#include "data/jsonwriter.h"

#include <dirent.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

namespace http {

namespace {

constexpr auto kJson = "application/json";

std::string_view BearerToken(const httplib::Request& request) {
    static const std::string kEmpty;
    const auto found = request.headers.find("Authorization");
    const std::string& header = found == request.headers.end() ? kEmpty : found->second;
    constexpr std::string_view kPrefix = "Bearer ";
    if (header.size() <= kPrefix.size() ||
        std::string_view(header).substr(0, kPrefix.size()) != kPrefix)
        return {};
    return std::string_view(header).substr(kPrefix.size());
}

// The Idempotency-Key header, when sent: 1 to 100 visible ASCII characters (it is stored).
bool IdempotencyKey(const httplib::Request& request, QString* key) {
    if (!request.has_header("Idempotency-Key"))
        return true;
    const std::string value = request.get_header_value("Idempotency-Key");
    if (value.empty() || value.size() > 100)
        return false;
    for (const char c : value)
        if (c < 33 || c > 126)
            return false;
    *key = QString::fromLatin1(value.data(), qsizetype(value.size()));
    return true;
}

void SendJson(httplib::Response& response, int status, const QByteArray& body) {
    response.status = status;
    response.set_content(body.constData(), size_t(body.size()), kJson);
}

// What a caller typed reaches the log only as printable ASCII.
std::string Printable(const QString& text) {
    std::string out;
    for (const QChar c : text.left(12))
        out += c.unicode() > 32 && c.unicode() < 127 ? char(c.unicode()) : '?';
    return out.empty() ? "-" : out;
}

// A database's message on one log line: control characters become blanks, length is bounded.
std::string OneLine(std::string_view text) {
    std::string out(text.substr(0, 400));
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 32)
            c = ' ';
    return out;
}

QByteArray Message(const char* key, const QString& text) {
    host::JsonWriter out;
    out.beginObject().key(key).value(text).endObject();
    return out.take();
}

// A refused session or call is counted by why; internal faults are failures, not refusals.
std::optional<Refusal> RefusalOf(int errorCode, bool databaseFault) {
    switch (errorCode) {
    case 401:
        return Refusal::Login;
    case 400:
        return Refusal::Request;
    case rpc::kUnauthorized:
        return Refusal::Session;
    case rpc::kParseError:
    case rpc::kInvalidRequest:
    case rpc::kMethodNotFound:
    case rpc::kInvalidParams:
        return Refusal::Protocol;
    case rpc::kRefused:
        return databaseFault ? Refusal::Database : Refusal::Business;
    default:
        return std::nullopt;
    }
}

LogLevel LevelOf(int errorCode, bool databaseFault) {
    if (errorCode == rpc::kInternalError)
        return LogLevel::Error;
    if (databaseFault)
        return LogLevel::Warning;
    const bool expected = errorCode == 0 || errorCode == rpc::kRefused || errorCode == 401 ||
                          errorCode == rpc::kUnauthorized;
    return expected ? LogLevel::Info : LogLevel::Warning;
}

int PortOf(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    return -1;
}

using Peer = std::pair<std::string, int>; // the client's address and port, as httplib tells them

Peer PeerOf(int fd) {
    sockaddr_storage address{};
    socklen_t size = sizeof address;
    char host[NI_MAXHOST];
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
        getnameinfo(reinterpret_cast<sockaddr*>(&address), size, host, sizeof host, nullptr, 0,
                    NI_NUMERICHOST) != 0)
        return {};
    return {host, PortOf(address)};
}

// cpp-httplib 0.11 keeps an idle connection waiting for its next request until the keep-alive
// timeout (30 s here) even after stop(). Ending the reading side of every idle connection
// accepted on the port wakes it at once. Busy ones are left alone: the library writes no answer
// on a socket whose reading side has ended.
void EndIdleConnections(int port, const std::set<Peer>& busy) {
    DIR* fds = opendir("/proc/self/fd");
    if (fds == nullptr)
        return;
    while (const dirent* entry = readdir(fds)) {
        const int fd = std::atoi(entry->d_name);
        struct stat info {};
        if (fd <= 2 || fd == dirfd(fds) || fstat(fd, &info) != 0 || !S_ISSOCK(info.st_mode))
            continue;
        sockaddr_storage local{};
        socklen_t size = sizeof local;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &size) != 0 ||
            PortOf(local) != port)
            continue;
        const Peer peer = PeerOf(fd);
        if (!peer.first.empty() && !busy.contains(peer))
            ::shutdown(fd, SHUT_RD);
    }
    closedir(fds);
}

} // namespace

struct Server::Impl {
    ServerConfig config;
    rpc::Registry registry;
    std::optional<auth::TokenSigner> signer;
    std::unique_ptr<WorkerPool> workers; // outlives http: connection threads wait on it
    httplib::Server http;
    std::mutex logMutex;
    std::optional<Metrics> metrics;
    std::atomic<bool> stopRequested{false};
    std::atomic<bool> inRun{false};
    std::atomic<int> listenSocket{-1};
    int port = 0;
    std::mutex busyMutex;
    std::set<Peer> busy; // connections whose request is being served, until its answer is out

    void Log(LogLevel level, const std::string& line) {
        if (level > config.logLevel)
            return;
        if (config.log) {
            config.log(line);
            return;
        }
        const std::lock_guard lock(logMutex);
        std::fprintf(stderr, "%s\n", line.c_str());
    }

    // Counts the answered request and writes its log line.
    void Finish(const std::string& method, const QString& operador, const QElapsedTimer& timer,
                int errorCode, std::string_view detail = {}) {
        const qint64 nanoseconds = timer.nsecsElapsed();
        metrics->Call(method, nanoseconds, errorCode != 0);
        if (const auto refusal = RefusalOf(errorCode, !detail.empty()))
            metrics->Refused(*refusal);
        const LogLevel level = LevelOf(errorCode, !detail.empty());
        if (level > config.logLevel)
            return;
        char line[256];
        char outcome[24] = "ok";
        if (errorCode != 0)
            std::snprintf(outcome, sizeof outcome, "error %d", errorCode);
        std::snprintf(line, sizeof line, "rpc method=%.60s operator=%.12s ms=%.3f outcome=%s",
                      method.c_str(), Printable(operador).c_str(), double(nanoseconds) / 1e6,
                      outcome);
        Log(level, detail.empty() ? std::string(line) : line + (" detail=" + OneLine(detail)));
    }

    void Session(const httplib::Request& request, httplib::Response& response) {
        QElapsedTimer timer;
        timer.start();
        thread_local simdjson::dom::parser parser;
        simdjson::dom::element body;
        std::string_view operador;
        std::string_view password;
        if (parser.parse(request.body).get(body) != simdjson::SUCCESS ||
            body["operator"].get(operador) != simdjson::SUCCESS ||
            body["password"].get(password) != simdjson::SUCCESS || operador.size() > 12 ||
            password.size() > 256) {
            SendJson(response, 400, Message("error", QStringLiteral("Informe operador e senha.")));
            Finish("session", {}, timer, 400);
            return;
        }
        const QString code = QString::fromUtf8(operador.data(), qsizetype(operador.size()));
        const auto known =
            auth::CheckPassword(store::ThreadConnection(config.database), code,
                                QString::fromUtf8(password.data(), qsizetype(password.size())));
        if (!known) {
            SendJson(response, 401,
                     Message("error", QStringLiteral("Operador ou senha inválidos.")));
            Finish("session", code, timer, 401);
            return;
        }
        SendJson(
            response, 200,
            Message("token", QString::fromLatin1(signer->Issue(*known, config.tokenLifetime))));
        Finish("session", *known, timer, 0);
    }

    void Call(const httplib::Request& request, httplib::Response& response) {
        QElapsedTimer timer;
        timer.start();
        const std::string objectName = request.matches[1];
        const rpc::RemoteObject* object = registry.Find(objectName);
        if (object == nullptr) {
            SendJson(response, 404,
                     rpc::ErrorAnswer(rpc::kMethodNotFound,
                                      QStringLiteral("Objeto remoto desconhecido.")));
            Finish("-", {}, timer, rpc::kMethodNotFound);
            return;
        }
        // The session is checked before the body is even parsed.
        const auto operador = signer->Verify(BearerToken(request));
        if (!operador) {
            SendJson(response, 401,
                     rpc::ErrorAnswer(rpc::kUnauthorized,
                                      QStringLiteral("Sessão inválida ou expirada. Entre "
                                                     "novamente no sistema.")));
            Finish("-", {}, timer, rpc::kUnauthorized);
            return;
        }
        rpc::CallMeta meta;
        meta.operador = *operador;
        if (!IdempotencyKey(request, &meta.idempotencyKey)) {
            SendJson(response, 400,
                     rpc::ErrorAnswer(rpc::kInvalidRequest,
                                      QStringLiteral("Idempotency-Key inválida: use de 1 a 100 "
                                                     "caracteres visíveis.")));
            Finish("-", *operador, timer, rpc::kInvalidRequest);
            return;
        }
        rpc::CallContext context(
            config.database, std::move(meta),
            [this, &operador](std::string_view note) {
                Log(LogLevel::Warning,
                    "rpc note operator=" + Printable(*operador) + " " + OneLine(note));
            },
            config.write);
        const rpc::Answer answer = rpc::Dispatch(*object, request.body, context);
        if (context.Retries() > 0)
            metrics->Retried(context.Retries());
        if (context.Replayed())
            metrics->Replayed();
        if (answer.body.isEmpty())
            response.status = 204;
        else
            SendJson(response, 200, answer.body);
        Finish(answer.method, *operador, timer, answer.errorCode, answer.detail);
    }

    // Runs a handler on a database worker; a handler that threw may have broken the worker's
    // connection, so it is dropped there before the exception reaches cpp-httplib.
    void OnWorker(const std::function<void()>& handler) {
        workers->Run([&] {
            try {
                handler();
            } catch (...) {
                store::DropThreadConnection(config.database);
                throw;
            }
        });
    }

    void Health(httplib::Response& response) {
        try {
            store::Run(store::ThreadConnection(config.database), QStringLiteral("SELECT 1"));
            SendJson(response, 200, Message("status", QStringLiteral("ok")));
        } catch (const std::exception&) {
            store::DropThreadConnection(config.database);
            SendJson(response, 503, Message("status", QStringLiteral("database unreachable")));
        }
    }
};

Server::Server(ServerConfig config, rpc::Registry registry) : d(std::make_unique<Impl>()) {
    d->config = std::move(config);
    d->registry = std::move(registry);
    d->metrics.emplace(d->registry.MethodNames());
    // The signing key comes from the database, so every instance on it accepts the same tokens.
    const QSqlDatabase db = store::ThreadConnection(d->config.database);
    d->signer.emplace(auth::LoadOrCreateSecret(db));

    d->workers = std::make_unique<WorkerPool>(size_t(d->config.threads));
    const size_t connections = d->config.maxConnections;
    d->http.new_task_queue = [this, connections] {
        return new ConnectionQueue(connections, &*d->metrics);
    };
    d->http.set_payload_max_length(d->config.maxBodyBytes);
    d->http.set_read_timeout(std::chrono::seconds(30));
    // An idle keep-alive connection holds only a sleeping connection thread, not a worker.
    d->http.set_keep_alive_timeout(30);
    d->http.set_tcp_nodelay(true); // answers go out at once, not after the client's delayed ACK
    d->http.set_socket_options([this](socket_t socket) {
        httplib::default_socket_options(socket);
        d->listenSocket = socket;
    });
    d->http.set_keep_alive_max_count(10000);
    d->http.Post("/session", [this](const httplib::Request& request, httplib::Response& response) {
        d->OnWorker([&] { d->Session(request, response); });
    });
    d->http.Post(R"(/([A-Za-z0-9_]+\.[A-Za-z0-9_]+))",
                 [this](const httplib::Request& request, httplib::Response& response) {
                     d->OnWorker([&] { d->Call(request, response); });
                 });
    d->http.Get("/health", [this](const httplib::Request&, httplib::Response& response) {
        d->OnWorker([&] { d->Health(response); });
    });
    // Read on the connection's thread: no database, so a scrape is answered when every worker
    // is busy.
    d->http.Get("/metrics", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(d->metrics->Text(), "text/plain; version=0.0.4");
    });
    // A request is busy from its routing to its answer's end (the logger runs after the
    // answer is written), so that stopping spares it; once stopping, none starts.
    d->http.set_pre_routing_handler(
        [this](const httplib::Request& request, httplib::Response& response) {
            {
                const std::lock_guard lock(d->busyMutex);
                d->busy.emplace(request.remote_addr, request.remote_port);
            }
            if (!d->stopRequested)
                return httplib::Server::HandlerResponse::Unhandled;
            response.set_header("Connection", "close");
            SendJson(response, 503, Message("error", QStringLiteral("Servidor encerrando.")));
            return httplib::Server::HandlerResponse::Handled;
        });
    d->http.set_logger([this](const httplib::Request& request, const httplib::Response& response) {
        {
            const std::lock_guard lock(d->busyMutex);
            d->busy.erase({request.remote_addr, request.remote_port});
        }
        // Refused before any handler ran: a body above the limit, a path no route takes.
        if (response.status == 413 || (response.status == 404 && response.body.empty()))
            d->metrics->Refused(Refusal::Request);
    });
    d->http.set_exception_handler(
        [this](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
            SendJson(response, 500,
                     rpc::ErrorAnswer(rpc::kInternalError,
                                      QStringLiteral("Erro interno do servidor de aplicação.")));
            d->Log(LogLevel::Error, "internal error outside a call");
        });
}

Server::~Server() {
    Stop();
}

int Server::Bind(const std::string& host, int port) {
    const int bound =
        port == 0 ? d->http.bind_to_any_port(host) : (d->http.bind_to_port(host, port) ? port : -1);
    if (bound <= 0)
        throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port));
    // The library listens with a backlog of 5: clients connecting at once beyond that lose
    // their SYN and wait a second or more for the retry. Listening again widens the queue.
    if (::listen(d->listenSocket, SOMAXCONN) != 0)
        throw std::runtime_error("cannot widen the listen queue on " + host);
    d->port = bound;
    return bound;
}

void Server::Run() {
    d->inRun = true;
    if (!d->stopRequested)
        d->http.listen_after_bind();
    d->inRun = false;
}

void Server::Stop() {
    d->stopRequested = true;
    // Run() may be between its check and the accept loop: wait for the loop to start (a few
    // instructions away) so that stopping it cannot be missed.
    while (d->inRun && !d->http.is_running())
        std::this_thread::yield();
    d->http.stop();
    if (d->port > 0) {
        const std::lock_guard lock(d->busyMutex);
        EndIdleConnections(d->port, d->busy);
    }
}

} // namespace http
