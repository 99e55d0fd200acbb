#pragma once

#include <QString>

#include <exception>
#include <functional>
#include <utility>

namespace host {

// Silent end of the current action: the message, if any, was already shown. Only the entry
// wrapper (guarded) catches it.
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return "operation aborted"; }
};

// Shows the text as an error through the dialogs seam, then aborts the current action.
[[noreturn]] void MensErro(const QString& text);

// Aborts the current action without a message.
[[noreturn]] void Abort();

// Runs a handler called from Qt (signal, event filter, timer): an EAbort ends it silently, any
// other exception is reported as an error through the dialogs seam. Never throws.
void guarded(const std::function<void()>& handler) noexcept;

// Wraps a callable for connect(): the returned slot runs it through guarded().
template <class F> auto Guard(F handler) {
    return [handler = std::move(handler)](auto&&... args) {
        guarded([&] { std::invoke(handler, std::forward<decltype(args)>(args)...); });
    };
}

} // namespace host
