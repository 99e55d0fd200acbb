// Confirming new compensations through the real screen, offscreen, against a real server over a
// demo database: the whole road with payables and with credits, and what refuses before the
// server is asked to write.

#include "data/recordset.h"
#include "db/check.h"
#include "db/demo.h"
#include "host/sql/connection.h"
#include "host/widgets/db_date_edit.h"
#include "host/widgets/db_edit.h"
#include "host/widgets/db_grid.h"
#include "module/cli_rec18003.h"
#include "register/frmcompcontrec.h"
#include "settlement/filtrolanccred.h"
#include "tests/register/realscreen.h"
#include "tests/support/recordsetof.h"

#include <QApplication>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>

namespace {

using host::testing::ShownDialog;
using register_testing::RealServerScreen;

class ConfirmTest : public RealServerScreen {
protected:
    // A new compensation of company 01 for the customer, its first bill ticked, with the
    // receivables types and the bank account given.
    void Begin(int customer) {
        OpenScreen();
        ChooseCompany("1");
        Click("sbtIncluir");
        auto* taxId = Find<host::TDBEdit>("dbeInsJurClie");
        taxId->setFocus();
        QTest::keyClicks(taxId, Scalar("SELECT NRINSJURCLIE FROM CLIENTE WHERE CDCLIENTE = ?",
                                       db::PartyCode(customer)));
        Press("dbgContaRec", 0, Qt::Key_Space);
        ASSERT_EQ(RecordSetOf(screen, "cdsBolRec")->RecordCount(), 1);
        TypeAndLeave("dbeCdTpBxR", "1");
        TypeAndLeave("dbeCdTpAjR", "1");
        TypeAndLeave("dbeCdReduCont", "bb1");
        ASSERT_EQ(dialogs.Errors(), QStringList());
    }
    void GivePayablesTypes() {
        TypeAndLeave("dbeCdTpBxP", "1");
        TypeAndLeave("dbeCdTpAjP", "1");
    }
    void TypeAndLeave(const QString& name, const QString& text) {
        auto* edit = Find<host::TDBEdit>(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    // Presses the key in the grid standing on the row.
    void Press(const QString& grid, int row, Qt::Key key) {
        auto* view = Find<host::TDBGrid>(grid);
        view->setFocus();
        view->DataSource()->DataSet()->SetRecNo(row);
        QTest::keyClick(view, key);
    }
    // Marks listed payables (or credits) from the first until the total reaches cents.
    void MarkUpTo(const QString& grid, host::RecordSet& listed, const char* value, qint64 cents) {
        Find<QWidget>(grid)->setFocus();
        ASSERT_FALSE(listed.IsEmpty());
        qint64 sum = 0;
        for (int row = 0; row < listed.RecordCount(); ++row) {
            const qint64 item =
                std::llround(listed.FieldByName(value).ValueAt(row).toDouble() * 100);
            if (sum + item > cents)
                continue;
            Press(grid, row, Qt::Key_Space);
            sum += item;
        }
        ASSERT_GT(sum, 0);
    }
    qint64 BillCents() const {
        return std::llround(RecordSetOf(screen, "cdsBolRec")->FieldByName("VRFINALBREC").AsFloat() *
                            100);
    }
    qint64 TotalCents() const {
        return std::llround(List().FieldByName("VRTOTALCOMREC").AsFloat() * 100);
    }
    QString Scalar(const char* sql, const QString& value = QString()) const {
        QSqlQuery query(QSqlDatabase::database(host::SharedConnectionName()));
        query.prepare(QString::fromLatin1(sql));
        if (!value.isNull())
            query.addBindValue(value);
        EXPECT_TRUE(query.exec() && query.next()) << sql;
        return query.value(0).toString();
    }
    int Compensations() const { return Scalar("SELECT COUNT(*) FROM COMPCONTREC").toInt(); }
    QString Page() const { return Find<QTabWidget>("pgcPadrao")->currentWidget()->objectName(); }
    // Confirms; the scripted dialogs answer the questions asked meanwhile.
    void Confirm() { Click("sbtConfirmar"); }
};

TEST_F(ConfirmTest, PayablesRoadEndsOnTheNewCompensationWhichDeletesAgain) {
    Begin(4);
    GivePayablesTypes();
    // Typed just before the confirmation: what the checks read is what the server gets.
    const QDate settlement = QDate::currentDate().addDays(3);
    Find<host::TDBDateEditPlus>("dbeDtBaixa")->SetDate(settlement);
    MarkUpTo("dbgConta", *screen->cdsBoletosPag, "VRFINALBPAG", BillCents());
    const qint64 total = TotalCents();
    const int before = Compensations();
    Confirm();
    EXPECT_TRUE(dialogs.Shown().empty()) << dialogs.Errors().join('\n').toStdString();
    EXPECT_EQ(Compensations(), before + 1);
    EXPECT_EQ(Page(), "tshFolhaDados");
    EXPECT_FALSE(screen->cdsCompensacao->State() == host::DataSetState::Insert);
    EXPECT_EQ(CurrentNumber(),
              Scalar("SELECT MAX(NRLANCCOMPREC) FROM COMPCONTREC WHERE CDEMPRESA = '01'"));
    EXPECT_EQ(List().FieldByName("IDSTATREC").AsString(), "P");
    EXPECT_EQ(List().FieldByName("DTBAIXACOMPREC").AsDateTime().date(), settlement);
    EXPECT_EQ(TotalCents(), total);

    dialogs.AnswerYes();
    Click("sbtExcluir");
    EXPECT_EQ(dialogs.Errors(), QStringList());
    EXPECT_EQ(Compensations(), before);
    EXPECT_EQ(db::CheckBooks(Writer()), QStringList());
}

// Another operator settled part of the bill meanwhile: the server refuses and keeps nothing.
TEST_F(ConfirmTest, ServerRefusalIsShownAndTheEntryStaysOpen) {
    Begin(16);
    GivePayablesTypes();
    MarkUpTo("dbgConta", *screen->cdsBoletosPag, "VRFINALBPAG", BillCents());
    const host::RecordSet& bill = *RecordSetOf(screen, "cdsBolRec");
    Write(
        "UPDATE BOLETOREC SET VRSALDOBREC = 0.01 WHERE CDFILIBOLREC = ? AND NRLANBOLREC = ?",
        {bill.FieldByName("CDFILIBOLREC").AsString(), bill.FieldByName("NRLANBOLREC").AsString()});
    const int before = Compensations();
    Confirm();
    ASSERT_EQ(dialogs.Errors().size(), 1);
    EXPECT_FALSE(dialogs.Errors().front().isEmpty());
    EXPECT_EQ(Compensations(), before);
    EXPECT_EQ(Page(), "tshFormulario");
    EXPECT_EQ(screen->cdsCompensacao->State(), host::DataSetState::Insert);
    EXPECT_FALSE(RecordSetOf(screen, "cdsBoletosMarcados")->IsEmpty());
}

TEST_F(ConfirmTest, CreditsRoadAsksForNoPayablesTypes) {
    Begin(6);
    // Demo credits were posted 3 to 18 days ago; the filter starts at today.
    CriaFiltroLancCred("01", QString());
    Cli_rec18003::frmFiltroLancCred->Filtro.DtLancIni =
        QDate::currentDate().addDays(-30).startOfDay();
    auto* credits = Find<QRadioButton>("rbtCredCCorr");
    QTest::mouseClick(credits, Qt::LeftButton, {}, QPoint(6, credits->height() / 2));
    MarkUpTo("dbgLancCCorr", *screen->cdsCreditos, "VRMOVICRED", BillCents());
    const int before = Compensations();
    Confirm();
    EXPECT_EQ(dialogs.Errors(), QStringList());
    EXPECT_EQ(Compensations(), before + 1);
    EXPECT_EQ(List().FieldByName("IDTPITUTLCOMREC").AsString(), "1");

    dialogs.AnswerYes();
    Click("sbtExcluir");
    EXPECT_EQ(dialogs.Errors(), QStringList());
    EXPECT_EQ(Compensations(), before);
    EXPECT_EQ(db::CheckBooks(Writer()), QStringList());
}

TEST_F(ConfirmTest, TotalsOfNothingOrAboveTheBillAreRefusedAndNothingIsSent) {
    Begin(8);
    GivePayablesTypes();
    const int before = Compensations();
    Confirm();
    EXPECT_EQ(dialogs.Errors(), QStringList{"Valor total a compensar deve ser maior que zero."});

    dialogs.ClearShown();
    MarkUpTo("dbgConta", *screen->cdsBoletosPag, "VRFINALBPAG", 1'000'000'00);
    ASSERT_GT(TotalCents(), BillCents());
    RecordSetOf(screen, "cdsBoletosRec")->First();
    Confirm();
    EXPECT_EQ(dialogs.Errors(), QStringList{"Valor total a compensar deve ser menor ou igual ao "
                                            "valor líquido da conta informada."});
    EXPECT_EQ(RecordSetOf(screen, "cdsBoletosRec")->FieldByName("IDMARCADO").AsString(), "S");
    EXPECT_EQ(Compensations(), before);
    EXPECT_EQ(Page(), "tshFormulario");
    EXPECT_EQ(screen->cdsCompensacao->State(), host::DataSetState::Insert);
}

// A blank customer passes on leaving its field; the confirmation wants one.
TEST_F(ConfirmTest, BlankCustomerIsRefusedFirstOnItsField) {
    OpenScreen();
    ChooseCompany("1");
    Click("sbtIncluir");
    Find<QWidget>("dbgContaRec")->setFocus();
    ASSERT_EQ(dialogs.Errors(), QStringList());
    Confirm();
    EXPECT_EQ(dialogs.Errors(), QStringList{"Cliente deve ser informado."});
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "dbeInsJurClie");
}

TEST_F(ConfirmTest, SettlementDateBeforeTheCompensationDateIsRefusedOnIt) {
    Begin(14);
    auto* settlement = Find<host::TDBDateEditPlus>("dbeDtBaixa");
    settlement->setFocus();
    settlement->SetDate(QDate::currentDate().addDays(-1));
    Confirm();
    EXPECT_EQ(dialogs.Errors(),
              QStringList{"Data da baixa deve ser igual ou maior à data da compensação."});
    EXPECT_EQ(QApplication::focusWidget(), settlement);
}

// The receivables adjustment is checked before the account: its duplicate is told first.
TEST_F(ConfirmTest, BillCarryingTheAdjustmentIsToldBeforeTheMissingAccount) {
    Begin(10);
    const host::RecordSet& bill = *RecordSetOf(screen, "cdsBolRec");
    Write(
        "INSERT INTO AJUSTEREC (CDFILIBOLREC, NRLANBOLREC, CDAJUCTREC, DTAJUSTEREC, "
        "VRAJUSTEREC) VALUES (?, ?, '0001', '2026-01-01', 1)",
        {bill.FieldByName("CDFILIBOLREC").AsString(), bill.FieldByName("NRLANBOLREC").AsString()});
    TypeAndLeave("dbeCdReduCont", "");
    Confirm();
    EXPECT_EQ(dialogs.Errors(),
              QStringList{"Tipo de ajuste a receber já cadastrado para o boleto informado."});
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "dbeCdTpAjR");
}

TEST_F(ConfirmTest, PayablesCarryingTheAdjustmentAreListedInOneBox) {
    Begin(12);
    GivePayablesTypes();
    MarkUpTo("dbgConta", *screen->cdsBoletosPag, "VRFINALBPAG", BillCents());
    const host::RecordSet& marked = *RecordSetOf(screen, "cdsBoletosMarcados");
    ASSERT_GE(marked.RecordCount(), 2);
    for (int row = 0; row < 2; ++row)
        Write("INSERT INTO AJUSTEPAG (CDFILIBPAG, NRLANBOLPAG, CDAJUCTPAG, DTAJUSTEPAG, "
              "VRAJUSTEPAG) VALUES (?, ?, '0001', '2026-01-01', 1)",
              {marked.FieldByName("CDFILIBPAG").ValueAt(row),
               marked.FieldByName("NRLANBOLPAG").ValueAt(row)});
    const int before = Compensations();
    Confirm();
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    const ShownDialog& box = dialogs.Shown().front();
    EXPECT_EQ(box.kind, ShownDialog::Kind::Message);
    EXPECT_EQ(box.messageKind, host::MessageKind::Error);
    EXPECT_TRUE(
        box.text.startsWith("Tipo de ajuste a pagar já cadastrado para os boletos: \r\n\r\n"));
    EXPECT_EQ(box.text.count("\r\n"), 4) << box.text.toStdString();
    EXPECT_EQ(Compensations(), before);
}

} // namespace
