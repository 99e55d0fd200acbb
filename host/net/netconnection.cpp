#include "host/net/netconnection.h"

#include "host/app/mainwindow.h"
#include "host/net/httptransport.h"
#include "host/net/jsonrpc.h"
#include "host/net/neterror.h"
#include "host/services/busy.h"

#include <QScopedValueRollback>

#include <optional>

namespace host {

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
    auto link = std::make_shared<Link>(http::Target{m_host, m_port});
    RunWhileWaiting([&] { link->client.Check(QStringLiteral("/health")); });
    m_link = std::move(link);
    emit afterConnect();
}

NetAnswer TNetConnection::Call(const QString& method, const QVariantList& params,
                               Animation animation) {
    if (!m_link)
        throw ENetError("Conexão com o servidor de aplicação fechada: " + method.toStdString());
    if (m_inCall)
        throw ENetError("Chamada ao servidor de aplicação já em andamento: " +
                        method.toStdString());
    const qint64 id = m_nextId++;
    const QByteArray request = jsonrpc::Request(id, method, params);
    const QString path = QLatin1Char('/') + m_serverName;
    NetAnswer answer;
    {
        const QScopedValueRollback inCall(m_inCall, true);
        std::optional<BusyScope> busy;
        if (animation == Animation::Busy)
            busy.emplace(MainWindow());
        RunWhileWaiting([&, link = m_link, token = m_token] {
            answer = jsonrpc::Response(link->client.PostJson(path, request, token), id);
        });
    }
    if (answer.Refused() && (m_throwException || answer.ErrorCode() != kBusinessRefusal))
        throw ENetError(method.toStdString() + ": " + answer.ErrorMessage().toStdString());
    return answer;
}

} // namespace host
