#pragma once

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

class QWidget;

namespace host {

// Small animated busy indicator centred over the main window. Calls nest: the indicator stays
// until the last DeactiveShowAvi. The suite draws one animation for every kind.
void ActiveShowAvi(QWidget* mainWindow, int kind);
void DeactiveShowAvi();
bool BusyShown();

// Shows the busy indicator for the lifetime of the scope.
class BusyScope {
public:
    explicit BusyScope(QWidget* mainWindow, int kind = 6) { ActiveShowAvi(mainWindow, kind); }
    ~BusyScope() { DeactiveShowAvi(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
};

// Runs work on a worker thread while the calling (UI) thread waits in a local event loop that
// repaints but discards user input, so nothing re-enters. Rethrows what work threw. Off the UI
// thread, or without an application, work simply runs in place. Nests safely. The work runs
// on another thread: it must not touch widgets, the dialogs seam or the shared database
// connection.
void RunWhileWaiting(const std::function<void()>& work);

// True while the UI thread waits in RunWhileWaiting.
bool WaitingForCall();

template <class F> auto RunInBackground(F&& work) -> std::invoke_result_t<F> {
    using Result = std::invoke_result_t<F>;
    if constexpr (std::is_void_v<Result>) {
        RunWhileWaiting(std::function<void()>(std::forward<F>(work)));
    } else {
        std::optional<Result> result;
        RunWhileWaiting([&] { result.emplace(std::invoke(work)); });
        return std::move(*result);
    }
}

// The busy indicator around work run in the background.
template <class F> auto RunBusy(QWidget* mainWindow, F&& work) -> std::invoke_result_t<F> {
    BusyScope busy(mainWindow);
    return RunInBackground(std::forward<F>(work));
}

} // namespace host
