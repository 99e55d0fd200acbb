#include "data/recordset.h"
#include "host/services/editmask.h"
#include "data/text.h"
#include "host/widgets/btn_pesquisa.h"
#include "host/widgets/data_source.h"
#include "host/widgets/db_edit.h"
#include "host/widgets/db_radio_group.h"
#include "host/widgets/db_text.h"
#include "host/widgets/number_edit.h"
#include "tests/host/widgets/candidates.h"
#include "tests/support/scripteddialogs.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace host {
namespace {

using testing::ScriptedDialogs;
using Kind = testing::ShownDialog::Kind;

struct NumberCase {
    double value;
    const char* shown;
};

class NumberEditRoundTrip : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberEditRoundTrip, ShowsBrazilianMoneyTextAndReadsItBack) {
    TNumberEdit edit;
    edit.SetNumber(GetParam().value);
    EXPECT_EQ(edit.text(), QString::fromUtf8(GetParam().shown));
    EXPECT_DOUBLE_EQ(edit.GetNumber(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(PtBr, NumberEditRoundTrip,
                         ::testing::Values(NumberCase{1234.56, "1.234,56"}, NumberCase{0, "0,00"},
                                           NumberCase{-98765.4, "-98.765,40"},
                                           NumberCase{1234567.89, "1.234.567,89"},
                                           NumberCase{0.5, "0,50"}));

TEST(NumberEdit, EmptyOrGarbageIsZero) {
    TNumberEdit edit;
    EXPECT_EQ(edit.GetNumber(), 0);
    edit.setText("abc");
    EXPECT_EQ(edit.GetNumber(), 0);
}

TEST(NumberEdit, TypingShowsPlainDigitsAndLeavingFormatsWithoutAChangeReaction) {
    QWidget window;
    auto* edit = new TNumberEdit(&window);
    auto* other = new TNumberEdit(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->SetNumber(1234.5);
    int changes = 0;
    edit->OnChange.Set([&] { ++changes; });
    edit->setFocus();
    EXPECT_EQ(edit->text(), "1234,50");
    other->setFocus();
    EXPECT_EQ(edit->text(), "1.234,50");
    EXPECT_EQ(changes, 0);
}

TEST(NumberEdit, MaxNumberFiltersDigitsOnEachSide) {
    TNumberEdit edit;
    edit.SetMaxNumber(3, 2);
    edit.setFocus();
    QTest::keyClicks(&edit, "12345,6789x");
    EXPECT_EQ(edit.text(), "123,67");
}

class BoundEdit : public ::testing::Test {
protected:
    void SetUp() override {
        rows.SetFieldDefs({{.name = "NRINSJURCLIE", .type = FieldType::String, .size = 20},
                           {.name = "NMRAZSOCCLIE", .type = FieldType::String, .size = 40}});
        rows.CreateDataSet();
        rows.AppendRow({QStringLiteral("12345678901"), QStringLiteral("Cliente Um")});
        rows.AppendRow({QVariant(), QStringLiteral("Cliente Dois")});
        rows.Refresh();
        source.SetDataSet(&rows);
        edit.SetDataSource(&source);
    }

    RecordSet rows;
    TDataSource source;
    TDBEdit edit;
};

TEST_F(BoundEdit, FollowsTheCurrentRowAndIsReadOnlyWhileBrowsing) {
    edit.SetDataField("NMRAZSOCCLIE");
    EXPECT_EQ(edit.text(), "Cliente Um");
    EXPECT_TRUE(edit.isReadOnly());
    rows.Next();
    EXPECT_EQ(edit.text(), "Cliente Dois");
}

TEST_F(BoundEdit, TypingWhileEditingWritesTheFieldAndEmptyIsNull) {
    edit.SetDataField("NMRAZSOCCLIE");
    rows.Edit();
    ASSERT_FALSE(edit.isReadOnly());
    edit.selectAll();
    QTest::keyClicks(&edit, "Novo");
    EXPECT_EQ(rows.FieldByName("NMRAZSOCCLIE").AsString(), "Novo");
    edit.clear();
    EXPECT_TRUE(rows.FieldByName("NMRAZSOCCLIE").IsNull());
}

TEST_F(BoundEdit, MaskFromTheFieldShowsLiteralsAndStoresBareDigits) {
    rows.FieldByName("NRINSJURCLIE").SetEditMask(PictPess("F"));
    edit.SetDataField("NRINSJURCLIE");
    EXPECT_EQ(edit.text(), "123.456.789-01");
    rows.Edit();
    edit.clear();
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "98765432100");
    EXPECT_EQ(rows.FieldByName("NRINSJURCLIE").AsString(), "98765432100");
}

TEST_F(BoundEdit, ChangingTheMaskWhileDetachedDoesNotRunTheChangeReaction) {
    edit.SetDataField("NRINSJURCLIE");
    int changes = 0;
    edit.OnChange.Set([&] { ++changes; });
    {
        const Reaction::Detached quiet(edit.OnChange);
        rows.FieldByName("NRINSJURCLIE").SetEditMask(PictPess("J"));
        rows.Refresh();
    }
    EXPECT_EQ(changes, 0);
    rows.Next();
    EXPECT_EQ(changes, 1);
}

TEST(DataSource, DisabledControlsHearNothingUntilEnabledThenRefreshOnce) {
    RecordSet rows;
    testing::FillCandidates(rows, {"N", "N", "N"});
    TDataSource source;
    source.SetDataSet(&rows);
    QSignalSpy records(&source, &TDataSource::recordChanged);
    rows.DisableControls();
    rows.Next();
    rows.Next();
    EXPECT_EQ(records.count(), 0);
    rows.EnableControls();
    EXPECT_GE(records.count(), 1);
    EXPECT_LE(records.count(), 2);
}

TEST(DataSource, StateChangeReactionRunsOncePerChange) {
    RecordSet rows;
    testing::FillCandidates(rows, {"N"});
    TDataSource source;
    source.SetDataSet(&rows);
    QList<DataSetState> states;
    source.OnStateChange.Set([&] { states << source.State(); });
    rows.Edit();
    rows.Post();
    EXPECT_EQ(states, (QList<DataSetState>{DataSetState::Edit, DataSetState::Browse}));
}

class BoundRadioGroup : public ::testing::Test {
protected:
    void SetUp() override {
        rows.SetFieldDefs({{.name = "IDTPITUTLCOMREC", .type = FieldType::String, .size = 1}});
        rows.CreateDataSet();
        rows.AppendRow({QStringLiteral("1")});
        rows.Refresh();
        source.SetDataSet(&rows);
        group.SetItems({"Conta a Pagar", "Crédito em Conta Corrente"});
        group.SetValues({"0", "1"});
        group.SetDataSource(&source);
        group.SetDataField("IDTPITUTLCOMREC");
        group.OnChange.Set([this] { ++changes; });
    }
    QRadioButton* Button(int index) { return group.findChildren<QRadioButton*>().at(index); }

    RecordSet rows;
    TDataSource source;
    TDBRadioGroup group;
    int changes = 0;
};

TEST_F(BoundRadioGroup, SelectsTheItemOfTheStoredValue) {
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_EQ(group.Value(), "1");
}

TEST_F(BoundRadioGroup, ClickWhileEditingStoresTheItemValueAndReacts) {
    rows.Edit();
    QTest::mouseClick(Button(0), Qt::LeftButton);
    EXPECT_EQ(rows.FieldByName("IDTPITUTLCOMREC").AsString(), "0");
    EXPECT_EQ(changes, 1);
}

TEST_F(BoundRadioGroup, ClickWhileBrowsingChangesNothing) {
    QTest::mouseClick(Button(0), Qt::LeftButton);
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_EQ(rows.FieldByName("IDTPITUTLCOMREC").AsString(), "1");
    EXPECT_EQ(changes, 0);
}

TEST_F(BoundRadioGroup, RecordChangeReactsAndUnknownValueSelectsNothing) {
    rows.Edit();
    rows.FieldByName("IDTPITUTLCOMREC").SetAsString("0");
    EXPECT_EQ(group.ItemIndex(), 0);
    rows.FieldByName("IDTPITUTLCOMREC").SetAsString("9");
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_EQ(changes, 2);
}

class SearchButton : public ::testing::Test {
protected:
    void SetUp() override {
        source.SetDataSet(&lookup);
        button.SetDataSource(&source);
        button.SetTitle("Empresa");
        button.SetEmptyError("Não há empresa cadastrada.");
        button.OnBeforePesq.Set([this] {
            steps << "before";
            testing::FillCandidates(lookup, rowsToFind);
        });
        button.OnAfterPesq.Set(
            [this] { steps << "after:" + lookup.FieldByName("DOCUMENTO").AsString(); });
    }

    ScriptedDialogs dialogs;
    RecordSet lookup;
    TDataSource source;
    TBtnPesquisa button;
    QStringList rowsToFind;
    QStringList steps;
};

TEST_F(SearchButton, ChoiceRunsBeforeThenAfterOnTheChosenRow) {
    rowsToFind = {"N", "N", "N"};
    dialogs.PickRow(1);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(steps, (QStringList{"before", "after:DOC2"}));
    EXPECT_EQ(dialogs.Texts(Kind::Search), QStringList{"Empresa"});
}

TEST_F(SearchButton, EmptyLookUpShowsTheEmptyErrorAndSkipsAfter) {
    EXPECT_FALSE(button.Pesquisa());
    EXPECT_EQ(steps, QStringList{"before"});
    EXPECT_EQ(dialogs.Texts(Kind::Message), QStringList{"Não há empresa cadastrada."});
}

TEST_F(SearchButton, CancelledSearchSkipsAfter) {
    rowsToFind = {"N"};
    dialogs.Cancel();
    EXPECT_FALSE(button.Pesquisa());
    EXPECT_EQ(steps, QStringList{"before"});
}

TEST_F(SearchButton, AbortBeforeTheSearchEndsItWithoutADialog) {
    button.OnBeforePesq.Set([] { MensErro("Empresa deve ser informada."); });
    EXPECT_FALSE(button.Pesquisa());
    EXPECT_EQ(dialogs.Texts(Kind::Search), QStringList{});
    EXPECT_EQ(dialogs.Errors(), QStringList{"Empresa deve ser informada."});
}

} // namespace
} // namespace host

namespace host {
namespace {

struct TitleCase {
    int widthShare; // percent of the text's own width the label gets
    bool elided;
};

class BoundTitle : public ::testing::TestWithParam<TitleCase> {};

// Regression: a record title narrower than its text was cut, "… - 300,00" reading "… - 30".
TEST_P(BoundTitle, ElidesVisiblyAndShowsTheWholeTextAsTip) {
    const QString title = QStringLiteral("Compensação Nro.: 0000000004 - 300,00");
    RecordSet rows;
    rows.SetFieldDefs({{.name = "DADOSCOMP", .type = FieldType::String, .size = 60}});
    rows.CreateDataSet();
    rows.AppendRow({title});
    rows.Refresh();
    TDataSource source;
    source.SetDataSet(&rows);
    TDBText label;
    label.show();
    label.SetDataSource(&source);
    label.SetDataField("DADOSCOMP");
    label.resize(label.fontMetrics().horizontalAdvance(title) * GetParam().widthShare / 100 + 4,
                 30);
    EXPECT_EQ(label.text(), title);
    EXPECT_LE(label.minimumSizeHint().width(), label.width());
    if (GetParam().elided) {
        EXPECT_TRUE(label.ShownText().endsWith(QStringLiteral("…")))
            << label.ShownText().toStdString();
        EXPECT_TRUE(title.startsWith(label.ShownText().chopped(1)));
        EXPECT_EQ(label.toolTip(), title);
    } else {
        EXPECT_EQ(label.ShownText(), title);
        EXPECT_TRUE(label.toolTip().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Widths, BoundTitle,
                         ::testing::Values(TitleCase{40, true}, TitleCase{95, true},
                                           TitleCase{110, false}));

} // namespace
} // namespace host
