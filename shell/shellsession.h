#pragma once

#include "host/services/session.h"

// The session of the logged-in operator: who they are and where they work, read from the
// shared database, plus the application server's address and the token it gave at login.
class ShellSession : public host::Session {
public:
    // Reads the operator's name and processing branch; throws std::runtime_error when the
    // operator is unknown to the database.
    ShellSession(const QString& operador, QString serverHost, int serverPort, QString token);

    QString Operador() const override { return m_operador; }
    QString NomeOperador() const override { return m_nomeOperador; }
    QString FiliProc() const override { return m_filiProc; }
    QDate DataProc(const QString& branch) const override;
    QString WebURL() const override { return m_serverHost; }
    int WebPort() const override { return m_serverPort; }
    QString Token() const override { return m_token; }
    bool AcessoOperEmpresa(const QString& operador, const QString& company) const override;

private:
    QString m_operador;
    QString m_nomeOperador;
    QString m_filiProc;
    QString m_serverHost;
    int m_serverPort;
    QString m_token;
};
