#include "data/recordset.h"
#include "tests/data/fielddef.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <stdexcept>

namespace host {
namespace {

using testdata::Def;

// Company code, number, amount: the shape of a key look-up on two fields plus a value.
class RecordSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        rs.SetFieldDefs({Def("CDEMPRESA", FieldType::String, 2),
                         Def("NRLANC", FieldType::String, 10), Def("VALOR", FieldType::Float),
                         Def("DTLANC", FieldType::DateTime)});
        rs.CreateDataSet();
    }

    void Add(const QString& company, const QString& number, double value) {
        rs.Append();
        rs.FieldByName("CDEMPRESA").SetAsString(company);
        rs.FieldByName("NRLANC").SetAsString(number);
        rs.FieldByName("VALOR").SetAsFloat(value);
        rs.Post();
    }

    QString Number() const { return rs.FieldByName("NRLANC").AsString(); }

    RecordSet rs;
};

TEST_F(RecordSetTest, StatesFollowAppendEditPostCancel) {
    QSignalSpy states(&rs, &RecordSet::stateChanged);
    EXPECT_EQ(rs.State(), DataSetState::Browse);
    EXPECT_TRUE(rs.IsEmpty());

    rs.Append();
    EXPECT_EQ(rs.State(), DataSetState::Insert);
    EXPECT_EQ(rs.RecordCount(), 1);
    rs.FieldByName("NRLANC").SetAsString("1");
    rs.Post();
    EXPECT_EQ(rs.State(), DataSetState::Browse);

    rs.Edit();
    rs.FieldByName("NRLANC").SetAsString("2");
    rs.Cancel();
    EXPECT_EQ(Number(), "1");

    rs.Append();
    rs.Cancel();
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(Number(), "1");
    EXPECT_EQ(states.count(), 6);
}

TEST_F(RecordSetTest, WritingOutsideEditingIsRefused) {
    Add("01", "1", 1);
    EXPECT_THROW(rs.FieldByName("NRLANC").SetAsString("2"), std::logic_error);
    EXPECT_EQ(Number(), "1");
}

TEST_F(RecordSetTest, ValuesThatDoNotFitAreRefused) {
    rs.Append();
    EXPECT_THROW(rs.FieldByName("CDEMPRESA").SetAsString("123"), std::invalid_argument);
    EXPECT_THROW(rs.FieldByName("VALOR").SetAsString("abc"), std::invalid_argument);
    EXPECT_THROW(rs.FieldByName("VALOR").SetAsFloat(qQNaN()), std::invalid_argument);
    EXPECT_THROW(rs.FieldByName("DTLANC").SetValue(QStringLiteral("32/13/2026")),
                 std::invalid_argument);
    EXPECT_TRUE(rs.FieldByName("CDEMPRESA").IsNull());
    rs.FieldByName("VALOR").SetValue(3); // an integer is a number
    EXPECT_EQ(rs.FieldByName("VALOR").Value().typeId(), QMetaType::Double);
}

TEST_F(RecordSetTest, TextWrittenToNumbersAndDates) {
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    rs.Append();
    Field& value = rs.FieldByName("VALOR");
    Field& date = rs.FieldByName("DTLANC");
    value.SetAsString("1.234,5");
    EXPECT_DOUBLE_EQ(value.AsFloat(), 1234.5);
    value.SetAsString("1.234");
    EXPECT_DOUBLE_EQ(value.AsFloat(), 1234);
    value.SetAsString("2.5");
    EXPECT_DOUBLE_EQ(value.AsFloat(), 2.5);
    value.SetAsString(" ");
    EXPECT_TRUE(value.IsNull());
    date.SetValue(QStringLiteral("07/12/2026"));
    EXPECT_EQ(date.AsDateTime(), QDateTime(QDate(2026, 12, 7), QTime(0, 0)));
    date.SetValue(QStringLiteral("2026-12-08T10:00:00"));
    EXPECT_EQ(date.AsString(), "08/12/2026 10:00:00");
    date.SetValue(QString());
    EXPECT_TRUE(date.IsNull());
    QLocale::setDefault(QLocale::c());
}

