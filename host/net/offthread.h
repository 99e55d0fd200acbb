#pragma once

// Internal to host/net: runs blocking work on a worker thread while the calling (UI) thread waits
// in a local event loop that repaints but takes no user input.

#include <functional>

namespace host::net {

// Rethrows on the calling thread whatever the work threw.
void RunOffUiThread(const std::function<void()>& work);

} // namespace host::net
