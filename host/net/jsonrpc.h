#pragma once

#include "host/net/netanswer.h"

#include <QByteArray>
#include <QString>
#include <QVariantList>

namespace host::jsonrpc {

// Request body of a JSON-RPC 2.0 call with positional params. A param may be null (an invalid
// QVariant, or an invalid date: "no date"), bool, a number, text, QDate/QDateTime, or a
// host::RecordSet* (sent as the record-set JSON). Throws ENetError for any other type.
QByteArray Request(qint64 id, const QString& method, const QVariantList& params);

// Reads a JSON-RPC 2.0 response to the call with the given id. An "error" member becomes a
// refusal answer; malformed bodies and mismatched ids throw ENetError.
NetAnswer Response(const QByteArray& body, qint64 id);

// The error text of a JSON-RPC error body, whatever its id; empty for any other body.
QString ErrorText(const QByteArray& body);

} // namespace host::jsonrpc
