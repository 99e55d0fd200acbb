// Positional parameters: what each declared type accepts, and what the handlers then read.
#include "server/rpc/params.h"

#include <gtest/gtest.h>

namespace {

using rpc::Params;
using rpc::ParamType;

struct ShapeCase {
    const char* json;
    ParamType type;
    bool accepted;
};

void PrintTo(const ShapeCase& c, std::ostream* os) {
    *os << c.json << " as type " << int(c.type);
}

class ParamShapeTest : public testing::TestWithParam<ShapeCase> {};

TEST_P(ParamShapeTest, MatchesOnlyItsType) {
    simdjson::dom::parser parser;
    EXPECT_EQ(Params::Matches(parser.parse(std::string(GetParam().json)), GetParam().type),
              GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ParamShapeTest,
    testing::Values(
        ShapeCase{R"("01")", ParamType::String, true}, ShapeCase{"1", ParamType::String, false},
        ShapeCase{"null", ParamType::String, false}, ShapeCase{"12", ParamType::Number, true},
        ShapeCase{"-0.5", ParamType::Number, true}, ShapeCase{R"("12")", ParamType::Number, false},
        ShapeCase{"null", ParamType::Date, true},
        ShapeCase{R"("2026-12-07T00:00:00")", ParamType::Date, true},
        ShapeCase{R"("07/12/2026")", ParamType::Date, false},
        ShapeCase{"0", ParamType::Date, false},
        ShapeCase{R"({"fields":[],"rows":[]})", ParamType::RecordSet, true},
        ShapeCase{"[]", ParamType::RecordSet, false}));

TEST(Params, ReadsWhatTheSignatureAccepted) {
    simdjson::dom::parser parser;
    simdjson::dom::array list = parser.parse(std::string(
        R"(["Compensação", 7, 150.25, "2026-12-07T00:00:00", null,
           {"fields":[{"name":"CDEMPRESA","type":"string","size":2}],"rows":[["01"]]}])"));
    std::vector<simdjson::dom::element> values(list.begin(), list.end());
    const Params params(values);
    EXPECT_EQ(params.String(0), QStringLiteral("Compensação"));
    EXPECT_EQ(params.Number(1), 7.0);
    EXPECT_EQ(params.Number(2), 150.25);
    EXPECT_EQ(params.Date(3), QDate(2026, 12, 7));
    EXPECT_FALSE(params.Date(4).isValid());
    const host::RecordSetTable table = params.RecordSet(5);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0][0].toString(), "01");
}

} // namespace
