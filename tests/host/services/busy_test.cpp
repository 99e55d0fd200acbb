#include "host/services/busy.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

namespace {

TEST(RunInBackground, RunsOffTheUiThreadAndGivesTheResult) {
    QThread* worker = nullptr;
    const int answer = host::RunInBackground([&] {
        worker = QThread::currentThread();
        return 42;
    });
    EXPECT_EQ(answer, 42);
    EXPECT_NE(worker, QThread::currentThread());
}

TEST(RunInBackground, RethrowsWhatTheWorkThrew) {
    EXPECT_THROW(host::RunInBackground([]() -> int { throw std::invalid_argument("x"); }),
                 std::invalid_argument);
}

TEST(RunInBackground, KeepsTheUiAliveButDiscardsInput) {
    QPushButton button;
    button.show();
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });

    std::atomic<bool> release{false};
    int timerRuns = 0;
    // While the work waits, the UI thread still runs timers; a click posted then is dropped.
    QTimer::singleShot(0, [&] {
        ++timerRuns;
        QTest::mouseClick(&button, Qt::LeftButton);
        release = true;
    });
    host::RunInBackground([&] {
        while (!release)
            QThread::yieldCurrentThread();
    });
    EXPECT_EQ(timerRuns, 1);
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST(RunInBackground, NestsInsideAnotherWait) {
    int inner = 0;
    std::atomic<bool> release{false};
    QTimer::singleShot(0, [&] {
        inner = host::RunInBackground([] { return 7; });
        release = true;
    });
    host::RunInBackground([&] {
        while (!release)
            QThread::yieldCurrentThread();
    });
    EXPECT_EQ(inner, 7);
}

TEST(BusyIndicator, ShowsOverTheMainWindowUntilTheLastCallEnds) {
    QWidget window;
    window.resize(400, 300);
    window.show();
    host::ActiveShowAvi(&window, 6);
    host::ActiveShowAvi(&window, 6);
    QPointer<QWidget> spinner = window.findChild<QWidget*>("hostBusyIndicator");
    ASSERT_NE(spinner, nullptr);
    EXPECT_TRUE(spinner->isVisible());
    host::DeactiveShowAvi();
    EXPECT_FALSE(spinner.isNull());
    host::DeactiveShowAvi();
    EXPECT_TRUE(spinner.isNull());
    EXPECT_FALSE(host::BusyShown());
    host::DeactiveShowAvi(); // an extra call is harmless
    EXPECT_FALSE(host::BusyShown());
}

TEST(BusyIndicator, HidesAlsoWhenTheWorkFails) {
    QWidget window;
    EXPECT_THROW(host::RunBusy(&window, []() -> int { throw std::runtime_error("x"); }),
                 std::runtime_error);
    EXPECT_FALSE(host::BusyShown());
}

} // namespace
