// The unused credits of a company, filtered by date, value, credit type and account, over HTTP,
// on SQLite and (when the test run started one) PostgreSQL. The demo's open credits: credit k
// (1..6) on accounts BB1 and IT1 of company 01 is numbered k, dated 3k days ago, worth
// 50.00 + k * 123.45, of type 01..04 by k % 4 (k = 1: 02); four more on BB1 are used.

#include "tests/support/booksserver.h"
#include "tests/support/cells.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using testserver::Answer;
using testserver::Backend;
using testserver::BooksServer;
using testserver::Column;
using testserver::Quoted;

class Servers {
public:
    static BooksServer* Get(Backend backend) {
        auto& servers = Map();
        if (!servers.contains(backend))
            servers[backend] = BooksServer::Start(backend);
        return servers[backend].get();
    }
    static void Release() { Map().clear(); }

private:
    static std::map<Backend, std::unique_ptr<BooksServer>>& Map() {
        static std::map<Backend, std::unique_ptr<BooksServer>> servers;
        return servers;
    }
};

std::string DateParam(std::optional<int> daysFromToday) {
    return daysFromToday ? Quoted(QDate::currentDate()
                                      .addDays(*daysFromToday)
                                      .toString(Qt::ISODate)
                                      .toStdString() +
                                  "T00:00:00")
                         : "null";
}

struct Caso {
    const char* name;
    const char* operador;
    const char* empresa;
    std::optional<int> from, to; // days from today
    const char* valueFrom;
    const char* valueTo;
    std::string types;
    std::string accounts;
    const char* keys; // account:number in answer order, blank-separated
    int errorCode;    // 0: answered
    friend void PrintTo(const Caso& c, std::ostream* os) { *os << c.name; }
};

class CreditosTest : public testing::TestWithParam<std::tuple<Backend, Caso>> {
protected:
    static void TearDownTestSuite() { Servers::Release(); }
};

TEST_P(CreditosTest, UnusedCreditsOfTheCompanyMatchingTheFilter) {
    const auto& [backend, c] = GetParam();
    BooksServer* server = Servers::Get(backend);
    if (server == nullptr)
        GTEST_SKIP() << "no PostgreSQL for this run";
    const std::string params = "[" + Quoted(c.empresa) + "," + DateParam(c.from) + "," +
                               DateParam(c.to) + "," + c.valueFrom + "," + c.valueTo + "," +
                               Quoted(c.types) + "," + Quoted(c.accounts) + "]";
    const Answer answer = testserver::ParseAnswer(server->Call("GetCreditos", params, c.operador));
    if (c.errorCode != 0) {
        EXPECT_FALSE(answer.ok);
        EXPECT_EQ(answer.code, c.errorCode) << answer.text;
        return;
    }
    ASSERT_TRUE(answer.ok) << answer.text;
    ASSERT_EQ(answer.tables.size(), 1u);
    const host::RecordSetTable& t = answer.tables[0];
    QStringList keys;
    for (const auto& row : t.rows) {
        keys << row[Column(t.fields, "CDREDUCONT")].toString() + ":" +
                    QString::number(row[Column(t.fields, "NRMOVICRED")].toString().toInt());
        EXPECT_EQ(row[Column(t.fields, "CDEMPRESA")].toString(), c.empresa);
        EXPECT_EQ(row[Column(t.fields, "IDMARCADO")].toString(), "N");
    }
    EXPECT_EQ(keys.join(' '), c.keys);
}

const char* const kAll01 =
    "BB1:6 IT1:6 BB1:5 IT1:5 BB1:4 IT1:4 BB1:3 IT1:3 BB1:2 IT1:2 BB1:1 IT1:1";

// clang-format off
const Caso kCasos[] = {
    // 0 to 0 is no value bound; the used credits of BB1 (7..10) never show.
    {"NoBounds", "ADMIN", "01", {}, {}, "0", "0", "", "", kAll01, 0},
    {"DateRangeInclusive", "ADMIN", "01", -9, -3, "0", "0", "", "",
     "BB1:3 IT1:3 BB1:2 IT1:2 BB1:1 IT1:1", 0},
    // Bounds are exact to the cent and inclusive.
    {"ValueRangeInclusive", "ADMIN", "01", {}, {}, "296.9", "420.35", "", "",
     "BB1:3 IT1:3 BB1:2 IT1:2", 0},
    {"ValueToOnly", "ADMIN", "01", {}, {}, "0", "173.45", "", "", "BB1:1 IT1:1", 0},
    {"TypeList", "ADMIN", "01", {}, {}, "0", "0", "'C02','C04'", "",
     "BB1:5 IT1:5 BB1:3 IT1:3 BB1:1 IT1:1", 0},
    {"AccountList", "ADMIN", "01", {}, {}, "0", "0", "", "'IT1'",
     "IT1:6 IT1:5 IT1:4 IT1:3 IT1:2 IT1:1", 0},
    // Quotes and semicolons inside the listed keys stay values.
    {"ListsWithQuotesStayValues", "ADMIN", "01", {}, {}, "0", "0", "'C02'' OR ''1''=''1'",
     "'IT1'';--','BB1;'", "", 0},
    {"OtherCompanysOwn", "ADMIN", "02", {}, {}, "0", "0", "", "",
     "BB1:4 BR1:4 BB1:3 BR1:3 BB1:2 BR1:2 BB1:1 BR1:1", 0},
    {"CompanyNotTheOperators", "MARIA", "03", {}, {}, "0", "0", "", "", "", -32000},
    {"AccountListMalformed", "ADMIN", "01", {}, {}, "0", "0", "", "IT1", "", -32602},
    {"TypeWithoutItsPrefix", "ADMIN", "01", {}, {}, "0", "0", "'02'", "", "", -32602},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Casos, CreditosTest,
                         testing::Combine(testing::Values(Backend::Sqlite, Backend::Postgres),
                                          testing::ValuesIn(kCasos)),
                         testserver::BackendAndCaseName());

TEST(CreditosFieldsTest, InTheOrderOfTheScreensCreditsWithExactValues) {
    BooksServer* server = Servers::Get(Backend::Sqlite);
    ASSERT_NE(server, nullptr);
    const Answer answer =
        testserver::ParseAnswer(server->Call("GetCreditos", R"(["01",null,null,0,0,"","'IT1'"])"));
    Servers::Release();
    ASSERT_TRUE(answer.ok) << answer.text;
    const host::RecordSetTable& t = answer.tables.at(0);
    QStringList names;
    for (const host::FieldDef& field : t.fields)
        names << field.name;
    EXPECT_EQ(names.join(','), "DTMOVICRED,DSTPCREDBANC,CDTPCREDBANC,DSMOVICRED,VRMOVICRED,"
                               "CDREDUCONT,CDEMPRESA,NRMOVICRED,IDMARCADO");
    EXPECT_EQ(t.fields[8].type, host::FieldType::FixedString);
    const auto& newest = t.rows.back(); // IT1:1
    EXPECT_EQ(newest[0].toDateTime(), QDate::currentDate().addDays(-3).startOfDay());
    EXPECT_EQ(newest[1].toString(), "TED recebida");
    EXPECT_EQ(newest[4].toDouble(), 173.45);
}

} // namespace
