#include "host/services/hostmessages.h"

#include "host/services/dialogs.h"

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

void ReportFailure(const QString& forOperator, const QString& detail) noexcept {
    try {
        qWarning("failure shown to the operator: %s | %s", qUtf8Printable(forOperator),
                 qUtf8Printable(detail));
        dialogs().ErrorBox(forOperator);
    } catch (...) {
        qCritical("failure not shown: %s", qUtf8Printable(detail));
    }
}

void ReportUnexpected(const QString& detail) noexcept {
    try {
        qCritical("unexpected failure: %s", qUtf8Printable(detail));
        dialogs().ErrorBox(HostMessages().Msg(QStringLiteral("ERRCOMUN")));
    } catch (...) {
        qCritical("unexpected failure not shown: %s", qUtf8Printable(detail));
    }
}

} // namespace host
