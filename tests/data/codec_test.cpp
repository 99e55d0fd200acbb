#include "data/codec.h"
#include "data/jsonwriter.h"
#include "data/recordset.h"
#include "tests/data/fielddef.h"

#include <QJsonDocument>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace host {
namespace {

using testdata::Def;

RecordSetTable EveryType() {
    RecordSetTable table;
    table.fields = {Def("IDMARCADO", FieldType::FixedString, 1),
                    Def("DTVENBOLREC", FieldType::DateTime), Def("VRFINALBREC", FieldType::Float),
                    Def("DOCUMENTO", FieldType::String, 26)};
    table.rows.push_back({QStringLiteral("N"), QDateTime(QDate(2026, 12, 7), QTime(0, 0)), 150.25,
                          QStringLiteral("Compensação \"1\"\\ \t\n\x01 €𝄞")});
    table.rows.push_back({QVariant(), QVariant(), QVariant(), QVariant()});
    table.rows.push_back({QStringLiteral(""), QDateTime(QDate(1999, 1, 2), QTime(23, 59, 58)), 0.1,
                          QStringLiteral("123/1")});
    table.rows.push_back({QStringLiteral("S"), QDateTime(QDate(2026, 1, 31), QTime(0, 0)), -1e-300,
                          QStringLiteral("x")});
    return table;
}

TEST(CodecTest, RoundTripKeepsStructureValuesNullsAndText) {
    const RecordSetTable table = EveryType();
    const QByteArray json = codec::Encode(table);
    const RecordSetTable back = codec::Decode(json);
    ASSERT_EQ(back.fields.size(), table.fields.size());
    for (qsizetype i = 0; i < table.fields.size(); ++i) {
        EXPECT_EQ(back.fields[i].name, table.fields[i].name);
        EXPECT_EQ(back.fields[i].type, table.fields[i].type);
        EXPECT_EQ(back.fields[i].size, table.fields[i].size);
    }
    ASSERT_EQ(back.rows.size(), table.rows.size());
    for (size_t r = 0; r < table.rows.size(); ++r)
        for (size_t c = 0; c < table.rows[r].size(); ++c) {
            EXPECT_EQ(back.rows[r][c].isValid(), table.rows[r][c].isValid()) << r << "," << c;
            EXPECT_EQ(back.rows[r][c], table.rows[r][c]) << r << "," << c;
        }
    // Accents stay verbatim UTF-8, not \u escapes.
    EXPECT_TRUE(json.contains("Compensação"));
    EXPECT_TRUE(json.contains("\"2026-12-07T00:00:00\""));
    // Another parser reads the same text.
    EXPECT_FALSE(QJsonDocument::fromJson(json).isNull());
}

// Decoding keeps built date-times for reuse; with more distinct instants than it keeps, each
// row must still get its own.
TEST(CodecTest, ManyDistinctDateTimesDecodeToThemselves) {
    RecordSetTable table;
    table.fields = {Def("DT", FieldType::DateTime)};
    const QDateTime base(QDate(2026, 1, 1), QTime(0, 0));
    for (int i = 0; i < 70000; ++i)
        table.rows.push_back({base.addSecs(i * 61)});
    const RecordSetTable back = codec::Decode(codec::Encode(table));
    ASSERT_EQ(back.rows.size(), table.rows.size());
    for (size_t r = 0; r < table.rows.size(); ++r)
        ASSERT_EQ(back.rows[r][0], table.rows[r][0]) << r;
}

TEST(CodecTest, WireShapeOfFieldsAndRows) {
    RecordSetTable table;
    table.fields = {Def("IDMARCADO", FieldType::FixedString, 1),
                    Def("DTVENBOLREC", FieldType::DateTime), Def("VRFINALBREC", FieldType::Float)};
    table.rows.push_back({QStringLiteral("N"), QDateTime(QDate(2026, 12, 7), QTime(0, 0)), 150.0});
    EXPECT_EQ(codec::Encode(table).toStdString(),
              R"({"fields":[{"name":"IDMARCADO","type":"fixedstring","size":1},)"
              R"({"name":"DTVENBOLREC","type":"datetime"},{"name":"VRFINALBREC","type":"float"}],)"
              R"("rows":[["N","2026-12-07T00:00:00",150]]})");
}

TEST(CodecTest, RecordSetDataRoundTripKeepsFieldObjectsAndPresentation) {
    RecordSet source;
    source.SetTable(EveryType());
    RecordSet target;
    target.SetFieldDefs({Def("DOCUMENTO", FieldType::String, 26)});
    Field& documento = target.FieldByName("DOCUMENTO");
    documento.SetDisplayLabel(QStringLiteral("Doc./Série"));
    documento.SetOnGetText([](const Field&, int) { return QStringLiteral("hooked"); });
    QSignalSpy opened(&target, &RecordSet::afterOpen);

    target.SetData(source.Data());
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(target.RecordCount(), 4);
    EXPECT_EQ(&target.FieldByName("DOCUMENTO"), &documento);
    EXPECT_EQ(documento.Index(), 3);
    EXPECT_EQ(documento.DisplayLabel(), QStringLiteral("Doc./Série"));
    EXPECT_EQ(documento.DisplayTextAt(0), QStringLiteral("hooked"));
    EXPECT_EQ(target.RecNo(), 0);
    EXPECT_EQ(target.Data(), source.Data());

    // A field bound elsewhere that a later answer no longer carries reads null, safely.
    RecordSetTable other;
    other.fields = {Def("X", FieldType::Float)};
    other.rows.push_back({1.0});
    target.SetTable(other);
    EXPECT_FALSE(documento.ValueAt(0).isValid());
    target.Edit();
    EXPECT_THROW(documento.SetAsString("x"), std::logic_error);
}

struct Refusal {
    const char* name;
    const char* json;
    const char* message; // part of the error text
};

class CodecRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(CodecRefusalTest, RefusesWithClearMessageAndLeavesRecordSetAlone) {
    RecordSet rs;
    rs.SetTable(EveryType());
    rs.SetRecNo(2);
    const QByteArray before = rs.Data();
    try {
        rs.SetData(QByteArray(GetParam().json));
        FAIL() << "accepted";
    } catch (const CodecError& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().message), std::string::npos)
            << error.what();
    }
    EXPECT_EQ(rs.Data(), before);
    EXPECT_EQ(rs.RecNo(), 2);
    EXPECT_EQ(rs.FieldCount(), 4);
}

