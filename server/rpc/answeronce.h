#pragma once

#include "server/rpc/registry.h"

#include <QSqlDatabase>

#include <functional>

namespace host {
class JsonWriter;
}

namespace rpc {

// What a writing method does inside its transaction: write the books and its answer.
using WriteWork = std::function<void(const QSqlDatabase& db, host::JsonWriter& answer)>;

// Runs a writing method's work as one write transaction (CallContext::Write) and writes its
// answer into result. With an Idempotency-Key the answer is stored beside the writes, in the
// same transaction; a repeat of the key by the same operator gets that first answer and writes
// nothing, even when both arrive at once. The same key with another request is refused.
void AnswerOnce(const CallContext& context, host::JsonWriter& result, const WriteWork& work);

} // namespace rpc
