// A customer's open receivable bills over HTTP, on SQLite and (when the test run started one)
// PostgreSQL: what is left of each bill, what is not offered, whose bills are shown to whom.
#include "db/demo.h"
#include "tests/support/booksserver.h"
#include "tests/support/cells.h"

#include <gtest/gtest.h>

namespace {

using testserver::Answer;
using testserver::Backend;
using testserver::BooksServer;
using testserver::Cell;
using testserver::Quoted;

// A bill as the answer lists it.
struct Bill {
    QString numero;
    double original = 0;
    double open = 0;
    QString openText;
    QString flag;
    QString customer;
    bool operator==(const Bill&) const = default;
    friend void PrintTo(const Bill& b, std::ostream* os) {
        *os << b.numero.toStdString() << " " << b.original << "/" << b.open << " "
            << b.openText.toStdString() << " " << b.flag.toStdString() << " "
            << b.customer.toStdString();
    }
};

std::vector<Bill> Bills(const Answer& answer) {
    std::vector<Bill> bills;
    if (answer.tables.size() != 1)
        return bills;
    const host::RecordSetTable& table = answer.tables[0];
    for (size_t r = 0; r < table.rows.size(); ++r)
        bills.push_back(
            {Cell(table, r, "NRLANBOLREC").toString(), Cell(table, r, "VRORIGREC").toDouble(),
             Cell(table, r, "VRFINALBREC").toDouble(), Cell(table, r, "VRLIQUIDO").toString(),
             Cell(table, r, "IDMARCADO").toString(), Cell(table, r, "CDCLIENTE").toString()});
    return bills;
}

std::string Params(const char* empresa, int customer) {
    return "[" + Quoted(empresa) + "," + Quoted(db::PartyCode(customer).toStdString()) + "]";
}

struct Case {
    const char* name;
    const char* empresa;
    int customer;
    std::vector<std::pair<double, double>> values; // original and open, by due date
    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

class OpenBillsTest : public testing::TestWithParam<std::tuple<Backend, Case>> {};

TEST_P(OpenBillsTest, EachWithWhatIsLeftOfIt) {
    const auto& [backend, c] = GetParam();
    const auto server = BooksServer::Start(backend);
    if (server == nullptr)
        GTEST_SKIP() << "no PostgreSQL for this run";
    const Answer answer =
        testserver::ParseAnswer(server->Call("GetBoletosRec", Params(c.empresa, c.customer)));
    ASSERT_TRUE(answer.ok) << answer.text;
    std::vector<std::pair<double, double>> values;
    for (const Bill& bill : Bills(answer)) {
        values.emplace_back(bill.original, bill.open);
        EXPECT_EQ(bill.flag, "N");
        EXPECT_EQ(bill.customer, db::PartyCode(c.customer));
    }
    EXPECT_EQ(values, c.values);
}

INSTANTIATE_TEST_SUITE_P(
    GetBoletosRec, OpenBillsTest,
    testing::Combine(
        testing::Values(Backend::Sqlite, Backend::Postgres),
        testing::Values(
            // 2000.00 compensated for 500.00 and settled: 1500.00 left beside two open bills.
            Case{
                "PartlyCompensated", "01", 5, {{2000.0, 1500.0}, {615.75, 615.75}, {287.5, 287.5}}},
            // 800.00 compensated in full and settled: only the two untouched bills.
            Case{"FullyCompensatedIsNotOffered", "01", 3, {{469.45, 469.45}, {244.5, 244.5}}},
            // A planned compensation has already lowered the balance.
            Case{"PlannedCompensationCounts",
                 "01",
                 1,
                 {{1500.0, 900.0}, {323.15, 323.15}, {201.5, 201.5}}},
            Case{"BillsOfAnotherCompanyAreNotListed", "01", 31, {}},
            Case{"CustomerWithoutBills", "01", 40, {}})),
    testserver::BackendAndCaseName());

TEST(OpenBillsRefusal, CompanyTheOperatorMayNotWorkFor) {
    const auto server = BooksServer::Start(Backend::Sqlite);
    ASSERT_NE(server, nullptr);
    const Answer answer =
        testserver::ParseAnswer(server->Call("GetBoletosRec", Params("03", 31), "MARIA"));
    EXPECT_FALSE(answer.ok);
    EXPECT_EQ(answer.code, -32000) << answer.text;
}

TEST(OpenBillsValues, NetValueTextAndSingleQuotesAreData) {
    const auto server = BooksServer::Start(Backend::Sqlite);
    ASSERT_NE(server, nullptr);
    const std::vector<Bill> bills =
        Bills(testserver::ParseAnswer(server->Call("GetBoletosRec", Params("01", 5))));
    ASSERT_FALSE(bills.empty());
    EXPECT_EQ(bills[0].openText, "1.500,00");
    const Answer injected =
        testserver::ParseAnswer(server->Call("GetBoletosRec", R"(["01","x' OR '1'='1"])"));
    ASSERT_TRUE(injected.ok) << injected.text;
    EXPECT_TRUE(Bills(injected).empty());
}

} // namespace
