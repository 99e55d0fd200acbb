#pragma once

#include "host/services/failure.h"

namespace host {

// The application server could not be reached, or answered outside the protocol. Not an abort:
// the screen's guarded entry shows what() to the operator and logs Detail().
class ENetError : public EFailure {
public:
    using EFailure::EFailure;
    // An answer outside the protocol; detail says how.
    explicit ENetError(const std::string& detail);
};

} // namespace host
