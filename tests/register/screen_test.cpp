// The main screen: the company panel, the list with its texts, pages and buttons, refresh,
// cancelling and viewing a stored compensation.

#include "data/recordset.h"
#include "host/widgets/db_edit.h"
#include "host/widgets/db_grid.h"
#include "host/widgets/db_text.h"
#include "register/frmcompcontrec.h"
#include "tests/register/screenfixture.h"
#include "tests/support/recordsetof.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <algorithm>

namespace register_testing {
namespace {

using Shown = host::testing::ShownDialog::Kind;

class CompanyPanelTest : public ScreenTest {};

TEST_F(CompanyPanelTest, EverythingWaitsForTheCompany) {
    OpenScreen();
    for (const char* name : {"sbtIncluir", "sbtExcluir", "sbtProcurar", "sbtVerificar", "sbtFiltro",
                             "sbtConfirmar", "sbtCancelar", "sbtImprimir", "mnuFiltro"})
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_TRUE(Find<QLineEdit>("edtCdEmpresa")->hasFocus());
}

TEST_F(CompanyPanelTest, EmptyListOffersOnlyNewRefreshAndFilter) {
    OpenScreen();
    ChooseCompany("01");
    EXPECT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
    EXPECT_TRUE(List().IsEmpty());
    for (const char* name : {"sbtIncluir", "sbtVerificar", "sbtFiltro", "mnuFiltro"})
        EXPECT_TRUE(Enabled(name)) << name;
    for (const char* name : {"sbtExcluir", "sbtProcurar", "sbtAlterar", "sbtImprimir",
                             "mnuListagem", "mnuConfigImpressora"})
        EXPECT_FALSE(Enabled(name)) << name;
    auto* pages = Find<QTabWidget>("pgcPadrao");
    EXPECT_FALSE(pages->isTabEnabled(pages->indexOf(Find<QWidget>("tshFormulario"))));
}

TEST_F(CompanyPanelTest, ShortCodeIsAdjustedBeforeTheLookUp) {
    OpenScreen();
    ChooseCompany("1");
    EXPECT_EQ(Find<QLineEdit>("edtCdEmpresa")->text(), "01");
    EXPECT_EQ(Find<QLineEdit>("edtNmEmpresa")->text(), "Comercial Um");
    const auto calls = server.CallsOf("GetCompensacao");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].params.at(0).toString(), "01");
}

struct Refusal {
    const char* typed;
    const char* text;
};

class CompanyRefusalTest : public ScreenTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(CompanyRefusalTest, KeepsTheFocusAndLoadsNothing) {
    OpenScreen();
    ChooseCompany(GetParam().typed);
    EXPECT_EQ(dialogs.Errors(), QStringList{QString::fromUtf8(GetParam().text)});
    EXPECT_TRUE(Find<QLineEdit>("edtCdEmpresa")->hasFocus());
    EXPECT_TRUE(server.CallsOf("GetCompensacao").empty());
    EXPECT_FALSE(Enabled("sbtIncluir"));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CompanyRefusalTest,
    ::testing::Values(Refusal{"", "Empresa deve ser informada."},
                      Refusal{"  ", "Empresa deve ser informada."},
                      Refusal{"99", "Empresa informada não cadastrada."},
                      // exists, but the operator may not work for it: checked after existence
                      Refusal{"2", "Empresa não relacionada ao operador logado."}));

TEST_F(CompanyPanelTest, TypingAnotherCodeForgetsTheName) {
    OpenScreen();
    ChooseCompany("01");
    auto* code = Find<QLineEdit>("edtCdEmpresa");
    code->setFocus();
    QTest::keyClick(code, Qt::Key_Backspace);
    EXPECT_EQ(Find<QLineEdit>("edtNmEmpresa")->text(), "");
}

TEST_F(CompanyPanelTest, SearchFillsCodeAndName) {
    OpenScreen();
    dialogs.PickWhere("CDEMPRESA", "01");
    QTest::mouseClick(Find<QWidget>("btpEmpresa"), Qt::LeftButton);
    EXPECT_EQ(Find<QLineEdit>("edtCdEmpresa")->text(), "01");
    EXPECT_EQ(Find<QLineEdit>("edtNmEmpresa")->text(), "Comercial Um");
    EXPECT_EQ(dialogs.Texts(Shown::Search), QStringList{"Empresa"});
}

