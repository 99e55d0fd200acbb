#include "server/methods/methods.h"

#include "data/jsonwriter.h"
#include "server/methods/recordfields.h"
#include "server/rpc/answeronce.h"
#include "server/rpc/errors.h"
#include "store/generation.h"

namespace rec18000 {

namespace {

// A request the operator must correct: answered ["ERRO", text] like the generation's own.
struct Refusal {
    QString text;
};

void WriteStatus(host::JsonWriter& answer, const QString& status, const QString& text) {
    answer.beginArray().value(status).value(text).endArray();
}

void RequireOneRow(const RecordFields& set, const QString& what) {
    if (set.Rows() != 1)
        throw rpc::RpcError(rpc::kInvalidParams,
                            QStringLiteral("Envie exatamente uma linha em %1.").arg(what));
}

// The client's request as the generation checks it. Only the items of the kind the
// compensation names are read: a set of the other kind may still hold marks made before the
// operator switched kinds, and those never reach the books.
store::GenerationRequest Request(const rpc::CallContext& context, const rpc::Params& params) {
    const host::RecordSetTable novaTable = params.RecordSet(2);
    const host::RecordSetTable bolTable = params.RecordSet(3);
    const host::RecordSetTable pagTable = params.RecordSet(4);
    const host::RecordSetTable credTable = params.RecordSet(5);
    const RecordFields nova(novaTable, QStringLiteral("cdsNovaComp"));
    const RecordFields bol(bolTable, QStringLiteral("cdsBolRec"));
    RequireOneRow(nova, QStringLiteral("cdsNovaComp"));

    store::GenerationRequest r;
    r.empresa = params.String(0).trimmed();
    r.filialProc = params.String(1).trimmed();
    r.operador = context.Operador();
    r.label = params.String(6);
    r.when = QDateTime::currentDateTime();
    if (nova.Text(0, "CDEMPRESA") != r.empresa)
        throw Refusal{QStringLiteral("A compensação enviada é de outra empresa.")};
    r.cliente = nova.Text(0, "CDCLIENTE");
    r.dtComp = nova.Date(0, "DTCOMPCONTREC");
    r.dtBaixa = nova.Date(0, "DTBAIXACOMPREC");
    r.tpBaixaRec = nova.Text(0, "CDTPBAIXAREC");
    r.ajuCtRec = nova.Text(0, "CDAJUCTREC");
    r.tpBaixaPag = nova.Text(0, "CDTPBAIXAPAG");
    r.ajuCtPag = nova.Text(0, "CDAJUCTPAG");
    r.reduCont = nova.Text(0, "CDREDUCONT");
    r.total = nova.Money(0, "VRTOTALCOMREC");
    const QString kind = nova.Text(0, "IDTPITUTLCOMREC");
    if (kind != QLatin1String("0") && kind != QLatin1String("1"))
        throw rpc::RpcError(rpc::kInvalidParams,
                            QStringLiteral("Tipo de item da compensação inválido: use 0 ou 1."));
    r.payables = kind == QLatin1String("0");

    if (bol.Rows() > 1)
        RequireOneRow(bol, QStringLiteral("cdsBolRec"));
    if (bol.Rows() == 1) {
        r.filiBolRec = bol.Text(0, "CDFILIBOLREC");
        r.nrLanBolRec = bol.Text(0, "NRLANBOLREC");
        r.billOriginal = bol.Money(0, "VRORIGREC");
        r.billOpen = bol.Money(0, "VRFINALBREC");
        // The record names the bill too; two different bills in one request is a client fault.
        if (nova.Text(0, "CDFILIAL") != r.filiBolRec ||
            nova.Text(0, "NRLANBOLREC") != r.nrLanBolRec)
            throw Refusal{QStringLiteral("A compensação enviada não é do boleto a receber "
                                         "escolhido.")};
    }

    const RecordFields items(r.payables ? pagTable : credTable,
                             r.payables ? QStringLiteral("cdsBoletosMarcados")
                                        : QStringLiteral("cdsLancMarcados"));
    const char* first = r.payables ? "CDFILIBPAG" : "CDREDUCONT";
    const char* second = r.payables ? "NRLANBOLPAG" : "NRMOVICRED";
    const char* value = r.payables ? "VRFINALBPAG" : "VRMOVICRED";
    r.items.reserve(items.Rows());
    for (size_t row = 0; row < items.Rows(); ++row)
        r.items.push_back(
            {items.Text(row, first), items.Text(row, second), items.Money(row, value)});
    return r;
}

} // namespace

// Generates a compensation: ["OK", number] or ["ERRO", text for the operator]. Everything the
// client sent is checked against the database inside the one write transaction; a refusal
// writes nothing. The operator's access to the company was checked before the call.
void SetGeraCompensacao(rpc::CallContext& context, const rpc::Params& params,
                        host::JsonWriter& result) {
    store::GenerationRequest request;
    try {
        request = Request(context, params);
    } catch (const Refusal& refusal) {
        WriteStatus(result, QStringLiteral("ERRO"), refusal.text);
        return;
    }
    rpc::AnswerOnce(context, result, [&](const QSqlDatabase& db, host::JsonWriter& answer) {
        const store::GenerationOutcome outcome = store::GenerateCompensation(db, request);
        if (outcome.refusal.isEmpty())
            WriteStatus(answer, QStringLiteral("OK"), outcome.numero);
        else
            WriteStatus(answer, QStringLiteral("ERRO"), outcome.refusal);
    });
}

} // namespace rec18000
