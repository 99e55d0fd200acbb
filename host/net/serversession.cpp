#include "host/net/serversession.h"

#include "host/net/httptransport.h"
#include "host/net/netconnection.h"
#include "host/services/hostmessages.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace host {
namespace {

// The server's reason, from either {"error":"text"} or a JSON-RPC error object.
QString RefusalText(const QJsonObject& body) {
    const QJsonValue error = body.value(QLatin1String("error"));
    return error.isObject() ? error.toObject().value(QLatin1String("message")).toString()
                            : error.toString();
}

} // namespace

QString OpenServerSession(const QString& host, int port, const QString& operador,
                          const QString& password) {
    const QJsonObject request{{QStringLiteral("operator"), operador},
                              {QStringLiteral("password"), password}};
    http::Client client(
        http::Target{host, port, std::min(std::chrono::seconds(5), CallTimeout()), CallTimeout()});
    const auto reply = client.Post(QStringLiteral("/session"),
                                   QJsonDocument(request).toJson(QJsonDocument::Compact), {});
    const QJsonObject body = QJsonDocument::fromJson(reply.body).object();
    if (reply.status == 200) {
        const QString token = body.value(QLatin1String("token")).toString();
        if (!token.isEmpty())
            return token;
        throw ENetError("login answered without a token");
    }
    if (reply.status >= 400 && reply.status < 500) {
        const QString text = RefusalText(body);
        throw ELoginRefused(text.isEmpty() ? QStringLiteral("Operador ou senha inválidos.") : text);
    }
    throw ENetError("login failed: HTTP " + std::to_string(reply.status));
}

} // namespace host
