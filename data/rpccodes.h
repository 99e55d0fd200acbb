#pragma once

// Error codes of the JSON-RPC answers, shared by the server that sends them and the host that
// reads them.

namespace rpc {

// JSON-RPC 2.0 error codes, plus our own for a refused call and a refused session.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kRefused = -32000;      // a business rule refused the call; text for the operator
constexpr int kUnauthorized = -32001; // no valid session token

} // namespace rpc
