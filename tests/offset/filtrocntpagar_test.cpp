// The payables filter through the real screen against a scripted server: its defaults from the
// payables parameters, both modes, a refusal with its focus, "Desfazer", and a dialog whose
// parameters could not be had never kept.

#include "data/recordset.h"
#include "host/services/formdata.h"
#include "host/sql/connection.h"
#include "module/cli_rec18001.h"
#include "offset/filtrocntpagar.h"
#include "register/frmcompcontrec.h"
#include "tests/register/screenfixture.h"

#include <QApplication>
#include <QDialog>
#include <QJsonArray>
#include <QLineEdit>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

using register_testing::FakeServer;

QString Day(int fromToday) {
    return QDate::currentDate().addDays(fromToday).startOfDay().toString(Qt::ISODate);
}

void Type(QDialog& dialog, const char* name, const QString& text) {
    auto* edit = dialog.findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr) << name;
    edit->setFocus();
    edit->setText(QString());
    QTest::keyClicks(edit, text);
}

void Press(QDialog& dialog, const char* name) {
    QTest::mouseClick(dialog.findChild<QWidget*>(name), Qt::LeftButton);
}

class PayablesFilterTest : public register_testing::ScreenTest {
protected:
    PayablesFilterTest() {
        server.On("GetGeralPag", [this](const QJsonArray&) {
            if (parametersRefused)
                return FakeServer::Refusal("Parâmetros indisponíveis.");
            host::RecordSetTable parameters{
                host::FormData::Load(":/rec18000/rec18001.form").RecordSetFields("cdsGeralPag"),
                {{"1", 5.0, 10.0, "S", "N"}}};
            return FakeServer::Result(host::codec::Encode(parameters));
        });
        server.On("GetBoletosPag", [this](const QJsonArray&) {
            if (payablesRefused)
                return FakeServer::Refusal("Sem conexão com o banco.");
            return FakeServer::Result(host::codec::Encode(
                register_testing::Table("cdsBoletosPag", {{{"IDMARCADO", "N"},
                                                           {"CDFILIBPAG", "0001"},
                                                           {"NRLANBOLPAG", "0000000001"},
                                                           {"VRFINALBPAG", 120.0}}})));
        });
    }
    ~PayablesFilterTest() override { delete Cli_rec18001::frmFiltroCntPagar; }

    void EnterPayables() {
        OpenScreen();
        ChooseCompany("01");
        Click("sbtIncluir");
        Find<QWidget>("dbgConta")->setFocus();
    }
    QJsonArray LastParams() const {
        const auto calls = server.CallsOf("GetBoletosPag");
        return calls.empty() ? QJsonArray() : calls.back().params;
    }
    QJsonArray Defaults() const {
        return {"01", "", "", "", "", "", Day(-5), Day(10), "", 0, 0, "S"};
    }

    bool parametersRefused = false;
    bool payablesRefused = false;
};

TEST_F(PayablesFilterTest, EnteringRunsItHiddenWithTheParametersDefaults) {
    EnterPayables();
    EXPECT_EQ(dialogs.Errors(), QStringList());
    EXPECT_TRUE(dialogs.Texts(host::testing::ShownDialog::Kind::Modal).isEmpty());
    EXPECT_EQ(LastParams(), Defaults());
    EXPECT_EQ(screen->cdsBoletosPag->RecordCount(), 1);
}

