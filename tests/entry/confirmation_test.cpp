// What the confirmation prepares for the server: the packed row, the list of payables that
// already carry the adjustment, and the idempotency key of a retry.

#include "entry/rules/confirmation.h"

#include "data/recordset.h"
#include "tests/data/fielddef.h"

#include <gtest/gtest.h>

namespace {

using host::FieldType;
using host::RecordSet;
using host::testdata::Def;

constexpr FieldType S = FieldType::String;
constexpr FieldType F = FieldType::Float;
constexpr FieldType D = FieldType::DateTime;

TEST(PackRow, CopiesByNameWhateverTheOrderKeepingNullsAndReplacingTheLastRow) {
    RecordSet record;
    record.SetFieldDefs({Def("NMCLIENTE", S, 40), Def("VRTOTALCOMREC", F), Def("CDEMPRESA", S, 2),
                         Def("DTBAIXACOMPREC", D)});
    record.CreateDataSet();
    record.AppendRow({"Cliente", 12.34, "01", QVariant()});
    RecordSet packed;
    packed.SetFieldDefs(
        {Def("CDEMPRESA", S, 2), Def("DTBAIXACOMPREC", D), Def("VRTOTALCOMREC", F)});
    entry::PackRow(record, packed);
    entry::PackRow(record, packed);
    ASSERT_EQ(packed.RecordCount(), 1);
    EXPECT_EQ(packed.FieldByName("CDEMPRESA").AsString(), "01");
    EXPECT_DOUBLE_EQ(packed.FieldByName("VRTOTALCOMREC").AsFloat(), 12.34);
    EXPECT_TRUE(packed.FieldByName("DTBAIXACOMPREC").IsNull());
}

TEST(AdjustedPayablesText, OneLinePerPayableWithTimeOnlyWhenNotMidnight) {
    RecordSet payables;
    payables.SetFieldDefs(
        {Def("DTVENBOLPAG", D), Def("NMRAZSOCFORN", S, 40), Def("VRFINALBPAG", F)});
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    EXPECT_EQ(entry::AdjustedPayablesText(payables, brazil), "");
    payables.CreateDataSet();
    payables.AppendRow({QDateTime(QDate(2026, 12, 7), QTime(0, 0)), "Fornecedor A", 1234.5});
    payables.AppendRow({QDateTime(QDate(2026, 1, 2), QTime(9, 30)), "Fornecedor B", 1.005});
    EXPECT_EQ(entry::AdjustedPayablesText(payables, brazil),
              "07/12/2026 Fornecedor A 1.234,50\r\n02/01/2026 09:30 Fornecedor B 1,01\r\n");
}

TEST(ConfirmationKey, ARetryOfTheSameRequestKeepsItsKeyAndAnythingElseGetsANewOne) {
    entry::ConfirmationKey key;
    const QString first = key.For("request A");
    EXPECT_FALSE(first.isEmpty());
    EXPECT_EQ(key.For("request A"), first); // no answer came: the same confirmation again
    const QString changed = key.For("request B");
    EXPECT_NE(changed, first);
    key.Answered();
    EXPECT_NE(key.For("request B"), changed);
}

} // namespace
