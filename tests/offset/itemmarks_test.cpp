// Marking offset items on plain record sets: every step keeps the listed flags and the marked
// set in step, and the total follows the marked set whatever the list shows.

#include "offset/rules/itemmarks.h"

#include "data/recordset.h"
#include "tests/data/fielddef.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

using host::FieldType;
using host::RecordSet;
using host::testdata::Def;

// Payable n (1..4) worth kValues[n - 1]; payable 4 entered too late to be marked by mark-all.
const double kValues[] = {100.10, 200.25, 300.333, 50.00};

struct Caso {
    const char* name;
    std::vector<std::string> steps; // tN toggle row N; M mark all; U unmark all;
                                    // F forget; R<numbers> reload with those payables;
                                    // C reload all, 2 at 150
    const char* marked;             // numbers of the marked set, in its order
    qint64 cents;
    friend void PrintTo(const Caso& c, std::ostream* os) { *os << c.name; }
};

class ItemMarksTest : public testing::TestWithParam<Caso> {
protected:
    ItemMarksTest() {
        // The list's fields in another order than the marked set's, as on the screen.
        list.SetFieldDefs(
            {Def("NRLANBOLPAG", FieldType::String, 10), Def("VRFINALBPAG", FieldType::Float),
             Def("IDMARCADO", FieldType::FixedString, 1), Def("CDFILIBPAG", FieldType::String, 4)});
        list.CreateDataSet();
        marked.SetFieldDefs(
            {Def("VRFINALBPAG", FieldType::Float), Def("IDMARCADO", FieldType::FixedString, 1),
             Def("CDFILIBPAG", FieldType::String, 4), Def("NRLANBOLPAG", FieldType::String, 10)});
        Reload("1234", 0);
    }

    // New content arrives unmarked, keys in another case than the marked copies.
    void Reload(const std::string& numbers, double changedSecond) {
        list.EmptyDataSet();
        for (const char n : numbers) {
            const int i = n - '1';
            list.AppendRow({QString(QChar(n)),
                            n == '2' && changedSecond != 0 ? changedSecond : kValues[i], "N",
                            marked.Active() && marked.RecordCount() % 2 ? "a001" : "A001"});
        }
        list.Refresh();
        list.First();
        marks.Restore();
    }

    void Run(const std::string& step) {
        if (step[0] == 't') {
            list.SetRecNo(std::stoi(step.substr(1)));
            marks.Toggle();
        } else if (step == "M") {
            marks.MarkAll([this] { return list.FieldByName("NRLANBOLPAG").AsString() != "4"; });
        } else if (step == "U") {
            marks.UnmarkAll();
        } else if (step == "F") {
            marks.Forget();
        } else if (step[0] == 'R') {
            Reload(step.substr(1), 0);
        } else {
            Reload("1234", 150.0);
        }
    }

    void ExpectInStep(const std::string& step) {
        QSet<QString> keys;
        for (int row = 0; row < marked.RecordCount(); ++row)
            keys << marked.FieldByName("NRLANBOLPAG").ValueAt(row).toString();
        EXPECT_EQ(keys.size(), marked.RecordCount()) << "an item marked twice after " << step;
        for (int row = 0; row < list.RecordCount(); ++row) {
            const QString number = list.FieldByName("NRLANBOLPAG").ValueAt(row).toString();
            EXPECT_EQ(list.FieldByName("IDMARCADO").ValueAt(row).toString() == "S",
                      keys.contains(number))
                << "payable " << number.toStdString() << " after " << step;
        }
    }

    RecordSet list;
    RecordSet marked;
    offset::ItemMarks marks{list, marked, QStringLiteral("CDFILIBPAG;NRLANBOLPAG"),
                            QStringLiteral("VRFINALBPAG")};
};

