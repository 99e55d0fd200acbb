#include "host/services/abort.h"
#include "host/services/busy.h"
#include "host/services/failure.h"
#include "host/services/hostmessages.h"
#include "host/services/serveranswer.h"
#include "tests/support/scripteddialogs.h"

#include <QObject>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <stdexcept>

namespace {

using host::testing::ScriptedDialogs;
using Kind = host::testing::ShownDialog::Kind;

TEST(MensErro, ShowsTheTextAndEndsTheHandlerBeforeItsNextLine) {
    ScriptedDialogs dialogs;
    bool reachedNextLine = false;
    host::guarded([&] {
        host::MensErro("Empresa deve ser informada.");
        reachedNextLine = true;
    });
    EXPECT_FALSE(reachedNextLine);
    EXPECT_EQ(dialogs.Errors(), QStringList{"Empresa deve ser informada."});
    EXPECT_TRUE(dialogs.Texts(Kind::ErrorBox).isEmpty());
}

TEST(MensErro, AbortsTheCallersThroughNestedCalls) {
    ScriptedDialogs dialogs;
    auto validate = [] {
        host::MensErro("falhou");
    };
    int steps = 0;
    host::guarded([&] {
        ++steps;
        validate();
        ++steps;
    });
    EXPECT_EQ(steps, 1);
}

// What the log received while alive.
class LogCapture {
public:
    LogCapture() : m_previous(qInstallMessageHandler(&LogCapture::Handler)) { s_lines.clear(); }
    ~LogCapture() { qInstallMessageHandler(m_previous); }
    QString Text() const { return s_lines.join('\n'); }

private:
    static void Handler(QtMsgType, const QMessageLogContext&, const QString& line) {
        s_lines.append(line);
    }
    static inline QStringList s_lines;
    QtMessageHandler m_previous;
};

struct FailureCase {
    const char* name;
    std::function<void()> fail;
    const char* shown; // empty: the generic text
    const char* logged;
};

class GuardedFailure : public ::testing::TestWithParam<FailureCase> {};

// Regression: the operator saw internal names and texts ("GetCompensacao: ...", a driver's
// message) instead of what to do; the detail belongs in the log.
TEST_P(GuardedFailure, ShowsTheOperatorsTextAndLogsTheDetail) {
    ScriptedDialogs dialogs;
    const LogCapture log;
    host::guarded(GetParam().fail);
    const QString shown = *GetParam().shown ? QString::fromUtf8(GetParam().shown)
                                            : host::HostMessages().Msg("ERRCOMUN");
    EXPECT_EQ(dialogs.Texts(Kind::ErrorBox), QStringList{shown});
    EXPECT_TRUE(log.Text().contains(GetParam().logged)) << log.Text().toStdString();
    EXPECT_TRUE(dialogs.Errors().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, GuardedFailure,
    ::testing::Values(
        FailureCase{"Foreign", [] { throw std::runtime_error("disco cheio"); }, "", "disco cheio"},
        FailureCase{"Unknown", [] { throw 42; }, "", "unexpected"},
        FailureCase{"ForTheOperator",
                    [] { throw host::EFailure("Servidor fora do ar.", "GetBoletosRec: refused"); },
                    "Servidor fora do ar.", "GetBoletosRec: refused"}),
    [](const auto& info) { return std::string(info.param.name); });

// Regression: a click or timer that arrived while a server call waited ran screen code in the
// middle of the action that made the call.
TEST(Guarded, DropsAHandlerArrivingWhileACallWaits) {
    ScriptedDialogs dialogs;
    bool ranDuringCall = false;
    bool lifeStepRan = false;
    std::atomic<bool> release{false};
    QTimer::singleShot(0, [&] {
        host::guarded([&] { ranDuringCall = true; });
        host::RunReported([&] { lifeStepRan = true; });
        release = true;
    });
    host::RunInBackground([&] {
        while (!release)
            QThread::yieldCurrentThread();
    });
    EXPECT_FALSE(ranDuringCall);
    EXPECT_TRUE(lifeStepRan);
    bool ranAfter = false;
    host::guarded([&] { ranAfter = true; });
    EXPECT_TRUE(ranAfter);
}

TEST(Guarded, WrapsSlotsWithTheirArguments) {
    ScriptedDialogs dialogs;
    QObject sender;
    QString seen;
    QObject::connect(&sender, &QObject::objectNameChanged, host::Guard([&](const QString& name) {
        seen = name;
        host::MensErro("nome " + name);
    }));
    sender.setObjectName("abc"); // would terminate if the abort escaped the slot
    EXPECT_EQ(seen, "abc");
    EXPECT_EQ(dialogs.Errors(), QStringList{"nome abc"});
}

TEST(CheckResultServ, YieldsTheDataOfASuccess) {
    EXPECT_EQ(host::CheckResultServ(host::ServerAnswer::Success("[1]")), "[1]");
}

TEST(CheckResultServ, ReportsAFailureAndAbortsBeforeTheDataIsUsed) {
    ScriptedDialogs dialogs;
    bool loaded = false;
    host::guarded([&] {
        host::CheckResultServ(host::ServerAnswer::Failure(-32000, "Empresa bloqueada."));
        loaded = true;
    });
    EXPECT_FALSE(loaded);
    EXPECT_EQ(dialogs.Errors(), QStringList{"Empresa bloqueada."});
}

TEST(CheckResultServ, AFailureWithoutTextStillAborts) {
    ScriptedDialogs dialogs;
    EXPECT_THROW(host::CheckResultServ(host::ServerAnswer::Failure(-32603, "")), host::EAbort);
    ASSERT_EQ(dialogs.Errors().size(), 1);
    EXPECT_TRUE(dialogs.Errors().first().contains("-32603"));
}

} // namespace
