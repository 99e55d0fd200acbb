// The JSON-RPC endpoint over HTTP: sessions, request checks, company access, GetGeralPag.
#include "data/codec.h"
#include "server/auth/session.h"
#include "server/auth/token.h"
#include "store/connection.h"
#include "store/sql.h"
#include "tests/support/booksserver.h"

#include <gtest/gtest.h>
#include <simdjson.h>

#include <atomic>
#include <thread>

namespace {

using testserver::ServerFixture;

struct ErrorAnswer {
    std::string id; // as raw JSON
    int code = 0;
    std::string message;
};

ErrorAnswer ParseError(const std::string& body) {
    simdjson::dom::parser parser;
    simdjson::dom::element answer;
    ErrorAnswer error;
    if (parser.parse(body).get(answer) != simdjson::SUCCESS)
        return error;
    error.id = simdjson::minify(answer["id"]);
    int64_t code = 0;
    std::string_view message;
    if (answer["error"]["code"].get(code) == simdjson::SUCCESS)
        error.code = int(code);
    if (answer["error"]["message"].get(message) == simdjson::SUCCESS)
        error.message = std::string(message);
    return error;
}

std::string Request(const std::string& method, const std::string& params, int id = 1) {
    return R"({"jsonrpc":"2.0","id":)" + std::to_string(id) + R"(,"method":")" + method +
           R"(","params":)" + params + "}";
}

class SessionTest : public ServerFixture {};

TEST_F(SessionTest, RightPasswordGivesATokenWrongOneDoesNot) {
    EXPECT_FALSE(Server().Login("ADMIN", "admin123").empty());
    EXPECT_TRUE(Server().Login("ADMIN", "wrong").empty());
    EXPECT_TRUE(Server().Login("NOBODY", "admin123").empty());
    auto result = Server().Client().Post("/session", "{\"operator\":1}", "application/json");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 400);
}

TEST_F(SessionTest, HealthAnswersWhileTheDatabaseIsReachable) {
    auto result = Server().Client().Get("/health");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
}

// How a request presents itself.
enum class Caller { Admin, Maria, NoToken, Forged, OtherKey, Expired };

struct RefusalCase {
    const char* name;
    Caller caller;
    std::string body;
    int httpStatus;
    int code;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusalTest : public ServerFixture, public testing::WithParamInterface<RefusalCase> {
protected:
    static std::string Token(Caller caller) {
        const QByteArray secret = auth::LoadOrCreateSecret(store::ThreadConnection(Server().Url()));
        switch (caller) {
        case Caller::Admin:
            return Server().Login("ADMIN", "admin123");
        case Caller::Maria:
            return Server().Login("MARIA", "maria123");
        case Caller::NoToken:
            return {};
        case Caller::Forged: {
            // MARIA's payload under ADMIN's signature.
            const std::string admin = Server().Login("ADMIN", "admin123");
            const std::string maria = Server().Login("MARIA", "maria123");
            return maria.substr(0, maria.find('.')) + admin.substr(admin.find('.'));
        }
        case Caller::OtherKey:
            return auth::TokenSigner("not the server's key")
                .Issue("ADMIN", std::chrono::hours(1))
                .toStdString();
        case Caller::Expired:
            return auth::TokenSigner(secret).Issue("ADMIN", std::chrono::seconds(-5)).toStdString();
        }
        return {};
    }
};

TEST_P(RefusalTest, AnswersTheErrorCode) {
    const RefusalCase& c = GetParam();
    auto result = Server().Post(c.body, Token(c.caller));
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, c.httpStatus);
    const ErrorAnswer error = ParseError(result->body);
    EXPECT_EQ(error.code, c.code) << result->body;
    EXPECT_FALSE(error.message.empty());
}

const std::string kGeral = Request("GetGeralPag", "[]");

