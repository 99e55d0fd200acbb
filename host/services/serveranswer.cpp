#include "host/services/serveranswer.h"

#include "data/text.h"
#include "host/services/abort.h"
#include "host/services/hostmessages.h"

namespace host {

QByteArray CheckResultServ(const ServerAnswer& answer) {
    if (answer.ok)
        return answer.result;
    // A failure without a text still must not pass silently.
    MensErro(EmptyString(answer.errorMessage)
                 ? HostMessages().Msg(QStringLiteral("ERRSERV")).arg(answer.errorCode)
                 : answer.errorMessage);
}

} // namespace host
