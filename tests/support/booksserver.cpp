#include "tests/support/booksserver.h"

#include "data/jsonwriter.h"
#include "db/check.h"
#include "db/demo.h"
#include "db/migrate.h"
#include "server/methods/methods.h"

#include <QDate>

#include <gtest/gtest.h>
#include <simdjson.h>

namespace testserver {

const char* BackendName(Backend backend) {
    return backend == Backend::Sqlite ? "Sqlite" : "Postgres";
}

void PrintTo(Backend backend, std::ostream* os) {
    *os << BackendName(backend);
}

std::unique_ptr<BooksServer>
BooksServer::Start(Backend backend, const std::function<void(http::ServerConfig&)>& adjust) {
    std::unique_ptr<testdb::TestDatabase> database = backend == Backend::Sqlite
                                                         ? testdb::TestDatabase::Sqlite()
                                                         : testdb::TestDatabase::Postgres();
    if (!database)
        return nullptr;
    db::Migrate(database->Db());
    db::LoadDemo(database->Db(), QDate::currentDate());
    std::unique_ptr<BooksServer> server(new BooksServer);
    server->m_database = std::move(database);
    http::ServerConfig config;
    config.database = server->m_database->Url();
    config.threads = 4;
    config.log = [s = server.get()](std::string_view line) {
        const std::lock_guard lock(s->m_logMutex);
        s->m_log.emplace_back(line);
    };
    if (adjust)
        adjust(config);
    rpc::Registry registry;
    rec18000::RegisterCompContRec(registry);
    // The server reads its signing key through the constructing thread's own connection, kept
    // until that thread ends: a thread of its own lets the test database be dropped at once.
    std::thread([&] {
        server->m_server = std::make_unique<http::Server>(config, std::move(registry));
    }).join();
    server->m_port = server->m_server->Bind("127.0.0.1", 0);
    server->m_thread = std::thread([s = server.get()] { s->m_server->Run(); });
    return server;
}

BooksServer::~BooksServer() {
    // Whatever a test did to the books through the server, it leaves them sound.
    try {
        const QStringList faults = m_checkBooks ? db::CheckBooks(Db()) : QStringList();
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    } catch (const std::exception& error) {
        ADD_FAILURE() << "books not checked: " << error.what();
    }
    m_server->Stop();
    m_thread.join();
    m_server.reset();
}

httplib::Client BooksServer::Client() const {
    httplib::Client client("127.0.0.1", m_port);
    client.set_read_timeout(std::chrono::seconds(60));
    client.set_write_timeout(std::chrono::seconds(60));
    client.set_tcp_nodelay(true);
    return client;
}

std::string BooksServer::Login(const std::string& operador, const std::string& password) {
    auto result = Client().Post(
        "/session", "{\"operator\":" + Quoted(operador) + ",\"password\":" + Quoted(password) + "}",
        "application/json");
    if (!result || result->status != 200)
        return {};
    simdjson::dom::parser parser;
    std::string_view token;
    if (parser.parse(result->body)["token"].get(token) != simdjson::SUCCESS)
        return {};
    return std::string(token);
}

std::string BooksServer::Token(const std::string& operador) {
    const std::lock_guard lock(m_tokensMutex);
    if (const auto known = m_tokens.find(operador); known != m_tokens.end())
        return known->second;
    std::string password = operador;
    for (char& c : password)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    std::string token = Login(operador, password + "123");
    if (!token.empty())
        m_tokens[operador] = token;
    return token;
}

std::vector<std::string> BooksServer::LogLines() {
    const std::lock_guard lock(m_logMutex);
    return m_log;
}

httplib::Result BooksServer::Post(const std::string& body, const std::string& token,
                                  const httplib::Headers& extra) {
    httplib::Headers headers = extra;
    if (!token.empty())
        headers.emplace("Authorization", "Bearer " + token);
    return Client().Post("/REC18000.rdmCompContRec", headers, body, "application/json");
}

httplib::Result BooksServer::Call(const std::string& method, const std::string& params,
                                  const std::string& operador, const httplib::Headers& extra) {
    const std::string body =
        R"({"jsonrpc":"2.0","id":1,"method":)" + Quoted(method) + R"(,"params":)" + params + "}";
    return Post(body, Token(operador), extra);
}

Answer ParseAnswer(const httplib::Result& result) {
    Answer answer;
    if (!result)
        return answer;
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (parser.parse(result->body).get(root) != simdjson::SUCCESS)
        return answer;
    simdjson::dom::element value;
    if (root["result"].get(value) != simdjson::SUCCESS) {
        int64_t code = 0;
        std::string_view message;
        if (root["error"]["code"].get(code) != simdjson::SUCCESS ||
            root["error"]["message"].get(message) != simdjson::SUCCESS)
            return answer;
        answer.code = int(code);
        answer.text = std::string(message);
        return answer;
    }
    answer.ok = true;
    const auto decode = [](simdjson::dom::element element) {
        return host::codec::Decode(std::string_view(simdjson::minify(element)));
    };
    if (value.is_string())
        answer.text = std::string(value.get_string().value());
    else if (value.is_array())
        for (simdjson::dom::element item : value.get_array())
            answer.tables.push_back(decode(item));
    else
        answer.tables.push_back(decode(value));
    return answer;
}

std::string Quoted(const std::string& text) {
    host::JsonWriter out;
    out.value(std::string_view(text));
    const QByteArray json = out.take();
    return json.toStdString();
}

std::string Json(const host::RecordSetTable& table) {
    return host::codec::Encode(table).toStdString();
}

} // namespace testserver
