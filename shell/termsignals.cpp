#include "shell/termsignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler may only write to a descriptor; the notifier reads it on the UI thread.
int g_pipe[2] = {-1, -1};

constexpr int kSignals[] = {SIGTERM, SIGINT};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_pipe[0], &byte, 1);
}

void SetHandler(int sig, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(sig, &action, nullptr);
}

} // namespace

TermSignals::TermSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), m_onSignal(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pipe) != 0)
        throw std::runtime_error("socketpair failed");
    m_notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TermSignals::Received);
    for (const int sig : kSignals)
        SetHandler(sig, OnSignal);
}

TermSignals::~TermSignals() {
    for (const int sig : kSignals)
        SetHandler(sig, SIG_DFL);
    delete m_notifier;
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

void TermSignals::Received() {
    char byte = 0;
    [[maybe_unused]] const auto read = ::read(g_pipe[1], &byte, 1);
    m_onSignal();
}
