// The screen against a real application server over a demo company database: listing, viewing
// and deleting stored compensations of every kind.

#include "data/recordset.h"
#include "host/sql/connection.h"
#include "host/widgets/db_grid.h"
#include "register/frmcompcontrec.h"
#include "tests/register/realscreen.h"
#include "tests/support/recordsetof.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QSqlDatabase>
#include <QTabWidget>
#include <QTemporaryDir>
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

QString Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

// The list as filtered goes to a CSV cell by cell as the server answered it and to landscape
// pages headed by the filter; the current compensation's notice saves from its preview.
TEST_F(RealServerTest, ListExportsCellByCellAndTheNoticeSavesFromItsPreview) {
    ListTheDemo();
    const QTemporaryDir dir;
    const QString csv = dir.filePath("lista.csv");
    dialogs.SaveAs(csv);
    Find<QAction>("mnuExportaCsv")->trigger();
    ASSERT_EQ(dialogs.Texts(host::testing::ShownDialog::Kind::SaveFile).size(), 1);
    EXPECT_TRUE(dialogs.Texts(host::testing::ShownDialog::Kind::SaveFile)[0].startsWith(
        "compensacoes-01-20"));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
    ASSERT_EQ(lines.takeLast(), "");
    ASSERT_EQ(lines.size(), List().RecordCount() + 1);
    const host::TDBGrid& grid = *Find<host::TDBGrid>("dbgPadrao");
    QStringList captions;
    for (int c = 0; c < grid.ColumnCount(); ++c)
        captions << grid.model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(lines[0], captions.join(';'));
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    for (int r = 0; r < List().RecordCount(); ++r) {
        const QStringList cells = lines[r + 1].split(';');
        ASSERT_EQ(cells.size(), grid.ColumnCount()) << lines[r + 1].toStdString();
        for (int c = 0; c < grid.ColumnCount(); ++c) {
            const host::Field& field = List().FieldByName(grid.ColumnField(c));
            const QVariant value = field.ValueAt(r);
            SCOPED_TRACE(field.FieldName().toStdString() + " row " + std::to_string(r));
            if (field.DataType() == host::FieldType::DateTime) {
                EXPECT_EQ(cells[c], value.toDate().toString("dd/MM/yyyy"));
            } else if (field.DataType() == host::FieldType::Float) {
                bool number = false;
                EXPECT_NEAR(brazil.toDouble(cells[c], &number), value.toDouble(), 0.001);
                EXPECT_TRUE(number && !cells[c].contains('.')) << cells[c].toStdString();
            } else {
                EXPECT_EQ(cells[c], field.DisplayTextAt(r));
            }
        }
    }

    const QString pdf = dir.filePath("lista.pdf");
    dialogs.SaveAs(pdf);
    Find<QAction>("mnuExportaPdf")->trigger();
    const QString listed = Output("pdftotext", {pdf, "-"});
    for (const char* wanted :
         {"Compensações de Contas a Receber", "Empresa 01", "Página 1 de 1", "Qte. Itens"})
        EXPECT_TRUE(listed.contains(QString::fromUtf8(wanted))) << wanted;
    EXPECT_TRUE(Output("pdfinfo", {pdf}).contains("842 x 595 pts (A4)"));

    ASSERT_TRUE(List().Locate("NRLANCCOMPREC", {"0000000006"}));
    EXPECT_TRUE(Enabled("sbtImprimir"));
    const QString notice = dir.filePath("termo.pdf");
    dialogs.RunModal([](QDialog& preview) {
        preview.findChild<QAction*>("actSalvarPdf")->trigger();
        return int(QDialog::Rejected);
    });
    dialogs.SaveAs(notice);
    Find<QAction>("mnuImprimir")->trigger();
    EXPECT_TRUE(dialogs.ScriptDone());
    EXPECT_TRUE(Output("pdftotext", {notice, "-"})
                    .contains("Compensação nº 0000000006, de " +
                              List().FieldByName("DTCOMPCONTREC").DisplayText()));
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
