// The screen against a real application server over a demo company database: listing, viewing
// and deleting stored compensations of every kind.

#include "data/recordset.h"
#include "host/sql/connection.h"
#include "register/frmcompcontrec.h"
#include "tests/register/realscreen.h"
#include "tests/support/recordsetof.h"

#include <QDialog>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace register_testing {
namespace {

void TypeDate(QDialog& dialog, const char* name, const QDate& date) {
    auto* edit = dialog.findChild<QLineEdit*>(name);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    edit->home(false);
    QTest::keyClicks(edit, date.toString("ddMMyyyy"));
}

class RealServerTest : public RealServerScreen {
protected:
    // The demo compensations were posted over the last three weeks and today.
    void ListTheDemo() {
        OpenScreen();
        ChooseCompany("1");
        ASSERT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
        WithFilterDialog([](QDialog& dialog) {
            TypeDate(dialog, "depDtCompIni", QDate::currentDate().addDays(-30));
            QTest::mouseClick(dialog.findChild<QWidget*>("sbtConfirma"), Qt::LeftButton);
        });
        ASSERT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
        ASSERT_EQ(List().RecordCount(), 14);
    }
};

TEST_F(RealServerTest, FirstLoadListsTheProcessingDateThenTheWidenedFilterEveryStatus) {
    OpenScreen();
    ChooseCompany("1");
    EXPECT_EQ(List().RecordCount(), 5); // those compensated today
    ListTheDemo();
    QSet<QString> statuses;
    for (List().First(); !List().Eof(); List().Next())
        statuses << List().FieldByName("IDSTATREC").DisplayText();
    EXPECT_EQ(statuses, (QSet<QString>{"Planejada", "Baixada", "Em aberto"}));
}

TEST_F(RealServerTest, StoredCompensationsShowTheirBillAndItems) {
    ListTheDemo();
    ASSERT_TRUE(List().Locate("NRLANCCOMPREC", {"0000000001"}));
    ShowFormPage();
    EXPECT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
    EXPECT_EQ(RecordSetOf(screen, "cdsBoletosRec")->RecordCount(), 1);
    EXPECT_EQ(screen->cdsBoletosPag->RecordCount(), 2);
    ASSERT_TRUE(List().Locate("NRLANCCOMPREC", {"0000000006"}));
    EXPECT_EQ(List().FieldByName("IDTPITUTLCOMREC").AsString(), "1");
    EXPECT_EQ(screen->cdsCreditos->RecordCount(), 1);
    EXPECT_EQ(screen->cdsCreditos->FieldByName("VRMOVICRED").DisplayText(), "250,00");
}

struct Refused {
    const char* number;
    const char* text;
};

class RealDeletionRefusalTest : public RealServerTest,
                                public ::testing::WithParamInterface<Refused> {};

TEST_P(RealDeletionRefusalTest, ShownAsTheScreenText) {
    ListTheDemo();
    ASSERT_TRUE(List().Locate("NRLANCCOMPREC", {GetParam().number}));
    dialogs.AnswerYes();
    Click("sbtExcluir");
    EXPECT_EQ(dialogs.Errors(), QStringList{QString::fromUtf8(GetParam().text)});
    EXPECT_EQ(List().RecordCount(), 14);
    EXPECT_EQ(CurrentNumber(), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Demo, RealDeletionRefusalTest,
    ::testing::Values(
        Refused{"0000000002",
                "Exclusão não permitida! Boleto a receber ligado à compensação já foi baixado."},
        Refused{"0000000003", "Exclusão não permitida! Baixa a receber não está planejada. "},
        Refused{"0000000004", "Exclusão não permitida! Boleto a receber ligado à compensação foi "
                              "enviado via CNAB."},
        Refused{"0000000005", "Exclusão não permitida! Baixa a pagar não está planejada."}));

TEST_F(RealServerTest, DeletingAPlannedCompensationReloadsOnTheRowThatFollowed) {
    ListTheDemo();
    ASSERT_TRUE(List().Locate("NRLANCCOMPREC", {"0000000006"}));
    const int row = List().RecNo();
    const bool last = row == List().RecordCount() - 1;
    List().SetRecNo(last ? row - 1 : row + 1);
    const QString following = CurrentNumber();
    List().SetRecNo(row);
    dialogs.AnswerYes();
    Click("sbtExcluir");
    EXPECT_TRUE(dialogs.Errors().isEmpty()) << dialogs.Errors().join('\n').toStdString();
    EXPECT_EQ(List().RecordCount(), 13);
    EXPECT_EQ(CurrentNumber(), following);
    EXPECT_FALSE(List().Locate("NRLANCCOMPREC", {"0000000006"}));
}

} // namespace
} // namespace register_testing
