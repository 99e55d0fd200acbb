#include "host/net/neterror.h"

#include "host/services/hostmessages.h"

namespace host {

ENetError::ENetError(const std::string& detail)
    : EFailure(HostMessages().Msg(QStringLiteral("SERVRESP")), detail) {}

} // namespace host
