#include "server/rpc/dispatcher.h"

#include "data/jsonwriter.h"
#include "server/rpc/errors.h"
#include "store/sql.h"

#include <simdjson.h>

namespace rpc {

namespace {

using simdjson::dom::element;
using simdjson::dom::element_type;

const QString kInternalText = QStringLiteral("Erro interno do servidor de aplicação.");

// What the operator is told about a database failure; the database's own words go to the log.
struct DbFailure {
    int code;
    QString text;
};

DbFailure Told(store::DbFault fault) {
    switch (fault) {
    case store::DbFault::Constraint:
        return {kRefused, QStringLiteral("O banco de dados recusou a gravação: os dados mudaram "
                                         "ou ferem uma regra. Atualize a tela e tente novamente.")};
    case store::DbFault::Busy:
    case store::DbFault::Conflict:
        return {kRefused, QStringLiteral("O banco de dados está ocupado. Tente novamente em "
                                         "instantes.")};
    case store::DbFault::Connection:
        return {kRefused, QStringLiteral("A conexão com o banco de dados foi interrompida. "
                                         "Atualize a tela para conferir o que foi gravado e tente "
                                         "novamente.")};
    case store::DbFault::Other:
        break;
    }
    return {kInternalError, kInternalText};
}

QByteArray ErrorBody(std::string_view id, int code, const QString& message) {
    host::JsonWriter out;
    out.beginObject().key("jsonrpc").value("2.0").key("id").raw(id);
    out.key("error").beginObject().key("code").value(code).key("message").value(message);
    out.endObject().endObject();
    return out.take();
}

// The id is echoed exactly as sent (a string, a number or null).
std::string IdText(element request, bool* present) {
    element id;
    *present = request.at_key("id").get(id) == simdjson::SUCCESS;
    if (!*present)
        return "null";
    switch (id.type()) {
    case element_type::STRING:
    case element_type::INT64:
    case element_type::UINT64:
    case element_type::DOUBLE:
    case element_type::NULL_VALUE:
        return simdjson::minify(id);
    default:
        throw RpcError(kInvalidRequest, QStringLiteral("Requisição inválida: id inválido."));
    }
}

std::vector<element> CheckedParams(element request, const MethodDef& method) {
    std::vector<element> values;
    element params;
    if (request.at_key("params").get(params) == simdjson::SUCCESS) {
        simdjson::dom::array list;
        if (params.get(list) != simdjson::SUCCESS)
            throw RpcError(kInvalidParams,
                           QStringLiteral("Parâmetros devem ser posicionais (uma lista)."));
        for (element value : list)
            values.push_back(value);
    }
    if (values.size() != method.params.size())
        throw RpcError(kInvalidParams, QStringLiteral("%1 espera %2 parâmetro(s), recebeu %3.")
                                           .arg(QString::fromStdString(method.name))
                                           .arg(method.params.size())
                                           .arg(values.size()));
    for (size_t i = 0; i < values.size(); ++i) {
        if (!Params::Matches(values[i], method.params[i]))
            throw RpcError(kInvalidParams, QStringLiteral("%1: parâmetro %2 de tipo inválido.")
                                               .arg(QString::fromStdString(method.name))
                                               .arg(i + 1));
    }
    return values;
}

} // namespace

QByteArray ErrorAnswer(int code, const QString& message) {
    return ErrorBody("null", code, message);
}

Answer Dispatch(const RemoteObject& object, std::string_view body, CallContext& context) {
    thread_local simdjson::dom::parser parser;
    Answer answer{{}, "-", 0, {}};
    std::string id = "null";
    bool hasId = true;
    try {
        element request;
        if (parser.parse(body.data(), body.size()).get(request) != simdjson::SUCCESS)
            throw RpcError(kParseError, QStringLiteral("JSON malformado."));
        if (request.type() != element_type::OBJECT)
            throw RpcError(kInvalidRequest,
                           QStringLiteral("Requisição inválida: esperado um objeto."));
        id = IdText(request, &hasId);
        std::string_view version;
        std::string_view methodName;
        if (request.at_key("jsonrpc").get(version) != simdjson::SUCCESS || version != "2.0" ||
            request.at_key("method").get(methodName) != simdjson::SUCCESS)
            throw RpcError(kInvalidRequest,
                           QStringLiteral("Requisição inválida: jsonrpc \"2.0\" e method são "
                                          "obrigatórios."));
        const MethodDef* method = object.Find(methodName);
        // Only a known name reaches the log: the request's own text could hold anything.
        answer.method = method == nullptr ? "?" : method->name;
        if (method == nullptr)
            throw RpcError(
                kMethodNotFound,
                QStringLiteral("Método desconhecido: %1.")
                    .arg(QString::fromUtf8(methodName.data(),
                                           qsizetype(std::min<size_t>(methodName.size(), 60)))));
        const Params params(CheckedParams(request, *method));
        if (!context.Meta().idempotencyKey.isEmpty()) {
            element sent;
            context.SetRequest(method->name, request.at_key("params").get(sent) == simdjson::SUCCESS
                                                 ? simdjson::minify(sent)
                                                 : std::string("[]"));
        }
        if (method->companyParam >= 0)
            context.RequireCompany(params.String(size_t(method->companyParam)));

        host::JsonWriter out(1024);
        out.beginObject().key("jsonrpc").value("2.0").key("id").raw(id).key("result");
        method->handler(context, params, out);
        out.endObject();
        answer.body = out.take();
    } catch (const RpcError& error) {
        answer.errorCode = error.Code();
        answer.body = ErrorBody(id, error.Code(), QString::fromUtf8(error.what()));
    } catch (const store::DbError& error) {
        // A refusal or a busy database leaves the connection sound (the transaction was rolled
        // back); anything else may have broken it: the next call opens a new one.
        const store::DbFault fault = error.Fault();
        if (fault == store::DbFault::Connection || fault == store::DbFault::Other)
            context.DropConnection();
        const DbFailure told = Told(fault);
        answer.errorCode = told.code;
        answer.detail = error.what();
        answer.body = ErrorBody(id, told.code, told.text);
    } catch (const std::exception& error) {
        // The operator gets a plain text, the log the reason.
        answer.errorCode = kInternalError;
        answer.detail = error.what();
        answer.body = ErrorBody(id, kInternalError, kInternalText);
    }
    if (!hasId)
        answer.body.clear();
    return answer;
}

} // namespace rpc
