// Moving open balances exactly: sums that floats get wrong land on the exact cent on both
// backends, and what the books forbid is refused.
#include "store/balancemover.h"
#include "store/sql.h"
#include "tests/support/testdatabase.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using store::Cents;
using testdb::TestDatabase;

constexpr store::BalanceColumn kColumn{"SALDOS", "VRSALDO", "CDFILIAL", "NRLAN"};

struct MoveCase {
    const char* name;
    const char* original;
    const char* balance;
    std::vector<Cents> moves;
    Cents expected; // -1: the last move is refused
    friend void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }
};

class BalanceMoverTest
    : public testing::TestWithParam<std::tuple<std::unique_ptr<TestDatabase> (*)(), MoveCase>> {};

TEST_P(BalanceMoverTest, LandsOnTheExactCentOrRefuses) {
    const auto& [open, c] = GetParam();
    const std::unique_ptr<TestDatabase> database = open();
    if (!database)
        GTEST_SKIP() << "no PostgreSQL for this run";
    const QSqlDatabase db = database->Db();
    store::ExecDirect(db,
                      QStringLiteral("CREATE TABLE SALDOS (CDFILIAL VARCHAR(4), NRLAN "
                                     "VARCHAR(10), VRORIG NUMERIC(15,2), VRSALDO NUMERIC(15,2), "
                                     "CHECK (VRSALDO >= 0 AND VRSALDO <= VRORIG))"));
    store::Run(db, QStringLiteral("INSERT INTO SALDOS VALUES ('0001', '0000000001', :O, :S)"),
               {{"O", QString::fromLatin1(c.original)}, {"S", QString::fromLatin1(c.balance)}});
    store::BalanceMover mover(db, kColumn);
    Cents balance = -1;
    try {
        for (const Cents move : c.moves)
            balance = mover.Move("0001", "0000000001", move);
    } catch (const store::DbError& error) {
        EXPECT_EQ(c.expected, -1) << error.what();
        EXPECT_TRUE(error.ConstraintViolation()) << error.what();
        return;
    }
    EXPECT_EQ(balance, c.expected);
    // What the database holds compares equal to the exact amount, as the list's queries do.
    QSqlQuery exact =
        store::Run(db, QStringLiteral("SELECT COUNT(*) FROM SALDOS WHERE VRSALDO = :V"),
                   {{"V", store::CentsText(c.expected)}});
    ASSERT_TRUE(exact.next());
    EXPECT_EQ(exact.value(0).toInt(), 1);
}

const MoveCase kMoves[] = {
    {"PaidOffInThirds", "0.30", "0.30", {-10, -10, -10}, 0},
    {"TakenAndGivenBack", "0.11", "0.11", {-4, 4}, 11},
    {"ManySmallSteps", "1000000.00", "1000000.00", std::vector<Cents>(100, -7), 99999300},
    {"BelowZero", "1.00", "0.50", {-51}, -1},
    {"AboveOriginal", "1.00", "0.50", {51}, -1},
};

INSTANTIATE_TEST_SUITE_P(BalanceMover, BalanceMoverTest,
                         testing::Combine(testing::Values(&TestDatabase::Sqlite,
                                                          &TestDatabase::Postgres),
                                          testing::ValuesIn(kMoves)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param) == &TestDatabase::Sqlite
                                                    ? "Sqlite"
                                                    : "Postgres") +
                                    std::get<1>(info.param).name;
                         });

TEST(BalanceMover, RefusesABillThatDoesNotExist) {
    const auto database = TestDatabase::Sqlite();
    store::ExecDirect(database->Db(), QStringLiteral("CREATE TABLE SALDOS (CDFILIAL VARCHAR(4), "
                                                     "NRLAN VARCHAR(10), VRSALDO NUMERIC(15,2))"));
    store::BalanceMover mover(database->Db(), kColumn);
    try {
        mover.Move("0001", "0000000009", 100);
        ADD_FAILURE() << "moved a balance that does not exist";
    } catch (const store::DbError& error) {
        EXPECT_TRUE(error.ConstraintViolation());
    }
}

} // namespace
