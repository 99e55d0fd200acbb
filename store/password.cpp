#include "store/password.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>

namespace store {

namespace {

constexpr int kKeyBytes = 32;
constexpr int kSaltBytes = 16;

QByteArray Derive(const QString& password, const QByteArray& salt, int iterations) {
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              iterations, kKeyBytes);
}

} // namespace

bool SameBytes(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

PasswordHash HashPassword(const QString& password, int iterations) {
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    return {QString::fromLatin1(salt.toHex()),
            QString::fromLatin1(Derive(password, salt, iterations).toHex()), iterations};
}

bool VerifyPassword(const QString& password, const PasswordHash& stored) {
    if (stored.iterations <= 0)
        return false;
    const QByteArray expected = QByteArray::fromHex(stored.hash.toLatin1());
    const QByteArray actual =
        Derive(password, QByteArray::fromHex(stored.salt.toLatin1()), stored.iterations);
    return SameBytes(expected, actual);
}

} // namespace store