TEST_P(ItemMarksTest, ListAndMarkedSetStayInStep) {
    const Caso& c = GetParam();
    for (const std::string& step : c.steps) {
        Run(step);
        ExpectInStep(step);
    }
    QStringList numbers;
    for (int row = 0; row < marked.RecordCount(); ++row)
        numbers << marked.FieldByName("NRLANBOLPAG").ValueAt(row).toString();
    EXPECT_EQ(numbers.join(' '), c.marked);
    EXPECT_EQ(marks.TotalCents(), c.cents);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sequences, ItemMarksTest, testing::Values(
    Caso{"MarkThenUnmarkRestoresTheTotal", {"t2", "t2"}, "", 0},
    // Each value rounded to the cent before it is added.
    Caso{"MarkAllSkipsTheIneligible", {"M"}, "1 2 3", 10010 + 20025 + 30033},
    Caso{"FilteredOutStaysMarkedAndCounted", {"t1", "R134"}, "2", 20025},
    Caso{"ListedAgainShowsTicked", {"t1", "R134", "R1234", "t0"}, "2 1", 20025 + 10010},
    Caso{"MarkAllAfterReloadCountsOnce", {"t0", "R1234", "M"}, "1 2 3", 60068},
    Caso{"UnmarkAllLeavesTheFilteredOut", {"t0", "t1", "R14", "U"}, "2", 20025},
    Caso{"ReloadRefreshesTheCopy", {"t1", "C"}, "2", 15000},
    Caso{"UnmarkAfterReloadRemovesTheOnlyCopy", {"t1", "C", "t1"}, "", 0},
    Caso{"SingleToggleIgnoresEligibility", {"t3"}, "4", 5000},
    Caso{"ForgetUnticksTheListed", {"t0", "t1", "R24", "F", "R1234"}, "", 0},
    Caso{"EmptyListTogglesNothing", {"R", "M", "U"}, "", 0}),
    [](const testing::TestParamInfo<Caso>& info) { return std::string(info.param.name); });
// clang-format on

} // namespace

// The credits mark with their own key and value; the list holds the key in another order than
// the marked set, as on the screen.
TEST(ItemMarksOfCredits, KeyedByAccountAndPostingCountedOnceThroughReloads) {
    RecordSet credits;
    credits.SetFieldDefs(
        {Def("VRMOVICRED", FieldType::Float), Def("CDREDUCONT", FieldType::String, 3),
         Def("NRMOVICRED", FieldType::String, 10), Def("IDMARCADO", FieldType::FixedString, 1)});
    RecordSet marked;
    marked.SetFieldDefs(
        {Def("NRMOVICRED", FieldType::String, 10), Def("CDREDUCONT", FieldType::String, 3),
         Def("VRMOVICRED", FieldType::Float), Def("IDMARCADO", FieldType::FixedString, 1)});
    offset::ItemMarks marks(credits, marked, QStringLiteral("CDREDUCONT;NRMOVICRED"),
                            QStringLiteral("VRMOVICRED"));
    credits.CreateDataSet();
    const auto load = [&](const QString& account) {
        credits.EmptyDataSet();
        // The same posting number on two accounts: two credits.
        credits.AppendRow({10.005, account, "1", "N"});
        credits.AppendRow({20.0, "IT1", "1", "N"});
        credits.Refresh();
        credits.First();
        marks.Restore();
    };
    load("BB1");
    marks.MarkAll([] { return true; });
    load("bb1");
    EXPECT_EQ(credits.FieldByName("IDMARCADO").ValueAt(0).toString(), "S");
    marks.MarkAll([] { return true; });
    EXPECT_EQ(marked.RecordCount(), 2);
    EXPECT_EQ(marks.TotalCents(), 1001 + 2000);
    credits.SetRecNo(0);
    marks.Toggle();
    EXPECT_EQ(marked.RecordCount(), 1);
    EXPECT_EQ(marked.FieldByName("CDREDUCONT").AsString(), "IT1");
    EXPECT_EQ(marks.TotalCents(), 2000);
}
