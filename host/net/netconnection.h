#pragma once

#include "data/rpccodes.h"
#include "host/net/netanswer.h"

#include <QObject>
#include <QString>
#include <QVariantList>

#include <chrono>
#include <memory>

namespace host {

// How long a call waits for the server's answer before it fails with a message that says so;
// 30 seconds unless the suite sets it. Read when a connection opens.
void SetCallTimeout(std::chrono::seconds timeout);
std::chrono::seconds CallTimeout();

// Connection of a screen to a remote object of the application server (JSON-RPC 2.0 over
// HTTP: POST /<ServerName>). Calls are synchronous for the caller; the exchange itself runs on a
// worker thread while the UI thread keeps repainting and takes no input.
class TNetConnection : public QObject {
    Q_OBJECT
public:
    enum class Animation { Busy, None };
    // JSON-RPC error code with which the server refuses a business call.
    static constexpr int kBusinessRefusal = rpc::kRefused;

    explicit TNetConnection(QObject* parent = nullptr);
    ~TNetConnection() override;

    const QString& ServerName() const { return m_serverName; }
    void SetServerName(const QString& name) { m_serverName = name; }
    void SetHost(const QString& host) { m_host = host; }
    int Port() const { return m_port; }
    void SetPort(int port) { m_port = port; }
    // False: a business refusal comes back as a refused answer for the caller to report
    // (CheckResultServ, status texts). True: it is raised as ENetError like a transport failure.
    void SetThrowException(bool value) { m_throwException = value; }

    // Session token sent as "Authorization: Bearer" with every call.
    const QString& Token() const { return m_token; }
    void SetToken(const QString& token) { m_token = token; }

    bool Connected() const;
    // Connecting emits beforeConnect (where the owner sets host and port), then checks that the
    // server answers; throws ENetError when it does not, leaving the connection closed.
    void SetConnected(bool connected);

    // Invokes a method of the remote object with positional params (see jsonrpc::Request for
    // the param types). Throws ENetError on transport and protocol failures, and when the
    // connection is closed or already in a call. A writing call may carry an idempotency key:
    // sent again after a failure with no answer, it gets the first answer and writes nothing.
    NetAnswer Call(const QString& method, const QVariantList& params,
                   Animation animation = Animation::Busy, const QString& idempotencyKey = {});

signals:
    void beforeConnect();
    void afterConnect();
    void afterDisconnect();

private:
    struct Link;

    QString m_serverName;
    QString m_host;
    int m_port = 0;
    QString m_token;
    bool m_throwException = false;
    bool m_inCall = false;
    qint64 m_nextId = 1;
    // Shared with the worker of a call in flight, which keeps it alive if the connection is
    // closed meanwhile.
    std::shared_ptr<Link> m_link;
};

} // namespace host
