#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>

namespace auth {

// Session tokens that any server instance on the same database can check without shared
// memory: "base64url(payload).base64url(HMAC-SHA256(secret, payload))", the payload holding a
// format tag, the expiry (Unix seconds) and the operator code.
class TokenSigner {
public:
    explicit TokenSigner(QByteArray secret) : m_secret(std::move(secret)) {}

    QByteArray Issue(const QString& operador, std::chrono::seconds lifetime) const;
    // The operator, when the signature holds and the token has not expired.
    std::optional<QString> Verify(std::string_view token) const;

private:
    QByteArray Sign(const QByteArray& payload) const;
    QByteArray m_secret;
};

} // namespace auth
