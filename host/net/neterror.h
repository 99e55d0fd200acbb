#pragma once

#include <stdexcept>

namespace host {

// The application server could not be reached, or answered outside the protocol. Not an abort:
// the screen's guarded entry reports it as an error.
class ENetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace host
