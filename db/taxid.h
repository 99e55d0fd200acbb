#pragma once

#include <QString>

namespace db {

// Brazilian tax ids with valid check digits, made from a numeric stem.
QString Cpf(qint64 stem);              // 9-digit stem -> 11 digits
QString Cnpj(qint64 root, int branch); // 8-digit root, 4-digit branch -> 14 digits
bool ValidCpf(const QString& digits);
bool ValidCnpj(const QString& digits);

} // namespace db
