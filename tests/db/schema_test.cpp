// Migrations, constraints and the screens' look-up statements, on SQLite and PostgreSQL.
#include "db/demo.h"
#include "db/generate.h"
#include "db/migrate.h"
#include "store/books.h"
#include "store/connection.h"
#include "store/sql.h"
#include "tests/support/testdatabase.h"

#include <gtest/gtest.h>

#include <QDate>

#include <map>

namespace {

using store::DbError;
using testdb::TestDatabase;

enum class Backend { Sqlite, Postgres };

void PrintTo(Backend backend, std::ostream* os) {
    *os << (backend == Backend::Sqlite ? "SQLite" : "PostgreSQL");
}

std::unique_ptr<TestDatabase> Make(Backend backend) {
    return backend == Backend::Sqlite ? TestDatabase::Sqlite() : TestDatabase::Postgres();
}

std::string BackendName(const testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::Sqlite ? "Sqlite" : "Postgres";
}

class SchemaTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        m_test = Make(GetParam());
        if (!m_test)
            GTEST_SKIP() << "no PostgreSQL server for the tests (tools/test starts one)";
    }
    QSqlDatabase Db() const { return m_test->Db(); }
    void LoadDemo() {
        db::Migrate(Db());
        db::LoadDemo(Db(), QDate::currentDate());
    }
    qint64 Count(const QString& sql) {
        QSqlQuery query = store::Run(Db(), sql);
        return query.next() ? query.value(0).toLongLong() : -1;
    }
    // The receivable bill of compensation 1 of the demo (partly compensated).
    std::pair<QString, QString> CompensatedBill() {
        QSqlQuery query = store::Run(Db(), "SELECT CDFILIBOLREC, NRLANBOLREC FROM COMPCONTREC "
                                           "WHERE CDEMPRESA = '01' AND NRLANCCOMPREC = "
                                           "'0000000001'");
        EXPECT_TRUE(query.next());
        return {query.value(0).toString(), query.value(1).toString()};
    }
    // A compensation by ADMIN on branch 0001 for customer 1, adjusting the bill with the type.
    static store::CompensationEntry Entry(const std::pair<QString, QString>& bill,
                                          const QString& ajuCtRec, const QString& reduCont) {
        store::CompensationEntry entry;
        entry.empresa = "01";
        entry.filialProc = "0001";
        entry.operador = "ADMIN";
        entry.cliente = db::PartyCode(1);
        entry.filiBolRec = bill.first;
        entry.nrLanBolRec = bill.second;
        entry.dtComp = entry.dtLanc = entry.dtBaixa = QDate::currentDate();
        entry.tpBaixaRec = "01";
        entry.ajuCtRec = ajuCtRec;
        entry.reduCont = reduCont;
        entry.when = QDateTime::currentDateTime();
        return entry;
    }

    std::unique_ptr<TestDatabase> m_test;
};

TEST_P(SchemaTest, MigratesAnEmptyDatabaseOnceAndIsIdempotent) {
    EXPECT_EQ(db::SchemaVersion(Db()), 0);
    EXPECT_GE(db::Migrate(Db()), 2);
    const int version = db::SchemaVersion(Db());
    EXPECT_GE(version, 2);
    EXPECT_EQ(db::Migrate(Db()), 0);
    EXPECT_EQ(db::SchemaVersion(Db()), version);
}

TEST_P(SchemaTest, RefusesABalanceBelowZeroOrAboveTheOriginal) {
    LoadDemo();
    const auto [filial, numero] = CompensatedBill();
    for (const char* balance : {"-0.01", "1500.01"}) {
        try {
            store::Run(Db(),
                       "UPDATE BOLETOREC SET VRSALDOBREC = :V WHERE CDFILIBOLREC = :F AND "
                       "NRLANBOLREC = :N",
                       {{"V", QString::fromLatin1(balance)}, {"F", filial}, {"N", numero}});
            ADD_FAILURE() << "balance " << balance << " accepted";
        } catch (const DbError& error) {
            EXPECT_TRUE(error.ConstraintViolation()) << error.what();
        }
    }
}

