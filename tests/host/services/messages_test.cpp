#include "host/services/formerror.h"
#include "host/services/hostmessages.h"
#include "host/services/messages.h"
#include "tests/support/scripteddialogs.h"

#include <gtest/gtest.h>

namespace {

using host::TMessages;

TEST(TMessages, GivesTheTextAfterTheFirstBarExactly) {
    const TMessages messages = TMessages::Load(":/sample/sample.msg");
    EXPECT_EQ(messages.Msg("EMPNULL"), "Empresa deve ser informada.");
    EXPECT_EQ(messages.Msg("NCLIENTE"), "Não há clientes cadastrados.");
    EXPECT_EQ(messages.Msg("TRAILING"), "Texto com espaço no fim ");
    EXPECT_THROW(messages.Msg("NOPE"), host::FormDataError);
}

TEST(TMessages, KeepsBarsInsideTheTextAndRefusesBrokenLines) {
    const TMessages messages = TMessages::Parse("A|x|y\r\n\n# note\nB|", "t");
    EXPECT_EQ(messages.Msg("A"), "x|y");
    EXPECT_EQ(messages.Msg("B"), "");
    EXPECT_EQ(TMessages::Parse("C|a:\\r\\n%s \\\\d \\x", "t").Msg("C"), "a:\r\n%s \\d \\x");
    EXPECT_THROW(TMessages::Parse("no bar here", "t"), host::FormDataError);
    EXPECT_THROW(TMessages::Parse("A|1\nA|2", "t"), host::FormDataError);
}

TEST(TMessages, ShowMsgGivesSixForYesAndSevenForNo) {
    host::testing::ScriptedDialogs dialogs;
    dialogs.AnswerYes();
    dialogs.AnswerNo();
    const TMessages& base = host::BaseMessages();
    EXPECT_EQ(base.ShowMsg("Canc"), 6);
    EXPECT_EQ(base.ShowMsg("Excl"), 7);
    ASSERT_EQ(dialogs.Shown().size(), 2u);
    EXPECT_EQ(dialogs.Shown()[0].text, base.Msg("Canc"));
    EXPECT_EQ(dialogs.Shown()[0].messageKind, host::MessageKind::Confirmation);
}

TEST(HostMessages, HoldEveryTextTheHostUses) {
    for (const char* key :
         {"ERRCOMUN",   "ERRSERV",    "ERRSQL",    "TITERRO",   "TITAVISO",   "TITINFO",
          "TITCONF",    "PESQFILTRO", "PESQOK",    "PESQCANC",  "LISTMARCA",  "LISTDESMARCA",
          "PROCTITULO", "PROCCAMPO",  "PROCTEXTO", "PROCPROX",  "PROCNAOENC", "AGUARDE",
          "MSGSIM",     "MSGNAO",     "TEMPOESG",  "SERVCONEX", "SERVRESP"})
        EXPECT_TRUE(host::HostMessages().Contains(key)) << key;
}

} // namespace
