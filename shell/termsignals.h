#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a call on the UI thread, so that a stop asked by the system or
// by Ctrl+C leaves the suite the same way its menu does. One instance per process; the default
// reactions come back when it is destroyed.
class TermSignals : public QObject {
    Q_OBJECT
public:
    explicit TermSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~TermSignals() override;
    TermSignals(const TermSignals&) = delete;
    TermSignals& operator=(const TermSignals&) = delete;

private:
    void Received();

    std::function<void()> m_onSignal;
    QSocketNotifier* m_notifier = nullptr;
};