TEST_F(CompanyPanelTest, ReturningToThePanelLocksTheListAgain) {
    AddCompensation(Compensation("0000000001"));
    OpenScreen();
    ChooseCompany("01");
    ASSERT_TRUE(Enabled("sbtExcluir"));
    EnterCompanyPanel();
    for (const char* name : {"sbtIncluir", "sbtExcluir", "sbtVerificar", "sbtFiltro"})
        EXPECT_FALSE(Enabled(name)) << name;
}

class ListTest : public ScreenTest {};

TEST_F(ListTest, GridShowsTheListColumnsWithTheirTexts) {
    QVariantMap open = Compensation("0000000001", "A");
    open["VRATUAREC"] = QVariant();
    AddCompensation(open);
    OpenScreen();
    ChooseCompany("01");
    auto* grid = Find<host::TDBGrid>("dbgPadrao");
    QStringList fields;
    for (int c = 0; c < grid->ColumnCount(); ++c)
        fields << grid->ColumnField(c);
    EXPECT_EQ(fields, QStringList({"DTCOMPCONTREC", "DTVENBOLREC", "NMRAZSOCCLIE", "DOCUMENTO",
                                   "NRSEQVENREC", "NRPARCELAREC", "VRATUAREC", "VRFINALBREC",
                                   "QTITCOMCONTREC", "IDSTATREC"}));
    const QAbstractItemModel* model = grid->model();
    const auto text = [&](const char* field) {
        return model->index(0, grid->ColumnOfField(field)).data().toString();
    };
    EXPECT_EQ(text("VRATUAREC"), "");
    EXPECT_EQ(text("VRFINALBREC"), "1.000,00");
    EXPECT_EQ(text("IDSTATREC"), "Em aberto");
    EXPECT_EQ(text("DTCOMPCONTREC"), "07/12/2026");
    EXPECT_EQ(model->headerData(grid->ColumnOfField("QTITCOMCONTREC"), Qt::Horizontal).toString(),
              "Qte. Itens");
    EXPECT_EQ(Find<host::TDBText>("dbtNome")->text(), "Compensação Nro.: 0000000001 - 750,25");
}

struct StatusText {
    QVariant code;
    const char* text;
};

class StatusTextTest : public ScreenTest, public ::testing::WithParamInterface<StatusText> {};

