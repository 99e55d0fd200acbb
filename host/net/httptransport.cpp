#include "host/net/httptransport.h"

#include "host/net/jsonrpc.h"
#include "host/net/neterror.h"
#include "host/services/hostmessages.h"

#include <httplib.h>

namespace host::http {
namespace {

std::string Where(const Target& target) {
    return target.host.toStdString() + ":" + std::to_string(target.port);
}

QString Text(const char* key) {
    return HostMessages().Msg(QLatin1String(key));
}

// A read that failed once the whole read time had passed is a server that did not answer in
// time; anything else is a server that could not be reached or dropped the exchange.
[[noreturn]] void ThrowTransport(const Target& target, httplib::Error error,
                                 std::chrono::steady_clock::duration waited) {
    const std::string detail = Where(target) + ": " + httplib::to_string(error);
    if (error == httplib::Error::Read && waited >= target.readTimeout)
        throw ENetError(Text("TEMPOESG").arg(target.readTimeout.count()), detail);
    throw ENetError(Text("SERVCONEX").arg(QString::fromStdString(Where(target))), detail);
}

[[noreturn]] void ThrowStatus(const Target& target, int status, const QByteArray& body) {
    // Servers refuse a call (bad token, no access) with a JSON-RPC error body.
    const QString text = jsonrpc::ErrorText(body);
    const std::string detail = Where(target) + ": HTTP " + std::to_string(status);
    if (text.isEmpty())
        throw ENetError(detail);
    throw ENetError(Text("SERVRECUSA").arg(text), detail + ": " + text.toStdString());
}

} // namespace

struct Client::Impl {
    explicit Impl(const Target& t) : target(t), client(t.host.toStdString(), t.port) {
        client.set_connection_timeout(target.connectTimeout);
        client.set_read_timeout(target.readTimeout);
        client.set_write_timeout(target.readTimeout);
        client.set_keep_alive(true);
        // Headers and body leave in separate writes: without this, Nagle's algorithm and the
        // peer's delayed ACK add some 40 ms to every call.
        client.set_tcp_nodelay(true);
    }
    Target target;
    httplib::Client client;
};

Client::Client(const Target& target) : d(std::make_unique<Impl>(target)) {}
Client::~Client() = default;

void Client::Check(const QString& path) {
    const auto started = std::chrono::steady_clock::now();
    const auto result = d->client.Get(path.toStdString());
    if (!result)
        ThrowTransport(d->target, result.error(), std::chrono::steady_clock::now() - started);
    if (result->status != 200)
        ThrowStatus(d->target, result->status, QByteArray::fromStdString(result->body));
}

Client::Reply Client::Post(const QString& path, const QByteArray& body, const Headers& headers) {
    httplib::Headers sent;
    if (!headers.token.isEmpty())
        sent.emplace("Authorization", "Bearer " + headers.token.toStdString());
    if (!headers.idempotencyKey.isEmpty())
        sent.emplace("Idempotency-Key", headers.idempotencyKey.toStdString());
    const auto started = std::chrono::steady_clock::now();
    const auto result = d->client.Post(path.toStdString(), sent, body.constData(),
                                       static_cast<size_t>(body.size()), "application/json");
    if (!result)
        ThrowTransport(d->target, result.error(), std::chrono::steady_clock::now() - started);
    return {result->status, QByteArray::fromStdString(result->body)};
}

QByteArray Client::PostJson(const QString& path, const QByteArray& body, const Headers& headers) {
    Reply reply = Post(path, body, headers);
    if (reply.status != 200)
        ThrowStatus(d->target, reply.status, reply.body);
    return std::move(reply.body);
}

} // namespace host::http
