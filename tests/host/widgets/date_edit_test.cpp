#include "data/recordset.h"
#include "host/widgets/data_source.h"
#include "host/widgets/date_edit.h"
#include "host/widgets/db_date_edit.h"
#include "tests/support/scripteddialogs.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace host {
namespace {

using testing::ScriptedDialogs;

struct DateText {
    const char* text;
    QDate date;     // what GetDate gives; null = 0
    bool validDate; // CheckValidDate passes
};

class DateEditText : public ::testing::TestWithParam<DateText> {};

TEST_P(DateEditText, GivesTheDateOrZeroAndChecksValidity) {
    ScriptedDialogs dialogs;
    TDateEditPlus edit;
    edit.setText(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(edit.GetDate(), GetParam().date);

    bool passed = false;
    guarded([&] {
        edit.CheckValidDate();
        passed = true;
    });
    EXPECT_EQ(passed, GetParam().validDate);
    EXPECT_EQ(dialogs.Errors().size(), GetParam().validDate ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Texts, DateEditText,
                         ::testing::Values(DateText{"", QDate(), true},
                                           DateText{"07/12/2026", QDate(2026, 12, 7), true},
                                           DateText{"29/02/2024", QDate(2024, 2, 29), true},
                                           DateText{"29/02/2026", QDate(), false},
                                           DateText{"31/04/2026", QDate(), false},
                                           DateText{"12/13/2026", QDate(), false},
                                           DateText{"07/12/20", QDate(), false},
                                           DateText{"07/12", QDate(), false}));

TEST(DateEdit, SetDateShowsDayMonthYearAndNullEmpties) {
    TDateEditPlus edit;
    edit.SetDate(QDate(2026, 1, 5));
    EXPECT_EQ(edit.text(), "05/01/2026");
    edit.SetDate(QDate());
    EXPECT_TRUE(edit.IsEmpty());
    EXPECT_FALSE(edit.GetDate().isValid());
}

TEST(DateEdit, DetachedChangeReactionIgnoresProgrammaticWritesButNotTyping) {
    TDateEditPlus edit;
    int changes = 0;
    edit.OnChange.Set([&] { ++changes; });
    {
        const Reaction::Detached quiet(edit.OnChange);
        edit.SetDate(QDate(2026, 12, 7));
    }
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(edit.OnChange.Attached());

    edit.setFocus();
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, "08");
    EXPECT_GT(changes, 0);
    EXPECT_EQ(edit.GetDate(), QDate(2026, 12, 8));
}

TEST(DateEdit, InvalidDateOnExitKeepsTheFocusInTheEdit) {
    ScriptedDialogs dialogs;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new TDateEditPlus(&window);
    auto* other = new QLineEdit(&window);
    layout->addWidget(edit);
    layout->addWidget(other);
    edit->OnExit.Set([edit] { edit->CheckValidDate(); });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    edit->setText("31/02/2026");
    other->setFocus();
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_EQ(dialogs.Errors().size(), 1);
}

// Regression: a viewed compensation showed its dates yellow with blue text, as if they could be
// typed. The look follows whether the edit takes typing.
struct DateLook {
    const char* name;
    bool enabled;
    bool readOnly;
    bool typingLook; // info background and blue date
};

class DateEditLook : public ::testing::TestWithParam<DateLook> {};

TEST_P(DateEditLook, InfoBackgroundAndBlueDateOnlyWhileTypingIsPossible) {
    TDateEditPlus edit;
    edit.SetDate(QDate(2026, 12, 7));
    edit.setReadOnly(GetParam().readOnly);
    edit.setEnabled(GetParam().enabled);
    const QPalette plain = QApplication::palette(&edit);
    const QPalette::ColorGroup group = edit.isEnabled() ? QPalette::Active : QPalette::Disabled;
    const QColor base = edit.palette().color(group, QPalette::Base);
    const QColor text = edit.palette().color(group, QPalette::Text);
    EXPECT_EQ(base == plain.color(group, QPalette::ToolTipBase), GetParam().typingLook);
    EXPECT_EQ(text == QColor(Qt::blue), GetParam().typingLook);
    if (!GetParam().enabled) {
        EXPECT_EQ(base, plain.color(QPalette::Disabled, QPalette::Base)) << "the style's own";
    }
}

INSTANTIATE_TEST_SUITE_P(States, DateEditLook,
                         ::testing::Values(DateLook{"Typing", true, false, true},
                                           DateLook{"ReadOnly", true, true, false},
                                           DateLook{"Disabled", false, false, false},
                                           DateLook{"DisabledReadOnly", false, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Regression: Escape in the calendar reached the screen's cancel entry, which asked to drop the
// whole compensation.
TEST(DateEdit, EscapeInTheCalendarClosesItAndNothingElse) {
    QWidget screen;
    auto* edit = new TDateEditPlus(&screen);
    auto* cancel = new QAction(&screen);
    cancel->setShortcut(Qt::Key_Escape);
    cancel->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    screen.addAction(cancel);
    int cancelled = 0;
    QObject::connect(cancel, &QAction::triggered, [&] { ++cancelled; });
    screen.show();
    QApplication::setActiveWindow(&screen);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    edit->DropDown();
    auto* popup = edit->findChild<QWidget*>("calendarPopup");
    ASSERT_TRUE(popup && popup->isVisible());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(cancelled, 0);
}

TEST(DateEdit, CalendarHeaderUsesTheHostDayNamesFromSunday) {
    TDateEditPlus edit;
    edit.show();
    edit.DropDown();
    auto* header = edit.findChild<QWidget*>("weekDayHeader");
    ASSERT_NE(header, nullptr);
    QStringList names;
    for (const QLabel* label : header->findChildren<QLabel*>())
        names << label->text();
    EXPECT_EQ(names,
              (QStringList{"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"}));
    auto* calendar = edit.findChild<QCalendarWidget*>("calendar");
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->firstDayOfWeek(), Qt::Sunday);
}

TEST(DateEdit, PickingInTheCalendarSetsTheDate) {
    TDateEditPlus edit;
    edit.show();
    edit.SetDate(QDate(2026, 12, 7));
    edit.DropDown();
    auto* calendar = edit.findChild<QCalendarWidget*>("calendar");
    ASSERT_NE(calendar, nullptr);
    calendar->setSelectedDate(QDate(2026, 12, 24));
    emit calendar->activated(QDate(2026, 12, 24));
    EXPECT_EQ(edit.GetDate(), QDate(2026, 12, 24));
}

class BoundDateEdit : public ::testing::Test {
protected:
    void SetUp() override {
        rows.SetFieldDefs({{.name = "DTCOMPCONTREC", .type = FieldType::DateTime}});
        rows.CreateDataSet();
        rows.AppendRow({QDateTime(QDate(2026, 12, 7), QTime(0, 0))});
        rows.Refresh();
        source.SetDataSet(&rows);
        edit.SetDataSource(&source);
        edit.SetDataField("DTCOMPCONTREC");
    }

    RecordSet rows;
    TDataSource source;
    TDBDateEditPlus edit;
};

TEST_F(BoundDateEdit, ShowsTheFieldAndIsReadOnlyWhileBrowsing) {
    EXPECT_EQ(edit.GetDate(), QDate(2026, 12, 7));
    EXPECT_TRUE(edit.isReadOnly());
    rows.Edit();
    EXPECT_FALSE(edit.isReadOnly());
}

TEST_F(BoundDateEdit, WritesTheDateWithoutTimeAndNullWhenCleared) {
    rows.Edit();
    edit.SetDate(QDate(2026, 12, 31));
    EXPECT_EQ(rows.FieldByName("DTCOMPCONTREC").AsDateTime(),
              QDateTime(QDate(2026, 12, 31), QTime(0, 0)));
    edit.clear();
    EXPECT_TRUE(rows.FieldByName("DTCOMPCONTREC").IsNull());
}

TEST_F(BoundDateEdit, HalfTypedDateLeavesTheFieldAlone) {
    rows.Edit();
    edit.setText("31/1");
    EXPECT_EQ(rows.FieldByName("DTCOMPCONTREC").AsDateTime().date(), QDate(2026, 12, 7));
}

TEST_F(BoundDateEdit, FieldWrittenBeforeTheChangeReactionRuns) {
    rows.Edit();
    QDate seen;
    edit.OnChange.Set([&] { seen = rows.FieldByName("DTCOMPCONTREC").AsDateTime().date(); });
    edit.SetDate(QDate(2027, 1, 2));
    EXPECT_EQ(seen, QDate(2027, 1, 2));
}

TEST_F(BoundDateEdit, FollowsTheRecordWhenItChanges) {
    rows.Edit();
    rows.FieldByName("DTCOMPCONTREC").SetAsDateTime(QDateTime(QDate(2025, 5, 1), QTime(0, 0)));
    EXPECT_EQ(edit.GetDate(), QDate(2025, 5, 1));
    rows.Cancel();
    EXPECT_EQ(edit.GetDate(), QDate(2026, 12, 7));
}

} // namespace
} // namespace host
