#include "server/rpc/dispatcher.h"

#include "data/jsonwriter.h"
#include "server/rpc/errors.h"
#include "server/store/sql.h"

#include <simdjson.h>

namespace rpc {

namespace {

using simdjson::dom::element;
using simdjson::dom::element_type;

const QString kInternalText = QStringLiteral("Erro interno do servidor de aplicação.");

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
    Answer answer{{}, "-", 0};
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
        // A refused constraint leaves the connection sound; anything else may have broken it.
        if (!error.ConstraintViolation())
            context.DropConnection();
        answer.errorCode = kInternalError;
        answer.body = ErrorBody(id, kInternalError, kInternalText);
    } catch (const std::exception&) {
        // The operator gets a plain text, the log the code.
        answer.errorCode = kInternalError;
        answer.body = ErrorBody(id, kInternalError, kInternalText);
    }
    if (!hasId)
        answer.body.clear();
    return answer;
}

} // namespace rpc