#define FIELDS_SD                                                                                  \
    R"("fields":[{"name":"A","type":"string","size":3},{"name":"D","type":"datetime"},{"name":"F","type":"float"}])"

INSTANTIATE_TEST_SUITE_P(
    Malformed, CodecRefusalTest,
    ::testing::Values(
        Refusal{"BadJson", "{\"fields\":[", "JSON inválido"}, Refusal{"Empty", "", "JSON inválido"},
        Refusal{"TrailingGarbage", "{" FIELDS_SD R"(,"rows":[]} x)", "JSON inválido"},
        Refusal{"NotObject", "[1,2]", "objeto JSON"},
        Refusal{"NoFields", R"({"rows":[]})", "lista \"fields\""},
        Refusal{"NoRows", "{" FIELDS_SD "}", "lista \"rows\""},
        Refusal{"UnknownType", R"({"fields":[{"name":"A","type":"blob"}],"rows":[]})",
                "tipo desconhecido \"blob\""},
        Refusal{"MissingName", R"({"fields":[{"type":"float"}],"rows":[]})", "sem nome"},
        Refusal{"MissingSize", R"({"fields":[{"name":"A","type":"string"}],"rows":[]})",
                "tamanho válido"},
        Refusal{"DuplicateName",
                R"({"fields":[{"name":"A","type":"float"},{"name":"a","type":"float"}],"rows":[]})",
                "definido duas vezes"},
        Refusal{"ShortRow", "{" FIELDS_SD R"(,"rows":[["a",null]]})", "a linha 1 tem 2 valores"},
        Refusal{"LongRow", "{" FIELDS_SD R"(,"rows":[["a",null,1,2]]})", "a linha 1 tem mais de 3"},
        Refusal{"RowNotList", "{" FIELDS_SD R"(,"rows":[{"A":1}]})", "a linha 1 não é uma lista"},
        Refusal{"StringForFloat", "{" FIELDS_SD R"(,"rows":[["a",null,"1.5"]]})",
                "linha 1, campo F: número esperado"},
        Refusal{"NumberForString", "{" FIELDS_SD R"(,"rows":[[1,null,1]]})",
                "campo A: texto esperado"},
        Refusal{"TooLong", "{" FIELDS_SD R"(,"rows":[["a",null,1],["abcd",null,1]]})",
                "linha 2, campo A: o texto de 4 caracteres excede o tamanho 3"},
        Refusal{"BadDateText", "{" FIELDS_SD R"(,"rows":[["a","07/12/2026",1]]})",
                "campo D: data esperada"},
        Refusal{"ImpossibleDate", "{" FIELDS_SD R"(,"rows":[["a","2026-02-30T00:00:00",1]]})",
                "campo D: data esperada"},
        Refusal{"InvalidUtf8", "{" FIELDS_SD ",\"rows\":[[\"\xff\",null,1]]}", "JSON inválido"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return info.param.name; });

TEST(JsonWriterTest, NestsEscapesAndFormatsNumbers) {
    JsonWriter out;
    out.beginObject()
        .key("jsonrpc")
        .value("2.0")
        .key("id")
        .value(7)
        .key("result")
        .beginArray()
        .value(QStringLiteral("OK \"q\"\n"))
        .value(0.1)
        .value(1e21)
        .value(qQNaN())
        .value(QVariant())
        .value(true)
        .raw("{}")
        .endArray()
        .endObject();
    EXPECT_EQ(std::string(out.view()),
              R"({"jsonrpc":"2.0","id":7,"result":["OK \"q\"\n",0.1,1e+21,null,null,true,{}]})");
}

TEST(JsonWriterTest, RecordSetAsValueOfAnAnswer) {
    RecordSetTable table;
    table.fields = {Def("A", FieldType::Float)};
    table.rows.push_back({1.5});
    JsonWriter out;
    out.beginObject().key("id").value(1).key("result");
    codec::Write(out, table);
    out.key("n").value(2).endObject();
    EXPECT_EQ(std::string(out.view()),
              R"({"id":1,"result":{"fields":[{"name":"A","type":"float"}],"rows":[[1.5]]},"n":2})");
}

TEST(JsonWriterTest, LoneSurrogateBecomesReplacementCharacter) {
    JsonWriter out;
    out.value(QString(QChar(0xD800)));
    EXPECT_EQ(out.take(), QByteArray("\"\xEF\xBF\xBD\""));
}

} // namespace
} // namespace host
