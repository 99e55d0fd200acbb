#include "tests/shell/realserver.h"

#include "db/demo.h"
#include "db/migrate.h"
#include "server/http/server.h"
#include "server/methods/methods.h"

RealServer::RealServer() : m_database(testdb::TestDatabase::Sqlite()) {
    db::Migrate(m_database->Db());
    db::LoadDemo(m_database->Db(), QDate::currentDate());
    http::ServerConfig config;
    config.database = m_database->Url();
    config.threads = 2;
    config.log = [](std::string_view) {
    };
    rpc::Registry registry;
    rec18000::RegisterCompContRec(registry);
    m_server = std::make_unique<http::Server>(config, std::move(registry));
    m_port = m_server->Bind("127.0.0.1", 0);
    m_thread = std::thread([this] { m_server->Run(); });
}

RealServer::~RealServer() {
    m_server->Stop();
    m_thread.join();
}

QString RealServer::DatabaseUrl() const {
    return QStringLiteral("sqlite:") + m_database->Url().path;
}
