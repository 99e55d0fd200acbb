#pragma once

#include "server/http/server.h"
#include "tests/db/testdatabase.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testserver {

// A real rec18000 server on an OS-chosen loopback port over a demo SQLite database, shared by
// the tests of a suite. Bind() listens before the serving thread starts, so no waiting is needed.
class ServerFixture : public testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    static httplib::Client Client();
    static std::string Login(const std::string& operador, const std::string& password);
    static httplib::Result Call(const std::string& body, const std::string& token);
    static std::vector<std::string> LogLines();
    static const store::DbUrl& Url() { return s_database->Url(); }

private:
    static inline std::unique_ptr<testdb::TestDatabase> s_database;
    static inline std::unique_ptr<http::Server> s_server;
    static inline std::thread s_thread;
    static inline int s_port = 0;
    static inline std::mutex s_logMutex;
    static inline std::vector<std::string> s_log;
};

} // namespace testserver