TEST_P(SchemaTest, RefusesASecondAdjustmentOfTheSameTypeOnABill) {
    LoadDemo();
    const auto [filial, numero] = CompensatedBill();
    const QString insert = "INSERT INTO AJUSTEREC (CDFILIBOLREC, NRLANBOLREC, CDAJUCTREC, "
                           "DTAJUSTEREC, VRAJUSTEREC) VALUES (:F, :N, :T, :D, '1.00')";
    try {
        store::Run(Db(), insert,
                   {{"F", filial}, {"N", numero}, {"T", "0001"}, {"D", QDate::currentDate()}});
        ADD_FAILURE() << "second adjustment of type 0001 accepted";
    } catch (const DbError& error) {
        EXPECT_TRUE(error.ConstraintViolation()) << error.what();
    }
    // Another type on the same bill is fine.
    EXPECT_NO_THROW(store::Run(
        Db(), insert, {{"F", filial}, {"N", numero}, {"T", "0002"}, {"D", QDate::currentDate()}}));
}

TEST_P(SchemaTest, RefusesACreditUsedByTwoCompensations) {
    LoadDemo();
    // Compensation 6 of the demo offsets a credit; compensation 1 tries to use it again.
    QSqlQuery used = store::Run(Db(), "SELECT CDREDUCONT, NRMOVICRED FROM ITCOMPCONTREC WHERE "
                                      "CDEMPRESA = '01' AND NRLANCCOMPREC = '0000000006'");
    ASSERT_TRUE(used.next());
    const QString conta = used.value(0).toString();
    const QString credito = used.value(1).toString();
    used.finish();
    EXPECT_THROW(store::Run(Db(),
                            "INSERT INTO ITCOMPCONTREC (CDEMPRESA, NRLANCCOMPREC, NRITEMCOMPREC, "
                            "CDREDUCONT, NRMOVICRED, VRITEMCOMPREC) VALUES ('01', '0000000001', "
                            "9, :C, :M, '1.00')",
                            {{"C", conta}, {"M", credito}}),
                 DbError);
}

TEST_P(SchemaTest, CompensationWriterLowersBalancesAndTheSecondUseOfABillTypeFails) {
    LoadDemo();
    const auto bill = CompensatedBill();
    const auto& [filial, numero] = bill;
    store::CompensationEntry entry = Entry(bill, "0002", "BB1");
    QSqlQuery credit = store::Run(Db(), "SELECT NRMOVICRED FROM MOVCREDBANC M WHERE CDEMPRESA = "
                                        "'01' AND CDREDUCONT = 'BB1' AND VRMOVICRED < 900 AND NOT "
                                        "EXISTS (SELECT 1 FROM ITCOMPCONTREC I WHERE I.CDEMPRESA "
                                        "= M.CDEMPRESA AND I.CDREDUCONT = M.CDREDUCONT AND "
                                        "I.NRMOVICRED = M.NRMOVICRED) ORDER BY NRMOVICRED");
    ASSERT_TRUE(credit.next());
    entry.credits.push_back({"BB1", credit.value(0).toString(), 12345});
    credit.finish();
    {
        store::Transaction transaction(Db());
        store::CompensationWriter writer(Db());
        EXPECT_EQ(writer.Write(entry), "0000000015");
        transaction.Commit();
    }
    QSqlQuery balance = store::Run(
        Db(), "SELECT VRSALDOBREC FROM BOLETOREC WHERE CDFILIBOLREC = :F AND NRLANBOLREC = :N",
        {{"F", filial}, {"N", numero}});
    ASSERT_TRUE(balance.next());
    EXPECT_EQ(store::CentsFrom(balance.value(0)), 90000 - 12345);
    balance.finish();
    // Same adjustment type on the same bill again: the whole write is refused.
    store::Transaction transaction(Db());
    store::CompensationWriter writer(Db());
    EXPECT_THROW(writer.Write(entry), DbError);
}

