#include "tests/support/fakesession.h"

namespace host::testing {

FakeSession::FakeSession() : m_previous(SetSession(this)) {}

FakeSession::~FakeSession() {
    SetSession(m_previous);
}

} // namespace host::testing
