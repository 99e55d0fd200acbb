// Marking payables and credits through the real screen, offscreen, against a real server over
// a demo database: mouse, Space, Ctrl+Space, Delete, the entry-date rule, the running total of
// the page shown and the toolbar on the notebook.

#include "data/recordset.h"
#include "host/sql/connection.h"
#include "host/widgets/db_grid.h"
#include "module/cli_rec18003.h"
#include "register/frmcompcontrec.h"
#include "settlement/filtrolanccred.h"
#include "tests/register/realscreen.h"
#include "tests/support/recordsetof.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QTest>

#include <cmath>

namespace {

using register_testing::RealServerScreen;

class PayablesScreenTest : public RealServerScreen {
protected:
    // The list under test: the payables unless a test turns to the credits.
    const char* grid = "dbgConta";
    host::RecordSet* items = nullptr;
    const char* value = "VRFINALBPAG";

    // A new compensation of company 01 with the payables listed by entering the grid.
    void StartEntry() {
        OpenScreen();
        ChooseCompany("1");
        Click("sbtIncluir");
        items = screen->cdsBoletosPag;
        Grid()->setFocus();
        ASSERT_EQ(dialogs.Errors(), QStringList());
        ASSERT_GT(Payables().RecordCount(), 2);
    }
    host::TDBGrid* Grid() const { return Find<host::TDBGrid>(grid); }
    host::RecordSet& Payables() const { return *items; }
    host::RecordSet& Marked() const { return *RecordSetOf(screen, "cdsBoletosMarcados"); }
    void ClickCell(int row, int column) {
        const QRect cell = Grid()->visualRect(Grid()->model()->index(row, column));
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void PressInGrid(int row, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        Grid()->setFocus();
        Payables().SetRecNo(row);
        QTest::keyClick(Grid(), key, modifiers);
    }
    QString Flag(int row) const {
        return Payables().FieldByName("IDMARCADO").ValueAt(row).toString();
    }
    qint64 Cents(int row) const {
        return std::llround(Payables().FieldByName(value).ValueAt(row).toDouble() * 100);
    }
    qint64 TotalCents() const {
        return std::llround(List().FieldByName("VRTOTALCOMREC").AsFloat() * 100);
    }
};

TEST_F(PayablesScreenTest, MouseAndSpaceToggleAndTheTotalFollowsToTheCent) {
    StartEntry();
    ClickCell(0, 0);
    PressInGrid(2, Qt::Key_Space);
    EXPECT_EQ(Flag(0), "S");
    EXPECT_EQ(Flag(2), "S");
    EXPECT_EQ(Marked().RecordCount(), 2);
    EXPECT_EQ(TotalCents(), Cents(0) + Cents(2));
    ClickCell(1, 2); // another column only moves the cursor
    PressInGrid(2, Qt::Key_Space);
    EXPECT_EQ(Flag(2), "N");
    EXPECT_EQ(Marked().RecordCount(), 1);
    EXPECT_EQ(TotalCents(), Cents(0));
    const int listed = Payables().RecordCount();
    PressInGrid(0, Qt::Key_Delete);
    PressInGrid(0, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Payables().RecordCount(), listed);
}

TEST_F(PayablesScreenTest, CtrlSpaceAsksToUnmarkWhileCountedThenToMarkAll) {
    StartEntry();
    ClickCell(1, 0);
    dialogs.AnswerYes();
    PressInGrid(0, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(Marked().RecordCount(), 0);
    EXPECT_EQ(TotalCents(), 0);
    dialogs.AnswerYes();
    PressInGrid(0, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(
        dialogs.Texts(host::testing::ShownDialog::Kind::Message),
        (QStringList{"Deseja desmarcar todos os boletos?", "Deseja marcar todos os boletos?"}));
    EXPECT_EQ(Marked().RecordCount(), Payables().RecordCount());
    EXPECT_TRUE(dialogs.ScriptDone());
}

TEST_F(PayablesScreenTest, RefreshKeepsTheMarkOnceAndTheTotal) {
    StartEntry();
    ClickCell(1, 0);
    const QString marked = Payables().FieldByName("NRLANBOLPAG").AsString();
    const qint64 total = TotalCents();
    Click("sbtVerificar");
    Click("sbtVerificar");
    EXPECT_EQ(Payables().FieldByName("NRLANBOLPAG").AsString(), marked) << "stands on it again";
    EXPECT_EQ(Payables().FieldByName("IDMARCADO").AsString(), "S");
    EXPECT_EQ(Marked().RecordCount(), 1);
    EXPECT_EQ(TotalCents(), total);
}

TEST_F(PayablesScreenTest, MarkTitleAsksAndTheTotalFollowsThePageShown) {
    StartEntry();
    QHeaderView* titles = Grid()->horizontalHeader();
    dialogs.AnswerYes();
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, {},
                      QPoint(titles->sectionViewportPosition(0) + 4, titles->height() / 2));
    EXPECT_EQ(dialogs.Texts(host::testing::ShownDialog::Kind::Message),
              QStringList{"Deseja marcar todos os boletos?"});
    const qint64 all = TotalCents();
    EXPECT_GT(all, 0);
    EXPECT_FALSE(Enabled("dbeDtComp")) << "marked payables lock the dates";
    List().FieldByName("IDTPITUTLCOMREC").SetAsString("1");
    EXPECT_EQ(TotalCents(), 0) << "no credit marked";
    EXPECT_TRUE(Enabled("dbeDtComp"));
    List().FieldByName("IDTPITUTLCOMREC").SetAsString("0");
    EXPECT_EQ(TotalCents(), all);
    EXPECT_EQ(Marked().RecordCount(), Payables().RecordCount());
}

// Demo payables were entered 10 to 12 days ago.
TEST_F(PayablesScreenTest, NewDateDropsMarksThenLateEntryRefusesOneAndSkipsAllSilently) {
    StartEntry();
    ClickCell(0, 0);
    ASSERT_EQ(TotalCents(), Cents(0));
    // A new date drops the marks it no longer vouches for, ticks and total included.
    const QDateTime earlier = QDate::currentDate().addDays(-20).startOfDay();
    List().FieldByName("DTCOMPCONTREC").SetAsDateTime(earlier);
    EXPECT_EQ(Flag(0), "N");
    EXPECT_EQ(Marked().RecordCount(), 0);
    EXPECT_EQ(TotalCents(), 0);
    ClickCell(0, 0);
    EXPECT_EQ(dialogs.Errors(), QStringList{"Data de entrada do documento deve ser menor ou "
                                            "igual à data da compensação."});
    EXPECT_EQ(Flag(0), "N");
    dialogs.ClearShown();
    dialogs.AnswerYes();
    PressInGrid(0, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Errors(), QStringList());
    EXPECT_EQ(Marked().RecordCount(), 0);
    EXPECT_EQ(TotalCents(), 0);
}

} // namespace

namespace {

// Demo credits of company 01 were posted 3 to 18 days ago.
class CreditsScreenTest : public PayablesScreenTest {
protected:
    // A click on the radio's box, where it answers.
    void ChooseKind(const char* radio) {
        QWidget* button = Find<QWidget>(radio);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void StartCredits() {
        StartEntry();
        CriaFiltroLancCred("01", QString()); // made, not run
        Cli_rec18003::frmFiltroLancCred->Filtro.DtLancIni =
            QDate::currentDate().addDays(-30).startOfDay();
        Find<QWidget>("dbeInsJurClie")->setFocus(); // out of the notebook
        ChooseKind("rbtCredCCorr");
        grid = "dbgLancCCorr";
        items = screen->cdsCreditos;
        value = "VRMOVICRED";
        Grid()->setFocus();
        ASSERT_EQ(dialogs.Errors(), QStringList());
        ASSERT_GT(Payables().RecordCount(), 2);
    }
};

TEST_F(CreditsScreenTest, MarkedByMouseAndSpaceTotalFollowsThePageAndRefreshKeepsThem) {
    StartCredits();
    ClickCell(0, 0);
    PressInGrid(2, Qt::Key_Space);
    const qint64 both = Cents(0) + Cents(2);
    EXPECT_EQ(RecordSetOf(screen, "cdsLancMarcados")->RecordCount(), 2);
    EXPECT_EQ(TotalCents(), both);
    EXPECT_TRUE(Enabled("sbtProcurar"));
    Click("sbtVerificar"); // the credits list has the focus
    EXPECT_EQ(RecordSetOf(screen, "cdsLancMarcados")->RecordCount(), 2);
    EXPECT_EQ(Flag(0), "S");
    EXPECT_EQ(Flag(2), "S");
    PressInGrid(0, Qt::Key_Delete);
    EXPECT_GT(Payables().RecordCount(), 2);
    // Back to the payables: nothing marked there; the credits stay marked.
    ChooseKind("rbtContaPagar");
    EXPECT_EQ(TotalCents(), 0);
    ChooseKind("rbtCredCCorr");
    EXPECT_EQ(TotalCents(), both);
    // A new date keeps the credits, which answer to no date rule.
    List()
        .FieldByName("DTCOMPCONTREC")
        .SetAsDateTime(QDate::currentDate().addDays(-20).startOfDay());
    EXPECT_EQ(TotalCents(), both);
    dialogs.AnswerYes();
    PressInGrid(0, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(dialogs.Texts(host::testing::ShownDialog::Kind::Message),
              QStringList{"Desmarca todos os lançamentos?"});
    EXPECT_EQ(RecordSetOf(screen, "cdsLancMarcados")->RecordCount(), 0);
    EXPECT_EQ(TotalCents(), 0);
}

TEST_F(CreditsScreenTest, LeavingTheNotebookTurnsTheToolbarOff) {
    StartCredits();
    EXPECT_TRUE(Enabled("sbtVerificar"));
    EXPECT_TRUE(Enabled("sbtFiltro"));
    // A message box takes the focus, which then goes to another control of the screen.
    {
        QLineEdit box;
        box.show();
        QApplication::setActiveWindow(&box);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        box.setFocus();
        EXPECT_TRUE(Enabled("sbtVerificar")) << "a message box is no exit";
        Find<QWidget>("dbeInsJurClie")->setFocus(); // where the screen's focus returns
        QApplication::setActiveWindow(screen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    }
    EXPECT_FALSE(Enabled("sbtVerificar"));
    Grid()->setFocus();
    EXPECT_TRUE(Enabled("sbtVerificar"));
    Find<QWidget>("dbgContaRec")->setFocus(); // straight into the bills grid
    EXPECT_TRUE(Enabled("sbtVerificar"));
    EXPECT_FALSE(Enabled("sbtFiltro"));
    Find<QWidget>("dbeInsJurClie")->setFocus();
    EXPECT_FALSE(Enabled("sbtVerificar"));
    EXPECT_FALSE(Enabled("sbtFiltro"));
    EXPECT_FALSE(Enabled("sbtProcurar"));
}

} // namespace
