#include "data/codec.h"
#include "data/recordset.h"
#include "host/net/jsonrpc.h"
#include "host/net/neterror.h"

#include <QDateTime>
#include <QPoint>

#include <gtest/gtest.h>

namespace host {
namespace {

struct ParamCase {
    const char* name;
    QVariant param;
    QByteArray json;
};

class RequestParam : public ::testing::TestWithParam<ParamCase> {};

TEST_P(RequestParam, IsWrittenAsTheWireFormatSays) {
    const QByteArray body =
        jsonrpc::Request(7, QStringLiteral("GetBoletosRec"), {GetParam().param});
    EXPECT_EQ(body, R"({"jsonrpc":"2.0","id":7,"method":"GetBoletosRec","params":[)" +
                        GetParam().json + "]}");
}

INSTANTIATE_TEST_SUITE_P(
    Values, RequestParam,
    ::testing::Values(ParamCase{"Text", QStringLiteral("01"), R"("01")"},
                      ParamCase{"TextWithQuoteAccentAndNewline",
                                QStringLiteral("Compensação \"A\"\n\\"),
                                "\"Compensação \\\"A\\\"\\u000a\\\\\""},
                      ParamCase{"Null", QVariant(), "null"},
                      ParamCase{"NoDateIsNull", QDateTime(), "null"},
                      ParamCase{"Date", QDate(2026, 12, 7), R"("2026-12-07T00:00:00")"},
                      ParamCase{"DateTime", QDateTime(QDate(2026, 12, 7), QTime(13, 45, 10)),
                                R"("2026-12-07T13:45:10")"},
                      ParamCase{"MoneyKeepsItsShortestForm", 150.25, "150.25"},
                      ParamCase{"TenthIsNotWidened", 0.1, "0.1"}, ParamCase{"Integer", 3, "3"},
                      ParamCase{"Boolean", true, "true"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Request, SendsARecordSetAsItsCodecJson) {
    RecordSet rs;
    FieldDef def;
    def.name = QStringLiteral("CDEMPRESA");
    def.size = 2;
    rs.AddFieldDef(def);
    rs.CreateDataSet();
    rs.AppendRow({QStringLiteral("01")});
    const QByteArray body = jsonrpc::Request(1, QStringLiteral("SetExcluiCompensacao"),
                                             {QVariant::fromValue(&rs), QStringLiteral("x")});
    EXPECT_TRUE(body.contains("\"params\":[" + codec::Encode(rs) + ",\"x\"]")) << body.data();
}

TEST(Request, RefusesAParamItCannotSend) {
    EXPECT_THROW(jsonrpc::Request(1, QStringLiteral("M"), {QPoint(1, 2)}), ENetError);
}

struct ResponseCase {
    const char* name;
    const char* body;
    NetAnswer::Kind kind;
    const char* json;
};

class ResponseKind : public ::testing::TestWithParam<ResponseCase> {};

TEST_P(ResponseKind, KeepsTheResultAndItsKind) {
    const NetAnswer answer = jsonrpc::Response(GetParam().body, 7);
    EXPECT_EQ(answer.GetKind(), GetParam().kind);
    EXPECT_EQ(answer.Json(), QByteArray(GetParam().json));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ResponseKind,
    ::testing::Values(
        ResponseCase{"RecordSet", R"({"jsonrpc":"2.0","id":7,"result":{"fields":[],"rows":[]}})",
                     NetAnswer::Kind::Object, R"({"fields":[],"rows":[]})"},
        ResponseCase{"IdAfterResult", R"({"result":"OK","jsonrpc":"2.0","id":7})",
                     NetAnswer::Kind::String, "OK"},
        ResponseCase{"EscapedStatus", R"({"jsonrpc":"2.0","id":7,"result":"N\u00e3o \"OK\""})",
                     NetAnswer::Kind::String, "Não \"OK\""},
        ResponseCase{"StatusPair", R"({"jsonrpc":"2.0","id":7,"result":["OK","0000000012"]})",
                     NetAnswer::Kind::Array, R"(["OK","0000000012"])"},
        ResponseCase{"Null", R"({"jsonrpc":"2.0","id":7,"result":null})", NetAnswer::Kind::Null,
                     "null"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Response, GivesTheErrorOfARefusedCall) {
    const NetAnswer answer = jsonrpc::Response(
        R"({"jsonrpc":"2.0","id":7,"error":{"code":-32000,"message":"Empresa sem acesso"}})", 7);
    ASSERT_TRUE(answer.Refused());
    EXPECT_EQ(answer.ErrorCode(), -32000);
    EXPECT_EQ(answer.ErrorMessage(), QStringLiteral("Empresa sem acesso"));
}

class ResponseOutsideProtocol : public ::testing::TestWithParam<const char*> {};

TEST_P(ResponseOutsideProtocol, Throws) {
    EXPECT_THROW(jsonrpc::Response(GetParam(), 7), ENetError);
}

INSTANTIATE_TEST_SUITE_P(Bodies, ResponseOutsideProtocol,
                         ::testing::Values("", "<html>502</html>", R"({"jsonrpc":"2.0","id":7)",
                                           R"({"jsonrpc":"2.0","id":8,"result":"OK"})",
                                           R"({"jsonrpc":"2.0","id":null,"result":"OK"})",
                                           R"({"jsonrpc":"2.0","id":7})", R"([1,2])"));

TEST(NetAnswer, SplitsAnArrayOfRecordSets) {
    const NetAnswer answer = jsonrpc::Response(
        R"({"jsonrpc":"2.0","id":7,"result":[{"fields":[],"rows":[]},{"fields":[{"name":"A","type":"float"}],"rows":[[1.5]]}]})",
        7);
    const QList<NetAnswer> items = answer.Elements();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[1].GetKind(), NetAnswer::Kind::Object);
    EXPECT_EQ(items[1].Json(),
              QByteArray(R"({"fields":[{"name":"A","type":"float"}],"rows":[[1.5]]})"));
}

} // namespace
} // namespace host
