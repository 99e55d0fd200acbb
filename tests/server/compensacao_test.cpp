// Listing stored compensations and loading one compensation's bill and items, over HTTP, on
// SQLite and (when the test run started one) PostgreSQL.
#include "db/demo.h"
#include "store/books.h"
#include "store/connection.h"
#include "store/money.h"
#include "store/sql.h"
#include "tests/support/booksserver.h"
#include "tests/support/cells.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using host::FieldType;
using testserver::Answer;
using testserver::Backend;
using testserver::BooksServer;
using testserver::Cell;
using testserver::Quoted;

QDate Today() {
    return QDate::currentDate();
}

// A date parameter as the screen sends it; null for none.
std::string DateParam(std::optional<int> daysFromToday) {
    return daysFromToday
               ? Quoted(Today().addDays(*daysFromToday).toString(Qt::ISODate).toStdString() +
                        "T00:00:00")
               : "null";
}

// A credit compensation posted by MARIA two days ago for customer 19, dated like demo
// compensation 2: number 15, yet listed between 2 and 3.
void AddMariaCompensation(const QSqlDatabase& db) {
    store::Transaction transaction(db);
    QSqlQuery bill = store::Run(db,
                                QStringLiteral("SELECT CDFILIBOLREC, NRLANBOLREC FROM BOLETOREC "
                                               "WHERE CDEMPRESA = '01' AND CDCLIENTE = :CDCLIENTE "
                                               "ORDER BY NRLANBOLREC"),
                                {{"CDCLIENTE", db::PartyCode(19)}});
    QSqlQuery credit =
        store::Run(db, QStringLiteral("SELECT NRMOVICRED, VRMOVICRED FROM MOVCREDBANC "
                                      "WHERE CDEMPRESA = '01' AND CDREDUCONT = 'IT1' "
                                      "ORDER BY NRMOVICRED"));
    ASSERT_TRUE(bill.next());
    ASSERT_TRUE(credit.next());
    store::CompensationEntry e;
    e.empresa = "01";
    e.filialProc = "0001";
    e.operador = "MARIA";
    e.cliente = db::PartyCode(19);
    e.filiBolRec = bill.value(0).toString();
    e.nrLanBolRec = bill.value(1).toString();
    e.dtComp = Today().addDays(-18);
    e.dtLanc = Today().addDays(-2);
    e.dtBaixa = e.dtComp;
    e.tpBaixaRec = "03";
    e.ajuCtRec = "0002";
    e.reduCont = "IT1";
    e.credits.push_back({"IT1", credit.value(0).toString(), store::CentsFrom(credit.value(1))});
    e.history = "Documento(s) compensado(s) : teste";
    e.when = QDateTime::currentDateTime();
    ASSERT_EQ(store::CompensationWriter(db).Write(e), "0000000015");
    transaction.Commit();
}

// One demo server per backend for the suites below; they only read.
class SharedBooks {
public:
    static BooksServer* Get(Backend backend) {
        auto& servers = Servers();
        if (!servers.contains(backend)) {
            auto server = BooksServer::Start(backend);
            if (server)
                AddMariaCompensation(server->Db());
            servers[backend] = std::move(server);
        }
        return servers[backend].get();
    }
    static void Release() { Servers().clear(); }

private:
    static std::map<Backend, std::unique_ptr<BooksServer>>& Servers() {
        static std::map<Backend, std::unique_ptr<BooksServer>> servers;
        return servers;
    }
};

std::vector<int> Numbers(const host::RecordSetTable& table) {
    std::vector<int> numbers;
    for (size_t r = 0; r < table.rows.size(); ++r)
        numbers.push_back(Cell(table, r, "NRLANCCOMPREC").toString().toInt());
    return numbers;
}

// The row of a compensation number in a list answer.
size_t RowOf(const host::RecordSetTable& table, int number) {
    for (size_t r = 0; r < table.rows.size(); ++r) {
        if (Cell(table, r, "NRLANCCOMPREC").toString().toInt() == number)
            return r;
    }
    ADD_FAILURE() << "compensation " << number << " not listed";
    return 0;
}

