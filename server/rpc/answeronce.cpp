#include "server/rpc/answeronce.h"

#include "data/jsonwriter.h"
#include "server/rpc/errors.h"
#include "store/sql.h"

#include <QDateTime>

#include <optional>

namespace rpc {

namespace {

// The first answer to this operator's key, if one was stored (and committed).
std::optional<QByteArray> StoredAnswer(const QSqlDatabase& db, const CallMeta& meta) {
    QSqlQuery stored =
        store::Run(db,
                   QStringLiteral("SELECT DSRESPOSTA, DSPEDIDO FROM IDEMPOTENCIA "
                                  "WHERE CDOPERADOR = :CDOPERADOR AND CDCHAVE = "
                                  ":CDCHAVE"),
                   {{"CDOPERADOR", meta.operador}, {"CDCHAVE", meta.idempotencyKey}});
    if (!store::NextRow(stored))
        return std::nullopt;
    if (stored.value(1).toString() != meta.request)
        Refuse(QStringLiteral("Esta chave de idempotência já foi usada em outra operação."));
    return stored.value(0).toString().toUtf8();
}

// Takes the key before the work runs. On PostgreSQL a second call with the same key waits here
// until the first one ends; when the first one committed, the key is taken: the attempt is
// given up as a conflict, and the next one finds the stored answer.
void Claim(const QSqlDatabase& db, const CallMeta& meta) {
    try {
        store::Run(db,
                   QStringLiteral("INSERT INTO IDEMPOTENCIA (CDCHAVE, CDOPERADOR, DSRESPOSTA, "
                                  "DTHRCRIACAO, DSPEDIDO) VALUES (:CDCHAVE, :CDOPERADOR, '', "
                                  ":DTHRCRIACAO, :DSPEDIDO)"),
                   {{"CDCHAVE", meta.idempotencyKey},
                    {"CDOPERADOR", meta.operador},
                    {"DTHRCRIACAO", QDateTime::currentDateTimeUtc()},
                    {"DSPEDIDO", meta.request}});
    } catch (const store::DbError& error) {
        if (!error.ConstraintViolation())
            throw;
        throw store::DbError(error.what(), store::DbFault::Conflict);
    }
}

void Keep(const QSqlDatabase& db, const CallMeta& meta, const QByteArray& answer) {
    store::Run(db,
               QStringLiteral("UPDATE IDEMPOTENCIA SET DSRESPOSTA = :DSRESPOSTA WHERE "
                              "CDOPERADOR = :CDOPERADOR AND CDCHAVE = :CDCHAVE"),
               {{"DSRESPOSTA", QString::fromUtf8(answer)},
                {"CDOPERADOR", meta.operador},
                {"CDCHAVE", meta.idempotencyKey}});
}

} // namespace

void AnswerOnce(const CallContext& context, host::JsonWriter& result, const WriteWork& work) {
    const CallMeta& meta = context.Meta();
    const bool keyed = !meta.idempotencyKey.isEmpty();
    QByteArray answer;
    context.Write([&](const QSqlDatabase& db) {
        context.SetReplayed(false); // an attempt before may have been given up
        if (keyed) {
            if (std::optional<QByteArray> stored = StoredAnswer(db, meta)) {
                answer = *stored;
                context.SetReplayed(true);
                return;
            }
            Claim(db, meta);
        }
        host::JsonWriter out;
        work(db, out);
        answer = out.take();
        if (keyed)
            Keep(db, meta, answer);
    });
    result.raw(std::string_view(answer.constData(), size_t(answer.size())));
}

} // namespace rpc
