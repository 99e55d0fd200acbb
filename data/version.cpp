#include "data/version.h"

namespace host {

// Both come from CMake as compile definitions of this file alone, so a new revision rebuilds
// one object.
const char* Version() {
    return REC18000_VERSION;
}

const char* Revision() {
    return REC18000_REVISION;
}

} // namespace host
