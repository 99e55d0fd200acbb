#pragma once

#include <QDate>
#include <QString>

namespace host {

// Who works and where: the logged-in operator, the processing branch and its date, the
// application server's address and the token the server accepts for this login.
class Session {
public:
    virtual ~Session();

    virtual QString Operador() const = 0;
    virtual QString NomeOperador() const = 0;
    virtual QString FiliProc() const = 0;
    // Processing date of the branch; a null date when the branch is unknown.
    virtual QDate DataProc(const QString& branch) const = 0;
    virtual QString WebURL() const = 0;
    virtual int WebPort() const = 0;
    virtual QString Token() const = 0;
    // True when the operator may work for the company.
    virtual bool AcessoOperEmpresa(const QString& operador, const QString& company) const = 0;
};

// The installed session; throws std::logic_error when none is installed.
Session& session();
// Installs a session (not owned) and gives the one it replaces.
Session* SetSession(Session* session);

} // namespace host