TEST_P(StatusTextTest, Shown) {
    QVariantMap row = Compensation("0000000001");
    row["IDSTATREC"] = GetParam().code;
    AddCompensation(row);
    OpenScreen();
    ChooseCompany("01");
    EXPECT_EQ(List().FieldByName("IDSTATREC").DisplayText(), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Codes, StatusTextTest,
                         ::testing::Values(StatusText{"A", "Em aberto"}, StatusText{"B", "Baixada"},
                                           StatusText{"P", "Planejada"}, StatusText{"X", ""},
                                           StatusText{"a", ""}, StatusText{QVariant(), ""}));

TEST_F(ListTest, BlankRecordTitleEvenWithATotal) {
    QVariantMap row = Compensation("0000000001");
    row["DADOSCOMP"] = "  ";
    AddCompensation(row);
    OpenScreen();
    ChooseCompany("01");
    EXPECT_EQ(Find<host::TDBText>("dbtNome")->text(), "");
}

TEST_F(ListTest, RefreshStaysOnTheSameCompensation) {
    for (const char* number : {"0000000001", "0000000002", "0000000003"})
        AddCompensation(Compensation(number));
    OpenScreen();
    ChooseCompany("01");
    List().Locate("NRLANCCOMPREC", {"0000000002"});
    // Someone else's compensation now comes first.
    AddCompensation(Compensation("0000000009"));
    std::rotate(rows.rbegin(), rows.rbegin() + 1, rows.rend());
    Click("sbtVerificar");
    EXPECT_EQ(List().RecordCount(), 4);
    EXPECT_EQ(CurrentNumber(), "0000000002");
}

TEST_F(ListTest, RefreshOfAVanishedCompensationStandsOnTheFirstRow) {
    for (const char* number : {"0000000001", "0000000002"})
        AddCompensation(Compensation(number));
    OpenScreen();
    ChooseCompany("01");
    List().Last();
    rows.pop_back();
    Click("sbtVerificar");
    EXPECT_EQ(CurrentNumber(), "0000000001");
}

TEST_F(ListTest, CtrlLOpensTheFilterDialog) {
    OpenScreen();
    ChooseCompany("01");
    dialogs.RunModal([](QDialog&) { return int(QDialog::Rejected); });
    QTest::keyClick(Find<QWidget>("dbgPadrao"), Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Texts(Shown::Modal), QStringList{"TfrmFiltroCompRec"});
}

TEST_F(ListTest, FilterMenuEntryFollowsTheButtonWhileTheCompanyIsChosen) {
    OpenScreen();
    ChooseCompany("01");
    EnterCompanyPanel();
    Find<QAction>("mnuFiltro")->trigger();
    QTest::keyClick(Find<QWidget>("edtCdEmpresa"), Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(dialogs.Texts(Shown::Modal).isEmpty());
}

class EntryTest : public ScreenTest {
protected:
    void StartEntry() {
        AddCompensation(Compensation("0000000001"));
        OpenScreen();
        ChooseCompany("01");
        Click("sbtIncluir");
        ASSERT_EQ(List().State(), host::DataSetState::Insert);
    }
};

TEST_F(EntryTest, NewRowDefaultsAndLockedCompany) {
    StartEntry();
    EXPECT_EQ(List().FieldByName("CDEMPRESA").AsString(), "01");
    EXPECT_EQ(List().FieldByName("CDOPERLANCOMREC").AsString(), "OPER");
    EXPECT_EQ(List().FieldByName("NMOPERADOR").AsString(), "Operador de Teste");
    EXPECT_EQ(List().FieldByName("DTCOMPCONTREC").AsDateTime(), QDate::currentDate().startOfDay());
    EXPECT_EQ(List().FieldByName("IDTPITUTLCOMREC").AsString(), "0");
    EXPECT_TRUE(Find<QWidget>("dbeInsJurClie")->hasFocus());
    EXPECT_TRUE(Enabled("dbeInsJurClie"));
    EXPECT_FALSE(Enabled("edtCdEmpresa"));
    EXPECT_FALSE(Enabled("btpEmpresa"));
    EXPECT_TRUE(Enabled("sbtConfirmar"));
    EXPECT_FALSE(Enabled("sbtExcluir"));
}

TEST_F(EntryTest, CancellingAnsweredNoKeepsTheEntry) {
    StartEntry();
    dialogs.AnswerNo();
    Click("sbtCancelar");
    EXPECT_EQ(List().State(), host::DataSetState::Insert);
    EXPECT_EQ(Find<QTabWidget>("pgcPadrao")->currentWidget()->objectName(), "tshFormulario");
    EXPECT_FALSE(Enabled("edtCdEmpresa"));
}

TEST_F(EntryTest, CancellingAnsweredYesReturnsToTheList) {
    StartEntry();
    dialogs.AnswerYes();
    Click("sbtCancelar");
    EXPECT_EQ(List().State(), host::DataSetState::Browse);
    EXPECT_EQ(List().RecordCount(), 1);
    EXPECT_EQ(Find<QTabWidget>("pgcPadrao")->currentWidget()->objectName(), "tshFolhaDados");
    EXPECT_TRUE(Enabled("edtCdEmpresa"));
    EXPECT_FALSE(Enabled("edtNmEmpresa"));
    EXPECT_FALSE(Enabled("dbeInsJurClie"));
    EXPECT_TRUE(Enabled("sbtExcluir"));
}

class ViewTest : public ScreenTest {};

TEST_F(ViewTest, StoredCompensationShowsReadOnlyWithItsBillAndPayables) {
    AddCompensation(Compensation("0000000001"));
    bill = Table("cdsBoletosRec", {{{"IDMARCADO", "N"},
                                    {"DOCUMENTO", "NF 1/1"},
                                    {"NRINSJURCLIE", "12345678000199"},
                                    {"IDTPIJURCLIE", "J"},
                                    {"VRFINALBREC", 1000.0}}});
    items = Table("cdsBoletosPag", {{{"IDMARCADO", "N"},
                                     {"NMRAZSOCFORN", "Fornecedor A"},
                                     {"VRFINALBPAG", 400.0},
                                     {"VRITEMCOMPREC", 400.0}},
                                    {{"IDMARCADO", "N"},
                                     {"NMRAZSOCFORN", "Fornecedor B"},
                                     {"VRFINALBPAG", 350.25},
                                     {"VRITEMCOMPREC", 350.25}}});
    OpenScreen();
    ChooseCompany("01");
    ShowFormPage();
    const auto calls = server.CallsOf("GetContaItensComp");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].params, QJsonArray({"01", "0000000001", "0"}));
    EXPECT_EQ(RecordSetOf(screen, "cdsBoletosRec")->RecordCount(), 1);
    EXPECT_EQ(screen->cdsBoletosPag->RecordCount(), 2);
    EXPECT_EQ(RecordSetOf(screen, "cdsBoletosRec")->FieldByName("NRINSJURCLIE").DisplayText(),
              "12.345.678/0001-99");
    auto* payables = Find<host::TDBGrid>("dbgConta");
    EXPECT_EQ(payables->MarkPicture(0), host::CheckPicture::Grayed);
    EXPECT_EQ(Find<host::TDBGrid>("dbgContaRec")->MarkPicture(0), host::CheckPicture::Grayed);
    // Stored values, read only, through the stored pictures.
    EXPECT_EQ(Find<QLineEdit>("dbeInsJurClie")->text(), "12.345.678/0001-99");
    EXPECT_EQ(Find<QLineEdit>("dbeCdAgen")->text(), "1234-5");
    EXPECT_EQ(Find<QLineEdit>("dbeCdContCorr")->text(), "98765-4");
    EXPECT_EQ(Find<QLineEdit>("dbeVrTotComp")->text(), "750,25");
    for (const char* name : {"dbeInsJurClie", "btpCliente", "dbeCdTpBxR", "dbeCdReduCont",
                             "dbeDtComp", "dbrItensComp", "sbtProcurar"})
        EXPECT_FALSE(Enabled(name)) << name;
    // Space and clicks on a stored compensation's marks change nothing.
    payables->setFocus();
    QTest::keyClick(payables, Qt::Key_Space);
    EXPECT_EQ(screen->cdsBoletosPag->FieldByName("IDMARCADO").AsString(), "N");
}

