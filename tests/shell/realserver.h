#pragma once

// A real rec18000 server on an OS-chosen loopback port over a fresh demo SQLite database.

#include "tests/db/testdatabase.h"

#include <memory>
#include <thread>

namespace http {
class Server;
}

class RealServer {
public:
    RealServer();
    ~RealServer();
    RealServer(const RealServer&) = delete;
    RealServer& operator=(const RealServer&) = delete;

    int Port() const { return m_port; }
    QString DatabaseUrl() const;

private:
    std::unique_ptr<testdb::TestDatabase> m_database;
    std::unique_ptr<http::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
};
