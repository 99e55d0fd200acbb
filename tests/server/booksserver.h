#pragma once

#include "data/codec.h"
#include "server/http/server.h"
#include "tests/db/testdatabase.h"

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
// new database on the throwaway PostgreSQL cluster), for tests that read or change the books.
// Stopping it checks the books' invariants (rec18000-db check) and fails the test on a fault.
class BooksServer {
public:
    // nullptr when the backend is not available to this test run. adjust may change the
    // configuration before the server starts (write policy, threads); the log is kept.
    static std::unique_ptr<BooksServer>
    Start(Backend backend, const std::function<void(http::ServerConfig&)>& adjust = {});
    ~BooksServer();

    QSqlDatabase Db() const { return m_database->Db(); }
    const store::DbUrl& Url() const { return m_database->Url(); }
    // The server's log lines so far.
    std::vector<std::string> LogLines();
    // A session token of a demo operator ("ADMIN", "MARIA", "JOAO").
    std::string Token(const std::string& operador);
    // One JSON-RPC call to the remote object; params is the JSON array text.
    httplib::Result Call(const std::string& method, const std::string& params,
                         const std::string& operador = "ADMIN", const httplib::Headers& extra = {});

private:
    BooksServer() = default;
    std::unique_ptr<testdb::TestDatabase> m_database;
    std::unique_ptr<http::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    std::mutex m_tokensMutex;
    std::map<std::string, std::string> m_tokens; // logins are slow on purpose: keep them
    std::mutex m_logMutex;
    std::vector<std::string> m_log;
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