TEST_F(ViewTest, MovingTheListReloadsTheItemsOfCreditCompensations) {
    AddCompensation(Compensation("0000000001"));
    AddCompensation(Compensation("0000000002", "B", "1"));
    OpenScreen();
    ChooseCompany("01");
    ShowFormPage();
    items =
        Table("cdsCreditos", {{{"IDMARCADO", "N"}, {"DSMOVICRED", "TED"}, {"VRMOVICRED", 750.25}}});
    List().Next();
    const auto calls = server.CallsOf("GetContaItensComp");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].params, QJsonArray({"01", "0000000002", "1"}));
    EXPECT_EQ(screen->cdsCreditos->RecordCount(), 1);
    EXPECT_EQ(screen->cdsCreditos->FieldByName("VRMOVICRED").DisplayText(), "750,25");
}

TEST_F(ViewTest, RefusedItemsLeaveTheListsAsTheyWere) {
    AddCompensation(Compensation("0000000001"));
    AddCompensation(Compensation("0000000002"));
    items = Table("cdsBoletosPag", {{{"IDMARCADO", "N"}, {"NMRAZSOCFORN", "Fornecedor A"}}});
    OpenScreen();
    ChooseCompany("01");
    ShowFormPage();
    server.On("GetContaItensComp",
              [](const QJsonArray&) { return FakeServer::Refusal("Compensação não encontrada."); });
    List().Next();
    EXPECT_EQ(dialogs.Errors(), QStringList{"Compensação não encontrada."});
    EXPECT_EQ(screen->cdsBoletosPag->RecordCount(), 1);
}

// Regression: hiding the list page with the focus on its grid passed the focus along the tab
// order into the company panel, which locked everything and went back to the list.
TEST_F(ViewTest, FormTabClickedFromTheFocusedListKeepsTheScreenUsable) {
    AddCompensation(Compensation("0000000001"));
    OpenScreen();
    ChooseCompany("01");
    ASSERT_TRUE(Find<QWidget>("dbgPadrao")->hasFocus());
    ShowFormPage();
    EXPECT_TRUE(Enabled("sbtExcluir"));
    EXPECT_TRUE(Enabled("sbtIncluir"));
    EXPECT_FALSE(Enabled("sbtProcurar"));
}

TEST_F(ViewTest, EmptyListLoadsNoItems) {
    OpenScreen();
    ChooseCompany("01");
    List().First();
    List().Next();
    EXPECT_TRUE(server.CallsOf("GetContaItensComp").empty());
}

} // namespace
} // namespace register_testing
