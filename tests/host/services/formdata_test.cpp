#include "host/services/formdata.h"
#include "host/services/formerror.h"

#include <gtest/gtest.h>

namespace {

using host::FieldType;
using host::FormData;

TEST(FormData, LoadsTheSampleForm) {
    const FormData form = FormData::Load(":/sample/sample.form");

    const QList<host::FieldDef> fields = form.RecordSetFields("cdsSample");
    ASSERT_EQ(fields.size(), 5);
    EXPECT_EQ(fields[0].name, "CDEMPRESA");
    EXPECT_EQ(fields[0].size, 2);
    EXPECT_TRUE(fields[0].required);
    EXPECT_EQ(fields[1].type, FieldType::FixedString);
    EXPECT_FALSE(fields[1].visible);
    EXPECT_EQ(fields[1].label, "");
    EXPECT_EQ(fields[2].type, FieldType::Float);
    EXPECT_EQ(fields[2].displayWidth, 14);
    EXPECT_EQ(fields[3].type, FieldType::DateTime);
    EXPECT_EQ(fields[4].label, "Agência");
    EXPECT_EQ(fields[4].editMask, "9999-a;0; "); // the trailing blank survives

    const host::QueryDef& operador = form.Query("qryOperador");
    EXPECT_EQ(operador.sqlOracle, operador.sqlMssql);
    EXPECT_EQ(operador.sqlOracle, operador.sqlIb);
    EXPECT_TRUE(operador.params.isEmpty());

    const host::QueryDef& cliente = form.Query("qryCliente");
    EXPECT_EQ(cliente.params, QStringList{"NRINSJURCLIE"});
    EXPECT_EQ(cliente.sqlIb,
              "SELECT IDTPIJURCLIE, NRINSJURCLIE, NMFANTCLIE, NMRAZSOCCLIE, CDCLIENTE FROM "
              "CLIENTE, PARAM(:NRINSJURCLIE) P1 WHERE NRINSJURCLIE = NVLSTR(P1.PARAM, "
              "NRINSJURCLIE) ORDER BY NMRAZSOCCLIE");
    EXPECT_EQ(cliente.fields.size(), 5);
    EXPECT_FALSE(cliente.fields[4].visible);
    EXPECT_TRUE(cliente.fields[4].required);

    EXPECT_THROW(form.Query("qryNada"), host::FormDataError);
    EXPECT_THROW(form.RecordSetFields("cdsNada"), host::FormDataError);
}

class FormDataRefusal : public ::testing::TestWithParam<const char*> {};

TEST_P(FormDataRefusal, NamesTheLineOfAMalformedForm) {
    try {
        FormData::Parse(QString::fromUtf8(GetParam()), "bad.form");
        FAIL() << "accepted: " << GetParam();
    } catch (const host::FormDataError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith("bad.form:")) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormDataRefusal,
    ::testing::Values("field = A | string | 1", // outside a section
                      "[recordset r]\nfield = A | text | 1",
                      "[recordset r]\nfield = A | string | x",
                      "[recordset r]\nfield = A | string | 1 | L | bold",
                      "[recordset r]\nfield = A | string | 1 | L | mask=\"9;0; ",
                      "[query q]\noracle = SELECT 1", // lacks two dialects
                      "[recordset r]\n[query r]\nsql = SELECT 1", "[form x]",
                      "[query q]\nsql = SELECT 1\ncolor = red"));

TEST(FormData, MissingResourceIsAnError) {
    EXPECT_THROW(FormData::Load(":/sample/none.form"), host::FormDataError);
}

} // namespace
