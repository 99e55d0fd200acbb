#pragma once

#include "host/net/neterror.h"

#include <QString>

namespace host {

// The server refused the operator or the password.
class ELoginRefused : public ENetError {
public:
    explicit ELoginRefused(const QString& reason) : ENetError(reason, reason.toStdString()) {}
};

// Logs in on the application server (POST /session) and gives the token its calls need.
// Throws ELoginRefused with the server's text on a refusal, ENetError when the exchange fails.
QString OpenServerSession(const QString& host, int port, const QString& operador,
                          const QString& password);

} // namespace host
