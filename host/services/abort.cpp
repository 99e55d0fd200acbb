#include "host/services/abort.h"

#include "host/services/dialogs.h"
#include "host/services/hostmessages.h"

namespace host {

void MensErro(const QString& text) {
    dialogs().ShowError(text);
    throw EAbort();
}

void Abort() {
    throw EAbort();
}

void guarded(const std::function<void()>& handler) noexcept {
    try {
        handler();
    } catch (const EAbort&) {
        // The action ended on purpose; its message was already shown.
    } catch (const std::exception& e) {
        ReportUnexpected(QString::fromUtf8(e.what()));
    } catch (...) {
        ReportUnexpected(QString());
    }
}

} // namespace host
