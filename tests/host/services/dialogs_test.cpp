#include "data/keylist.h"
#include "data/recordset.h"
#include "host/services/dialogs.h"
#include "tests/support/scripteddialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

using host::DecodeKeyList;
using host::EncodeKeyList;
using Kind = host::testing::ShownDialog::Kind;

class KeyListRoundTrip : public ::testing::TestWithParam<QStringList> {};

TEST_P(KeyListRoundTrip, DecodesToTheSameKeys) {
    const QString list = EncodeKeyList(GetParam());
    EXPECT_EQ(DecodeKeyList(list), GetParam()) << qPrintable(list);
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyListRoundTrip,
                         ::testing::Values(QStringList{}, QStringList{"0001"},
                                           QStringList{"0001", "0002"},
                                           QStringList{"D'Ávila", "a,b", ""},
                                           QStringList{"'); DROP TABLE CLIENTE; --"}));

TEST(KeyList, QuotesEachKeyAndDoublesInnerQuotes) {
    EXPECT_EQ(EncodeKeyList({"01", "O'Neil"}), "'01','O''Neil'");
}

class KeyListRefusal : public ::testing::TestWithParam<const char*> {};

TEST_P(KeyListRefusal, RefusesMalformedText) {
    EXPECT_FALSE(DecodeKeyList(QString::fromUtf8(GetParam())).has_value()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyListRefusal,
                         ::testing::Values("01", "'01", "'01',", "'01' ,'02'", "'a'b'", ",'a'"));

class SearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        host::FieldDef code;
        code.name = "CDEMPRESA";
        code.size = 2;
        rows.AddFieldDef(code);
        rows.CreateDataSet();
    }
    void Fill() {
        rows.AppendRow({QString("01")});
        rows.AppendRow({QString("02")});
        rows.AppendRow({QString("03")});
        rows.First();
    }

    host::testing::ScriptedDialogs dialogs;
    host::RecordSet rows;
};

TEST_F(SearchTest, AnEmptyLookUpShowsTheTextAfterTheBarAndChoosesNothing) {
    EXPECT_FALSE(host::dialogs().Pesquisar(rows, "Empresa|Não há empresa cadastrada."));
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Shown()[0].kind, Kind::Message);
    EXPECT_EQ(dialogs.Shown()[0].text, "Não há empresa cadastrada.");
}

TEST_F(SearchTest, AChoiceLeavesTheRecordSetOnTheChosenRow) {
    Fill();
    dialogs.PickRow(2);
    EXPECT_TRUE(host::dialogs().Pesquisar(rows, "Empresa|Não há empresa cadastrada."));
    EXPECT_EQ(rows.RecNo(), 2);
    EXPECT_EQ(dialogs.Texts(Kind::Search), QStringList{"Empresa"});
}

TEST_F(SearchTest, AScriptCanPickARowByItsValue) {
    Fill();
    dialogs.PickWhere("CDEMPRESA", "02");
    EXPECT_TRUE(host::dialogs().Pesquisar(rows, "Empresa|x"));
    EXPECT_EQ(rows.RecNo(), 1);
}

TEST_F(SearchTest, CancellingLeavesTheRowAndTheList) {
    Fill();
    rows.SetRecNo(1);
    dialogs.Cancel();
    EXPECT_FALSE(host::dialogs().Pesquisar(rows, "Empresa|x"));
    EXPECT_EQ(rows.RecNo(), 1);

    QString list = "'02'";
    dialogs.Cancel();
    EXPECT_FALSE(host::dialogs().PesquisaLista(rows, "CDEMPRESA", "Empresa|x", list));
    EXPECT_EQ(list, "'02'");
}

TEST_F(SearchTest, PesquisaListaReturnsTheListString) {
    Fill();
    QString list;
    dialogs.PickKeys({"01", "03"});
    EXPECT_TRUE(host::dialogs().PesquisaLista(rows, "CDEMPRESA", "Empresa|x", list));
    EXPECT_EQ(list, "'01','03'");
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    EXPECT_EQ(dialogs.Shown()[0].keyField, "CDEMPRESA");
}

TEST(ScriptedDialogs, AnUnscriptedQuestionFailsTheTestAndAnswersNo) {
    host::testing::ScriptedDialogs dialogs;
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer =
                                host::dialogs().Message("Excluir?", host::MessageKind::Confirmation,
                                                        host::MessageButtons::YesNo),
                            "unscripted dialog");
    EXPECT_EQ(answer, host::mrNo);
}

TEST(ScriptedDialogs, RestoresTheSeamItReplaced) {
    host::testing::ScriptedDialogs outer;
    {
        host::testing::ScriptedDialogs inner;
        EXPECT_EQ(&host::dialogs(), &inner);
    }
    EXPECT_EQ(&host::dialogs(), &outer);
}

} // namespace
