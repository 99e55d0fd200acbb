#include "host/services/session.h"

#include <atomic>
#include <stdexcept>

namespace host {

namespace {
std::atomic<Session*> g_session{nullptr};
} // namespace

Session::~Session() = default;

Session& session() {
    Session* installed = g_session.load();
    if (installed == nullptr)
        throw std::logic_error("no session installed");
    return *installed;
}

Session* SetSession(Session* session) {
    return g_session.exchange(session);
}

} // namespace host
