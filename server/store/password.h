#pragma once

#include <QString>

namespace store {

// A salted PBKDF2-HMAC-SHA256 digest as stored in OPERADOR (hex texts).
struct PasswordHash {
    QString salt;
    QString hash;
    int iterations = 0;
};

constexpr int kPasswordIterations = 60000;

PasswordHash HashPassword(const QString& password, int iterations = kPasswordIterations);
// Constant-time comparison of the derived key.
bool VerifyPassword(const QString& password, const PasswordHash& stored);

} // namespace store
