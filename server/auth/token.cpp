#include "server/auth/token.h"

#include "store/password.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QMessageAuthenticationCode>

namespace auth {

namespace {

constexpr auto kEncoding = QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;
constexpr char kTag[] = "r1";

} // namespace

QByteArray TokenSigner::Sign(const QByteArray& payload) const {
    return QMessageAuthenticationCode::hash(payload, m_secret, QCryptographicHash::Sha256);
}

QByteArray TokenSigner::Issue(const QString& operador, std::chrono::seconds lifetime) const {
    const qint64 expiry = QDateTime::currentSecsSinceEpoch() + lifetime.count();
    const QByteArray payload =
        QByteArray(kTag) + ':' + QByteArray::number(expiry) + ':' + operador.toUtf8();
    return payload.toBase64(kEncoding) + '.' + Sign(payload).toBase64(kEncoding);
}

std::optional<QString> TokenSigner::Verify(std::string_view token) const {
    if (token.size() > 512)
        return std::nullopt;
    const size_t dot = token.find('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    const auto payload = QByteArray::fromBase64Encoding(
        QByteArray(token.data(), qsizetype(dot)),
        QByteArray::Base64UrlEncoding | QByteArray::AbortOnBase64DecodingErrors);
    const auto signature = QByteArray::fromBase64Encoding(
        QByteArray(token.data() + dot + 1, qsizetype(token.size() - dot - 1)),
        QByteArray::Base64UrlEncoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!payload || !signature || !store::SameBytes(Sign(payload.decoded), signature.decoded))
        return std::nullopt;
    const QList<QByteArray> parts = payload.decoded.split(':');
    if (parts.size() < 3 || parts[0] != kTag)
        return std::nullopt;
    bool ok = false;
    const qint64 expiry = parts[1].toLongLong(&ok);
    if (!ok || expiry < QDateTime::currentSecsSinceEpoch())
        return std::nullopt;
    // The operator code is everything after the second colon.
    return QString::fromUtf8(payload.decoded.mid(parts[0].size() + parts[1].size() + 2));
}

} // namespace auth
