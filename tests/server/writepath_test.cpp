// The write path seen from a client: a write that fails half-way leaves the books as they were
// and the client a Portuguese answer while the server log keeps the database's words; a
// database held by another writer is retried and then answered; a lost connection is reopened.
#include "store/connection.h"
#include "store/sql.h"
#include "tests/server/compbooks.h"

#include <gtest/gtest.h>

#include <future>
#include <latch>
#include <thread>

namespace {

using testserver::Answer;
using testserver::Backend;
using testserver::Books;
using testserver::BooksServer;
using testserver::Delete;
using testserver::NovaComp;
using testserver::ReadBooks;

bool Sqlite(const QSqlDatabase& db) {
    return store::DialectOf(db) == store::Dialect::Sqlite;
}

bool Logged(BooksServer& server, const std::string& text) {
    for (const std::string& line : server.LogLines())
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

// ---- a statement fails after the deletion has already changed the books ----

constexpr char kTriggerText[] = "falha de teste 4711";

// The last step of a deletion removes the compensation itself; these make it fail there.
void RefuseDeletingCompensations(const QSqlDatabase& db) {
    if (Sqlite(db)) {
        store::ExecDirect(db, QStringLiteral("CREATE TRIGGER FALHA_TESTE BEFORE DELETE ON "
                                             "COMPCONTREC BEGIN SELECT RAISE(ABORT, '%1'); END")
                                  .arg(QLatin1String(kTriggerText)));
        return;
    }
    store::ExecDirect(db, QStringLiteral("CREATE FUNCTION FALHA_TESTE() RETURNS trigger LANGUAGE "
                                         "plpgsql AS $$ BEGIN RAISE EXCEPTION '%1' USING ERRCODE "
                                         "= 'check_violation'; END $$")
                              .arg(QLatin1String(kTriggerText)));
    store::ExecDirect(db, QStringLiteral("CREATE TRIGGER FALHA_TESTE BEFORE DELETE ON COMPCONTREC "
                                         "FOR EACH ROW EXECUTE FUNCTION FALHA_TESTE()"));
}

// The audit row is written last of all.
void HideAuditTable(const QSqlDatabase& db) {
    store::ExecDirect(db, QStringLiteral("ALTER TABLE AUDITCOMPREC RENAME TO AUDITCOMPREC_FORA"));
}
// Put back for the books' check when the server stops.
void ShowAuditTable(const QSqlDatabase& db) {
    store::ExecDirect(db, QStringLiteral("ALTER TABLE AUDITCOMPREC_FORA RENAME TO AUDITCOMPREC"));
}

struct FailureCase {
    const char* name;
    void (*breakBooks)(const QSqlDatabase& db);
    void (*mendBooks)(const QSqlDatabase& db);
    int code;
    const char* told;   // part of what the operator reads
    const char* logged; // part of the database's message, in the log only
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class HalfWayTest : public testing::TestWithParam<std::tuple<Backend, FailureCase>> {};

TEST_P(HalfWayTest, LeavesTheBooksAsTheyWereAndTellsTheOperatorInPortuguese) {
    const auto& [backend, c] = GetParam();
    auto server = BooksServer::Start(backend);
    if (!server)
        GTEST_SKIP() << "no PostgreSQL for this run";
    c.breakBooks(server->Db());
    const Books before = ReadBooks(server->Db());

    const Answer answer = Delete(*server, NovaComp(*server, 1));
    EXPECT_FALSE(answer.ok);
    EXPECT_EQ(answer.code, c.code);
    EXPECT_NE(answer.text.find(c.told), std::string::npos) << answer.text;
    EXPECT_EQ(answer.text.find(c.logged), std::string::npos) << answer.text;
    EXPECT_TRUE(Logged(*server, c.logged));
    EXPECT_EQ(ReadBooks(server->Db()), before);
    if (c.mendBooks)
        c.mendBooks(server->Db());
}

const FailureCase kHalfWay[] = {
    {"ConstraintRefusal", &RefuseDeletingCompensations, nullptr, -32000, "recusou a gravação",
     kTriggerText},
    {"BrokenStatement", &HideAuditTable, &ShowAuditTable, -32603, "Erro interno", "AUDITCOMPREC"},
};

INSTANTIATE_TEST_SUITE_P(WritePath, HalfWayTest,
                         testing::Combine(testing::Values(Backend::Sqlite, Backend::Postgres),
                                          testing::ValuesIn(kHalfWay)),
                         testserver::BackendAndCaseName());

// ---- another writer holds what the deletion needs ----

struct BusyCase {
    const char* name;
    int attempts;
    bool releaseOnFirstRetry;
    const char* answer; // the result, or part of the refusal
    friend void PrintTo(const BusyCase& c, std::ostream* os) { *os << c.name; }
};

class BusyTest : public testing::TestWithParam<std::tuple<Backend, BusyCase>> {};

TEST_P(BusyTest, RetriesThenAnswers) {
    const auto& [backend, c] = GetParam();
    std::promise<void> retried;
    std::once_flag once;
    auto server = BooksServer::Start(backend, [&](http::ServerConfig& config) {
        config.write = {c.attempts, std::chrono::milliseconds(40)};
        config.log = [&, inner = config.log](std::string_view line) {
            inner(line);
            if (line.find("write retried") != std::string_view::npos)
                std::call_once(once, [&] { retried.set_value(); });
        };
    });
    if (!server)
        GTEST_SKIP() << "no PostgreSQL for this run";
    const host::RecordSetTable comp = NovaComp(*server, 1);
    server->Token("ADMIN"); // log in before the lock is taken
    const QSqlDatabase db = server->Db();
    const Books before = ReadBooks(db);

    // SQLite: the database's write lock; PostgreSQL: the compensation's row.
    if (Sqlite(db)) {
        store::ExecDirect(db, QStringLiteral("BEGIN IMMEDIATE"));
    } else {
        store::ExecDirect(db, QStringLiteral("BEGIN"));
        store::Run(db, QStringLiteral("SELECT 1 FROM COMPCONTREC WHERE CDEMPRESA = '01' AND "
                                      "NRLANCCOMPREC = '0000000001' FOR UPDATE"))
            .next();
    }
    Answer answer;
    std::thread caller([&] { answer = Delete(*server, comp); });
    // A server that never retries must fail the test, not hang it.
    const bool sawRetry =
        !c.releaseOnFirstRetry ||
        retried.get_future().wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    if (!c.releaseOnFirstRetry)
        caller.join();
    store::ExecDirect(db, QStringLiteral("ROLLBACK"));
    if (caller.joinable())
        caller.join();
    EXPECT_TRUE(sawRetry);

    if (c.releaseOnFirstRetry) {
        ASSERT_TRUE(answer.ok) << answer.text;
        EXPECT_EQ(answer.text, c.answer);
        EXPECT_NE(ReadBooks(db), before);
    } else {
        EXPECT_EQ(answer.code, -32000);
        EXPECT_NE(answer.text.find(c.answer), std::string::npos) << answer.text;
        EXPECT_EQ(ReadBooks(db), before);
    }
    EXPECT_TRUE(Logged(*server, "attempt 2"));
}

const BusyCase kBusy[] = {
    {"GivesUp", 3, false, "ocupado"},
    {"WritesOnceReleased", 100, true, "OK"},
};

INSTANTIATE_TEST_SUITE_P(WritePath, BusyTest,
                         testing::Combine(testing::Values(Backend::Sqlite, Backend::Postgres),
                                          testing::ValuesIn(kBusy)),
                         testserver::BackendAndCaseName());

// ---- a repeated Idempotency-Key ----

qint64 AuditedDeletions(const QSqlDatabase& db, const char* numero) {
    const auto rows = testserver::Rows(db,
                                       "SELECT COUNT(*) FROM AUDITCOMPREC WHERE CDEMPRESA = '01' "
                                       "AND NRLANCCOMPREC = :N AND IDOPERACAO = 'E'",
                                       {{"N", QString::fromLatin1(numero)}});
    return rows.at(0).at(0).toLongLong();
}

class RepeatTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        m_server = BooksServer::Start(GetParam());
        if (!m_server)
            GTEST_SKIP() << "no PostgreSQL for this run";
    }
    std::unique_ptr<BooksServer> m_server;
};

TEST_P(RepeatTest, GetsTheFirstAnswerAndWritesNothing) {
    BooksServer& server = *m_server;
    const QSqlDatabase db = server.Db();
    const host::RecordSetTable one = NovaComp(server, 1);
    const host::RecordSetTable six = NovaComp(server, 6);
    const httplib::Headers key{{"Idempotency-Key", "exclui-0001"}};

    ASSERT_EQ(Delete(server, one, "ADMIN", key).text, "OK");
    const Books after = ReadBooks(db);
    const Answer repeat = Delete(server, one, "ADMIN", key);
    EXPECT_TRUE(repeat.ok);
    EXPECT_EQ(repeat.text, "OK");
    EXPECT_EQ(ReadBooks(db), after);
    EXPECT_EQ(AuditedDeletions(db, "0000000001"), 1);

    // The key names one request: sent with another, it is refused and nothing happens.
    EXPECT_EQ(Delete(server, six, "ADMIN", key).code, -32000);
    EXPECT_EQ(ReadBooks(db), after);
    // Keys are the operator's own; without one, a repeat is a new request.
    EXPECT_NE(Delete(server, one, "MARIA", key).text.find("não encontrada"), std::string::npos);
    EXPECT_NE(Delete(server, one).text.find("não encontrada"), std::string::npos);
}

TEST_P(RepeatTest, SentAtOnceWritesOnceAndAnswersAllAlike) {
    constexpr int kClients = 4;
    BooksServer& server = *m_server;
    const host::RecordSetTable one = NovaComp(server, 1);
    server.Token("ADMIN");
    std::latch start(kClients);
    std::vector<Answer> answers(kClients);
    std::vector<std::thread> clients;
    for (int i = 0; i < kClients; ++i)
        clients.emplace_back([&, i] {
            start.arrive_and_wait();
            answers[size_t(i)] = Delete(server, one, "ADMIN", {{"Idempotency-Key", "simultanea"}});
        });
    for (auto& client : clients)
        client.join();
    for (const Answer& answer : answers)
        EXPECT_EQ(answer.text, "OK");
    EXPECT_EQ(AuditedDeletions(server.Db(), "0000000001"), 1);
}

// Regression: a read of the write path that failed passed for "no row", so the call answered a
// refusal and stored it under the key, and every retry replayed it.
TEST_P(RepeatTest, AFailedReadIsADatabaseErrorAndTheKeyRunsAgain) {
    BooksServer& server = *m_server;
    const QSqlDatabase db = server.Db();
    const host::RecordSetTable one = NovaComp(server, 1);
    const httplib::Headers key{{"Idempotency-Key", "exclui-falha"}};
    // Reading compensation 1 fails at its row, after the statement started.
    const QString failing =
        Sqlite(db) ? QStringLiteral("json('x') IS NOT NULL") : QStringLiteral("1 / 0 = 1");
    store::ExecDirect(db, QStringLiteral("ALTER TABLE COMPCONTREC RENAME TO COMPCONTREC_T"));
    store::ExecDirect(db, QStringLiteral("CREATE VIEW COMPCONTREC AS SELECT * FROM COMPCONTREC_T "
                                         "WHERE NRLANCCOMPREC <> '0000000001' OR %1")
                              .arg(failing));
    const Answer failed = Delete(server, one, "ADMIN", key);
    EXPECT_FALSE(failed.ok) << "a database failure, not an answer: " << failed.text;
    store::ExecDirect(db, QStringLiteral("DROP VIEW COMPCONTREC"));
    store::ExecDirect(db, QStringLiteral("ALTER TABLE COMPCONTREC_T RENAME TO COMPCONTREC"));
    EXPECT_EQ(Delete(server, one, "ADMIN", key).text, "OK");
}

TEST_P(RepeatTest, RefusesAKeyThatCannotBeStored) {
    for (const std::string& bad : {std::string("com espaço"), std::string(101, 'k')}) {
        const auto result = m_server->Call("SetExcluiCompensacao",
                                           "[" + testserver::Json(NovaComp(*m_server, 1)) + "]",
                                           "ADMIN", {{"Idempotency-Key", bad}});
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 400) << bad;
    }
    EXPECT_EQ(AuditedDeletions(m_server->Db(), "0000000001"), 0);
}

