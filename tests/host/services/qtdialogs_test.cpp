#include "data/recordset.h"
#include "host/services/enable.h"
#include "host/services/finddialog.h"
#include "host/services/qtdialogs.h"
#include "host/services/searchdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs the action on the modal dialog as soon as it is shown.
void WhenModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        action(modal);
    });
}

class QtDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = host::SetDialogs(&qtDialogs);
        for (const char* name : {"CDCLIENTE", "NMRAZSOCCLIE"}) {
            host::FieldDef def;
            def.name = name;
            def.size = 50;
            def.label = name;
            rows.AddFieldDef(def);
        }
        rows.CreateDataSet();
        rows.AppendRow({QString("C1"), QString("Zeca da Silva")});
        rows.AppendRow({QString("C2"), QString("Acme Ltda")});
        rows.AppendRow({QString("C'3"), QString("Acme Norte")});
        rows.First();
    }
    void TearDown() override { host::SetDialogs(previous); }

    host::QtDialogs qtDialogs;
    host::Dialogs* previous = nullptr;
    host::RecordSet rows;
};

TEST_F(QtDialogsTest, SearchFiltersAsTheOperatorTypesAndStandsOnTheChosenRow) {
    WhenModal([](QWidget* modal) {
        auto* filter = modal->findChild<QLineEdit*>("edtFiltro");
        auto* grid = modal->findChild<QTableView*>("grdPesquisa");
        ASSERT_NE(filter, nullptr);
        ASSERT_NE(grid, nullptr);
        QTest::keyClicks(filter, "acme n");
        EXPECT_EQ(grid->model()->rowCount(), 1);
        QTest::keyClick(filter, Qt::Key_Backspace);
        QTest::keyClick(filter, Qt::Key_Backspace);
        EXPECT_EQ(grid->model()->rowCount(), 2);
        grid->setCurrentIndex(grid->model()->index(1, 0));
        modal->findChild<QPushButton*>("btnOk")->click();
    });
    EXPECT_TRUE(host::dialogs().Pesquisar(rows, "Cliente|Não há clientes cadastrados."));
    EXPECT_EQ(rows.RecNo(), 2);
}

// Columns wider than the screen: the dialog stays on it and the grid scrolls to the last one.
TEST(SearchDialog, WideColumnsStayOnTheScreenAndScrollToTheLast) {
    host::RecordSet wide;
    for (const char* name : {"NRINSJURCLIE", "NMRAZSOCCLIE", "NMFANTCLIE", "DSENDERECO"}) {
        host::FieldDef def;
        def.name = name;
        def.size = 80;
        def.label = name;
        wide.AddFieldDef(def);
    }
    wide.CreateDataSet();
    wide.AppendRow({QString(80, 'A'), QString(80, 'B'), QString(80, 'C'), QString(80, 'D')});
    host::SearchDialog dialog(wide, "Cliente");
    dialog.show();
    EXPECT_LE(dialog.frameGeometry().width(), dialog.screen()->availableGeometry().width());
    auto* grid = dialog.findChild<QTableView*>("grdPesquisa");
    ASSERT_NE(grid, nullptr);
    const int last = grid->model()->columnCount() - 1;
    grid->setCurrentIndex(grid->model()->index(0, 0));
    grid->setFocus();
    for (int i = 0; i < last; ++i)
        QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(grid->currentIndex().column(), last);
    EXPECT_GT(grid->horizontalScrollBar()->value(), 0) << "the grid scrolled sideways";
    EXPECT_LE(grid->columnViewportPosition(last) + grid->columnWidth(last),
              grid->viewport()->width() + 1)
        << "the last column shows whole";
}

TEST_F(QtDialogsTest, FilterMatchesTheShownTextAndTheRawValue) {
    rows.FieldByName("CDCLIENTE").SetOnGetText([](const host::Field& field, int row) {
        return "<" + field.PlainTextAt(row) + ">";
    });
    host::SearchDialog dialog(rows, "Cliente");
    dialog.SetFilterText("<c2>");
    EXPECT_EQ(dialog.VisibleRowCount(), 1);
    dialog.SetFilterText("c2");
    EXPECT_EQ(dialog.VisibleRowCount(), 1);
    dialog.SetFilterText("");
    EXPECT_EQ(dialog.VisibleRowCount(), 3);
}

TEST_F(QtDialogsTest, CancelledSearchKeepsTheRow) {
    WhenModal([](QWidget* modal) { modal->findChild<QPushButton*>("btnCancelar")->click(); });
    EXPECT_FALSE(host::dialogs().Pesquisar(rows, "Cliente|x"));
    EXPECT_EQ(rows.RecNo(), 0);
}

TEST_F(QtDialogsTest, PickerStartsFromTheListAndGivesTheCheckedKeys) {
    QString list = "'C1'";
    WhenModal([](QWidget* modal) {
        auto* dialog = static_cast<host::SearchDialog*>(modal);
        EXPECT_EQ(dialog->ChosenKeys(), QStringList{"C1"});
        dialog->SetFilterText("acme");
        modal->findChild<QPushButton*>("btnMarcaTodos")->click(); // only the filtered rows
        modal->findChild<QPushButton*>("btnOk")->click();
    });
    EXPECT_TRUE(host::dialogs().PesquisaLista(rows, "CDCLIENTE", "Cliente|x", list));
    EXPECT_EQ(list, "'C1','C2','C''3'");
}

TEST_F(QtDialogsTest, QuestionGivesSixForYes) {
    WhenModal([](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->button(QMessageBox::Yes)->text(), "Sim");
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(qtDialogs.Message("Confirma?", host::MessageKind::Confirmation,
                                host::MessageButtons::YesNo),
              host::mrYes);
}

TEST_F(QtDialogsTest, FindMovesToTheNextMatchAndWrapsAround) {
    host::FindDialog find(rows);
    find.FieldBox()->setCurrentIndex(find.FieldBox()->findData("NMRAZSOCCLIE"));
    find.TextEdit()->setText("ACME");
    ASSERT_TRUE(find.FindNext());
    EXPECT_EQ(rows.RecNo(), 1);
    ASSERT_TRUE(find.FindNext());
    EXPECT_EQ(rows.RecNo(), 2);
    ASSERT_TRUE(find.FindNext());
    EXPECT_EQ(rows.RecNo(), 1);
    find.TextEdit()->setText("nobody");
    EXPECT_FALSE(find.FindNext());
    EXPECT_EQ(rows.RecNo(), 1);
}

TEST(SetChildEnabled, ReachesNestedControlsButNotTheContainer) {
    QWidget panel;
    auto* edit = new QLineEdit(&panel);
    auto* inner = new QWidget(&panel);
    auto* button = new QPushButton(inner);
    host::SetChildEnabled(&panel, false);
    EXPECT_TRUE(panel.isEnabled());
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(button->isEnabled());
    host::SetChildEnabled(&panel, true);
    EXPECT_TRUE(button->isEnabled());
}

} // namespace
