#pragma once

#include "server/rpc/registry.h"

#include <QByteArray>

#include <string>
#include <string_view>

namespace rpc {

// One JSON-RPC 2.0 call's answer and what the log line needs.
struct Answer {
    QByteArray body;    // empty for a notification (no id): nothing is sent back
    std::string method; // "-" when the request named none
    int errorCode = 0;  // 0 on success
    std::string detail; // for the server log only: the database's own message of a failure
};

// Parses the request, checks it against the object's method signature (count and types of the
// positional params), checks the company against the operator's access, and runs the method.
// Never throws: every failure becomes an error answer.
Answer Dispatch(const RemoteObject& object, std::string_view body, CallContext& context);

// An error answer outside any call (e.g. a refused session): id null.
QByteArray ErrorAnswer(int code, const QString& message);

} // namespace rpc
