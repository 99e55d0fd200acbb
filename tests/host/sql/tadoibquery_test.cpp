#include "host/services/formdata.h"
#include "host/sql/connection.h"
#include "host/sql/tadoibquery.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>
#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

namespace {

using host::TADOIBQuery;

enum class Backend { Sqlite, Postgres };

void PrintTo(Backend backend, std::ostream* os) {
    *os << (backend == Backend::Sqlite ? "SQLite" : "PostgreSQL");
}

// The look-ups run on an in-memory SQLite database and, when the test run started a throwaway
// PostgreSQL cluster (REC18000_TEST_PG_URL), on a fresh database there with the schema's nvl.
class LookUpTest : public ::testing::TestWithParam<Backend> {
protected:
    static void SetUpTestSuite() {
        form = new host::FormData(host::FormData::Load(":/sample/sample.form"));
    }
    static void TearDownTestSuite() { delete form; }

    void SetUp() override {
        if (GetParam() == Backend::Postgres)
            OpenPostgres();
        else
            OpenSqlite();
        if (IsSkipped() || HasFatalFailure())
            return;
        Exec("CREATE TABLE EMPRESA (CDEMPRESA VARCHAR(2) PRIMARY KEY, NMEMPRESA VARCHAR(40))");
        Exec("INSERT INTO EMPRESA VALUES ('02', 'Filial Sul'), ('01', 'Matriz')");
        Exec("CREATE TABLE CLIENTE (CDCLIENTE VARCHAR(21) PRIMARY KEY, IDTPIJURCLIE VARCHAR(1),"
             " NRINSJURCLIE VARCHAR(20), NMFANTCLIE VARCHAR(50), NMRAZSOCCLIE VARCHAR(50),"
             " VRLIMITE NUMERIC(15,2), DTCADASTRO DATE)");
        Exec("INSERT INTO CLIENTE VALUES"
             " ('C1', 'F', '12345678901', 'Zé', 'Zeca da Silva', 1500.25, '2026-12-07'),"
             " ('C2', 'J', '12345678000195', 'ACME', 'Acme Ltda', NULL, NULL),"
             " ('C3', 'J', 'x'' OR ''1''=''1', 'Aspas', 'B''s Bar', 0, '2026-01-31')");
    }

    void TearDown() override {
        CloseShared();
        if (m_pgDatabase.isEmpty())
            return;
        {
            QSqlDatabase admin = QSqlDatabase::database("pgadmin", false);
            QSqlQuery drop(admin);
            EXPECT_TRUE(drop.exec("DROP DATABASE " + m_pgDatabase));
            admin.close();
        }
        QSqlDatabase::removeDatabase("pgadmin");
    }

    static void CloseShared() {
        if (!QSqlDatabase::contains(host::SharedConnectionName()))
            return;
        QSqlDatabase::database(host::SharedConnectionName(), false).close();
        QSqlDatabase::removeDatabase(host::SharedConnectionName());
    }

    void OpenSqlite() {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", host::SharedConnectionName());
        db.setDatabaseName(":memory:");
        ASSERT_TRUE(db.open()) << qPrintable(db.lastError().text());
    }

    void OpenPostgres() {
        const QUrl url(qEnvironmentVariable("REC18000_TEST_PG_URL"));
        if (url.isEmpty())
            GTEST_SKIP() << "no PostgreSQL started for the tests";
        auto connect = [&url](const QString& name, const QString& database) {
            QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", name);
            db.setHostName(url.host());
            db.setPort(url.port(5432));
            db.setUserName(url.userName());
            db.setPassword(url.password());
            db.setDatabaseName(database);
            return db;
        };
        {
            QSqlDatabase admin = connect("pgadmin", url.path().mid(1));
            ASSERT_TRUE(admin.open()) << qPrintable(admin.lastError().text());
            const QString name =
                "lookup_" + QUuid::createUuid().toString(QUuid::Id128).left(12).toLower();
            QSqlQuery create(admin);
            ASSERT_TRUE(create.exec("CREATE DATABASE " + name))
                << qPrintable(create.lastError().text());
            m_pgDatabase = name;
        }
        QSqlDatabase db = connect(host::SharedConnectionName(), m_pgDatabase);
        ASSERT_TRUE(db.open()) << qPrintable(db.lastError().text());
        // What the schema gives PostgreSQL for the Oracle texts.
        Exec("CREATE FUNCTION nvl(anycompatible, anycompatible) RETURNS anycompatible"
             " LANGUAGE sql IMMUTABLE AS 'SELECT COALESCE($1, $2)'");
    }