INSTANTIATE_TEST_SUITE_P(WritePath, RepeatTest, testing::Values(Backend::Sqlite, Backend::Postgres),
                         [](const auto& info) { return testserver::BackendName(info.param); });

// ---- the database closes the server's connection ----

TEST(ConnectionLossTest, NextCallReopensIt) {
    auto server = BooksServer::Start(Backend::Postgres,
                                     [](http::ServerConfig& config) { config.threads = 1; });
    if (!server)
        GTEST_SKIP() << "no PostgreSQL for this run";
    const std::string list = R"(["01",null,null,null,null,"",""])";
    ASSERT_TRUE(testserver::ParseAnswer(server->Call("GetCompensacao", list)).ok);
    store::Run(server->Db(), QStringLiteral("SELECT pg_terminate_backend(pid) FROM "
                                            "pg_stat_activity WHERE datname = current_database() "
                                            "AND pid <> pg_backend_pid()"))
        .next();

    const Answer lost = testserver::ParseAnswer(server->Call("GetCompensacao", list));
    EXPECT_EQ(lost.code, -32000);
    EXPECT_NE(lost.text.find("conexão"), std::string::npos) << lost.text;
    const Answer again = testserver::ParseAnswer(server->Call("GetCompensacao", list));
    EXPECT_TRUE(again.ok) << again.text;
}

} // namespace
