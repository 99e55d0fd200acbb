// Generations that meet: many clients confirming on one bill at once, and one confirmation
// repeated at once under one Idempotency-Key.
#include "tests/server/compbooks.h"
#include "tests/server/confirmation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <barrier>
#include <latch>
#include <set>
#include <thread>

namespace {

using testing::HasSubstr;
using testserver::Backend;
using testserver::BooksServer;
using testserver::Rows;
using testserver::Status;

constexpr int kClients = 16;
constexpr int kRounds = 200;

qint64 Compensations(const QSqlDatabase& db) {
    return Rows(db, "SELECT COUNT(*) FROM COMPCONTREC").at(0).at(0).toLongLong();
}

class RaceTest : public testing::TestWithParam<Backend> {};

// Every round a bill of 100,00 and, for each client, a payable (odd clients) or a credit (even
// ones) of 100,00: each client asks for the whole bill, so one may have it.
TEST_P(RaceTest, SixteenClientsOnOneBillEveryRoundOneWinsTheOthersAreToldWhy) {
    auto server = BooksServer::Start(GetParam());
    if (!server)
        GTEST_SKIP() << "no PostgreSQL for this run";
    const QSqlDatabase db = server->Db();
    std::vector<std::vector<std::string>> params(kRounds);
    for (int round = 0; round < kRounds; ++round) {
        const testserver::OpenItems items = testserver::AddOpenItems(
            db, 9600000000 + round * 100, 10000, std::vector<store::Cents>(kClients / 2, 10000),
            std::vector<store::Cents>(kClients / 2, 10000));
        for (int client = 0; client < kClients; ++client) {
            const bool payables = client % 2 == 1;
            const QString item =
                payables ? items.payables[size_t(client / 2)] : items.credits[size_t(client / 2)];
            params[size_t(round)].push_back(testserver::GenerationParams(
                testserver::Confirm(db, items.bill, payables, {item})));
        }
    }
    const qint64 before = Compensations(db);
    server->Token("ADMIN");

    std::vector<std::vector<Status>> answers(kRounds, std::vector<Status>(kClients));
    std::barrier start(kClients);
    std::vector<std::thread> clients;
    for (int client = 0; client < kClients; ++client)
        clients.emplace_back([&, client] {
            for (int round = 0; round < kRounds; ++round) {
                start.arrive_and_wait();
                answers[size_t(round)][size_t(client)] = testserver::StatusOf(
                    server->Call("SetGeraCompensacao", params[size_t(round)][size_t(client)]));
            }
        });
    for (auto& client : clients)
        client.join();

    for (int round = 0; round < kRounds; ++round) {
        int oks = 0;
        for (const Status& status : answers[size_t(round)]) {
            ASSERT_TRUE(status.answered)
                << "round " << round << ": " << status.code << " " << status.text;
            if (status.status == "OK")
                ++oks;
            else
                EXPECT_THAT(status.text, HasSubstr("Boleto a receber")) << "round " << round;
        }
        ASSERT_EQ(oks, 1) << "round " << round;
    }
    EXPECT_EQ(Compensations(db), before + kRounds);
}

TEST_P(RaceTest, ThirtyTwoRepeatsOfOneKeyAtOnceGiveOneCompensation) {
    constexpr int kRepeats = 32;
    auto server = BooksServer::Start(GetParam());
    if (!server)
        GTEST_SKIP() << "no PostgreSQL for this run";
    const QSqlDatabase db = server->Db();
    const testserver::OpenItems items =
        testserver::AddOpenItems(db, 9700000001, 50000, {20000, 10000}, {});
    const std::string params =
        testserver::GenerationParams(testserver::Confirm(db, items.bill, true, items.payables));
    const qint64 before = Compensations(db);
    server->Token("ADMIN");

    std::vector<Status> answers(kRepeats);
    std::latch start(kRepeats);
    std::vector<std::thread> clients;
    for (int i = 0; i < kRepeats; ++i)
        clients.emplace_back([&, i] {
            start.arrive_and_wait();
            answers[size_t(i)] = testserver::StatusOf(server->Call(
                "SetGeraCompensacao", params, "ADMIN", {{"Idempotency-Key", "confirma-7f3a"}}));
        });
    for (auto& client : clients)
        client.join();

    std::set<std::string> numbers;
    for (const Status& status : answers) {
        ASSERT_EQ(status.status, "OK") << status.code << " " << status.text;
        numbers.insert(status.text);
    }
    EXPECT_EQ(numbers.size(), 1u);
    EXPECT_EQ(Compensations(db), before + 1);
}

// Two operators confirm two different bills against the same payable or credit at once: one gets
// it, the other the refusal an operator gets when it was used long before (regression: on
// PostgreSQL the credit's use was tested in the statement that waited for its lock, on the old
// snapshot, and only the unique key stopped the second use, with a database error).
struct Contest {
    const char* name;
    bool payables;
    const char* told;
};
const Contest kContests[] = {{"Payable", true, "não está mais em aberto"},
                             {"Credit", false, "já foi usado na compensação"}};

class ContestTest : public testing::TestWithParam<std::tuple<Backend, Contest>> {};

TEST_P(ContestTest, OneGetsTheItemTheOtherIsToldItWasUsed) {
    constexpr int kRounds = 20;
    const auto& [backend, contest] = GetParam();
    auto server = BooksServer::Start(backend);
    if (!server)
        GTEST_SKIP() << "no PostgreSQL for this run";
    const QSqlDatabase db = server->Db();
    server->Token("ADMIN");
    server->Token("MARIA");
    for (int round = 0; round < kRounds; ++round) {
        const qint64 first = 9800000000 + round * 10;
        const std::vector<store::Cents> one{10000}, none;
        const testserver::OpenItems a = testserver::AddOpenItems(
            db, first, 10000, contest.payables ? one : none, contest.payables ? none : one);
        const testserver::OpenItems b = testserver::AddOpenItems(db, first + 5, 10000, {}, {});
        const QString item = contest.payables ? a.payables[0] : a.credits[0];
        const std::string params[] = {
            testserver::GenerationParams(testserver::Confirm(db, a.bill, contest.payables, {item})),
            testserver::GenerationParams(
                testserver::Confirm(db, b.bill, contest.payables, {item}))};
        Status answers[2];
        std::barrier start(2);
        std::vector<std::thread> clients;
        for (int client = 0; client < 2; ++client)
            clients.emplace_back([&, client] {
                start.arrive_and_wait();
                answers[client] = testserver::StatusOf(server->Call(
                    "SetGeraCompensacao", params[client], client == 0 ? "ADMIN" : "MARIA"));
            });
        for (auto& client : clients)
            client.join();
        int oks = 0;
        for (const Status& status : answers) {
            ASSERT_TRUE(status.answered) << "round " << round << ": " << status.text;
            if (status.status == "OK")
                ++oks;
            else
                EXPECT_THAT(status.text, HasSubstr(contest.told)) << "round " << round;
        }
        EXPECT_EQ(oks, 1) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(SetGeraCompensacao, ContestTest,
                         testing::Combine(testing::Values(Backend::Sqlite, Backend::Postgres),
                                          testing::ValuesIn(kContests)),
                         [](const testing::TestParamInfo<std::tuple<Backend, Contest>>& info) {
                             return std::string(testserver::BackendName(std::get<0>(info.param))) +
                                    std::get<1>(info.param).name;
                         });

INSTANTIATE_TEST_SUITE_P(SetGeraCompensacao, RaceTest,
                         testing::Values(Backend::Sqlite, Backend::Postgres),
                         [](const testing::TestParamInfo<Backend>& info) {
                             return std::string(testserver::BackendName(info.param));
                         });

} // namespace
