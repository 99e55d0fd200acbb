#pragma once

#include "data/codec.h"

namespace host {
class JsonWriter;
}

namespace rpc {

// A field of an answered record set: what the wire carries (name, type, size).
host::FieldDef WireField(const char* name, host::FieldType type, int size = 0);

// Writes a record set as the call's result.
void WriteRecordSet(host::JsonWriter& result, const host::RecordSetTable& table);

} // namespace rpc
