#include "host/services/hostmessages.h"

#include <QtDebug>

namespace host {

const TMessages& BaseMessages() {
    static const TMessages messages = TMessages::Load(QStringLiteral(":/host/msgPadraoBase.msg"));
    return messages;
}

const TMessages& HostMessages() {
    static const TMessages messages = TMessages::Load(QStringLiteral(":/host/host.msg"));
    return messages;
}

void ReportUnexpected(const QString& detail) noexcept {
    try {
        dialogs().ErrorBox(HostMessages().Msg(QStringLiteral("ERRINESP")).arg(detail));
    } catch (...) {
        qCritical("unexpected failure: %s", qUtf8Printable(detail));
    }
}

} // namespace host
