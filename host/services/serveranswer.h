#pragma once

#include <QByteArray>
#include <QString>

#include <utility>

namespace host {

// One answer of the application server: the JSON text of a JSON-RPC "result", or the
// "error" object's code and text for the operator.
struct ServerAnswer {
    bool ok = false;
    QByteArray result; // JSON text of the result value when ok
    int errorCode = 0;
    QString errorMessage;

    static ServerAnswer Success(QByteArray json) { return {true, std::move(json), 0, {}}; }
    static ServerAnswer Failure(int code, QString message) {
        return {false, {}, code, std::move(message)};
    }
};

// The data of a successful answer; a failed one is shown through MensErro and aborts.
QByteArray CheckResultServ(const ServerAnswer& answer);

} // namespace host