TEST_F(RecordSetTest, PostRefusesBlankRequiredFieldAndStaysEditing) {
    rs.FieldByName("NRLANC").SetRequired(true);
    rs.Append();
    rs.FieldByName("NRLANC").SetAsString("");
    EXPECT_THROW(rs.Post(), std::invalid_argument);
    EXPECT_EQ(rs.State(), DataSetState::Insert);
    rs.FieldByName("NRLANC").SetAsString("7");
    rs.Post();
    EXPECT_EQ(rs.State(), DataSetState::Browse);
}

TEST_F(RecordSetTest, NavigationPostsPendingEdit) {
    Add("01", "1", 1);
    Add("01", "2", 2);
    rs.First();
    rs.Edit();
    rs.FieldByName("VALOR").SetAsFloat(5);
    rs.Next();
    EXPECT_EQ(rs.State(), DataSetState::Browse);
    EXPECT_DOUBLE_EQ(rs.FieldByName("VALOR").ValueAt(0).toDouble(), 5);
}

TEST_F(RecordSetTest, LoopWithNextEndsAtEofAndVisitsEveryRow) {
    for (int i = 0; i < 3; ++i)
        Add("01", QString::number(i), i);
    QStringList seen;
    for (rs.First(); !rs.Eof(); rs.Next())
        seen << Number();
    EXPECT_EQ(seen, QStringList({"0", "1", "2"}));
}

TEST_F(RecordSetTest, DeletingWhileLoopingEndsAtEof) {
    for (int i = 0; i < 4; ++i)
        Add("01", QString::number(i), i);
    rs.First();
    while (!rs.Eof()) {
        if (rs.FieldByName("VALOR").AsFloat() >= 2)
            rs.Delete();
        else
            rs.Next();
    }
    EXPECT_EQ(rs.RecordCount(), 2);
}

TEST_F(RecordSetTest, InsertPutsRowBeforeCurrent) {
    Add("01", "1", 1);
    Add("01", "3", 3);
    rs.Last();
    rs.Insert();
    rs.FieldByName("NRLANC").SetAsString("2");
    rs.Post();
    EXPECT_EQ(rs.RecNo(), 1);
    EXPECT_EQ(rs.FieldByName("NRLANC").ValueAt(2).toString(), "3");
}

TEST_F(RecordSetTest, EventsOnOpenScrollAndEmpty) {
    RecordSet other;
    other.SetFieldDefs({Def("A", FieldType::String, 5)});
    QSignalSpy opened(&other, &RecordSet::afterOpen);
    QSignalSpy scrolled(&other, &RecordSet::afterScroll);
    other.CreateDataSet();
    EXPECT_EQ(opened.count(), 1);
    other.AppendRow({QStringLiteral("x")});
    other.AppendRow({QStringLiteral("y")});
    scrolled.clear();
    other.First();
    other.Next();
    other.Next(); // at the end: no move, no event
    EXPECT_EQ(scrolled.count(), 2);
    EXPECT_TRUE(other.Eof());
    other.EmptyDataSet();
    EXPECT_TRUE(other.IsEmpty());
    EXPECT_TRUE(other.Active());
    EXPECT_EQ(other.RecNo(), -1);
}

TEST_F(RecordSetTest, DisabledControlsGetOneRefreshWhenEnabledAgain) {
    QSignalSpy scrolled(&rs, &RecordSet::afterScroll);
    QSignalSpy reset(&rs, &RecordSet::rowsReset);
    QSignalSpy changed(&rs, &RecordSet::dataChanged);
    QSignalSpy states(&rs, &RecordSet::stateChanged);
    rs.DisableControls();
    rs.DisableControls();
    for (int i = 0; i < 5; ++i)
        Add("01", QString::number(i), i);
    rs.First();
    rs.Edit();
    rs.EnableControls();
    EXPECT_TRUE(rs.ControlsDisabled());
    EXPECT_EQ(scrolled.count() + reset.count() + changed.count() + states.count(), 0);
    rs.EnableControls();
    EXPECT_FALSE(rs.ControlsDisabled());
    EXPECT_EQ(scrolled.count(), 1);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(changed.count(), 0);
    ASSERT_EQ(states.count(), 1); // Browse before, Edit now
    EXPECT_EQ(states.at(0).at(0).value<DataSetState>(), DataSetState::Edit);
}

