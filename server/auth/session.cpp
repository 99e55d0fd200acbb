#include "server/auth/session.h"

#include "store/password.h"
#include "store/sql.h"

#include <QRandomGenerator>

namespace auth {

namespace {

constexpr auto kSecretName = "TOKEN_SESSAO";
constexpr int kSecretBytes = 32;

std::optional<QByteArray> StoredSecret(const QSqlDatabase& db) {
    QSqlQuery query =
        store::Run(db, QStringLiteral("SELECT DSCHAVE FROM CHAVESERVIDOR WHERE NMCHAVE = :NMCHAVE"),
                   {{"NMCHAVE", QString::fromLatin1(kSecretName)}});
    if (!store::NextRow(query))
        return std::nullopt;
    return QByteArray::fromHex(query.value(0).toString().toLatin1());
}

} // namespace

QByteArray LoadOrCreateSecret(const QSqlDatabase& db) {
    if (auto secret = StoredSecret(db))
        return *secret;
    QByteArray secret(kSecretBytes, Qt::Uninitialized);
    QRandomGenerator::system()->generate(secret.begin(), secret.end());
    try {
        store::Run(db,
                   QStringLiteral("INSERT INTO CHAVESERVIDOR (NMCHAVE, DSCHAVE) VALUES (:NMCHAVE, "
                                  ":DSCHAVE)"),
                   {{"NMCHAVE", QString::fromLatin1(kSecretName)},
                    {"DSCHAVE", QString::fromLatin1(secret.toHex())}});
    } catch (const store::DbError& error) {
        // Another instance created it first: use theirs.
        if (!error.ConstraintViolation())
            throw;
    }
    return StoredSecret(db).value();
}

std::optional<QString> CheckPassword(const QSqlDatabase& db, const QString& operador,
                                     const QString& password) {
    QSqlQuery query = store::Run(db,
                                 QStringLiteral("SELECT CDOPERADOR, DSSENHASAL, DSSENHAHASH, "
                                                "QTITERSENHA FROM OPERADOR WHERE CDOPERADOR = "
                                                ":CDOPERADOR"),
                                 {{"CDOPERADOR", operador.trimmed()}});
    if (!store::NextRow(query)) {
        // Same work as for a known operator, so timing does not tell which codes exist.
        static const store::PasswordHash decoy = store::HashPassword(QStringLiteral("-"));
        store::VerifyPassword(password, decoy);
        return std::nullopt;
    }
    const store::PasswordHash stored{query.value(1).toString(), query.value(2).toString(),
                                     query.value(3).toInt()};
    if (!store::VerifyPassword(password, stored))
        return std::nullopt;
    return query.value(0).toString();
}

} // namespace auth