INSTANTIATE_TEST_SUITE_P(
    Requests, RefusalTest,
    testing::Values(
        RefusalCase{"MalformedJson", Caller::Admin, R"({"jsonrpc":"2.0","id":1,"method":)", 200,
                    -32700},
        RefusalCase{"NotAnObject", Caller::Admin, "[1,2]", 200, -32600},
        RefusalCase{"NoVersion", Caller::Admin, R"({"id":1,"method":"GetGeralPag"})", 200, -32600},
        RefusalCase{"MethodNotText", Caller::Admin, R"({"jsonrpc":"2.0","id":1,"method":5})", 200,
                    -32600},
        RefusalCase{"UnknownMethod", Caller::Admin, Request("GetNada", "[]"), 200, -32601},
        RefusalCase{"TooFewParams", Caller::Admin, Request("GetBoletosRec", R"(["01"])"), 200,
                    -32602},
        RefusalCase{"TooManyParams", Caller::Admin, Request("GetGeralPag", R"(["01"])"), 200,
                    -32602},
        RefusalCase{"NumberForText", Caller::Admin, Request("GetBoletosRec", R"(["01",5])"), 200,
                    -32602},
        RefusalCase{"TextForNumber", Caller::Admin,
                    Request("GetCreditos", R"(["01",null,null,"0","0","",""])"), 200, -32602},
        RefusalCase{"BadDate", Caller::Admin,
                    Request("GetCompensacao", R"(["01","ontem",null,null,null,"",""])"), 200,
                    -32602},
        RefusalCase{"TextForRecordSet", Caller::Admin, Request("SetExcluiCompensacao", R"(["x"])"),
                    200, -32602},
        RefusalCase{"NamedParams", Caller::Admin,
                    R"({"jsonrpc":"2.0","id":1,"method":"GetGeralPag","params":{}})", 200, -32602},
        RefusalCase{"CompanyWithoutAccess", Caller::Maria,
                    Request("GetBoletosRec", R"(["03","000000000000000000031"])"), 200, -32000},
        RefusalCase{"UnknownCompany", Caller::Admin,
                    Request("GetBoletosRec", R"(["99","000000000000000000031"])"), 200, -32000},
        RefusalCase{"MissingToken", Caller::NoToken, kGeral, 401, -32001},
        RefusalCase{"ForgedToken", Caller::Forged, kGeral, 401, -32001},
        RefusalCase{"TokenOfAnotherKey", Caller::OtherKey, kGeral, 401, -32001},
        RefusalCase{"ExpiredToken", Caller::Expired, kGeral, 401, -32001}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

class EndpointTest : public ServerFixture {};

TEST_F(EndpointTest, GetGeralPagAnswersTheFiveFieldsInOrder) {
    auto result =
        Server().Post(Request("GetGeralPag", "[]", 42), Server().Login("MARIA", "maria123"));
    ASSERT_TRUE(result);
    ASSERT_EQ(result->status, 200);
    simdjson::dom::parser parser;
    simdjson::dom::element answer = parser.parse(result->body);
    EXPECT_EQ(int64_t(answer["id"]), 42);
    const host::RecordSetTable table =
        host::codec::Decode(std::string_view(simdjson::minify(answer["result"])));
    ASSERT_EQ(table.fields.size(), 5);
    const char* names[] = {"CDGERALPAG", "QTDIAANTBOLP", "QTDIAAPOBOLP", "IDHABIBOLE",
                           "IDUTLNFDEVOL"};
    const host::FieldType types[] = {host::FieldType::String, host::FieldType::Float,
                                     host::FieldType::Float, host::FieldType::String,
                                     host::FieldType::String};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(table.fields[i].name, names[i]);
        EXPECT_EQ(table.fields[i].type, types[i]) << names[i];
    }
    ASSERT_EQ(table.rows.size(), 1);
    EXPECT_EQ(table.rows[0][0].toString(), "1");
    EXPECT_EQ(table.rows[0][1].toDouble(), 30.0);
    EXPECT_EQ(table.rows[0][2].toDouble(), 30.0);
    EXPECT_EQ(table.rows[0][3].toString(), "S");
}

TEST_F(EndpointTest, StringIdIsEchoedAndANotificationGetsNoBody) {
    const std::string token = Server().Login("ADMIN", "admin123");
    auto named =
        Server().Post(R"({"jsonrpc":"2.0","id":"abc","method":"GetNada","params":[]})", token);
    ASSERT_TRUE(named);
    EXPECT_EQ(ParseError(named->body).id, "\"abc\"");
    auto notification =
        Server().Post(R"({"jsonrpc":"2.0","method":"GetGeralPag","params":[]})", token);
    ASSERT_TRUE(notification);
    EXPECT_EQ(notification->status, 204);
    EXPECT_TRUE(notification->body.empty());
}

TEST_F(EndpointTest, FiftyMegabyteBodyIsRefusedAndTheServerCarriesOn) {
    const std::string token = Server().Login("ADMIN", "admin123");
    const std::string huge(50u * 1024u * 1024u, ' ');
    auto refused = Server().Post(huge, token);
    if (refused) {
        EXPECT_EQ(refused->status, 413);
    }
    auto after = Server().Post(kGeral, token);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->status, 200);
    EXPECT_EQ(ParseError(after->body).code, 0);
}

TEST_F(EndpointTest, OneLogLinePerCallWithoutBusinessData) {
    const std::string token = Server().Login("ADMIN", "admin123");
    const size_t before = Server().LogLines().size();
    // A company the operator may not work for: a refused call.
    Server().Post(Request("GetBoletosRec", R"(["99","000000000000000000007"])"), token);
    Server().Post(Request("GetMetodoSecreto\nforged log", "[]"), token);
    const auto lines = Server().LogLines();
    ASSERT_EQ(lines.size(), before + 2);
    EXPECT_NE(lines[before].find("method=GetBoletosRec operator=ADMIN"), std::string::npos);
    EXPECT_NE(lines[before].find("outcome=error -32000"), std::string::npos);
    EXPECT_EQ(lines[before].find("000000000000000000007"), std::string::npos);
    EXPECT_EQ(lines[before + 1].find("forged"), std::string::npos);
}

TEST_F(EndpointTest, ConcurrentClientsEachGetTheirAnswer) {
    // Every worker thread opens its own connection; none may see another's query.
    const std::string token = Server().Login("ADMIN", "admin123");
    constexpr int kClients = 8;
    constexpr int kCalls = 40;
    std::atomic<int> good{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&, c] {
            for (int i = 0; i < kCalls; ++i) {
                const int id = c * 1000 + i;
                auto result = Server().Post(Request("GetGeralPag", "[]", id), token);
                simdjson::dom::parser parser;
                int64_t echoed = -1;
                if (result && result->status == 200 &&
                    parser.parse(result->body)["id"].get(echoed) == simdjson::SUCCESS &&
                    echoed == id && result->body.find("\"rows\":[[\"1\"") != std::string::npos)
                    ++good;
            }
        });
    }
    for (auto& client : clients)
        client.join();
    EXPECT_EQ(good, kClients * kCalls);
}

TEST_F(EndpointTest, UnknownRemoteObjectIsNotFound) {
    auto result = Server().Client().Post("/REC99999.rdmOutro", kGeral, "application/json");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 404);
}

} // namespace