TEST_F(RecordSetTest, LocateComparesStringsCaseInsensitivelyOnTwoKeys) {
    Add("01", "abc", 1);
    Add("02", "ABC", 2);
    Add("02", "xyz", 3);
    Add("03", "Ação", 4);
    EXPECT_TRUE(rs.Locate("CDEMPRESA;NRLANC", {"03", "AÇÃO"}));
    EXPECT_DOUBLE_EQ(rs.FieldByName("VALOR").AsFloat(), 4);
    EXPECT_TRUE(rs.Locate("CDEMPRESA;NRLANC", {"02", "Abc"}));
    EXPECT_DOUBLE_EQ(rs.FieldByName("VALOR").AsFloat(), 2);
    EXPECT_TRUE(rs.Locate("cdempresa; nrlanc", {"01", "ABC"}));
    EXPECT_DOUBLE_EQ(rs.FieldByName("VALOR").AsFloat(), 1);
    const int before = rs.RecNo();
    EXPECT_FALSE(rs.Locate("CDEMPRESA;NRLANC", {"03", "abc"}));
    EXPECT_EQ(rs.RecNo(), before);
    EXPECT_THROW(rs.Locate("CDEMPRESA;NRLANC", {"01"}), std::invalid_argument);
    EXPECT_THROW(rs.Locate("NOPE", {"01"}), std::out_of_range);
}

TEST_F(RecordSetTest, LocateFollowsEditsInsertsAndDeletes) {
    for (int i = 0; i < 10; ++i)
        Add("01", QString::number(i), i);
    ASSERT_TRUE(rs.Locate("CDEMPRESA;NRLANC", {"01", "5"})); // index built here

    rs.Edit();
    rs.FieldByName("NRLANC").SetAsString("50");
    rs.Post();
    EXPECT_FALSE(rs.Locate("CDEMPRESA;NRLANC", {"01", "5"}));
    EXPECT_TRUE(rs.Locate("CDEMPRESA;NRLANC", {"01", "50"}));

    rs.Locate("CDEMPRESA;NRLANC", {"01", "2"});
    rs.Delete();
    EXPECT_FALSE(rs.Locate("CDEMPRESA;NRLANC", {"01", "2"}));
    ASSERT_TRUE(rs.Locate("CDEMPRESA;NRLANC", {"01", "9"}));
    EXPECT_EQ(rs.RecNo(), 8);

    rs.First();
    rs.Insert(); // before every other row: ids no longer in row order
    rs.FieldByName("CDEMPRESA").SetAsString("01");
    rs.FieldByName("NRLANC").SetAsString("9");
    rs.Post();
    ASSERT_TRUE(rs.Locate("CDEMPRESA;NRLANC", {"01", "9"}));
    EXPECT_EQ(rs.RecNo(), 0); // the first of two equal keys
    rs.Delete();
    ASSERT_TRUE(rs.Locate("CDEMPRESA;NRLANC", {"01", "9"}));
    EXPECT_EQ(rs.RecNo(), 8);
    EXPECT_TRUE(rs.Locate("VALOR", {7}));
    EXPECT_EQ(Number(), "7");
}

// Rows sharing a key: after every step the index must still lead to the first remaining holder
// of each key, as a plain scan finds it. Steps: "D2" deletes row 2, "I1A" inserts a row keyed A
// before row 1, "E0C" edits row 0's key to C.
struct KeySteps {
    const char* name;
    const char* keys; // one letter per row
    std::vector<const char*> steps;
};

class DuplicateKeyTest : public RecordSetTest, public ::testing::WithParamInterface<KeySteps> {
protected:
    int FirstHolder(const QString& key) const {
        for (int row = 0; row < rs.RecordCount(); ++row)
            if (rs.FieldByName("NRLANC").ValueAt(row).toString() == key)
                return row;
        return -1;
    }
    void Apply(const char* step) {
        const char op = step[0];
        const int row = step[1] - '0';
        rs.SetRecNo(row);
        if (op == 'D') {
            rs.Delete();
            return;
        }
        op == 'I' ? rs.Insert() : rs.Edit();
        rs.FieldByName("CDEMPRESA").SetAsString("01");
        rs.FieldByName("NRLANC").SetAsString(QString(QLatin1Char(step[2])));
        rs.Post();
    }
};

