#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace auth {

// The key that signs session tokens, kept in the database so every server instance on it
// agrees; created at random on first use. Throws store::DbError.
QByteArray LoadOrCreateSecret(const QSqlDatabase& db);

// The operator's code, in the stored spelling, when the password matches; nullopt otherwise.
std::optional<QString> CheckPassword(const QSqlDatabase& db, const QString& operador,
                                     const QString& password);

} // namespace auth
