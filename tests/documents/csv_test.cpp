// The CSV rules a spreadsheet set up for Brazil relies on.
#include "documents/csv.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

using documents::Kind;

struct Field {
    const char* name;
    const char* shown;
    Kind kind;
    const char* written;
};

class CsvFieldTest : public testing::TestWithParam<Field> {};

TEST_P(CsvFieldTest, WritesTheShownText) {
    const Field& f = GetParam();
    EXPECT_EQ(documents::CsvField(QString::fromUtf8(f.shown), f.kind),
              QString::fromUtf8(f.written));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, CsvFieldTest,
    testing::Values(Field{"Plain", "Mercado Bom Preço", Kind::Text, "Mercado Bom Preço"},
                    Field{"Semicolon", "A; B", Kind::Text, "\"A; B\""},
                    Field{"Quotes", "O \"Bom\"", Kind::Text, "\"O \"\"Bom\"\"\""},
                    Field{"LineFeed", "a\nb", Kind::Text, "\"a\nb\""},
                    Field{"CarriageReturn", "a\rb", Kind::Text, "\"a\rb\""},
                    Field{"TextKeepsItsDots", "5030/1.2", Kind::Text, "5030/1.2"},
                    Field{"MoneyLosesGrouping", "1.234.567,89", Kind::Number, "1234567,89"},
                    Field{"Negative", "-1.234,50", Kind::Number, "-1234,50"},
                    Field{"Count", "2", Kind::Number, "2"}, Field{"Null", "", Kind::Number, ""},
                    Field{"Date", "01/12/2026", Kind::Date, "01/12/2026"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CsvTest, ByteOrderMarkCaptionsAndCrLfLinesAndAStopLeavesItUnfinished) {
    documents::Table table;
    table.columns = {{"Cliente", Kind::Text, 0}, {"Vr.; Líquido", Kind::Number, 0}};
    table.rows = {{"Ana", "1.500,00"}, {"Bruno", "0,00"}};
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ASSERT_TRUE(documents::WriteCsv(out, table));
    EXPECT_EQ(out.data(), QByteArray("\xEF\xBB\xBF"
                                     "Cliente;\"Vr.; Líquido\"\r\nAna;1500,00\r\nBruno;0,00\r\n"));
    QBuffer stopped;
    stopped.open(QIODevice::WriteOnly);
    EXPECT_FALSE(documents::WriteCsv(stopped, table, [](qsizetype, qsizetype) { return false; }));
}

} // namespace
