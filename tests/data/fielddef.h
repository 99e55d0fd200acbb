#pragma once

#include "data/field.h"

namespace host::testdata {

inline FieldDef Def(const char* name, FieldType type, int size = 0) {
    FieldDef def;
    def.name = QString::fromLatin1(name);
    def.type = type;
    def.size = size;
    return def;
}

} // namespace host::testdata
