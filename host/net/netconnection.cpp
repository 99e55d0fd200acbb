#include "host/net/netconnection.h"

#include "host/app/mainwindow.h"
#include "host/net/httptransport.h"
#include "host/net/jsonrpc.h"
#include "host/net/neterror.h"
#include "host/services/busy.h"
#include "host/services/hostmessages.h"

#include <algorithm>

#include <QScopedValueRollback>

#include <optional>

namespace host {
namespace {

std::chrono::seconds g_callTimeout{30};
constexpr std::chrono::seconds kConnectTimeout{5};

QString Text(const char* key) {
    return HostMessages().Msg(QLatin1String(key));
}

} // namespace

void SetCallTimeout(std::chrono::seconds timeout) {
    g_callTimeout = timeout;
}

std::chrono::seconds CallTimeout() {
    return g_callTimeout;
}

struct TNetConnection::Link {
    explicit Link(const http::Target& target) : client(target) {}
    http::Client client;
};

TNetConnection::TNetConnection(QObject* parent) : QObject(parent) {}

TNetConnection::~TNetConnection() = default;

bool TNetConnection::Connected() const {
    return m_link != nullptr;
}

void TNetConnection::SetConnected(bool connected) {
    if (connected == Connected())
        return;
    if (!connected) {
        m_link.reset();
        emit afterDisconnect();
        return;
    }
    emit beforeConnect();
    auto link = std::make_shared<Link>(
        http::Target{m_host, m_port, std::min(kConnectTimeout, g_callTimeout), g_callTimeout});
    RunWhileWaiting([&] { link->client.Check(QStringLiteral("/health")); });
    m_link = std::move(link);
    emit afterConnect();
}

NetAnswer TNetConnection::Call(const QString& method, const QVariantList& params,
                               Animation animation, const QString& idempotencyKey) {
    if (!m_link)
        throw ENetError(Text("SERVFECHADA"), "connection closed: " + method.toStdString());
    if (m_inCall)
        throw ENetError(Text("SERVOCUPADO"), "call already running: " + method.toStdString());
    const qint64 id = m_nextId++;
    const QByteArray request = jsonrpc::Request(id, method, params);
    const QString path = QLatin1Char('/') + m_serverName;
    NetAnswer answer;
    {
        const QScopedValueRollback inCall(m_inCall, true);
        std::optional<BusyScope> busy;
        if (animation == Animation::Busy)
            busy.emplace(MainWindow());
        RunWhileWaiting(
            [&, link = m_link, headers = http::Client::Headers{m_token, idempotencyKey}] {
                try {
                    answer = jsonrpc::Response(link->client.PostJson(path, request, headers), id);
                } catch (const ENetError& failure) {
                    // The log says which call failed; the operator's text stays as it is.
                    throw ENetError(QString::fromStdString(failure.what()),
                                    method.toStdString() + ": " + failure.Detail());
                }
            });
    }
    if (answer.Refused() && (m_throwException || answer.ErrorCode() != kBusinessRefusal)) {
        const std::string detail = method.toStdString() + ": " +
                                   std::to_string(answer.ErrorCode()) + " " +
                                   answer.ErrorMessage().toStdString();
        // A business refusal is the server's text for the operator; a protocol error is not.
        if (answer.ErrorCode() == kBusinessRefusal)
            throw ENetError(answer.ErrorMessage(), detail);
        throw ENetError(detail);
    }
    return answer;
}

} // namespace host
