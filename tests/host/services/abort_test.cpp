#include "host/services/abort.h"
#include "host/services/serveranswer.h"
#include "tests/support/scripteddialogs.h"

#include <QObject>
#include <gtest/gtest.h>

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

TEST(Guarded, ReportsAForeignExceptionAsAnError) {
    ScriptedDialogs dialogs;
    host::guarded([] { throw std::runtime_error("disco cheio"); });
    const QStringList boxes = dialogs.Texts(Kind::ErrorBox);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes.first().contains("disco cheio"));
    EXPECT_TRUE(dialogs.Errors().isEmpty());
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
