#pragma once

#include "host/services/session.h"

#include <QMap>
#include <QSet>
#include <QString>

namespace host::testing {

// Session with plain values a test sets; installs itself while alive.
class FakeSession : public Session {
public:
    FakeSession();
    ~FakeSession() override;
    FakeSession(const FakeSession&) = delete;
    FakeSession& operator=(const FakeSession&) = delete;

    QString operador = QStringLiteral("OPER");
    QString nomeOperador = QStringLiteral("Operador de Teste");
    QString filiProc = QStringLiteral("0001");
    QMap<QString, QDate> dataProc; // per branch
    QString webUrl = QStringLiteral("127.0.0.1");
    int webPort = 0;
    QString token;
    QSet<QString> companies; // companies the operator may work for

    QString Operador() const override { return operador; }
    QString NomeOperador() const override { return nomeOperador; }
    QString FiliProc() const override { return filiProc; }
    QDate DataProc(const QString& branch) const override { return dataProc.value(branch); }
    QString WebURL() const override { return webUrl; }
    int WebPort() const override { return webPort; }
    QString Token() const override { return token; }
    bool AcessoOperEmpresa(const QString& op, const QString& company) const override {
        return op == operador && companies.contains(company);
    }

private:
    Session* m_previous = nullptr;
};

} // namespace host::testing
