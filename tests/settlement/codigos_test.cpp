// The four types and the bank account through the real screen: what leaving a code edit, a
// search and the confirmation's check do to the edits, the record and the focus.

#include "data/recordset.h"
#include "host/services/abort.h"
#include "register/frmcompcontrec.h"
#include "tests/settlement/settlementfixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace settlement_testing {
namespace {

using Shown = host::testing::ShownDialog::Kind;

struct Tipo {
    const char* name;
    const char* edit;
    const char* desc;
    const char* button;
    void (TfrmCompContRec::*vd)(bool);
    const char* shortCode; // typed, qualifying once normalised
    const char* code;
    const char* descText;
    const char* refused; // exists, but does not qualify
    const char* notFound;
    const char* blank;
    const char* searchCaption;
    friend void PrintTo(const Tipo& c, std::ostream* os) { *os << c.name; }
};

class TipoTest : public SettlementTest, public ::testing::WithParamInterface<Tipo> {
protected:
    void SetUp() override { BeginEntry(); }
};

TEST_P(TipoTest, ShortCodeIsNormalisedAndNamedOnLeaving) {
    const Tipo& t = GetParam();
    TypeAndLeave(t.edit, t.shortCode);
    EXPECT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
    EXPECT_EQ(Text(t.edit), t.code);
    EXPECT_EQ(Text(t.desc), QString::fromUtf8(t.descText));
    // Typing again makes the name stale at once; the typed code stays.
    QTest::keyClick(Find<QLineEdit>(t.edit), Qt::Key_Backspace);
    EXPECT_EQ(Text(t.desc), "");
}

TEST_P(TipoTest, NonQualifyingCodeIsRefusedAndClearedWithTheFocusKept) {
    const Tipo& t = GetParam();
    TypeAndLeave(t.edit, t.refused);
    EXPECT_EQ(dialogs.Errors(), QStringList{QString::fromUtf8(t.notFound)});
    EXPECT_EQ(Focused(), t.edit);
    EXPECT_EQ(Text(t.edit).trimmed(), "");
    EXPECT_EQ(Text(t.desc), "");
}

TEST_P(TipoTest, BlankPassesOnLeavingButNotOnConfirming) {
    const Tipo& t = GetParam();
    TypeAndLeave(t.edit, "");
    EXPECT_TRUE(dialogs.Errors().isEmpty());
    Find<QWidget>("dbeInsJurClie")->setFocus();
    EXPECT_THROW((screen->*t.vd)(true), host::EAbort);
    EXPECT_EQ(dialogs.Errors(), QStringList{QString::fromUtf8(t.blank)});
    EXPECT_EQ(Focused(), t.edit);
}

TEST_P(TipoTest, SearchWritesCodeAndNameWithoutCheckingOrClearing) {
    const Tipo& t = GetParam();
    dialogs.PickRow(0);
    Click(t.button);
    EXPECT_EQ(dialogs.Texts(Shown::Search), QStringList{QString::fromUtf8(t.searchCaption)});
    EXPECT_EQ(Text(t.edit), t.code);
    EXPECT_EQ(Text(t.desc), QString::fromUtf8(t.descText));
}

INSTANTIATE_TEST_SUITE_P(
    Tipos, TipoTest,
    ::testing::Values(
        Tipo{"BaixaRec", "dbeCdTpBxR", "dbeDsTpBxR", "btpTpBaixaRec",
             &TfrmCompContRec::Vd_TipoBaixaRec, "1", "01", "Compensação entre contas", "02",
             "Tipo de baixa a receber não parametrizado como \"Compensação entre Contas\".",
             "Tipo de baixa a receber deve ser informado.", "Tipo de Baixa a Receber"},
        // "7" under the mask 9999 is normalised to the code 0007.
        Tipo{"AjusteRec", "dbeCdTpAjR", "dbeDsTpAjR", "btpAjusRec",
             &TfrmCompContRec::Vd_TipoAjusteRec, "7", "0007", "Desconto por compensação", "4",
             "Tipo de ajuste de desconto informado não cadastrado.",
             "Tipo de ajuste a receber deve ser informado.", "Tipo de Ajuste a Receber"},
        Tipo{"BaixaPag", "dbeCdTpBxP", "dbeDsTpBxP", "btpTpBaixaPag",
             &TfrmCompContRec::Vd_TipoBaixaPag, "4", "04", "Encontro de contas", "02",
             "Tipo de baixa a pagar não parametrizado como \"Compensação entre Contas\".",
             "Tipo de baixa a pagar deve ser informado.", "Tipo de Baixa a Pagar"},
        Tipo{"AjustePag", "dbeCdTpAjP", "dbeDsTpAjP", "btpAjusPag",
             &TfrmCompContRec::Vd_TipoAjustePag, "2", "0002", "Abatimento negociado", "3",
             "Tipo de ajuste de desconto informado não cadastrado.",
             "Tipo de ajuste a pagar deve ser informado.", "Tipo de Ajuste a Pagar"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettlementTest, TabLeadsThroughTypesAccountAndDates) {
    BeginEntry();
    Find<QWidget>("dbeCdTpBxR")->setFocus();
    QStringList stops;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        stops << Focused();
    }
    EXPECT_EQ(stops, QStringList({"dbeCdTpAjR", "dbeCdReduCont", "dbeDtComp", "dbeDtBaixa"}));
    EXPECT_TRUE(dialogs.Errors().isEmpty());
}

class ContCorrTest : public SettlementTest {};

TEST_F(ContCorrTest, CompanysAccountShownThroughItsBanksPictures) {
    BeginEntry();
    TypeAndLeave("dbeCdReduCont", "bb1");
    EXPECT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
    EXPECT_EQ(Text("dbeCdReduCont"), "BB1");
    EXPECT_EQ(Text("dbeCdBanco"), "001");
    EXPECT_EQ(Text("dbeCdAgen"), "3456-X");
    EXPECT_EQ(Text("dbeCdContCorr"), "12345678-X");
    EXPECT_EQ(List().FieldByName("CDAGENCIA").AsString(), "3456X");
}

TEST_F(ContCorrTest, AnotherCompanysAccountIsRefused) {
    BeginEntry();
    TypeAndLeave("dbeCdReduCont", "BR1");
    EXPECT_EQ(dialogs.Errors(),
              QStringList{"Conta corrente informada não cadastrada para empresa informada."});
    EXPECT_EQ(Focused(), "dbeCdReduCont");
    EXPECT_EQ(Text("dbeCdBanco"), "");
}

// Regression: a bank without pictures showed its numbers through the previous account's masks.
TEST_F(ContCorrTest, SearchedAccountOfABankWithoutPicturesShowsBareNumbers) {
    BeginEntry();
    TypeAndLeave("dbeCdReduCont", "BB1");
    dialogs.PickWhere("CDREDUCONT", "SEM");
    Click("btpContCorr");
    EXPECT_EQ(dialogs.Texts(Shown::Search), QStringList{"Conta Corrente"});
    EXPECT_EQ(Text("dbeCdReduCont"), "SEM");
    EXPECT_EQ(Text("dbeCdAgen"), "1234");
    EXPECT_EQ(Text("dbeCdContCorr"), "5678");
}

TEST_F(ContCorrTest, StoredCompensationsShowTheirOwnBanksPictures) {
    QVariantMap bare = Compensation("0000000002");
    bare["CDPICTAGEN"] = QVariant();
    bare["CDPICTCONT"] = "";
    AddCompensation(Compensation("0000000001"));
    AddCompensation(bare);
    OpenScreen();
    ChooseCompany("01");
    ShowFormPage();
    EXPECT_EQ(Text("dbeCdAgen"), "1234-5");
    List().Next();
    EXPECT_EQ(Text("dbeCdAgen"), "12345");
    EXPECT_EQ(Text("dbeCdContCorr"), "987654");
    // Nothing is checked while a stored compensation is shown.
    screen->Vd_ContCorr(true);
    screen->Vd_TipoBaixaRec(true);
    EXPECT_TRUE(dialogs.Errors().isEmpty());
}

} // namespace
} // namespace settlement_testing
