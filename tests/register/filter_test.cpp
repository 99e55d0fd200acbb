// The compensation-list filter: silent runs, validations with their focus, "Desfazer", reopening
// and the operator and customer pickers.

#include "data/recordset.h"
#include "host/widgets/button_flat.h"
#include "host/widgets/date_edit.h"
#include "module/cli_rec18002.h"
#include "register/filtrocomprec.h"
#include "tests/register/screenfixture.h"

#include <QApplication>
#include <QDialog>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace register_testing {
namespace {

using Shown = host::testing::ShownDialog::Kind;

void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    edit->home(false);
    QTest::keyClicks(edit, text);
}

class FilterTest : public ScreenTest {
protected:
    void SetUp() override {
        OpenScreen();
        ChooseCompany("01");
        ASSERT_TRUE(dialogs.Errors().isEmpty());
        server.ClearCalls();
    }
    template <class T> static T* In(QDialog& dialog, const char* name) {
        T* found = dialog.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void Confirm(QDialog& dialog) {
        QTest::mouseClick(In<host::TButtonFlat>(dialog, "sbtConfirma"), Qt::LeftButton);
    }
    QJsonArray LastListParams() const {
        const auto calls = server.CallsOf("GetCompensacao");
        return calls.empty() ? QJsonArray() : calls.back().params;
    }
};

TEST_F(FilterTest, FirstSilentLoadListsTheProcessingDateForEveryone) {
    Click("sbtVerificar");
    EXPECT_EQ(LastListParams(), QJsonArray({"01", "2026-12-07T00:00:00", "2026-12-07T00:00:00",
                                            QJsonValue(), QJsonValue(), "", ""}));
}

TEST_F(FilterTest, ConfirmedSettingsAreKeptForLaterSilentLoads) {
    WithFilterDialog([](QDialog& dialog) {
        Type(In<QLineEdit>(dialog, "depDtCompIni"), "01112026");
        Type(In<QLineEdit>(dialog, "depDtLancIni"), "02112026");
        Type(In<QLineEdit>(dialog, "depDtLancFin"), "30112026");
        Confirm(dialog);
    });
    ASSERT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
    Click("sbtVerificar");
    EXPECT_EQ(LastListParams(), QJsonArray({"01", "2026-11-01T00:00:00", "2026-12-07T00:00:00",
                                            "2026-11-02T00:00:00", "2026-11-30T00:00:00", "", ""}));
}

struct Invalid {
    const char* name;
    const char* compIni;
    const char* compFin;
    const char* lancIni;
    const char* lancFin;
    const char* listRadio; // checked without picking anything
    const char* text;
    const char* focus;
};

class FilterValidationTest : public FilterTest, public ::testing::WithParamInterface<Invalid> {};

TEST_P(FilterValidationTest, RefusedWithFocusAndNothingLoaded) {
    const Invalid& c = GetParam();
    QString focused;
    QStringList errors;
    bool stillOpen = false;
    WithFilterDialog([&](QDialog& dialog) {
        Type(In<QLineEdit>(dialog, "depDtCompIni"), c.compIni);
        Type(In<QLineEdit>(dialog, "depDtCompFin"), c.compFin);
        Type(In<QLineEdit>(dialog, "depDtLancIni"), c.lancIni);
        Type(In<QLineEdit>(dialog, "depDtLancFin"), c.lancFin);
        if (*c.listRadio)
            QTest::mouseClick(In<QRadioButton>(dialog, c.listRadio), Qt::LeftButton);
        dialogs.ClearShown();
        Confirm(dialog);
        errors = dialogs.Errors();
        focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "";
        stillOpen = dialog.isVisible();
    });
    EXPECT_EQ(errors, QStringList{QString::fromUtf8(c.text)});
    EXPECT_EQ(focused, c.focus);
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(server.CallsOf("GetCompensacao").empty());
    // The confirmed settings did not change.
    Click("sbtVerificar");
    EXPECT_EQ(LastListParams().at(1).toString(), "2026-12-07T00:00:00");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterValidationTest,
    ::testing::Values(Invalid{"CompEndBeforeStart", "08122026", "07122026", "", "", "",
                              "Data inicial deve ser menor ou igual à data final.", "depDtCompIni"},
                      Invalid{"CompStartEmpty", "", "07122026", "", "", "",
                              "Data incial deve ser informada.", "depDtCompIni"},
                      Invalid{"CompEndEmpty", "07122026", "", "", "", "",
                              "Data final deve ser informada.", "depDtCompFin"},
                      Invalid{"CompStartNoDate", "31022026", "07122026", "", "", "",
                              "Data inválida.", "depDtCompIni"},
                      Invalid{"LancOnlyStart", "07122026", "07122026", "01122026", "", "",
                              "Data final deve ser informada.", "depDtLancFin"},
                      Invalid{"LancOnlyEnd", "07122026", "07122026", "", "01122026", "",
                              "Data incial deve ser informada.", "depDtLancIni"},
                      Invalid{"LancEndBeforeStart", "07122026", "07122026", "02122026", "01122026",
                              "", "Data inicial deve ser menor ou igual à data final.",
                              "depDtLancIni"},
                      Invalid{"OperatorListEmpty", "07122026", "07122026", "", "", "rbtListaOper",
                              "Operador de lançamento deve ser informado.", "rbtListaOper"},
                      Invalid{"CustomerListEmpty", "07122026", "07122026", "", "", "rbtListaClie",
                              "Cliente deve ser informado.", "rbtListaClie"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FilterTest, DesfazerResetsTheControlsNotTheConfirmedSettings) {
    WithFilterDialog([](QDialog& dialog) {
        Type(In<QLineEdit>(dialog, "depDtCompIni"), "01112026");
        Confirm(dialog);
    });
    QString shown;
    WithFilterDialog([&](QDialog& dialog) {
        EXPECT_EQ(In<QLineEdit>(dialog, "depDtCompIni")->text(), "01/11/2026");
        Type(In<QLineEdit>(dialog, "depDtLancIni"), "01112026");
        QTest::mouseClick(In<QRadioButton>(dialog, "rbtListaOper"), Qt::LeftButton);
        QTest::mouseClick(In<host::TButtonFlat>(dialog, "sbtLimpa"), Qt::LeftButton);
        shown = In<host::TDateEditPlus>(dialog, "depDtCompIni")->GetDate().toString("dd/MM/yyyy") +
                " " +
                In<host::TDateEditPlus>(dialog, "depDtLancIni")->GetDate().toString("dd/MM/yyyy");
        EXPECT_TRUE(In<QRadioButton>(dialog, "rbtTodosOper")->isChecked());
        EXPECT_FALSE(In<QWidget>(dialog, "btpListaOper")->isEnabled());
    });
    EXPECT_EQ(shown, "07/12/2026 ");
    Click("sbtVerificar");
    EXPECT_EQ(LastListParams().at(1).toString(), "2026-11-01T00:00:00");
}

TEST_F(FilterTest, ReopeningShowsTheConfirmedSettingsNotTheAbandonedOnes) {
    WithFilterDialog([](QDialog& dialog) {
        Type(In<QLineEdit>(dialog, "depDtCompIni"), "01112026");
        QTest::mouseClick(In<QRadioButton>(dialog, "rbtListaClie"), Qt::LeftButton);
        dialog.reject();
    });
    WithFilterDialog([](QDialog& dialog) {
        EXPECT_EQ(In<QLineEdit>(dialog, "depDtCompIni")->text(), "07/12/2026");
        EXPECT_TRUE(In<QRadioButton>(dialog, "rbtTodosClie")->isChecked());
    });
    EXPECT_EQ(Cli_rec18002::frmFiltroCompRec->Filtro.DtCompIni.date(), kProcessingDate);
}

TEST_F(FilterTest, PickedListsReachTheServerAsValues) {
    WithFilterDialog([this](QDialog& dialog) {
        dialogs.PickKeys({"OPER", "ADMIN"});
        dialogs.PickKeys({"C1"});
        QTest::mouseClick(In<QRadioButton>(dialog, "rbtListaOper"), Qt::LeftButton);
        QTest::mouseClick(In<QWidget>(dialog, "btpListaOper"), Qt::LeftButton);
        QTest::mouseClick(In<QRadioButton>(dialog, "rbtListaClie"), Qt::LeftButton);
        QTest::mouseClick(In<QWidget>(dialog, "btpListaCliente"), Qt::LeftButton);
        Confirm(dialog);
    });
    EXPECT_EQ(dialogs.Texts(Shown::SearchList), QStringList({"Operador de Lançamento", "Cliente"}));
    EXPECT_EQ(LastListParams().at(5).toString(), "'OPER','ADMIN'");
    EXPECT_EQ(LastListParams().at(6).toString(), "'C1'");
}

TEST_F(FilterTest, SavedListsComeBackWithTheOperatorsOptions) {
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    WithFilterDialog([this](QDialog& dialog) {
        dialogs.PickKeys({"ADMIN"});
        dialogs.PickKeys({"C2"});
        QTest::mouseClick(In<QRadioButton>(dialog, "rbtListaOper"), Qt::LeftButton);
        QTest::mouseClick(In<QWidget>(dialog, "btpListaOper"), Qt::LeftButton);
        QTest::mouseClick(In<QRadioButton>(dialog, "rbtListaClie"), Qt::LeftButton);
        QTest::mouseClick(In<QWidget>(dialog, "btpListaCliente"), Qt::LeftButton);
        QTest::mouseClick(In<QWidget>(dialog, "btfSaveOpc"), Qt::LeftButton);
        dialog.reject();
    });
    // Reopened, the unconfirmed picks are gone until the options are loaded again.
    WithFilterDialog([](QDialog& dialog) {
        QTest::mouseClick(In<QRadioButton>(dialog, "rbtListaOper"), Qt::LeftButton);
        QTest::mouseClick(In<QRadioButton>(dialog, "rbtListaClie"), Qt::LeftButton);
        QTest::mouseClick(In<QWidget>(dialog, "btfLoadOpc"), Qt::LeftButton);
        Confirm(dialog);
    });
    EXPECT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
    EXPECT_EQ(LastListParams().at(5).toString(), "'ADMIN'");
    EXPECT_EQ(LastListParams().at(6).toString(), "'C2'");
}

TEST_F(FilterTest, RefusedListKeepsThePreviousRows) {
    AddCompensation(Compensation("0000000001"));
    Click("sbtVerificar");
    ASSERT_EQ(List().RecordCount(), 1);
    server.On("GetCompensacao", [](const QJsonArray&) {
        return FakeServer::Refusal("Banco de dados indisponível.");
    });
    Click("sbtVerificar");
    EXPECT_EQ(dialogs.Errors(), QStringList{"Banco de dados indisponível."});
    EXPECT_EQ(List().RecordCount(), 1);
}

} // namespace
} // namespace register_testing
