#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace host {

// The list string of a multi-select: the chosen keys, each quoted with ' (a ' inside a key
// doubled), separated by ",": 'A','B''C'. No list is the empty string. The application server
// decodes it into values it binds, never into SQL text.
QString EncodeKeyList(const QStringList& keys);
// Nothing for a malformed list string (no blanks allowed around the commas).
std::optional<QStringList> DecodeKeyList(const QString& list);

} // namespace host
