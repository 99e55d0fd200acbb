#pragma once

#include "data/rpccodes.h"

#include <QString>

#include <stdexcept>

namespace rpc {

// Ends a call with an error answer; the message is shown to the operator, so it is Portuguese
// and carries no internal detail.
class RpcError : public std::runtime_error {
public:
    RpcError(int code, const QString& message)
        : std::runtime_error(message.toStdString()), m_code(code) {}
    int Code() const { return m_code; }

private:
    int m_code;
};

[[noreturn]] inline void Refuse(const QString& message) {
    throw RpcError(kRefused, message);
}

} // namespace rpc
