#pragma once

#include "data/codec.h"
#include "server/http/server.h"
#include "tests/support/testdatabase.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace testserver {

enum class Backend { Sqlite, Postgres };
const char* BackendName(Backend backend);
void PrintTo(Backend backend, std::ostream* os);

// Test names for (backend, case) parameters whose case carries a name: "SqliteOtherCompany".
struct BackendAndCaseName {
    template <class Info> std::string operator()(const Info& info) const {
        return std::string(BackendName(std::get<0>(info.param))) + std::get<1>(info.param).name;
    }
};

// A real server on an OS-chosen loopback port over a demo database of its own (SQLite, or a
// new database on the throwaway PostgreSQL cluster). Bind() listens before the serving thread
// starts, so no waiting is needed. Stopping it checks the books' invariants (rec18000-db check)
// and fails the test on a fault, unless the test wrote to the books behind the server's back.
class BooksServer {
public:
    // nullptr when the backend is not available to this test run. adjust may change the
    // configuration before the server starts (write policy, threads); the log is kept.
    static std::unique_ptr<BooksServer>
    Start(Backend backend = Backend::Sqlite,
          const std::function<void(http::ServerConfig&)>& adjust = {});
    ~BooksServer();

    int Port() const { return m_port; }
    QSqlDatabase Db() const { return m_database->Db(); }
    const store::DbUrl& Url() const { return m_database->Url(); }
    // The database as the suite's --database takes it (test databases have no password).
    QString DatabaseUrl() const { return Url().Display(); }
    // The server's log lines so far.
    std::vector<std::string> LogLines();
    // The test writes to the database itself, and may break the books on purpose.
    void LeaveBooksUnchecked() { m_checkBooks = false; }

    // A client of this server that waits a minute for an answer.
    httplib::Client Client() const;
    // A new session token; empty when the server refuses the login.
    std::string Login(const std::string& operador, const std::string& password);
    // A session token of a demo operator ("ADMIN", "MARIA", "JOAO"), kept for later calls.
    std::string Token(const std::string& operador);
    // A request body to the remote object as it is, with the token unless it is empty.
    httplib::Result Post(const std::string& body, const std::string& token,
                         const httplib::Headers& extra = {});
    // One JSON-RPC call to the remote object; params is the JSON array text.
    httplib::Result Call(const std::string& method, const std::string& params,
                         const std::string& operador = "ADMIN", const httplib::Headers& extra = {});

private:
    BooksServer() = default;
    std::unique_ptr<testdb::TestDatabase> m_database;
    std::unique_ptr<http::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    bool m_checkBooks = true;
    std::mutex m_tokensMutex;
    std::map<std::string, std::string> m_tokens; // logins are slow on purpose: keep them
    std::mutex m_logMutex;
    std::vector<std::string> m_log;
};

// One SQLite server shared by the tests of a suite: for tests that leave the books as they
// found them, or whose changes the others allow.
class ServerFixture : public testing::Test {
protected:
    static void SetUpTestSuite() { s_server = BooksServer::Start(); }
    static void TearDownTestSuite() { s_server.reset(); }
    static BooksServer& Server() { return *s_server; }

private:
    static inline std::unique_ptr<BooksServer> s_server;
};

// What a JSON-RPC answer holds.
struct Answer {
    bool ok = false;  // a result (not an error)
    int code = 0;     // the error code
    std::string text; // the error message, or the result when it is a string
    std::vector<host::RecordSetTable> tables; // the result as one record set or an array of them
};
Answer ParseAnswer(const httplib::Result& result);

// JSON text of a value for params.
std::string Quoted(const std::string& text);
std::string Json(const host::RecordSetTable& table);

} // namespace testserver
