#include "server/rpc/registry.h"

#include "server/rpc/errors.h"
#include "server/store/connection.h"
#include "server/store/sql.h"

namespace rpc {

QSqlDatabase CallContext::Db() const {
    return store::ThreadConnection(m_url);
}

void CallContext::DropConnection() const {
    store::DropThreadConnection(m_url);
}

void CallContext::RequireCompany(const QString& empresa) const {
    QSqlQuery access = store::Run(Db(),
                                  QStringLiteral("SELECT 1 FROM OPERADOR_EMPRESA WHERE "
                                                 "CDOPERADOR = :CDOPERADOR AND CDEMPRESA = "
                                                 ":CDEMPRESA"),
                                  {{"CDOPERADOR", m_operador}, {"CDEMPRESA", empresa}});
    if (!access.next())
        Refuse(QStringLiteral("Operador sem acesso à empresa informada."));
}

void RemoteObject::Add(MethodDef method) {
    std::string name = method.name;
    m_methods.insert_or_assign(std::move(name), std::move(method));
}

const MethodDef* RemoteObject::Find(std::string_view name) const {
    const auto found = m_methods.find(name);
    return found == m_methods.end() ? nullptr : &found->second;
}

const RemoteObject* Registry::Find(std::string_view serverName) const {
    const auto found = m_objects.find(serverName);
    return found == m_objects.end() ? nullptr : &found->second;
}

} // namespace rpc