struct Wire {
    const char* name;
    FieldType type;
    int size;
};

void ExpectFields(const host::RecordSetTable& table, const std::vector<Wire>& expected) {
    ASSERT_EQ(size_t(table.fields.size()), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(table.fields[qsizetype(i)].name, expected[i].name) << "position " << i;
        EXPECT_EQ(table.fields[qsizetype(i)].type, expected[i].type) << expected[i].name;
        EXPECT_EQ(table.fields[qsizetype(i)].size, expected[i].size) << expected[i].name;
    }
}

constexpr FieldType S = FieldType::String;
constexpr FieldType X = FieldType::FixedString;
constexpr FieldType F = FieldType::Float;
constexpr FieldType D = FieldType::DateTime;

class BooksTest : public testing::Test {
protected:
    static void TearDownTestSuite() { SharedBooks::Release(); }
    BooksServer* Server(Backend backend) {
        BooksServer* server = SharedBooks::Get(backend);
        if (server == nullptr)
            ADD_FAILURE() << "no server";
        return server;
    }
};

Answer List(BooksServer& server, const std::string& params, const std::string& operador = "ADMIN") {
    return testserver::ParseAnswer(server.Call("GetCompensacao", params, operador));
}

std::string ListParams(const char* empresa, std::optional<int> compFrom, std::optional<int> compTo,
                       std::optional<int> postFrom, std::optional<int> postTo,
                       const std::string& operators, const std::string& customers) {
    return "[" + Quoted(empresa) + "," + DateParam(compFrom) + "," + DateParam(compTo) + "," +
           DateParam(postFrom) + "," + DateParam(postTo) + "," + Quoted(operators) + "," +
           Quoted(customers) + "]";
}

// ---- filters ----

struct FilterCase {
    const char* name;
    const char* empresa;
    std::optional<int> compFrom, compTo, postFrom, postTo; // days from today
    std::string operators;
    std::string customers;
    std::vector<int> expected; // compensation numbers in answer order
    friend void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.name; }
};

const std::string kClie1 = "'" + db::PartyCode(1).toStdString() + "'";
const std::string kClie19 = "'" + db::PartyCode(19).toStdString() + "'";
const std::vector<int> kAll = {1, 2, 15, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};

class FilterTest : public BooksTest,
                   public testing::WithParamInterface<std::tuple<Backend, FilterCase>> {};

TEST_P(FilterTest, ListsTheCompensationsInDateThenNumberOrder) {
    const auto& [backend, c] = GetParam();
    BooksServer* server = SharedBooks::Get(backend);
    if (server == nullptr)
        GTEST_SKIP() << "no PostgreSQL for this run";
    const Answer answer = List(*server, ListParams(c.empresa, c.compFrom, c.compTo, c.postFrom,
                                                   c.postTo, c.operators, c.customers));
    ASSERT_TRUE(answer.ok) << answer.text;
    ASSERT_EQ(answer.tables.size(), 1u);
    EXPECT_EQ(Numbers(answer.tables[0]), c.expected);
}