TEST_P(SchemaTest, PayingABillOffInPartsLeavesExactlyZero) {
    LoadDemo();
    const auto bill = CompensatedBill(); // 900.00 open
    const auto& [filial, numero] = bill;
    QSqlQuery credits = store::Run(Db(), "SELECT NRMOVICRED FROM MOVCREDBANC M WHERE CDEMPRESA = "
                                         "'01' AND CDREDUCONT = 'IT1' ORDER BY NRMOVICRED");
    std::vector<QString> unused;
    while (credits.next())
        unused.push_back(credits.value(0).toString());
    credits.finish();
    ASSERT_GE(unused.size(), 2u);
    store::Transaction transaction(Db());
    store::CompensationWriter writer(Db());
    // 900.00 - 899.90 - 0.10 in binary floats is not 0: SQLite must not keep the residue.
    const std::pair<const char*, store::Cents> parts[] = {{"0002", 89990}, {"0004", 10}};
    for (size_t i = 0; i < 2; ++i) {
        store::CompensationEntry entry = Entry(bill, parts[i].first, "IT1");
        entry.credits.push_back({"IT1", unused[i], parts[i].second});
        writer.Write(entry);
    }
    transaction.Commit();
    QSqlQuery open = store::Run(Db(),
                                "SELECT COUNT(*) FROM BOLETOREC WHERE CDFILIBOLREC = :F AND "
                                "NRLANBOLREC = :N AND VRSALDOBREC = 0",
                                {{"F", filial}, {"N", numero}});
    ASSERT_TRUE(open.next());
    EXPECT_EQ(open.value(0).toInt(), 1);
}

TEST_P(SchemaTest, DemoOperatorsPasswordsAndCompanyAccess) {
    LoadDemo();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM EMPRESA"), 3);
    EXPECT_GE(Count("SELECT COUNT(*) FROM CLIENTE"), 50);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM OPERADOR_EMPRESA WHERE CDOPERADOR = 'MARIA' AND "
                    "CDEMPRESA = '03'"),
              0);
    // Same reduced code in two companies.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM CONTCORR WHERE CDREDUCONT = 'BB1'"), 2);
    // A bill with an entry date in the future, and one partly compensated.
    QSqlQuery future = store::Run(Db(), "SELECT COUNT(*) FROM BOLETOREC WHERE DTENTRSAID > :D",
                                  {{"D", QDate::currentDate()}});
    ASSERT_TRUE(future.next());
    EXPECT_EQ(future.value(0).toInt(), 1);
    future.finish();
    EXPECT_GE(Count("SELECT COUNT(*) FROM BOLETOREC WHERE VRSALDOBREC > 0 AND VRSALDOBREC < "
                    "VRORIGREC"),
              1);
    // Every state of the list: planned, realised (settled or not), sent to the bank, payables
    // settlement realised alone.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM COMPCONTREC"), 14);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM BAIXAREC WHERE IDSITBAIXA = 'R'"), 6);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM BAIXAPAG WHERE IDSITBAIXA = 'R'"), 4);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM BOLETOREC WHERE IDENVBANCO = 'S'"), 3);
}

TEST_P(SchemaTest, GeneratedDataKeepsEveryRule) {
    db::Migrate(Db());
    db::Generate(Db(), 1, QDate::currentDate()); // loads the demo first
    EXPECT_EQ(Count("SELECT COUNT(*) FROM BOLETOREC"), 1000 + 70);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM BOLETOPAG"), 10000 + 58);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM COMPCONTREC"), 1000 + 14);
    // Every compensation's total equals its items' sum and its receivable adjustment.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM COMPCONTREC C WHERE C.VRTOTALCOMREC <> (SELECT "
                    "SUM(I.VRITEMCOMPREC) FROM ITCOMPCONTREC I WHERE I.CDEMPRESA = C.CDEMPRESA "
                    "AND I.NRLANCCOMPREC = C.NRLANCCOMPREC) OR C.VRTOTALCOMREC <> (SELECT "
                    "A.VRAJUSTEREC FROM AJUSTEREC A WHERE A.CDEMPRESA = C.CDEMPRESA AND "
                    "A.NRLANCCOMPREC = C.NRLANCCOMPREC)"),
              0);
    // Generated bills stay open for the screens.
    EXPECT_EQ(Count("SELECT COUNT(*) FROM BOLETOREC WHERE CDSERIE = 'G' AND VRSALDOBREC = 0"), 0);
}