TEST_F(PayablesFilterTest, ShownRefusesWithFocusThenConfirmsAndHiddenRunsRepeatIt) {
    EnterPayables();
    QString focused;
    WithFilterDialog([&](QDialog& dialog) {
        Type(dialog, "medDocInicial", "");
        Type(dialog, "medDocFinal", "7");
        Press(dialog, "sbtConfirma");
        focused = QApplication::focusWidget()->objectName();
        EXPECT_TRUE(dialog.isVisible());
        Type(dialog, "medDocInicial", "-3");
        Press(dialog, "sbtConfirma");
    });
    EXPECT_EQ(dialogs.Errors(), QStringList{"Número inicial deve ser informado."});
    EXPECT_EQ(focused, "medDocInicial");
    QJsonArray confirmed = Defaults();
    confirmed[2] = "0000000003";
    confirmed[3] = "0000000007";
    EXPECT_EQ(LastParams(), confirmed);
    EXPECT_EQ(server.CallsOf("GetBoletosPag").size(), 2u) << "the dialog's return is no entry";
    Click("sbtVerificar");
    EXPECT_EQ(LastParams(), confirmed);
    // "Desfazer" then closing: the next hidden run is back to the defaults.
    WithFilterDialog([](QDialog& dialog) {
        Press(dialog, "sbtLimpa");
        dialog.reject();
    });
    Click("sbtVerificar");
    EXPECT_EQ(LastParams(), Defaults());
}

TEST_F(PayablesFilterTest, FailedRunsKeepTheListAndTheSettingsAndNoHalfMadeDialog) {
    parametersRefused = true;
    EnterPayables();
    EXPECT_EQ(dialogs.Errors(), QStringList{"Parâmetros indisponíveis."});
    EXPECT_EQ(Cli_rec18001::frmFiltroCntPagar, nullptr);
    EXPECT_TRUE(server.CallsOf("GetBoletosPag").empty());
    parametersRefused = false;
    Click("sbtVerificar");
    ASSERT_NE(Cli_rec18001::frmFiltroCntPagar, nullptr);
    ASSERT_EQ(screen->cdsBoletosPag->RecordCount(), 1);
    payablesRefused = true;
    WithFilterDialog([](QDialog& dialog) {
        Type(dialog, "medDocInicial", "9");
        Press(dialog, "sbtConfirma");
        dialog.reject();
    });
    EXPECT_EQ(screen->cdsBoletosPag->RecordCount(), 1);
    EXPECT_EQ(Cli_rec18001::frmFiltroCntPagar->Filtro.Documento.Inicial, QString());
}

TEST_F(PayablesFilterTest, PickedListsAreSentSavedAndLoadedAndNoBranchStopsThePicker) {
    QSqlQuery create(QSqlDatabase::database(host::SharedConnectionName()));
    for (const char* sql : {"CREATE TABLE FILIAL (CDFILIAL, NMFILIAL)",
                            "CREATE TABLE FORNECEDOR (IDTPIJURFORN, NRINSJURFORN, NMFANTFORN,"
                            " NMRAZSOCFORN, CDFORNECED)",
                            "INSERT INTO FORNECEDOR VALUES ('J', '12345678000199', 'Alfa',"
                            " 'Alfa Ltda', 'F1')"})
        ASSERT_TRUE(create.exec(QString::fromLatin1(sql))) << sql;
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    EnterPayables();
    WithFilterDialog([this](QDialog& dialog) {
        dialogs.PickKeys({"F1"});
        Press(dialog, "rbtListaForn");
        Press(dialog, "btnListForn");
        Press(dialog, "rbtListaFiliOr");
        Press(dialog, "btnFiliOr");
        auto* filter = static_cast<TfrmFiltroCntPagar*>(&dialog);
        filter->stFiliOrig = "'0001'";
        filter->stFiliLanc = "'0002'";
        filter->stTipoBx = "'01'";
        Press(dialog, "btfSaveOpc");
        filter->stForneced = filter->stFiliOrig = filter->stFiliLanc = filter->stTipoBx = "";
        Press(dialog, "btfLoadOpc");
        Press(dialog, "rbtFiliLanc");
        Press(dialog, "rbtListaTipoBx");
        Press(dialog, "sbtConfirma");
    });
    EXPECT_EQ(dialogs.Errors(), QStringList{"Não há filial cadastrada."});
    const QJsonArray sent = LastParams();
    EXPECT_EQ(sent.at(1).toString(), "'F1'");
    EXPECT_EQ(sent.at(4).toString(), "'0001'");
    EXPECT_EQ(sent.at(5).toString(), "'0002'");
    EXPECT_EQ(sent.at(8).toString(), "'01'");
}

} // namespace
