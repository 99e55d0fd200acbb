#pragma once

#include <QByteArray>
#include <QString>

namespace store {

// A salted PBKDF2-HMAC-SHA256 digest as stored in OPERADOR (hex texts).
struct PasswordHash {
    QString salt;
    QString hash;
    int iterations = 0;
};

constexpr int kPasswordIterations = 60000;

// Compares secrets in time that does not depend on where they differ.
bool SameBytes(const QByteArray& a, const QByteArray& b);

PasswordHash HashPassword(const QString& password, int iterations = kPasswordIterations);
// Constant-time comparison of the derived key.
bool VerifyPassword(const QString& password, const PasswordHash& stored);

} // namespace store