TEST_P(SchemaTest, ToolCommandsFindCompensationsByCompanyAndNumber) {
    LoadDemo();
    EXPECT_FALSE(store::FindCompensation(Db(), "02:1").has_value());
    const auto key = store::FindCompensation(Db(), "4");
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->empresa, "01");
    EXPECT_EQ(key->numero, "0000000004");
    store::Transaction transaction(Db());
    EXPECT_TRUE(store::RealiseSettlements(Db(), key->empresa, key->numero,
                                          store::SettlementSide::Receivables));
    EXPECT_FALSE(store::RealiseSettlements(Db(), "01", "0000000099", store::SettlementSide::Both));
    transaction.Commit();
    EXPECT_EQ(Count("SELECT COUNT(*) FROM BAIXAREC WHERE IDSITBAIXA = 'R'"), 7);
    EXPECT_EQ(Count("SELECT COUNT(*) FROM BAIXAPAG WHERE IDSITBAIXA = 'R'"), 4);
}

TEST_P(SchemaTest, BranchProcessingDateIsTheLoadDate) {
    LoadDemo();
    QSqlQuery query = store::Run(Db(), "SELECT DTPROCFILI FROM FILIAL WHERE CDFILIAL = '0001'");
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toDate(), QDate::currentDate());
}

INSTANTIATE_TEST_SUITE_P(Backends, SchemaTest, testing::Values(Backend::Sqlite, Backend::Postgres),
                         BackendName);

// The screens run these look-up statements unchanged (Oracle text; NVL from the connection on
// SQLite, from our schema on PostgreSQL); an empty parameter reaches them as NULL.
struct LookUp {
    const char* name;
    const char* sql;
    std::vector<store::Binding> params;
    int minRows;
};

void PrintTo(const LookUp& lookUp, std::ostream* os) {
    *os << lookUp.name;
}

class LookUpTest : public testing::TestWithParam<std::tuple<Backend, LookUp>> {
protected:
    // One demo database per backend for the whole table.
    static TestDatabase* Shared(Backend backend) {
        auto& slot = s_databases[backend];
        if (!slot.first) {
            slot.first = true;
            slot.second = Make(backend);
            if (slot.second) {
                db::Migrate(slot.second->Db());
                db::LoadDemo(slot.second->Db(), QDate::currentDate());
            }
        }
        return slot.second.get();
    }
    static void TearDownTestSuite() { s_databases.clear(); }

private:
    static inline std::map<Backend, std::pair<bool, std::unique_ptr<TestDatabase>>> s_databases;
};

TEST_P(LookUpTest, RunsVerbatimOnTheSchema) {
    const auto& [backend, lookUp] = GetParam();
    TestDatabase* test = Shared(backend);
    if (!test)
        GTEST_SKIP() << "no PostgreSQL server for the tests";
    QSqlQuery query = store::Prepare(test->Db(), QString::fromUtf8(lookUp.sql));
    for (const auto& [name, value] : lookUp.params)
        query.bindValue(QString::fromLatin1(name), value);
    store::Exec(query);
    int rows = 0;
    while (query.next())
        ++rows;
    EXPECT_GE(rows, lookUp.minRows);
}

const QVariant kNull;

