#include "host/services/busy.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>

namespace host {

namespace {

class BusySpinner : public QWidget {
public:
    explicit BusySpinner(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("hostBusyIndicator"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFixedSize(56, 56);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_angle = (m_angle + 30) % 360;
            update();
        });
        m_timer.start(80);
    }

    void Centre() {
        if (parentWidget() != nullptr)
            move((parentWidget()->width() - width()) / 2,
                 (parentWidget()->height() - height()) / 2);
        raise();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 140));
        p.drawRoundedRect(rect(), 8, 8);
        QPen pen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        p.drawArc(rect().adjusted(12, 12, -12, -12), -m_angle * 16, 270 * 16);
    }

private:
    QTimer m_timer;
    int m_angle = 0;
};

int g_busyDepth = 0;
int g_waitDepth = 0;
QPointer<BusySpinner> g_spinner;

// Discards user input everywhere while a background call runs.
class InputBlocker : public QObject {
public:
    InputBlocker() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputBlocker() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        case QEvent::Close:
            return event->spontaneous();
        default:
            return false;
        }
    }
};

} // namespace

void ActiveShowAvi(QWidget* mainWindow, int /*kind*/) {
    if (g_busyDepth++ > 0 || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QWidget* host = mainWindow != nullptr ? mainWindow : QApplication::activeWindow();
    if (host == nullptr)
        return;
    g_spinner = new BusySpinner(host);
    g_spinner->Centre();
    g_spinner->show();
}

void DeactiveShowAvi() {
    if (g_busyDepth == 0 || --g_busyDepth > 0 ||
        qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return;
    QApplication::restoreOverrideCursor();
    delete g_spinner.data();
}

bool WaitingForCall() {
    return g_waitDepth > 0;
}

bool BusyShown() {
    return g_busyDepth > 0;
}

void RunWhileWaiting(const std::function<void()>& work) {
    if (QCoreApplication::instance() == nullptr ||
        QThread::currentThread() != QCoreApplication::instance()->thread()) {
        work();
        return;
    }
    std::exception_ptr failure;
    InputBlocker blocker;
    QEventLoop loop;
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcher<void>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    if (!watcher.isFinished()) {
        const QScopedValueRollback waiting(g_waitDepth, g_waitDepth + 1);
        loop.exec();
    }
    watcher.waitForFinished();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace host
