// Deleting a stored compensation: the question, what travels, the refusals and where the list
// stands afterwards.

#include "data/recordset.h"
#include "register/frmcompcontrec.h"
#include "tests/register/screenfixture.h"

#include <QJsonObject>

namespace register_testing {
namespace {

class DeletionTest : public ScreenTest {
protected:
    void LoadList(std::initializer_list<const char*> numbers) {
        for (const char* number : numbers)
            AddCompensation(Compensation(number));
        OpenScreen();
        ChooseCompany("01");
        ASSERT_EQ(List().RecordCount(), int(numbers.size()));
        server.ClearCalls();
    }
    void Delete(bool yes = true) {
        if (yes)
            dialogs.AnswerYes();
        else
            dialogs.AnswerNo();
        Click("sbtExcluir");
    }
};

TEST_F(DeletionTest, AnsweringNoSendsNothing) {
    LoadList({"0000000001"});
    Delete(false);
    EXPECT_TRUE(server.Calls().empty());
    EXPECT_EQ(List().RecordCount(), 1);
}

TEST_F(DeletionTest, SendsTheCompensationFieldByFieldInTheExchangeOrder) {
    LoadList({"0000000001"});
    Delete();
    const auto calls = server.CallsOf("SetExcluiCompensacao");
    ASSERT_EQ(calls.size(), 1u);
    const QJsonObject sent = calls[0].params.at(0).toObject();
    QStringList names;
    for (const QJsonValue& field : sent.value("fields").toArray())
        names << field.toObject().value("name").toString();
    EXPECT_EQ(names,
              QStringList({"DTCOMPCONTREC",  "CDEMPRESA",       "NRLANCCOMPREC",   "CDFILIAL",
                           "NRLANBOLREC",    "CDOPERLANCOMREC", "CDCLIENTE",       "CDTPBAIXAREC",
                           "CDTPBAIXAPAG",   "CDAJUCTREC",      "CDAJUCTPAG",      "CDREDUCONT",
                           "DTBAIXACOMPREC", "CDFILIALBAIREC",  "NRBAIXAREC",      "CDFILIALBAIPAG",
                           "NRBAIXAPAG",     "IDTPITUTLCOMREC", "DTLANCOMCONTREC", "QTITCOMCONTREC",
                           "VRTOTALCOMREC"}));
    const QJsonArray rows = sent.value("rows").toArray();
    ASSERT_EQ(rows.size(), 1);
    const QJsonArray row = rows.at(0).toArray();
    EXPECT_EQ(row.at(0).toString(), "2026-12-07T00:00:00");
    EXPECT_EQ(row.at(2).toString(), "0000000001");
    EXPECT_EQ(row.at(9).toString(), "0001");
    EXPECT_TRUE(row.at(13).isNull()); // never filled: travels as null
    EXPECT_EQ(row.at(20).toDouble(), 750.25);
}

struct Answer {
    const char* answer;
    const char* shown;
};

class DeletionRefusalTest : public DeletionTest, public ::testing::WithParamInterface<Answer> {};

TEST_P(DeletionRefusalTest, ShownAndTheRowStays) {
    LoadList({"0000000001", "0000000002", "0000000003"});
    List().Locate("NRLANCCOMPREC", {"0000000002"});
    deleteAnswer = QString::fromUtf8(GetParam().answer);
    Delete();
    EXPECT_EQ(dialogs.Errors(), QStringList{QString::fromUtf8(GetParam().shown)});
    EXPECT_EQ(List().RecordCount(), 3);
    EXPECT_EQ(CurrentNumber(), "0000000002");
    EXPECT_TRUE(server.CallsOf("GetCompensacao").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, DeletionRefusalTest,
    ::testing::Values(
        Answer{"ERR_BOLBAIXADO",
               "Exclusão não permitida! Boleto a receber ligado à compensação já foi baixado."},
        Answer{"ERR_BOLENVCNAB",
               "Exclusão não permitida! Boleto a receber ligado à compensação foi enviado via "
               "CNAB."},
        Answer{"ERR_BAIXARECREAL", "Exclusão não permitida! Baixa a receber não está planejada. "},
        Answer{"ERR_BAIXAPAGREAL", "Exclusão não permitida! Baixa a pagar não está planejada."},
        Answer{"Compensação já excluída por outro operador.",
               "Compensação já excluída por outro operador."},
        // a key this screen does not know is shown rather than an empty text
        Answer{"ERR_NOVA", "ERR_NOVA"}, Answer{"ok", "ok"}));

TEST_F(DeletionTest, TransportFailureLeavesTheList) {
    LoadList({"0000000001"});
    server.On("SetExcluiCompensacao", [](const QJsonArray&) {
        return FakeServer::Refusal("Servidor de aplicação indisponível.");
    });
    Delete();
    EXPECT_EQ(dialogs.Errors(), QStringList{"Servidor de aplicação indisponível."});
    EXPECT_EQ(List().RecordCount(), 1);
}

struct Position {
    const char* deleted;
    const char* landsOn;
};

class DeletionPositionTest : public DeletionTest, public ::testing::WithParamInterface<Position> {};

TEST_P(DeletionPositionTest, ReloadStandsWhereTheCursorWent) {
    LoadList({"0000000001", "0000000002", "0000000003"});
    List().Locate("NRLANCCOMPREC", {GetParam().deleted});
    Delete();
    EXPECT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
    EXPECT_EQ(server.CallsOf("GetCompensacao").size(), 1u);
    EXPECT_EQ(List().RecordCount(), 2);
    EXPECT_EQ(CurrentNumber(), GetParam().landsOn);
}

INSTANTIATE_TEST_SUITE_P(Rows, DeletionPositionTest,
                         ::testing::Values(Position{"0000000001", "0000000002"},
                                           Position{"0000000002", "0000000003"},
                                           Position{"0000000003", "0000000002"}));

TEST_F(DeletionTest, DeletingTheOnlyRowLeavesAnEmptyListAndNoDeleteButton) {
    LoadList({"0000000001"});
    Delete();
    EXPECT_TRUE(List().IsEmpty());
    EXPECT_FALSE(Enabled("sbtExcluir"));
    EXPECT_TRUE(Enabled("sbtIncluir"));
}

TEST_F(DeletionTest, DeletingTheOnlyRowStandsOnTheFirstOfWhatTheReloadBrings) {
    LoadList({"0000000001"});
    // Meanwhile others posted two compensations.
    server.On("SetExcluiCompensacao", [this](const QJsonArray&) {
        rows.clear();
        AddCompensation(Compensation("0000000007"));
        AddCompensation(Compensation("0000000008"));
        return FakeServer::Text("OK");
    });
    Delete();
    EXPECT_EQ(CurrentNumber(), "0000000007");
}

} // namespace
} // namespace register_testing