const LookUp kLookUps[] = {
    {"Empresa",
     "SELECT CDEMPRESA, NMEMPRESA FROM EMPRESA WHERE CDEMPRESA = NVL(:CDEMPRESA, CDEMPRESA) "
     "ORDER BY CDEMPRESA",
     {{":CDEMPRESA", kNull}},
     3},
    {"EmpresaUma",
     "SELECT CDEMPRESA, NMEMPRESA FROM EMPRESA WHERE CDEMPRESA = NVL(:CDEMPRESA, CDEMPRESA) "
     "ORDER BY CDEMPRESA",
     {{":CDEMPRESA", QStringLiteral("02")}},
     1},
    {"Operador", "SELECT CDOPERADOR, NMOPERADOR FROM OPERADOR ORDER BY CDOPERADOR", {}, 3},
    {"Cliente",
     "SELECT IDTPIJURCLIE, NRINSJURCLIE, NMFANTCLIE, NMRAZSOCCLIE, CDCLIENTE FROM CLIENTE WHERE "
     "NRINSJURCLIE = NVL(:NRINSJURCLIE, NRINSJURCLIE) ORDER BY NMRAZSOCCLIE",
     {{":NRINSJURCLIE", kNull}},
     50},
    {"TipoBaixaRec",
     "SELECT CDTPBAIXAREC, NMTPBAIXAREC FROM TIPOBAIXAREC WHERE IDBAIXAUTILR = 'P' AND "
     "CDTPBAIXAREC = NVL(:CDTPBAIXAREC, CDTPBAIXAREC) ORDER BY CDTPBAIXAREC",
     {{":CDTPBAIXAREC", kNull}},
     2},
    {"TipoBaixaPag",
     "SELECT CDTPBAIXAPAG, NMTPBAIXAPAG FROM TIPOBAIXAPAG WHERE IDBAIXAUTILP = 'P' AND "
     "CDTPBAIXAPAG = NVL(:CDTPBAIXAPAG, CDTPBAIXAPAG) ORDER BY CDTPBAIXAPAG",
     {{":CDTPBAIXAPAG", QStringLiteral("01")}},
     1},
    {"TpAjusRec",
     "SELECT CDAJUCTREC, DSAJUCTREC FROM TIPOAJRECEBER WHERE CDAJUCTREC = NVL(:CDAJUCTREC, "
     "CDAJUCTREC) AND IDAJUCTREC = 'D' AND IDTPAJRECEBER = 'N' ORDER BY CDAJUCTREC",
     {{":CDAJUCTREC", kNull}},
     2},
    {"TpAjusPag",
     "SELECT CDAJUCTPAG, DSAJUCTPAG FROM TIPOAJPAGAR WHERE CDAJUCTPAG = NVL(:CDAJUCTPAG, "
     "CDAJUCTPAG) AND IDAJUCTPAG = 'D' AND IDTPAJPAGAR ='N' ORDER BY CDAJUCTPAG",
     {{":CDAJUCTPAG", kNull}},
     2},
    {"ContCorr",
     "SELECT CC.CDREDUCONT, CC.CDBANCO , CC.CDAGENCIA , CC.CDCONTCORR, CC.DSCONTCORR, "
     "CC.CDCONTCTBL, BC.CDPICTCONT, BC.CDPICTAGEN FROM CONTCORR CC, BANCO BC WHERE "
     "(CC.CDEMPRESA = :P_CDEMPRESA) AND (CC.CDREDUCONT = NVL(:P_CDREDUCONT, CC.CDREDUCONT)) AND "
     "(CC.CDBANCO = BC.CDBANCO ) ORDER BY CC.CDREDUCONT",
     {{":P_CDEMPRESA", QStringLiteral("01")}, {":P_CDREDUCONT", kNull}},
     3},
    {"TpCredBanc",
     "SELECT 'C'||CDTPCREDBANC AS TIPCOD, CDTPCREDBANC, DSTPCREDBANC FROM TPCREDBANC ORDER BY "
     "CDTPCREDBANC",
     {},
     4},
    {"ContCorrEmpresa",
     "SELECT C.CDREDUCONT, C.CDBANCO, C.CDAGENCIA, C.CDCONTCORR, C.DSCONTCORR, B.CDPICTCONT, "
     "C.CDEMPRESA, E.NMEMPRESA,B.CDPICTAGEN FROM CONTCORR C, BANCO B, EMPRESA E WHERE "
     "(C.CDEMPRESA = :P_CDEMPRESA) AND (C.CDBANCO = B.CDBANCO) AND (C.CDEMPRESA = E.CDEMPRESA) "
     "ORDER BY C.CDREDUCONT",
     {{":P_CDEMPRESA", QStringLiteral("02")}},
     2},
    {"Filial", "SELECT CDFILIAL, NMFILIAL FROM FILIAL ORDER BY CDFILIAL", {}, 4},
    {"Fornecedor",
     "SELECT IDTPIJURFORN, NRINSJURFORN, NMFANTFORN, NMRAZSOCFORN, CDFORNECED FROM FORNECEDOR "
     "ORDER BY NMRAZSOCFORN",
     {},
     10},
};

INSTANTIATE_TEST_SUITE_P(Screens, LookUpTest,
                         testing::Combine(testing::Values(Backend::Sqlite, Backend::Postgres),
                                          testing::ValuesIn(kLookUps)),
                         [](const testing::TestParamInfo<LookUpTest::ParamType>& info) {
                             return std::string(std::get<0>(info.param) == Backend::Sqlite
                                                    ? "Sqlite_"
                                                    : "Postgres_") +
                                    std::get<1>(info.param).name;
                         });

} // namespace
