#include "server/rpc/registry.h"

#include "server/rpc/errors.h"
#include "store/connection.h"
#include "store/sql.h"

#include <QCryptographicHash>

#include <algorithm>

namespace rpc {

QSqlDatabase CallContext::Db() const {
    return store::ThreadConnection(m_url);
}

void CallContext::DropConnection() const {
    store::DropThreadConnection(m_url);
}

void CallContext::RequireCompany(const QString& empresa) {
    // Every call naming a company runs this: kept prepared with the connection.
    store::Statement statement(Db(), QStringLiteral("SELECT 1 FROM OPERADOR_EMPRESA WHERE "
                                                    "CDOPERADOR = :CDOPERADOR AND CDEMPRESA = "
                                                    ":CDEMPRESA"));
    store::Exec(*statement, {{"CDOPERADOR", m_meta.operador}, {"CDEMPRESA", empresa}});
    const bool allowed = store::NextRow(*statement);
    statement->finish();
    if (!allowed)
        Refuse(QStringLiteral("Operador sem acesso à empresa informada."));
    m_meta.empresa = empresa;
}

void CallContext::SetRequest(std::string_view method, std::string_view params) {
    QCryptographicHash digest(QCryptographicHash::Sha256);
    digest.addData(QByteArrayView(method.data(), qsizetype(method.size())));
    digest.addData(QByteArrayView("\n", 1));
    digest.addData(QByteArrayView(params.data(), qsizetype(params.size())));
    m_meta.request = QString::fromLatin1(digest.result().toHex());
}

void CallContext::Write(const std::function<void(const QSqlDatabase& db)>& work) const {
    store::WriteTransaction transaction(
        Db(), m_policy, [this](const store::DbError& cause, int nextAttempt) {
            ++m_retries;
            Note("write retried: attempt " + std::to_string(nextAttempt) + " after " +
                 cause.what());
        });
    transaction.Run(work);
}

void CallContext::Note(std::string_view line) const {
    if (m_log)
        m_log(line);
}

void RemoteObject::Add(MethodDef method) {
    std::string name = method.name;
    m_methods.insert_or_assign(std::move(name), std::move(method));
}

const MethodDef* RemoteObject::Find(std::string_view name) const {
    const auto found = m_methods.find(name);
    return found == m_methods.end() ? nullptr : &found->second;
}

std::vector<std::string> RemoteObject::Names() const {
    std::vector<std::string> names;
    for (const auto& [name, method] : m_methods)
        names.push_back(name);
    return names;
}

std::vector<std::string> Registry::MethodNames() const {
    std::vector<std::string> names;
    for (const auto& [serverName, object] : m_objects)
        for (std::string& name : object.Names())
            if (std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(std::move(name));
    return names;
}

const RemoteObject* Registry::Find(std::string_view serverName) const {
    const auto found = m_objects.find(serverName);
    return found == m_objects.end() ? nullptr : &found->second;
}

} // namespace rpc
