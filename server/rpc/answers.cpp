#include "server/rpc/answers.h"

#include "data/codec.h"
#include "data/jsonwriter.h"

namespace rpc {

host::FieldDef WireField(const char* name, host::FieldType type, int size) {
    host::FieldDef field;
    field.name = QString::fromLatin1(name);
    field.type = type;
    field.size = size;
    return field;
}

void WriteRecordSet(host::JsonWriter& result, const host::RecordSetTable& table) {
    host::codec::Write(result, table);
}

} // namespace rpc
