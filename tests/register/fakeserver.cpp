#include "tests/register/fakeserver.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <httplib.h>

#include <thread>

namespace register_testing {

struct FakeServer::Impl {
    httplib::Server server;
    std::thread thread;
};

FakeServer::FakeServer() : d(std::make_unique<Impl>()) {
    d->server.Get("/health", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(R"({"status":"ok"})", "application/json");
    });
    d->server.Post("/REC18000.rdmCompContRec", [this](const httplib::Request& req,
                                                      httplib::Response& res) {
        const QJsonObject request =
            QJsonDocument::fromJson(QByteArray::fromStdString(req.body)).object();
        const QString method = request.value(QStringLiteral("method")).toString();
        const QJsonArray params = request.value(QStringLiteral("params")).toArray();
        Handler handler;
        {
            const std::lock_guard lock(m_mutex);
            m_calls.push_back({method, params});
            if (auto it = m_handlers.find(method); it != m_handlers.end())
                handler = it->second;
        }
        const Answer answer =
            handler ? handler(params) : Refusal(QStringLiteral("método sem roteiro: ") + method);
        const QByteArray id = QByteArray::number(request.value(QStringLiteral("id")).toInteger());
        const QByteArray body = "{\"jsonrpc\":\"2.0\",\"id\":" + id +
                                (answer.refused ? ",\"error\":" : ",\"result\":") + answer.json +
                                "}";
        res.set_content(body.toStdString(), "application/json");
    });
    m_port = d->server.bind_to_any_port("127.0.0.1");
    d->thread = std::thread([this] { d->server.listen_after_bind(); });
    // Connections queue on the bound socket; stop() needs the accept loop to be running.
    while (!d->server.is_running())
        std::this_thread::yield();
}

FakeServer::~FakeServer() {
    d->server.stop();
    d->thread.join();
}

void FakeServer::On(const QString& method, Handler handler) {
    const std::lock_guard lock(m_mutex);
    m_handlers[method] = std::move(handler);
}

std::vector<RecordedCall> FakeServer::Calls() const {
    const std::lock_guard lock(m_mutex);
    return m_calls;
}

std::vector<RecordedCall> FakeServer::CallsOf(const QString& method) const {
    std::vector<RecordedCall> calls;
    for (const RecordedCall& call : Calls())
        if (call.method == method)
            calls.push_back(call);
    return calls;
}

void FakeServer::ClearCalls() {
    const std::lock_guard lock(m_mutex);
    m_calls.clear();
}

FakeServer::Answer FakeServer::Text(const QString& text) {
    return Result(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact).mid(1).chopped(1));
}

FakeServer::Answer FakeServer::Refusal(const QString& message) {
    const QJsonObject error{{QStringLiteral("code"), -32000}, {QStringLiteral("message"), message}};
    return {QJsonDocument(error).toJson(QJsonDocument::Compact), true};
}

} // namespace register_testing