TEST_P(DuplicateKeyTest, IndexLeadsToFirstRemainingHolder) {
    for (const char* key = GetParam().keys; *key; ++key)
        Add("01", QString(QLatin1Char(*key)), 0);
    ASSERT_TRUE(rs.Locate("CDEMPRESA;NRLANC", {"01", "A"})); // index built here
    for (const char* step : GetParam().steps) {
        Apply(step);
        for (const QString key : {"A", "B", "C"}) {
            const int expected = FirstHolder(key);
            EXPECT_EQ(rs.Locate("CDEMPRESA;NRLANC", {"01", key}), expected >= 0)
                << "after " << step << " key " << key.toStdString();
            if (expected >= 0) {
                EXPECT_EQ(rs.RecNo(), expected) << "after " << step << " key " << key.toStdString();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DuplicateKeyTest,
    ::testing::Values(KeySteps{"DeleteFirstOfThree", "ABACA", {"D0", "D1", "D2"}},
                      KeySteps{"DeleteLastThenFirst", "AABA", {"D3", "D0", "D0"}},
                      KeySteps{"DeleteMiddleDuplicate", "ABABA", {"D2", "D0"}},
                      KeySteps{"InsertBeforeFirstThenDeleteIt", "BABA", {"I0A", "D0", "D0"}},
                      KeySteps{"InsertBetweenDuplicates", "ABBA", {"I2A", "D0", "D0"}},
                      KeySteps{"EditFirstAwayAndBack", "AAB", {"E0C", "E0A", "D1", "D0"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordSetTest, LocatePostsPendingInsertFirst) {
    Add("01", "1", 1);
    rs.Append();
    rs.FieldByName("NRLANC").SetAsString("2");
    EXPECT_TRUE(rs.Locate("NRLANC", {"2"}));
    EXPECT_EQ(rs.State(), DataSetState::Browse);
}

TEST_F(RecordSetTest, BookmarksSurviveOtherRowsAndDieWithTheirOwn) {
    for (int i = 0; i < 5; ++i)
        Add("01", QString::number(i), i);
    rs.SetRecNo(3);
    const RecordSet::Bookmark mark = rs.GetBookmark();
    rs.SetRecNo(1);
    const RecordSet::Bookmark doomed = rs.GetBookmark();
    rs.Delete();
    rs.First();
    rs.Insert();
    rs.Post();
    rs.Last();
    rs.GotoBookmark(mark);
    EXPECT_EQ(Number(), "3");
    EXPECT_FALSE(rs.BookmarkValid(doomed));
    EXPECT_THROW(rs.GotoBookmark(doomed), std::out_of_range);
    rs.Delete();
    EXPECT_FALSE(rs.BookmarkValid(mark));
}

TEST_F(RecordSetTest, DisplayTextUsesHookWithTheRowAsked) {
    Add("01", "1", 1234.5);
    Add("01", "2", 2);
    EXPECT_EQ(rs.FieldByName("VALOR").PlainTextAt(0).remove(QLatin1Char(',')).remove('.'), "12345");
    rs.FieldByName("VALOR").SetOnGetText([](const Field& field, int row) {
        return QStringLiteral("R%1:%2").arg(row).arg(field.ValueAt(row).toDouble());
    });
    rs.First();
    EXPECT_EQ(rs.FieldByName("VALOR").DisplayTextAt(1), "R1:2");
    EXPECT_EQ(rs.FieldByName("VALOR").DisplayText(), "R0:1234.5");
}

TEST_F(RecordSetTest, FieldDefinitionsFrozenWhileOpen) {
    EXPECT_THROW(rs.AddFieldDef(Def("X", FieldType::Float)), std::logic_error);
    rs.Close();
    EXPECT_THROW(rs.AddFieldDef(Def("nrlanc", FieldType::Float)), std::invalid_argument);
    EXPECT_EQ(rs.FieldCount(), 4);
}

TEST_F(RecordSetTest, AppendRowNormalisesQueryValues) {
    rs.AppendRow({QVariant(QMetaType(QMetaType::QString)), QStringLiteral("1"), QVariant(7),
                  QVariant(QDate(2026, 12, 7))});
    EXPECT_TRUE(rs.FieldByName("CDEMPRESA").IsNull()); // a typed SQL null is null
    EXPECT_EQ(rs.Row(0)[2].typeId(), QMetaType::Double);
    EXPECT_EQ(rs.Row(0)[3].toDateTime(), QDateTime(QDate(2026, 12, 7), QTime(0, 0)));
    EXPECT_THROW(rs.AppendRow({QStringLiteral("01")}), std::invalid_argument);
    EXPECT_EQ(rs.RecordCount(), 1);
}

} // namespace
} // namespace host
