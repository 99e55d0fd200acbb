#include "host/net/offthread.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>

namespace host::net {

void RunOffUiThread(const std::function<void()>& work) {
    std::exception_ptr failure;
    QFutureWatcher<void> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    if (!watcher.isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    watcher.waitForFinished();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace host::net
