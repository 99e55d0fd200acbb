#pragma once

#include "data/dburl.h"
#include "server/rpc/params.h"
#include "store/writetransaction.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace host {
class JsonWriter;
}

namespace rpc {

// What the request says about itself besides its body.
struct CallMeta {
    QString operador;       // from the session token
    QString idempotencyKey; // the Idempotency-Key header; empty when not sent
    QString empresa;        // the company the call was checked for; empty until then
    QString request;        // with a key: digest of the method and its parameters
};

// What a method call runs with: who calls, this thread's database connection, how it writes
// and where its notes go (the server log).
class CallContext {
public:
    using Log = std::function<void(std::string_view line)>;

    CallContext(const store::DbUrl& url, CallMeta meta, Log log = {},
                store::WritePolicy policy = {})
        : m_url(url), m_meta(std::move(meta)), m_log(std::move(log)), m_policy(policy) {}

    const QString& Operador() const { return m_meta.operador; }
    const CallMeta& Meta() const { return m_meta; }
    QSqlDatabase Db() const;
    // After a database fault: the next Db() reconnects (a restarted server, a lost link).
    void DropConnection() const;
    // Refuses the call (RpcError, business code) when the operator may not work for the company;
    // else the company becomes the call's.
    void RequireCompany(const QString& empresa);
    // Names the request a stored answer belongs to; only needed when a key was sent.
    void SetRequest(std::string_view method, std::string_view params);
    // Runs work as one write transaction (store::WriteTransaction); retries are logged.
    void Write(const std::function<void(const QSqlDatabase& db)>& work) const;
    void Note(std::string_view line) const;
    // What the call's writes went through, for the server's metrics: attempts run again, and
    // whether the answer was the one stored for its Idempotency-Key.
    int Retries() const { return m_retries; }
    bool Replayed() const { return m_replayed; }
    void SetReplayed(bool replayed) const { m_replayed = replayed; }

private:
    const store::DbUrl& m_url;
    CallMeta m_meta;
    Log m_log;
    store::WritePolicy m_policy;
    mutable int m_retries = 0;
    mutable bool m_replayed = false;
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
    std::vector<std::string> Names() const;

private:
    std::map<std::string, MethodDef, std::less<>> m_methods;
};

// Remote objects by server name ("REC18000.rdmCompContRec").
class Registry {
public:
    RemoteObject& Object(const std::string& serverName) { return m_objects[serverName]; }
    const RemoteObject* Find(std::string_view serverName) const;
    // Every object's method names, once each.
    std::vector<std::string> MethodNames() const;

private:
    std::map<std::string, RemoteObject, std::less<>> m_objects;
};

} // namespace rpc
