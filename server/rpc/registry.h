#pragma once

#include "data/dburl.h"
#include "server/rpc/params.h"

#include <QSqlDatabase>
#include <QString>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace host {
class JsonWriter;
}

namespace rpc {

// What a method call runs with: who calls, and this thread's database connection.
class CallContext {
public:
    CallContext(const store::DbUrl& url, QString operador)
        : m_url(url), m_operador(std::move(operador)) {}

    const QString& Operador() const { return m_operador; }
    QSqlDatabase Db() const;
    // After a database fault: the next Db() reconnects (a restarted server, a lost link).
    void DropConnection() const;
    // Refuses the call (RpcError, business code) when the operator may not work for the company.
    void RequireCompany(const QString& empresa) const;

private:
    const store::DbUrl& m_url;
    QString m_operador;
};

// A method writes exactly one JSON value, its answer, or throws RpcError.
using Handler = void (*)(CallContext& context, const Params& params, host::JsonWriter& result);

struct MethodDef {
    std::string name;
    std::vector<ParamType> params;
    int companyParam = -1; // index of the company code checked before the call; -1 for none
    Handler handler = nullptr;
};

// A remote object: its methods by name, called late-bound.
class RemoteObject {
public:
    void Add(MethodDef method);
    const MethodDef* Find(std::string_view name) const;

private:
    std::map<std::string, MethodDef, std::less<>> m_methods;
};

// Remote objects by server name ("REC18000.rdmCompContRec").
class Registry {
public:
    RemoteObject& Object(const std::string& serverName) { return m_objects[serverName]; }
    const RemoteObject* Find(std::string_view serverName) const;

private:
    std::map<std::string, RemoteObject, std::less<>> m_objects;
};

} // namespace rpc
