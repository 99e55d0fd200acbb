// The company's open payable bills over HTTP, filtered as the payables filter asks, on SQLite
// and (when the test run started one) PostgreSQL. Company 02's demo payables: supplier s
// (1..6) owes 300.00 + s * 15.00, due 5s - 10 days from today, posted and issued on branch
// 0003, settled by type 04, 01, 02, 03 for s % 4 = 0..3, documents 8001..8006.
#include "db/demo.h"
#include "store/sql.h"
#include "tests/support/booksserver.h"

#include <gtest/gtest.h>

namespace {

using testserver::Answer;
using testserver::Backend;
using testserver::BooksServer;
using testserver::Quoted;

std::string Date(std::optional<int> daysFromToday) {
    return daysFromToday ? Quoted(QDate::currentDate()
                                      .addDays(*daysFromToday)
                                      .toString(Qt::ISODate)
                                      .toStdString() +
                                  "T00:00:00")
                         : "null";
}

std::string Supplier(int n) {
    return "'" + db::PartyCode(n).toStdString() + "'";
}

struct Caso {
    const char* name;
    const char* operador = "ADMIN";
    const char* empresa = "02";
    std::string suppliers{};
    const char* docFrom = "";
    const char* docTo = "";
    std::string origins{};
    std::string postings{};
    std::optional<int> dueFrom{}, dueTo{};
    std::string types{};
    const char* valueFrom = "0";
    const char* valueTo = "0";
    const char* values = ""; // open balances in answer order, blank-separated
    int errorCode = 0;       // 0: answered
    const char* setup = "";  // a statement run on the demo books first
    friend void PrintTo(const Caso& c, std::ostream* os) { *os << c.name; }
};

class BoletosPagTest : public testing::TestWithParam<std::tuple<Backend, Caso>> {};

TEST_P(BoletosPagTest, OpenPayablesOfTheCompanyMatchingTheFilter) {
    const auto& [backend, c] = GetParam();
    const auto server = BooksServer::Start(backend);
    if (server == nullptr)
        GTEST_SKIP() << "no PostgreSQL for this run";
    if (*c.setup)
        store::ExecDirect(server->Db(), QString::fromLatin1(c.setup));
    const std::string params = "[" + Quoted(c.empresa) + "," + Quoted(c.suppliers) + "," +
                               Quoted(c.docFrom) + "," + Quoted(c.docTo) + "," + Quoted(c.origins) +
                               "," + Quoted(c.postings) + "," + Date(c.dueFrom) + "," +
                               Date(c.dueTo) + "," + Quoted(c.types) + "," + c.valueFrom + "," +
                               c.valueTo + ",\"S\"]";
    const Answer answer =
        testserver::ParseAnswer(server->Call("GetBoletosPag", params, c.operador));
    if (c.errorCode != 0) {
        EXPECT_FALSE(answer.ok);
        EXPECT_EQ(answer.code, c.errorCode) << answer.text;
        return;
    }
    ASSERT_TRUE(answer.ok) << answer.text;
    ASSERT_EQ(answer.tables.size(), 1u);
    const host::RecordSetTable& t = answer.tables[0];
    QStringList values;
    for (const auto& row : t.rows) {
        values << QString::number(row[7].toDouble(), 'f', 2);
        EXPECT_TRUE(row[8].isNull()) << "nothing compensated yet";
        EXPECT_EQ(row[9].toString(), "N");
        EXPECT_EQ(row[21].toString(), c.empresa);
    }
    EXPECT_EQ(values.join(' '), c.values);
}

const char* const kAll02 = "315.00 330.00 345.00 360.00 375.00 390.00";

// clang-format off
const Caso kCasos[] = {
    {.name = "NoBounds", .values = kAll02},
    {.name = "SupplierList", .suppliers = Supplier(2) + "," + Supplier(5),
     .values = "330.00 375.00"},
    // Numbers compare as padded to ten digits, whether or not the caller padded them.
    {.name = "DocumentRangeInclusive", .docFrom = "8002", .docTo = "0000008004",
     .values = "330.00 345.00 360.00"},
    {.name = "DocumentFromOnly", .docFrom = "8005", .values = "375.00 390.00"},
    // Regression: stored numbers with letters were padded, so "NF123" missed its own range.
    {.name = "DocumentWithLettersInItsOwnRange", .docFrom = "NF123", .docTo = "NF123",
     .values = "345.00",
     .setup = "UPDATE BOLETOPAG SET NRNOTAFISC = 'NF123' WHERE CDEMPRESA = '02' AND "
              "NRNOTAFISC = '8003'"},
    {.name = "DocumentWithQuotesStaysValue", .docFrom = "8001' OR '1'='1", .docTo = "9",
     .values = ""},
    {.name = "DueRangeInclusive", .dueFrom = -5, .dueTo = 5, .values = "315.00 330.00 345.00"},
    {.name = "DueToOnly", .dueTo = 0, .values = "315.00 330.00"},
    {.name = "ValueRangeInclusive", .valueFrom = "330", .valueTo = "360.004",
     .values = "330.00 345.00 360.00"},
    {.name = "SettlementTypes", .types = "'02','04'", .values = "315.00 345.00 375.00"},
    {.name = "PostingBranchOfOthers", .postings = "'0001'", .values = ""},
    {.name = "OriginBranch", .origins = "'0003'", .values = kAll02},
    // Supplier 1 of company 01 also had two payables compensated in full: never offered again.
    {.name = "UsedInFullNotOffered", .empresa = "01", .suppliers = Supplier(1),
     .values = "163.21 173.11 183.01"},
    {.name = "OriginBranchOfCompany01", .empresa = "01", .suppliers = Supplier(1),
     .origins = "'0002'", .values = "173.11"},
    {.name = "ListsWithQuotesStayValues", .suppliers = "'x'' OR ''1''=''1'",
     .postings = "'0003'';--'", .values = ""},
    {.name = "ListMalformed", .types = "02", .errorCode = -32602},
    {.name = "CompanyNotTheOperators", .operador = "MARIA", .empresa = "03", .errorCode = -32000},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Casos, BoletosPagTest,
                         testing::Combine(testing::Values(Backend::Sqlite, Backend::Postgres),
                                          testing::ValuesIn(kCasos)),
                         testserver::BackendAndCaseName());

TEST(BoletosPagFieldsTest, InTheOrderOfTheScreensPayables) {
    const auto server = BooksServer::Start(Backend::Sqlite);
    ASSERT_NE(server, nullptr);
    const Answer answer = testserver::ParseAnswer(
        server->Call("GetBoletosPag", R"(["02","","8001","8001","","",null,null,"",0,0,"S"])"));
    ASSERT_TRUE(answer.ok) << answer.text;
    const host::RecordSetTable& t = answer.tables.at(0);
    QStringList names;
    for (const host::FieldDef& field : t.fields)
        names << field.name;
    EXPECT_EQ(names.join(','), "DTVENBOLPAG,DOCUMENTO,NRINSJURFORN,NMRAZSOCFORN,NRSEQVENPAG,"
                               "NRPARCELAPAG,NMTPBAIXAPAG,VRFINALBPAG,VRITEMCOMPREC,IDMARCADO,"
                               "CDFILIBPAG,NRLANBOLPAG,CDTPBAIXAPAG,IDTPIJURFORN,CDFORNECED,"
                               "CDFILIAL,NRLANCTONF,VRORIGPAG,CDFIMOVFLPAG,CDCLASSFINA,DTMOVFLUXO,"
                               "CDEMPRESA,DTENTRSAID");
    EXPECT_EQ(t.fields[9].type, host::FieldType::FixedString);
    ASSERT_EQ(t.rows.size(), 1u);
    EXPECT_EQ(t.rows[0][0].toDateTime(), QDate::currentDate().addDays(-5).startOfDay());
    EXPECT_EQ(t.rows[0][22].toDateTime(), QDate::currentDate().addDays(-8).startOfDay());
}

} // namespace
