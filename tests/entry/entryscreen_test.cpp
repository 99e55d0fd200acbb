// Entering a new compensation through the real screen, offscreen, against a real server over a
// demo database: the customer, the choice of its receivable bill, the lists' refresh and find.

#include "data/recordset.h"
#include "db/demo.h"
#include "host/sql/connection.h"
#include "host/widgets/db_date_edit.h"
#include "host/widgets/db_edit.h"
#include "host/widgets/db_grid.h"
#include "register/frmcompcontrec.h"
#include "tests/register/realscreen.h"
#include "tests/support/recordsetof.h"

#include <QApplication>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTest>

namespace {

using register_testing::RealServerScreen;

class EntryTest : public RealServerScreen {
protected:
    void StartEntry() {
        OpenScreen();
        ChooseCompany("1");
        Click("sbtIncluir");
    }
    host::TDBEdit* TaxId() const { return Find<host::TDBEdit>("dbeInsJurClie"); }
    host::TDBGrid* Grid() const { return Find<host::TDBGrid>("dbgContaRec"); }
    // Replaces the tax id's text by typing; the focus stays in it.
    void TypeTaxId(const QString& typed) {
        TaxId()->setFocus();
        TaxId()->selectAll();
        QTest::keyClick(TaxId(), Qt::Key_Delete);
        QTest::keyClicks(TaxId(), typed);
    }
    void LeaveHeader() { Grid()->setFocus(); }
    void ChooseCustomer(int customer) {
        TypeTaxId(Customer(customer, "NRINSJURCLIE"));
        LeaveHeader();
        ASSERT_EQ(dialogs.Errors(), QStringList());
        ASSERT_FALSE(Bills().IsEmpty());
    }
    QString Customer(int customer, const char* column) const {
        QSqlQuery query(QSqlDatabase::database(host::SharedConnectionName()));
        query.prepare(QStringLiteral("SELECT %1 FROM CLIENTE WHERE CDCLIENTE = ?").arg(column));
        query.addBindValue(db::PartyCode(customer));
        EXPECT_TRUE(query.exec() && query.next());
        return query.value(0).toString();
    }
    // What other operators and modules do to a bill meanwhile.
    void SetOpenBalance(const QString& filial, const QString& numero, const char* balance) {
        ASSERT_EQ(Write(QStringLiteral("UPDATE BOLETOREC SET VRSALDOBREC = ? WHERE NRLANBOLREC = ? "
                                       "AND CDFILIBOLREC = ?"),
                        {QString::fromLatin1(balance), numero, filial}),
                  1);
    }
    void ClickCell(int row, int column) {
        const QRect cell = Grid()->visualRect(Grid()->model()->index(row, column));
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // Presses the key in the grid standing on the row (-1: where it stands).
    void PressInGrid(int row, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        Grid()->setFocus();
        if (row >= 0)
            Bills().SetRecNo(row);
        QTest::keyClick(Grid(), key, modifiers);
    }
    QStringList Flags() const {
        QStringList flags;
        for (int row = 0; row < Bills().RecordCount(); ++row)
            flags << Bills().FieldByName("IDMARCADO").ValueAt(row).toString();
        return flags;
    }
    QString BillAt(int row) const {
        return Bills().FieldByName("NRLANBOLREC").ValueAt(row).toString();
    }
    QString Record(const char* field) const { return List().FieldByName(field).AsString(); }
    host::RecordSet& Bills() const { return *RecordSetOf(screen, "cdsBoletosRec"); }
    host::RecordSet& Chosen() const { return *RecordSetOf(screen, "cdsBolRec"); }
    QString ChosenBill() const {
        EXPECT_EQ(Chosen().RecordCount(), 1);
        return Chosen().FieldByName("NRLANBOLREC").AsString();
    }
};

TEST_F(EntryTest, StartsOnTheFormPageWithTheFocusInTheTaxId) {
    StartEntry();
    EXPECT_EQ(Find<QTabWidget>("pgcPadrao")->currentWidget()->objectName(), "tshFormulario");
    EXPECT_EQ(QApplication::focusWidget(), TaxId());
    EXPECT_EQ(Find<host::TDBEdit>("dbeCdOperInc")->text(), "ADMIN");
    EXPECT_FALSE(Enabled("dbeCdOperInc"));
    for (const char* date : {"dbeDtComp", "dbeDtBaixa"})
        EXPECT_EQ(Find<host::TDBDateEditPlus>(date)->GetDate(), QDate::currentDate()) << date;
    for (host::RecordSet* empty :
         {RecordSetOf(screen, "cdsBolRec"), RecordSetOf(screen, "cdsBoletosMarcados"),
          RecordSetOf(screen, "cdsLancMarcados")}) {
        EXPECT_TRUE(empty->Active() && empty->IsEmpty());
    }
}

struct Person {
    const char* name;
    int customer;
    const char* shown; // the masked tax id
};

class TaxIdMaskTest : public EntryTest, public testing::WithParamInterface<Person> {};

TEST_P(TaxIdMaskTest, ShownThroughTheMaskStoredBare) {
    const QRegularExpression shown(QString::fromLatin1(GetParam().shown));
    StartEntry();
    const QString bare = Customer(GetParam().customer, "NRINSJURCLIE");
    ChooseCustomer(GetParam().customer);
    EXPECT_EQ(Record("NRINSJURCLIE"), bare);
    EXPECT_EQ(Record("CDCLIENTE"), db::PartyCode(GetParam().customer));
    EXPECT_EQ(Find<host::TDBEdit>("dbeRazSocClie")->text(),
              Customer(GetParam().customer, "NMRAZSOCCLIE"));
    EXPECT_TRUE(shown.match(TaxId()->displayText()).hasMatch())
        << TaxId()->displayText().toStdString();
    EXPECT_TRUE(shown.match(Bills().FieldByName("NRINSJURCLIE").DisplayText()).hasMatch());
    TaxId()->setFocus(); // typing again starts from the bare digits
    EXPECT_EQ(TaxId()->displayText(), bare);
    EXPECT_EQ(Record("CDCLIENTE"), db::PartyCode(GetParam().customer));
}

INSTANTIATE_TEST_SUITE_P(Customers, TaxIdMaskTest,
                         testing::Values(Person{"Cpf", 2, R"(^\d{3}\.\d{3}\.\d{3}-\d{2}$)"},
                                         Person{"Cnpj", 1, R"(^\d{2}\.\d{3}\.\d{3}/\d{4}-\d{2}$)"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryTest, UnknownTaxIdIsRefusedAndKeepsTheFocus) {
    StartEntry();
    TypeTaxId("99999999999");
    LeaveHeader();
    EXPECT_EQ(dialogs.Errors(), QStringList{"Cliente informado não cadastrado."});
    EXPECT_EQ(QApplication::focusWidget(), TaxId());
    EXPECT_EQ(Record("CDCLIENTE"), "");
    EXPECT_TRUE(Bills().IsEmpty());
}

TEST_F(EntryTest, BlankTaxIdPassesOnLeavingAndClearingItEmptiesTheList) {
    StartEntry();
    LeaveHeader();
    EXPECT_EQ(dialogs.Errors(), QStringList());
    ChooseCustomer(1);
    ClickCell(1, 0);
    const QString ticked = ChosenBill();
    TypeTaxId("");
    LeaveHeader();
    EXPECT_EQ(dialogs.Errors(), QStringList{"Cliente deve ser informado."});
    EXPECT_EQ(QApplication::focusWidget(), TaxId());
    EXPECT_TRUE(Bills().IsEmpty());
    // The same customer again: its list comes back with the same bill ticked.
    dialogs.ClearShown();
    ChooseCustomer(1);
    EXPECT_EQ(ChosenBill(), ticked);
    EXPECT_EQ(Flags().count("S"), 1);
    EXPECT_EQ(BillAt(int(Flags().indexOf("S"))), ticked);
}

TEST_F(EntryTest, SearchPicksTheCustomerOnceAndCancelChangesNothing) {
    StartEntry();
    dialogs.PickWhere("CDCLIENTE", db::PartyCode(2));
    Click("btpCliente");
    EXPECT_EQ(dialogs.Texts(host::testing::ShownDialog::Kind::Search), QStringList{"Cliente"});
    EXPECT_EQ(dialogs.Errors(), QStringList());
    EXPECT_EQ(Record("CDCLIENTE"), db::PartyCode(2));
    EXPECT_EQ(Record("NRINSJURCLIE"), Customer(2, "NRINSJURCLIE"));
    EXPECT_EQ(Bills().FieldByName("CDCLIENTE").AsString(), db::PartyCode(2));
    LeaveHeader(); // the pick is validated once more on leaving, with no message
    EXPECT_EQ(dialogs.Errors(), QStringList());
    const int listed = Bills().RecordCount();

    dialogs.Cancel();
    TaxId()->setFocus();
    QTest::keyClick(TaxId(), Qt::Key_F2); // the keyboard's way to the search button
    EXPECT_EQ(dialogs.Texts(host::testing::ShownDialog::Kind::Search).size(), 2);
    EXPECT_EQ(Record("CDCLIENTE"), db::PartyCode(2));
    EXPECT_EQ(Bills().RecordCount(), listed);
}

TEST_F(EntryTest, ChangingTheCustomerForgetsTheTickedBill) {
    StartEntry();
    ChooseCustomer(1);
    ClickCell(0, 0);
    ASSERT_EQ(Chosen().RecordCount(), 1);
    ChooseCustomer(2);
    EXPECT_EQ(Bills().FieldByName("CDCLIENTE").AsString(), db::PartyCode(2));
    EXPECT_FALSE(Flags().contains("S"));
    EXPECT_TRUE(Chosen().IsEmpty());
}

TEST_F(EntryTest, SecondTickUnticksTheFirstAndTheChosenBillFollows) {
    StartEntry();
    ChooseCustomer(2);
    ClickCell(0, 0);
    EXPECT_EQ(Flags().mid(0, 2), (QStringList{"S", "N"}));
    PressInGrid(1, Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(Flags().mid(0, 2), (QStringList{"N", "S"}));
    EXPECT_EQ(ChosenBill(), BillAt(1));
    EXPECT_EQ(Record("NRLANBOLREC"), BillAt(1));
    EXPECT_EQ(Record("CDFILIAL"), Bills().FieldByName("CDFILIBOLREC").ValueAt(1).toString());
    ClickCell(0, 2); // another column only moves the cursor
    EXPECT_EQ(ChosenBill(), BillAt(1));
    PressInGrid(1, Qt::Key_Space);
    EXPECT_TRUE(Chosen().IsEmpty());
    EXPECT_FALSE(Flags().contains("S"));
}

TEST_F(EntryTest, DeleteInTheBillsGridDeletesNothing) {
    StartEntry();
    ChooseCustomer(2);
    const int listed = Bills().RecordCount();
    PressInGrid(0, Qt::Key_Delete);
    PressInGrid(0, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Bills().RecordCount(), listed);
    EXPECT_EQ(List().State(), host::DataSetState::Insert);
}

TEST_F(EntryTest, RefreshKeepsTheTickedBillWhileItIsOpenAndForgetsItOnceSettled) {
    StartEntry();
    ChooseCustomer(2);
    ClickCell(0, 0);
    const QString ticked = ChosenBill();
    const QString filial = Chosen().FieldByName("CDFILIBOLREC").AsString();
    SetOpenBalance(filial, ticked, "12.34");
    Bills().SetRecNo(1);
    const QString current = BillAt(1);
    Click("sbtVerificar");
    EXPECT_EQ(ChosenBill(), ticked);
    EXPECT_DOUBLE_EQ(Chosen().FieldByName("VRFINALBREC").AsFloat(), 12.34);
    EXPECT_EQ(Bills().FieldByName("NRLANBOLREC").AsString(), current);

    SetOpenBalance(filial, ticked, "0");
    Click("sbtVerificar");
    EXPECT_TRUE(Chosen().IsEmpty());
    EXPECT_FALSE(Flags().contains("S"));
    EXPECT_FALSE(Bills().Locate("NRLANBOLREC", {ticked}));
}

TEST_F(EntryTest, FindActsOnTheFocusedBillsGrid) {
    StartEntry();
    ChooseCustomer(2);
    ASSERT_TRUE(Grid()->hasFocus());
    EXPECT_TRUE(Enabled("sbtVerificar"));
    dialogs.FindRow(2);
    Click("sbtProcurar");
    EXPECT_EQ(Bills().RecNo(), 2);
    TaxId()->setFocus();
    EXPECT_FALSE(Enabled("sbtVerificar"));
    EXPECT_FALSE(Enabled("sbtProcurar"));
}

TEST_F(EntryTest, CustomerWithoutBillsListsNothingToTickOrFind) {
    StartEntry();
    TypeTaxId(Customer(40, "NRINSJURCLIE"));
    LeaveHeader();
    EXPECT_EQ(dialogs.Errors(), QStringList());
    EXPECT_TRUE(Bills().IsEmpty());
    EXPECT_FALSE(Enabled("sbtProcurar"));
    PressInGrid(-1, Qt::Key_Space);
    EXPECT_TRUE(Bills().IsEmpty());
    EXPECT_TRUE(Chosen().IsEmpty());
}

TEST_F(EntryTest, ChangingADateDropsTheMarkedPayables) {
    StartEntry();
    RecordSetOf(screen, "cdsBoletosMarcados")->Append();
    RecordSetOf(screen, "cdsBoletosMarcados")->FieldByName("NRLANBOLPAG").SetAsString("0000000001");
    RecordSetOf(screen, "cdsBoletosMarcados")->Post();
    auto* date = Find<host::TDBDateEditPlus>("dbeDtBaixa");
    date->setFocus();
    date->selectAll();
    QTest::keyClick(date, Qt::Key_Delete);
    date->home(false);
    QTest::keyClicks(date, QDate::currentDate().addDays(3).toString("ddMMyyyy"));
    EXPECT_TRUE(RecordSetOf(screen, "cdsBoletosMarcados")->IsEmpty());
}

} // namespace