    static void Exec(const QString& sql) {
        QSqlQuery query(QSqlDatabase::database(host::SharedConnectionName()));
        ASSERT_TRUE(query.exec(sql)) << qPrintable(query.lastError().text());
    }

    static QStringList Column(TADOIBQuery& query, const QString& field) {
        QStringList values;
        host::RecordSet& rows = query.DataSet();
        for (int i = 0; i < rows.RecordCount(); ++i)
            values << rows.FieldByName(field).ValueAt(i).toString();
        return values;
    }

    static host::FormData* form;
    QString m_pgDatabase;
};

host::FormData* LookUpTest::form = nullptr;

TEST_P(LookUpTest, CompanyLookUpRunsItsOracleTextWithAndWithoutTheParameter) {
    TADOIBQuery query(form->Query("qryEmpresa"));
    EXPECT_EQ(query.SQL_ORACLE(), "SELECT CDEMPRESA, NMEMPRESA FROM EMPRESA WHERE CDEMPRESA = "
                                  "NVL(:CDEMPRESA, CDEMPRESA) ORDER BY CDEMPRESA");

    query.ParamByName("CDEMPRESA").SetAsString("");
    query.Open();
    EXPECT_EQ(Column(query, "CDEMPRESA"), (QStringList{"01", "02"}));
    EXPECT_EQ(query.DataSet().RecNo(), 0);

    query.Close();
    query.ParamByName("cdempresa").SetAsString("02");
    query.Open();
    EXPECT_EQ(Column(query, "NMEMPRESA"), QStringList{"Filial Sul"});
    EXPECT_EQ(query.FieldByName("NMEMPRESA").AsString(), "Filial Sul");
    EXPECT_EQ(query.FieldByName("CDEMPRESA").DisplayLabel(), "Código");

    query.ParamByName("CDEMPRESA").SetAsString("99");
    query.Open();
    EXPECT_TRUE(query.IsEmpty());
    query.Close();
    EXPECT_FALSE(query.Active());
}

TEST_P(LookUpTest, CustomerLookUpGivesItsFieldsInTheDefinitionsOrder) {
    TADOIBQuery query(form->Query("qryCliente"));
    query.ParamByName("NRINSJURCLIE").SetAsString("");
    query.Open();
    EXPECT_EQ(Column(query, "NMRAZSOCCLIE"),
              (QStringList{"Acme Ltda", "B's Bar", "Zeca da Silva"}));

    const host::RecordSet& rows = query.DataSet();
    ASSERT_EQ(rows.FieldCount(), 5);
    EXPECT_EQ(rows.FieldAt(2).FieldName(), "NMRAZSOCCLIE");
    EXPECT_EQ(rows.FieldAt(2).DisplayLabel(), "Razão Social");
    EXPECT_FALSE(rows.FieldAt(0).Visible());
    EXPECT_FALSE(rows.FieldAt(4).Visible());

    query.ParamByName("NRINSJURCLIE").SetAsString("12345678901");
    query.Open();
    EXPECT_EQ(Column(query, "CDCLIENTE"), QStringList{"C1"});
}

TEST_P(LookUpTest, AParameterWithQuotesStaysAValue) {
    TADOIBQuery query(form->Query("qryCliente"));
    query.ParamByName("NRINSJURCLIE").SetAsString("' OR '1'='1");
    query.Open();
    EXPECT_TRUE(query.IsEmpty());

    query.ParamByName("NRINSJURCLIE").SetAsString("x' OR '1'='1");
    query.Open();
    EXPECT_EQ(Column(query, "CDCLIENTE"), QStringList{"C3"});
}

TEST_P(LookUpTest, RepeatedPlaceholdersAndTypedResultsWork) {
    host::QueryDef def;
    def.name = "qryLimite";
    def.params = {"P_CLIE"};
    def.sqlOracle = def.sqlMssql = def.sqlIb =
        "SELECT CDCLIENTE, VRLIMITE, DTCADASTRO, ':P_CLIE' AS LITERAL FROM CLIENTE"
        " WHERE CDCLIENTE = NVL(:P_CLIE, CDCLIENTE) AND CDCLIENTE >= NVL(:P_CLIE, CDCLIENTE)"
        " ORDER BY CDCLIENTE";
    for (const auto& [name, type] : {std::pair{"CDCLIENTE", host::FieldType::String},
                                     std::pair{"VRLIMITE", host::FieldType::Float},
                                     std::pair{"DTCADASTRO", host::FieldType::DateTime},
                                     std::pair{"LITERAL", host::FieldType::String}}) {
        host::FieldDef field;
        field.name = name;
        field.type = type;
        def.fields << field;
    }
    TADOIBQuery query(def);
    query.Open();
    ASSERT_EQ(query.DataSet().RecordCount(), 3);
    host::RecordSet& rows = query.DataSet();
    EXPECT_EQ(rows.FieldByName("VRLIMITE").ValueAt(0), QVariant(1500.25));
    EXPECT_EQ(rows.FieldByName("DTCADASTRO").ValueAt(0).toDateTime(),
              QDate(2026, 12, 7).startOfDay());
    EXPECT_FALSE(rows.FieldByName("VRLIMITE").ValueAt(1).isValid()); // null stays null
    EXPECT_FALSE(rows.FieldByName("DTCADASTRO").ValueAt(1).isValid());
    EXPECT_EQ(rows.FieldByName("LITERAL").ValueAt(0), QVariant(QString(":P_CLIE")));

    query.ParamByName("P_CLIE").SetAsString("C2");
    query.Open();
    EXPECT_EQ(Column(query, "CDCLIENTE"), QStringList{"C2"});
}

TEST_P(LookUpTest, FailuresAreReportedNotSwallowed) {
    TADOIBQuery query(form->Query("qryEmpresa"));
    EXPECT_THROW(query.ParamByName("NADA"), std::out_of_range);

    host::QueryDef broken = form->Query("qryEmpresa");
    broken.sqlOracle = "SELECT CDEMPRESA FROM EMPRESA"; // lacks NMEMPRESA
    TADOIBQuery missingColumn(broken);
    EXPECT_THROW(missingColumn.Open(), host::SqlError);
    EXPECT_FALSE(missingColumn.Active());

    broken.sqlOracle = "SELECT FROM";
    TADOIBQuery badSql(broken);
    EXPECT_THROW(badSql.Open(), host::SqlError);

    query.SetConnectionName("nowhere");
    EXPECT_THROW(query.Open(), host::SqlError);
}

INSTANTIATE_TEST_SUITE_P(Backends, LookUpTest,
                         ::testing::Values(Backend::Sqlite, Backend::Postgres),
                         [](const ::testing::TestParamInfo<Backend>& info) {
                             return info.param == Backend::Sqlite ? "Sqlite" : "Postgres";
                         });

TEST(SqlDialect, FollowsTheDriver) {
    struct Case {
        const char* driver;
        host::SqlDialect dialect;
    };
    for (const Case& c :
         {Case{"QSQLITE", host::SqlDialect::Oracle}, Case{"QPSQL", host::SqlDialect::Oracle},
          Case{"QIBASE", host::SqlDialect::InterBase}, Case{"QODBC", host::SqlDialect::MsSql}}) {
        {
            const QSqlDatabase db = QSqlDatabase::addDatabase(c.driver, "dialect");
            EXPECT_EQ(host::DialectOf(db), c.dialect) << c.driver;
        }
        QSqlDatabase::removeDatabase("dialect");
    }
    {
        const QSqlDatabase db = QSqlDatabase::addDatabase("QMYSQL", "dialect");
        EXPECT_THROW(host::DialectOf(db), host::SqlError);
    }
    QSqlDatabase::removeDatabase("dialect");
}

} // namespace