const FilterCase kFilterCases[] = {
    {"NoBounds", "01", {}, {}, {}, {}, "", "", kAll},
    {"CompFromOnly", "01", -13, {}, {}, {}, "", "", {7, 8, 9, 10, 11, 12, 13, 14}},
    {"CompToOnlyIsInclusive", "01", {}, -18, {}, {}, "", "", {1, 2, 15}},
    {"CompRange", "01", -17, -16, {}, {}, "", "", {3, 4}},
    {"ProcessingDateOnly", "01", 0, 0, {}, {}, "", "", {10, 11, 12, 13, 14}},
    {"PostRange", "01", {}, {}, -3, 0, "", "", {15, 10, 11, 12, 13, 14}},
    {"PostFromOnly", "01", {}, {}, -11, {}, "", "", {15, 9, 10, 11, 12, 13, 14}},
    {"BothRanges", "01", -18, -18, -18, -18, "", "", {2}},
    {"OneOperator", "01", {}, {}, {}, {}, "'MARIA'", "", {15}},
    {"TwoOperators", "01", {}, {}, {}, {}, "'ADMIN','MARIA'", "", kAll},
    {"OperatorWithoutCompensations", "01", {}, {}, {}, {}, "'JOAO'", "", {}},
    {"Customers", "01", {}, {}, {}, {}, "", kClie1 + "," + kClie19, {1, 15}},
    {"CustomersAndDates", "01", -18, {}, {}, {}, "", kClie1 + "," + kClie19, {15}},
    {"OperatorAndCustomer", "01", {}, {}, {}, {}, "'ADMIN'", kClie19, {}},
    {"QuotedOrTrueIsAValue", "01", {}, {}, {}, {}, "", "'x'' OR ''1''=''1'", {}},
    {"StatementsAreAValue", "01", {}, {}, {}, {}, "'ADMIN'');DELETE FROM COMPCONTREC;--'", "", {}},
    {"OtherCompany", "02", {}, {}, {}, {}, "", "", {}},
};

INSTANTIATE_TEST_SUITE_P(GetCompensacao, FilterTest,
                         testing::Combine(testing::Values(Backend::Sqlite, Backend::Postgres),
                                          testing::ValuesIn(kFilterCases)),
                         testserver::BackendAndCaseName());

// ---- status of each demo compensation ----

struct StatusCase {
    int number;
    const char* status;
    friend void PrintTo(const StatusCase& c, std::ostream* os) {
        *os << c.number << " " << c.status;
    }
};

class StatusTest : public BooksTest,
                   public testing::WithParamInterface<std::tuple<Backend, StatusCase>> {};

TEST_P(StatusTest, FollowsTheReceivablesSettlementAndTheBillsBalance) {
    const auto& [backend, c] = GetParam();
    BooksServer* server = SharedBooks::Get(backend);
    if (server == nullptr)
        GTEST_SKIP() << "no PostgreSQL for this run";
    const Answer answer = List(*server, ListParams("01", {}, {}, {}, {}, "", ""));
    ASSERT_TRUE(answer.ok) << answer.text;
    const auto& table = answer.tables[0];
    EXPECT_EQ(Cell(table, RowOf(table, c.number), "IDSTATREC").toString(), c.status);
}

INSTANTIATE_TEST_SUITE_P(GetCompensacao, StatusTest,
                         testing::Combine(testing::Values(Backend::Sqlite, Backend::Postgres),
                                          testing::Values(StatusCase{1, "P"}, StatusCase{2, "B"},
                                                          StatusCase{3, "A"}, StatusCase{4, "P"},
                                                          StatusCase{5, "P"}, StatusCase{6, "P"},
                                                          StatusCase{7, "B"}, StatusCase{8, "A"},
                                                          StatusCase{9, "P"}, StatusCase{15, "P"})),
                         [](const auto& info) {
                             return std::string(testserver::BackendName(std::get<0>(info.param))) +
                                    "Compensation" + std::to_string(std::get<1>(info.param).number);
                         });

// ---- refusals ----

struct RefusalCase {
    const char* name;
    const char* method;
    std::string params;
    const char* operador;
    int code;
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
};

