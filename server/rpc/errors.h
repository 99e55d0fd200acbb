#pragma once

#include <QString>

#include <stdexcept>

namespace rpc {

// JSON-RPC 2.0 error codes, plus our own for a refused session.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kRefused = -32000;      // a business rule refused the call; text for the operator
constexpr int kUnauthorized = -32001; // no valid session token

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
