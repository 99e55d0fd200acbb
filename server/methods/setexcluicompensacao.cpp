#include "server/methods/methods.h"

#include "data/jsonwriter.h"
#include "server/rpc/answeronce.h"
#include "server/rpc/errors.h"
#include "store/reversal.h"

namespace rec18000 {

namespace {

// The keys name the screen's messages; a compensation that is gone is told in words.
QString StatusOf(store::ReversalOutcome outcome) {
    switch (outcome) {
    case store::ReversalOutcome::Reversed:
        return QStringLiteral("OK");
    case store::ReversalOutcome::NotFound:
        return QStringLiteral("Compensação não encontrada: pode ter sido excluída por outro "
                              "operador. Atualize a lista.");
    case store::ReversalOutcome::BillSettled:
        return QStringLiteral("ERR_BOLBAIXADO");
    case store::ReversalOutcome::BillSentToBank:
        return QStringLiteral("ERR_BOLENVCNAB");
    case store::ReversalOutcome::ReceivablesRealised:
        return QStringLiteral("ERR_BAIXARECREAL");
    case store::ReversalOutcome::PayablesRealised:
        return QStringLiteral("ERR_BAIXAPAGREAL");
    }
    return {};
}

QString TextAt(const host::RecordSetTable& table, const char* name) {
    for (qsizetype i = 0; i < table.fields.size(); ++i) {
        if (table.fields[i].name == QLatin1String(name))
            return table.rows.front().at(size_t(i)).toString().trimmed();
    }
    return {};
}

} // namespace

// Undoes the compensation named by the one row of the record set. Only its company and number
// are read from it; everything else comes from the database.
void SetExcluiCompensacao(rpc::CallContext& context, const rpc::Params& params,
                          host::JsonWriter& result) {
    const host::RecordSetTable table = params.RecordSet(0);
    if (table.rows.size() != 1)
        throw rpc::RpcError(rpc::kInvalidParams,
                            QStringLiteral("Envie exatamente uma compensação para exclusão."));
    store::Reversal reversal;
    reversal.empresa = TextAt(table, "CDEMPRESA");
    reversal.numero = TextAt(table, "NRLANCCOMPREC");
    if (reversal.empresa.isEmpty() || reversal.numero.isEmpty())
        throw rpc::RpcError(rpc::kInvalidParams,
                            QStringLiteral("Compensação sem empresa ou número para exclusão."));
    context.RequireCompany(reversal.empresa);
    reversal.operador = context.Operador();
    reversal.when = QDateTime::currentDateTime();

    rpc::AnswerOnce(context, result, [&](const QSqlDatabase& db, host::JsonWriter& answer) {
        answer.value(StatusOf(store::ReverseCompensation(db, reversal)));
    });
}

} // namespace rec18000