class CallRefusalTest : public BooksTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(CallRefusalTest, AnswersAnErrorInPortuguese) {
    const RefusalCase& c = GetParam();
    BooksServer* server = Server(Backend::Sqlite);
    ASSERT_NE(server, nullptr);
    const Answer answer = testserver::ParseAnswer(server->Call(c.method, c.params, c.operador));
    EXPECT_FALSE(answer.ok);
    EXPECT_EQ(answer.code, c.code) << answer.text;
    EXPECT_FALSE(answer.text.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Methods, CallRefusalTest,
    testing::Values(RefusalCase{"UnquotedList", "GetCompensacao",
                                ListParams("01", {}, {}, {}, {}, "x' OR '1'='1", ""), "ADMIN",
                                -32602},
                    RefusalCase{"EmptyKeyBetweenCommas", "GetCompensacao",
                                ListParams("01", {}, {}, {}, {}, "", "'a',,'b'"), "ADMIN", -32602},
                    RefusalCase{"UnterminatedKey", "GetCompensacao",
                                ListParams("01", {}, {}, {}, {}, "'ADMIN", ""), "ADMIN", -32602},
                    RefusalCase{"ListCompanyWithoutAccess", "GetCompensacao",
                                ListParams("03", {}, {}, {}, {}, "", ""), "MARIA", -32000},
                    RefusalCase{"ItemsOfUnknownCompensation", "GetContaItensComp",
                                R"(["01","0000000999","0"])", "ADMIN", -32000},
                    RefusalCase{"ItemsOfAnotherCompanysNumber", "GetContaItensComp",
                                R"(["02","0000000001","0"])", "ADMIN", -32000},
                    RefusalCase{"ItemsOfUnknownKind", "GetContaItensComp",
                                R"(["01","0000000001","2"])", "ADMIN", -32602},
                    RefusalCase{"ItemsCompanyWithoutAccess", "GetContaItensComp",
                                R"(["03","0000000001","0"])", "MARIA", -32000},
                    RefusalCase{"NoticeOfUnknownCompensation", "GetTermoCompensacao",
                                R"(["01","999"])", "ADMIN", -32000},
                    RefusalCase{"NoticeCompanyWithoutAccess", "GetTermoCompensacao",
                                R"(["03","1"])", "MARIA", -32000}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- fields and values ----

class AnswerTest : public BooksTest, public testing::WithParamInterface<Backend> {
protected:
    BooksServer* Books() {
        BooksServer* server = SharedBooks::Get(GetParam());
        return server;
    }
};

#define REQUIRE_BOOKS(server)                                                                      \
    BooksServer* server = Books();                                                                 \
    if (server == nullptr)                                                                         \
    GTEST_SKIP() << "no PostgreSQL for this run"

TEST_P(AnswerTest, ListCarriesTheFortyFourFieldsAndTheJoinedNames) {
    REQUIRE_BOOKS(server);
    const Answer answer = List(*server, ListParams("01", {}, {}, {}, {}, "", ""));
    ASSERT_TRUE(answer.ok) << answer.text;
    const auto& t = answer.tables[0];
    ExpectFields(t,
                 {{"DTCOMPCONTREC", D, 0},  {"NMRAZSOCCLIE", S, 50},   {"DTVENBOLREC", D, 0},
                  {"DOCUMENTO", S, 26},     {"NRSEQVENREC", S, 2},     {"NRPARCELAREC", S, 2},
                  {"VRATUAREC", F, 0},      {"VRFINALBREC", F, 0},     {"QTITCOMCONTREC", F, 0},
                  {"IDSTATREC", S, 1},      {"CDEMPRESA", S, 2},       {"NRLANCCOMPREC", S, 10},
                  {"CDFILIAL", S, 4},       {"NRLANBOLREC", S, 10},    {"CDOPERLANCOMREC", S, 12},
                  {"CDCLIENTE", S, 21},     {"CDTPBAIXAREC", S, 2},    {"CDTPBAIXAPAG", S, 2},
                  {"CDAJUCTPAG", S, 4},     {"CDREDUCONT", S, 3},      {"DTBAIXACOMPREC", D, 0},
                  {"CDFILIALBAIREC", S, 4}, {"NRBAIXAREC", S, 10},     {"CDFILIALBAIPAG", S, 4},
                  {"NRBAIXAPAG", S, 10},    {"IDTPITUTLCOMREC", S, 1}, {"DTLANCOMCONTREC", D, 0},
                  {"VRTOTALCOMREC", F, 0},  {"NRINSJURCLIE", S, 20},   {"IDTPIJURCLIE", S, 1},
                  {"NMOPERADOR", S, 40},    {"DSAJUCTPAG", S, 40},     {"NMTPBAIXAPAG", S, 50},
                  {"DSAJUCTREC", S, 40},    {"NMTPBAIXAREC", S, 50},   {"CDBANCO", S, 3},
                  {"CDAGENCIA", S, 5},      {"CDCONTCORR", S, 10},     {"CDPICTAGEN", S, 10},
                  {"CDPICTCONT", S, 20},    {"NRNOTAFISC", S, 20},     {"CDSERIE", S, 5},
                  {"DADOSCOMP", S, 21},     {"CDAJUCTREC", S, 4}});

    // Compensation 1: two payables (400,00 + 200,00) against a bill of 1.500,00.
    const size_t one = RowOf(t, 1);
    EXPECT_EQ(Cell(t, one, "DTCOMPCONTREC").toDateTime(), Today().addDays(-19).startOfDay());
    EXPECT_EQ(Cell(t, one, "NMRAZSOCCLIE").toString(), "Mercado Bom Preço 1 S.A.");
    EXPECT_EQ(Cell(t, one, "DOCUMENTO").toString(),
              Cell(t, one, "NRNOTAFISC").toString() + "/" + Cell(t, one, "CDSERIE").toString());
    EXPECT_EQ(Cell(t, one, "VRATUAREC").toDouble(), 1500.0);
    EXPECT_EQ(Cell(t, one, "VRFINALBREC").toDouble(), 900.0);
    EXPECT_EQ(Cell(t, one, "VRTOTALCOMREC").toDouble(), 600.0);
    EXPECT_EQ(Cell(t, one, "QTITCOMCONTREC").toDouble(), 2.0);
    EXPECT_EQ(Cell(t, one, "DADOSCOMP").toString(), "0000000001");
    EXPECT_EQ(Cell(t, one, "NMOPERADOR").toString(), "Administrador");
    EXPECT_EQ(Cell(t, one, "DSAJUCTREC").toString(), "Desconto por compensação");
    EXPECT_EQ(Cell(t, one, "NMTPBAIXAREC").toString(), "Compensação entre contas");
    EXPECT_EQ(Cell(t, one, "DSAJUCTPAG").toString(), "Desconto por compensação");
    EXPECT_EQ(Cell(t, one, "CDPICTAGEN").toString(), "9999-a");
    EXPECT_EQ(Cell(t, one, "CDCONTCORR").toString(), "12345678X");
    EXPECT_EQ(Cell(t, one, "IDTPIJURCLIE").toString(), "J");
    EXPECT_FALSE(Cell(t, one, "NRBAIXAPAG").isNull());

    // Compensation 15: credits carry no payables types; the joined names follow the row.
    const size_t maria = RowOf(t, 15);
    EXPECT_EQ(Cell(t, maria, "IDTPITUTLCOMREC").toString(), "1");
    EXPECT_TRUE(Cell(t, maria, "CDTPBAIXAPAG").isNull());
    EXPECT_TRUE(Cell(t, maria, "DSAJUCTPAG").isNull());
    EXPECT_TRUE(Cell(t, maria, "NRBAIXAPAG").isNull());
    EXPECT_EQ(Cell(t, maria, "NMOPERADOR").toString(), "Maria Souza");
    EXPECT_EQ(Cell(t, maria, "DSAJUCTREC").toString(), "Desconto comercial");
    EXPECT_EQ(Cell(t, maria, "NMTPBAIXAREC").toString(), "Encontro de contas");
    EXPECT_EQ(Cell(t, maria, "CDBANCO").toString(), "341");
    EXPECT_EQ(Cell(t, maria, "DTLANCOMCONTREC").toDateTime(), Today().addDays(-2).startOfDay());
}

TEST_P(AnswerTest, HostileListsLeaveTheBooksAlone) {
    REQUIRE_BOOKS(server);
    for (const std::string list :
         {"'x'');DROP TABLE COMPCONTREC;--'", "'x'' OR 1=1 --'", "'%'", "'''','ADMIN'''"}) {
        const Answer answer = List(*server, ListParams("01", {}, {}, {}, {}, list, list));
        ASSERT_TRUE(answer.ok) << answer.text;
        EXPECT_TRUE(answer.tables[0].rows.empty()) << list;
    }
    const Answer all = List(*server, ListParams("01", {}, {}, {}, {}, "", ""));
    ASSERT_TRUE(all.ok);
    EXPECT_EQ(Numbers(all.tables[0]), kAll);
}

Answer Items(BooksServer& server, const char* numero, const char* kind) {
    return testserver::ParseAnswer(
        server.Call("GetContaItensComp", "[\"01\"," + Quoted(numero) + "," + Quoted(kind) + "]"));
}

const std::vector<Wire> kBillFields = {
    {"IDMARCADO", X, 1},     {"VENCIMENTO", S, 10},   {"DOCUMENTO", S, 26},
    {"NRINSJURCLIE", S, 20}, {"NMRAZSOCCLIE", S, 50}, {"NRSEQVENREC", S, 2},
    {"NRPARCELAREC", S, 2},  {"VRORIGINAL", S, 40},   {"VRLIQUIDO", S, 40},
    {"VRORIGREC", F, 0},     {"VRFINALBREC", F, 0},   {"CDFIMOVFLREC", S, 4},
    {"CDCLASSFINA", S, 6},   {"DTENTRSAID", D, 0},    {"DTMOVFLUXO", D, 0},
    {"DTVENBOLREC", D, 0},   {"NRNOTAFISC", S, 20},   {"CDSERIE", S, 5},
    {"CDFILIEMIT", S, 4},    {"NMFILIAL", S, 30},     {"CDFILIBOLREC", S, 4},
    {"NRLANBOLREC", S, 10},  {"IDTPIJURCLIE", S, 1},  {"CDCLIENTE", S, 21},
    {"CDFILIAL", S, 4},      {"NRLANCTONF", S, 10},   {"CDEMPRESA", S, 2}};

TEST_P(AnswerTest, PayablesCompensationGivesItsBillAndPayables) {
    REQUIRE_BOOKS(server);
    const Answer answer = Items(*server, "0000000001", "0");
    ASSERT_TRUE(answer.ok) << answer.text;
    ASSERT_EQ(answer.tables.size(), 2u);
    const auto& bill = answer.tables[0];
    ExpectFields(bill, kBillFields);
    ASSERT_EQ(bill.rows.size(), 1u);
    EXPECT_EQ(Cell(bill, 0, "IDMARCADO").toString(), "N");
    EXPECT_EQ(Cell(bill, 0, "VENCIMENTO").toString(),
              Cell(bill, 0, "DTVENBOLREC").toDateTime().date().toString("dd/MM/yyyy"));
    EXPECT_EQ(Cell(bill, 0, "VRORIGREC").toDouble(), 1500.0);
    EXPECT_EQ(Cell(bill, 0, "VRFINALBREC").toDouble(), 900.0);
    EXPECT_EQ(Cell(bill, 0, "VRORIGINAL").toString(), "1.500,00");
    EXPECT_EQ(Cell(bill, 0, "VRLIQUIDO").toString(), "900,00");
    EXPECT_EQ(Cell(bill, 0, "NMFILIAL").toString(), "Aurora Matriz");
    EXPECT_EQ(Cell(bill, 0, "CDCLIENTE").toString(), db::PartyCode(1));

    const auto& items = answer.tables[1];
    ExpectFields(items, {{"DTVENBOLPAG", D, 0},   {"DOCUMENTO", S, 26},   {"NRINSJURFORN", S, 20},
                         {"NMRAZSOCFORN", S, 40}, {"NRSEQVENPAG", S, 2},  {"NRPARCELAPAG", S, 2},
                         {"NMTPBAIXAPAG", S, 50}, {"VRFINALBPAG", F, 0},  {"VRITEMCOMPREC", F, 0},
                         {"IDMARCADO", X, 1},     {"CDFILIBPAG", S, 4},   {"NRLANBOLPAG", S, 10},
                         {"CDTPBAIXAPAG", S, 2},  {"IDTPIJURFORN", S, 1}, {"CDFORNECED", S, 21},
                         {"CDFILIAL", S, 4},      {"NRLANCTONF", S, 10},  {"VRORIGPAG", F, 0},
                         {"CDFIMOVFLPAG", S, 4},  {"CDCLASSFINA", S, 6},  {"DTMOVFLUXO", D, 0},
                         {"CDEMPRESA", S, 2},     {"DTENTRSAID", D, 0}});
    ASSERT_EQ(items.rows.size(), 2u);
    for (size_t r = 0; r < 2; ++r) {
        EXPECT_EQ(Cell(items, r, "IDMARCADO").toString(), "N");
        // Each payable was offset whole: nothing of it is open any more.
        EXPECT_EQ(Cell(items, r, "VRFINALBPAG").toDouble(), 0.0);
        EXPECT_EQ(Cell(items, r, "VRORIGPAG").toDouble(),
                  Cell(items, r, "VRITEMCOMPREC").toDouble());
    }
    EXPECT_EQ(Cell(items, 0, "VRITEMCOMPREC").toDouble(), 400.0);
    EXPECT_EQ(Cell(items, 1, "VRITEMCOMPREC").toDouble(), 200.0);
}

TEST_P(AnswerTest, CreditsCompensationGivesItsBillAndCredits) {
    REQUIRE_BOOKS(server);
    const Answer answer = Items(*server, "0000000006", "1");
    ASSERT_TRUE(answer.ok) << answer.text;
    ASSERT_EQ(answer.tables.size(), 2u);
    ExpectFields(answer.tables[0], kBillFields);
    ASSERT_EQ(answer.tables[0].rows.size(), 1u);
    EXPECT_EQ(Cell(answer.tables[0], 0, "VRFINALBREC").toDouble(), 450.0);
    const auto& items = answer.tables[1];
    ExpectFields(items, {{"DTMOVICRED", D, 0},
                         {"DSTPCREDBANC", S, 30},
                         {"CDTPCREDBANC", S, 4},
                         {"DSMOVICRED", S, 40},
                         {"VRMOVICRED", F, 0},
                         {"CDREDUCONT", S, 3},
                         {"CDEMPRESA", S, 2},
                         {"NRMOVICRED", S, 10},
                         {"IDMARCADO", X, 1}});
    ASSERT_EQ(items.rows.size(), 1u);
    EXPECT_EQ(Cell(items, 0, "VRMOVICRED").toDouble(), 250.0);
    EXPECT_EQ(Cell(items, 0, "DSTPCREDBANC").toString(), "TED recebida");
    EXPECT_EQ(Cell(items, 0, "CDREDUCONT").toString(), "BB1");
    EXPECT_EQ(Cell(items, 0, "IDMARCADO").toString(), "N");
}

// "Doc./Série" of the list, of the items' bill and of their payables: "/" only with a series.
class DocumentTest : public testing::TestWithParam<Backend> {};

TEST_P(DocumentTest, ShowsTheSlashOnlyBeforeASeries) {
    auto server = BooksServer::Start(GetParam());
    if (!server)
        GTEST_SKIP() << "no PostgreSQL for this run";
    const QSqlDatabase db = server->Db();
    struct Series {
        QVariant stored;
        const char* shown; // after the invoice number
    };
    for (const Series& series : {Series{QString(""), ""}, Series{QString("  "), ""},
                                 Series{QVariant(), ""}, Series{QString("U"), "/U"}}) {
        SCOPED_TRACE("series '" + series.stored.toString().toStdString() + "'");
        for (const char* table : {"BOLETOREC", "BOLETOPAG"})
            store::Run(db, QStringLiteral("UPDATE %1 SET CDSERIE = :S").arg(QLatin1String(table)),
                       {{"S", series.stored}});
        const Answer list = List(*server, ListParams("01", {}, {}, {}, {}, "", ""));
        const Answer items = Items(*server, "0000000001", "0");
        ASSERT_TRUE(list.ok && items.ok) << list.text << items.text;
        const auto& t = list.tables[0];
        const size_t one = RowOf(t, 1);
        EXPECT_EQ(Cell(t, one, "DOCUMENTO").toString(),
                  Cell(t, one, "NRNOTAFISC").toString() + series.shown);
        const auto& bill = items.tables.at(0);
        EXPECT_EQ(Cell(bill, 0, "DOCUMENTO").toString(),
                  Cell(bill, 0, "NRNOTAFISC").toString() + series.shown);
        const auto& payables = items.tables.at(1);
        for (size_t r = 0; r < payables.rows.size(); ++r) {
            const QString document = Cell(payables, r, "DOCUMENTO").toString();
            EXPECT_EQ(document.contains(QLatin1Char('/')), *series.shown != 0)
                << document.toStdString();
            EXPECT_FALSE(document.endsWith(QLatin1Char('/'))) << document.toStdString();
        }
    }
}

// The notice's record sets agree with the list and the items the screen shows, and every
// adjustment and settlement side adds up to the total.
TEST_P(AnswerTest, NoticeHoldsTheCompensationItsItemsAdjustmentsAndSettlements) {
    REQUIRE_BOOKS(server);
    const Answer list = List(*server, ListParams("01", {}, {}, {}, {}, "", ""));
    ASSERT_TRUE(list.ok) << list.text;
    for (const auto& [number, kind] : {std::pair{"1", "0"}, std::pair{"0000000006", "1"}}) {
        SCOPED_TRACE(number);
        const Answer notice = testserver::ParseAnswer(
            server->Call("GetTermoCompensacao", "[\"01\"," + Quoted(number) + "]", "MARIA"));
        const Answer items =
            Items(*server, QByteArray(number).rightJustified(10, '0').data(), kind);
        ASSERT_TRUE(notice.ok && items.ok) << notice.text << items.text;
        ASSERT_EQ(notice.tables.size(), 4u);
        const auto& head = notice.tables[0];
        const size_t row = RowOf(list.tables[0], QString::fromLatin1(number).toInt());
        for (const char* field : {"NMRAZSOCCLIE", "NRINSJURCLIE", "DOCUMENTO", "VRTOTALCOMREC",
                                  "NMOPERADOR", "DTCOMPCONTREC", "IDTPITUTLCOMREC"})
            EXPECT_EQ(Cell(head, 0, field), Cell(list.tables[0], row, field)) << field;
        EXPECT_EQ(Cell(head, 0, "NRINSJUREMPR").toString().size(), 14);
        const auto& listed = items.tables.at(1);
        ASSERT_EQ(notice.tables[1].rows.size(), listed.rows.size());
        const char* value = *kind == '0' ? "VRITEMCOMPREC" : "VRMOVICRED";
        for (size_t r = 0; r < listed.rows.size(); ++r)
            EXPECT_EQ(Cell(notice.tables[1], r, "VRITEMCOMPREC"), Cell(listed, r, value));
        std::map<std::string, store::Cents> sides;
        for (size_t table : {2u, 3u})
            for (size_t r = 0; r < notice.tables[table].rows.size(); ++r)
                sides[Cell(notice.tables[table], r, "IDLADO").toString().toStdString() +
                      std::to_string(table)] +=
                    store::CentsFrom(
                        Cell(notice.tables[table], r, table == 2 ? "VRAJUSTE" : "VRBAIXA"));
        const store::Cents total = store::CentsFrom(Cell(head, 0, "VRTOTALCOMREC"));
        for (const char* side : {"R2", "R3"})
            EXPECT_EQ(sides[side], total) << side;
        EXPECT_EQ(sides["P2"], *kind == '0' ? total : 0);
        EXPECT_EQ(sides["P3"], *kind == '0' ? total : 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, DocumentTest,
                         testing::Values(Backend::Sqlite, Backend::Postgres),
                         [](const auto& info) { return testserver::BackendName(info.param); });

INSTANTIATE_TEST_SUITE_P(Backends, AnswerTest, testing::Values(Backend::Sqlite, Backend::Postgres),
                         [](const auto& info) { return testserver::BackendName(info.param); });

} // namespace
