#include "tests/server/serverfixture.h"

#include "db/demo.h"
#include "db/migrate.h"
#include "server/methods/methods.h"

#include <gtest/gtest.h>
#include <simdjson.h>

namespace testserver {

void ServerFixture::SetUpTestSuite() {
    s_database = testdb::TestDatabase::Sqlite();
    db::Migrate(s_database->Db());
    db::LoadDemo(s_database->Db(), QDate::currentDate());
    http::ServerConfig config;
    config.database = s_database->Url();
    config.threads = 4;
    config.log = [](std::string_view line) {
        const std::lock_guard lock(s_logMutex);
        s_log.emplace_back(line);
    };
    rpc::Registry registry;
    rec18000::RegisterCompContRec(registry);
    s_server = std::make_unique<http::Server>(config, std::move(registry));
    s_port = s_server->Bind("127.0.0.1", 0);
    s_thread = std::thread([] { s_server->Run(); });
}

void ServerFixture::TearDownTestSuite() {
    s_server->Stop();
    s_thread.join();
    s_server.reset();
    s_database.reset();
}

httplib::Client ServerFixture::Client() {
    httplib::Client client("127.0.0.1", s_port);
    client.set_read_timeout(std::chrono::seconds(60));
    client.set_write_timeout(std::chrono::seconds(60));
    client.set_tcp_nodelay(true);
    return client;
}

std::string ServerFixture::Login(const std::string& operador, const std::string& password) {
    const std::string body =
        "{\"operator\":\"" + operador + "\",\"password\":\"" + password + "\"}";
    auto result = Client().Post("/session", body, "application/json");
    if (!result || result->status != 200)
        return {};
    simdjson::dom::parser parser;
    std::string_view token;
    if (parser.parse(result->body)["token"].get(token) != simdjson::SUCCESS)
        return {};
    return std::string(token);
}

httplib::Result ServerFixture::Call(const std::string& body, const std::string& token) {
    httplib::Headers headers;
    if (!token.empty())
        headers.emplace("Authorization", "Bearer " + token);
    return Client().Post("/REC18000.rdmCompContRec", headers, body, "application/json");
}

std::vector<std::string> ServerFixture::LogLines() {
    const std::lock_guard lock(s_logMutex);
    return s_log;
}

} // namespace testserver
