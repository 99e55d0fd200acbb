#pragma once

// Internal to host/net: reading result values with simdjson's on-demand parser.

#include "host/net/netanswer.h"

#include <simdjson.h>

namespace host::jsonrpc {

// Reads one value; objects and arrays keep their JSON text. Throws simdjson_error.
NetAnswer ReadValue(simdjson::ondemand::value value);

} // namespace host::jsonrpc
