#pragma once

// A scripted HTTP server on an OS-chosen loopback port, for answers the real application server
// should never give and for servers that come and go. Header-only: used by several test
// executables.

#include <httplib.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace testing_net {

class FakeServer {
public:
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    FakeServer() {
        m_server.set_tcp_nodelay(true);
        // One request per connection, so that Stop() never waits on an idle keep-alive.
        m_server.set_keep_alive_max_count(1);
        m_server.Get("/health", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("{\"status\":\"ok\"}", "application/json");
        });
        m_server.Post(R"(/.*)", [this](const httplib::Request& req, httplib::Response& res) {
            Handler handler;
            {
                const std::lock_guard lock(m_mutex);
                m_lastPath = req.path;
                m_lastBody = req.body;
                m_lastHeaders = req.headers;
                handler = m_handler;
            }
            if (handler)
                handler(req, res);
        });
        // Bound means listening: connections queue until the accept loop runs.
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        // stop() before the accept loop runs would be lost, and Stop() would never return.
        while (!m_server.is_running())
            std::this_thread::yield();
    }
    ~FakeServer() { Stop(); }
    FakeServer(const FakeServer&) = delete;
    FakeServer& operator=(const FakeServer&) = delete;

    int Port() const { return m_port; }
    void Stop() {
        m_server.stop();
        if (m_thread.joinable())
            m_thread.join();
    }

    // Answers every POST with this status and body.
    void Answer(std::string body, int status = 200) {
        OnPost([body = std::move(body), status](const httplib::Request&, httplib::Response& res) {
            res.status = status;
            res.set_content(body, "application/json");
        });
    }
    // Answers every POST with a JSON-RPC result, echoing the request's id.
    void AnswerResult(const std::string& resultJson) {
        OnPost([resultJson](const httplib::Request& req, httplib::Response& res) {
            res.set_content(R"({"jsonrpc":"2.0","id":)" + RequestId(req.body) + R"(,"result":)" +
                                resultJson + "}",
                            "application/json");
        });
    }
    // Answers every POST with a JSON-RPC error, echoing the request's id.
    void AnswerError(int code, const std::string& message) {
        OnPost([code, message](const httplib::Request& req, httplib::Response& res) {
            res.set_content(R"({"jsonrpc":"2.0","id":)" + RequestId(req.body) +
                                R"(,"error":{"code":)" + std::to_string(code) + R"(,"message":")" +
                                message + "\"}}",
                            "application/json");
        });
    }
    void OnPost(Handler handler) {
        const std::lock_guard lock(m_mutex);
        m_handler = std::move(handler);
    }

    std::string LastPath() const { return Locked(m_lastPath); }
    std::string LastBody() const { return Locked(m_lastBody); }
    std::string LastHeader(const std::string& name) const {
        const httplib::Headers headers = Locked(m_lastHeaders);
        const auto found = headers.find(name);
        return found == headers.end() ? std::string() : found->second;
    }

    // The id of a request body written by our client: "id":N follows "jsonrpc".
    static std::string RequestId(const std::string& body) {
        const auto start = body.find("\"id\":") + 5;
        return body.substr(start, body.find(',', start) - start);
    }

    // A loopback port where nothing listens any more.
    static int ClosedPort() {
        FakeServer server;
        const int port = server.Port();
        server.Stop();
        return port;
    }

private:
    template <typename T> T Locked(const T& value) const {
        const std::lock_guard lock(m_mutex);
        return value;
    }

    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable std::mutex m_mutex;
    Handler m_handler;
    std::string m_lastPath;
    std::string m_lastBody;
    httplib::Headers m_lastHeaders;
};

} // namespace testing_net
