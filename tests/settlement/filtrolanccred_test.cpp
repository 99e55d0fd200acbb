// The bank-credits filter: its hidden runs, validations with their focus, keeping what was typed
// while the dialog is open, and the pickers' lists saved per operator.

#include "data/recordset.h"
#include "register/filtrocomprec.h"
#include "register/frmcompcontrec.h"
#include "settlement/filtrolanccred.h"
#include "tests/settlement/settlementfixture.h"

#include <QApplication>
#include <QDialog>
#include <QJsonArray>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace settlement_testing {
namespace {

using register_testing::FakeServer;

template <class T> T* In(QDialog& dialog, const char* name) {
    T* found = dialog.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void Type(QDialog& dialog, const char* name, const QString& text) {
    auto* edit = In<QLineEdit>(dialog, name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    edit->home(false);
    QTest::keyClicks(edit, text);
}

void Press(QDialog& dialog, const char* name) {
    QTest::mouseClick(In<QWidget>(dialog, name), Qt::LeftButton);
}

class CreditsFilterTest : public SettlementTest {
protected:
    void SetUp() override {
        server.On("GetCreditos", [](const QJsonArray&) {
            return FakeServer::Result(host::codec::Encode(register_testing::Table(
                "cdsCreditos", {{{"DTMOVICRED", register_testing::DateValue(2026, 12, 1)},
                                 {"VRMOVICRED", 150.5},
                                 {"CDREDUCONT", "BB1"},
                                 {"CDEMPRESA", "01"},
                                 {"NRMOVICRED", "0000000001"},
                                 {"IDMARCADO", "N"}}})));
        });
        BeginEntry();
    }
    // Opens the filter as the credits page's filter button does and runs the step on it.
    void WithDialog(const std::function<void(QDialog&)>& step) {
        dialogs.RunModal([step](QDialog& dialog) {
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            step(dialog);
            dialog.hide();
            return dialog.result();
        });
        CriaFiltroLancCred("01", kBotaoFiltro);
    }
    void HiddenRun() { CriaFiltroLancCred("01", kEscondeFiltro); }
    QJsonArray LastParams() const {
        const auto calls = server.CallsOf("GetCreditos");
        return calls.empty() ? QJsonArray() : calls.back().params;
    }
};

TEST_F(CreditsFilterTest, FirstHiddenRunAsksForTheProcessingDateAndEverything) {
    HiddenRun();
    EXPECT_TRUE(dialogs.Texts(host::testing::ShownDialog::Kind::Modal).isEmpty());
    EXPECT_EQ(LastParams(),
              QJsonArray({"01", "2026-12-07T00:00:00", "2026-12-07T00:00:00", 0, 0, "", ""}));
    EXPECT_EQ(screen->cdsCreditos->RecordCount(), 1);
    EXPECT_EQ(screen->cdsCreditos->FieldByName("VRMOVICRED").DisplayText(), "150,50");
}

struct Invalid {
    const char* name;
    const char* ini;
    const char* fin;
    const char* valorIni;
    const char* listRadio; // checked without picking anything
    const char* text;
    const char* focus;
    friend void PrintTo(const Invalid& c, std::ostream* os) { *os << c.name; }
};

class CreditsFilterValidationTest : public CreditsFilterTest,
                                    public ::testing::WithParamInterface<Invalid> {};

TEST_P(CreditsFilterValidationTest, RefusedWithFocusAndNothingAsked) {
    const Invalid& c = GetParam();
    QString focused;
    bool stillOpen = false;
    WithDialog([&](QDialog& dialog) {
        Type(dialog, "depDtLancIni", c.ini);
        Type(dialog, "depDtLancFin", c.fin);
        Type(dialog, "nedValorIni", c.valorIni);
        Type(dialog, "nedValorFin", "");
        if (*c.listRadio)
            Press(dialog, c.listRadio);
        Press(dialog, "sbtConfirma");
        focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
        stillOpen = dialog.isVisible();
    });
    EXPECT_EQ(dialogs.Errors(), QStringList{QString::fromUtf8(c.text)});
    EXPECT_EQ(focused, c.focus);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(server.CallsOf("GetCreditos").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CreditsFilterValidationTest,
    ::testing::Values(Invalid{"OnlyEndDate", "", "07122026", "", "",
                              "Data inicial deve ser informada.", "depDtLancIni"},
                      Invalid{"ValueToLeftEmpty", "", "", "10", "",
                              "Valor inicial deve ser menor ou igual ao valor final.",
                              "nedValorIni"},
                      Invalid{"TypeListEmpty", "", "", "", "rbtListaTipo",
                              "Tipo de crédito deve ser informado.", "rbtListaTipo"}),
    [](const auto& info) { return std::string(info.param.name); });

// A hidden run repeats what was confirmed, not what was typed; "Desfazer" resets both, as the
// payables filter does (regression: it reset the controls only, and the next hidden run still
// used the old filter).
TEST_F(CreditsFilterTest, HiddenRunRepeatsTheLastConfirmedUntilDesfazerResetsIt) {
    WithDialog([this](QDialog& dialog) {
        Type(dialog, "depDtLancIni", "01122026");
        Type(dialog, "nedValorFin", "300");
        dialogs.PickKeys({"C02"});
        Press(dialog, "rbtListaTipo");
        Press(dialog, "btpTipo");
        Press(dialog, "sbtConfirma");
    });
    ASSERT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
    const QJsonArray confirmed{"01", "2026-12-01T00:00:00", "2026-12-07T00:00:00", 0, 300, "'C02'",
                               ""};
    EXPECT_EQ(LastParams(), confirmed);
    // Typed, then abandoned: the confirmed settings stay.
    WithDialog([](QDialog& dialog) {
        EXPECT_EQ(In<QLineEdit>(dialog, "depDtLancIni")->text(), "01/12/2026");
        Type(dialog, "depDtLancIni", "05122026");
        dialog.reject();
    });
    server.ClearCalls();
    HiddenRun();
    EXPECT_EQ(LastParams(), confirmed);
    // "Desfazer" pressed, then abandoned: the defaults.
    WithDialog([](QDialog& dialog) {
        Press(dialog, "sbtLimpa");
        EXPECT_TRUE(In<QRadioButton>(dialog, "rbtTodosTipo")->isChecked());
        EXPECT_FALSE(In<QWidget>(dialog, "btpTipo")->isEnabled());
        dialog.reject();
    });
    HiddenRun();
    EXPECT_EQ(LastParams(),
              QJsonArray({"01", "2026-12-07T00:00:00", "2026-12-07T00:00:00", 0, 0, "", ""}));
}

// Regression: the confirmed settings were put back whenever the dialog became active again, so
// closing a picker or a message wiped what the operator had typed.
TEST_F(CreditsFilterTest, ReactivationKeepsWhatWasTyped) {
    WithDialog([](QDialog& dialog) {
        Type(dialog, "depDtLancFin", "10122026");
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        Press(dialog, "sbtConfirma");
    });
    EXPECT_EQ(LastParams().at(2).toString(), "2026-12-10T00:00:00");
}

// Regression: a type code of four characters made the picker's key too long for its field.
TEST_F(CreditsFilterTest, TypePickerCarriesFourCharacterCodes) {
    WithDialog([this](QDialog& dialog) {
        dialogs.PickKeys({"C0003"});
        Press(dialog, "rbtListaTipo");
        Press(dialog, "btpTipo");
        Press(dialog, "sbtConfirma");
    });
    EXPECT_EQ(dialogs.Texts(host::testing::ShownDialog::Kind::ErrorBox), QStringList());
    EXPECT_EQ(LastParams().at(5).toString(), "'C0003'");
}

TEST_F(CreditsFilterTest, SavedListsComeBackForTheSameOperatorOnly) {
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    WithDialog([this](QDialog& dialog) {
        dialogs.PickKeys({"BB1"});
        Press(dialog, "rbtListaCCorr");
        Press(dialog, "btpCCorr");
        Press(dialog, "btfSaveOpc");
        dialog.reject();
    });
    EXPECT_EQ(dialogs.Texts(host::testing::ShownDialog::Kind::SearchList),
              QStringList{"Conta Corrente"});
    session.operador = "OUTRO";
    WithDialog([](QDialog& dialog) {
        Press(dialog, "btfLoadOpc");
        dialog.reject();
    });
    EXPECT_EQ(Cli_rec18003::frmFiltroLancCred->stCCorr, "");
    session.operador = "OPER";
    WithDialog([](QDialog& dialog) {
        Press(dialog, "rbtListaCCorr");
        Press(dialog, "btfLoadOpc");
        Press(dialog, "sbtConfirma");
    });
    EXPECT_EQ(LastParams().at(6).toString(), "'BB1'");
}

} // namespace
} // namespace settlement_testing
