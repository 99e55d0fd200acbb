#include "host/services/abort.h"

#include "host/services/busy.h"
#include "host/services/dialogs.h"
#include "host/services/failure.h"
#include "host/services/hostmessages.h"

namespace host {

void MensErro(const QString& text) {
    dialogs().ShowError(text);
    throw EAbort();
}

void Abort() {
    throw EAbort();
}

void RunReported(const std::function<void()>& handler) noexcept {
    try {
        handler();
    } catch (const EAbort&) {
        // The action ended on purpose; its message was already shown.
    } catch (const EFailure& failure) {
        ReportFailure(QString::fromStdString(failure.what()),
                      QString::fromStdString(failure.Detail()));
    } catch (const std::exception& e) {
        ReportUnexpected(QString::fromUtf8(e.what()));
    } catch (...) {
        ReportUnexpected(QString());
    }
}

// The screen is in the middle of an action while a server call waits: a click, key or timer
// that arrives meanwhile would run a second action on half-done state, so it is dropped.
void guarded(const std::function<void()>& handler) noexcept {
    if (WaitingForCall())
        return;
    RunReported(handler);
}

} // namespace host
