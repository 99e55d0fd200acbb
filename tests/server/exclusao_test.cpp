// Deleting stored compensations over HTTP: the refusals in their order, the exact reversal of
// the books, the audit row, and two deletions of one compensation at once.
#include "db/demo.h"
#include "store/books.h"
#include "store/connection.h"
#include "store/inserter.h"
#include "store/sql.h"
#include "tests/server/compbooks.h"
#include "tests/support/cells.h"

#include <gtest/gtest.h>

#include <latch>
#include <map>

namespace {

using testserver::Answer;
using testserver::Backend;
using testserver::Books;
using testserver::BooksServer;
using testserver::Cell;
using testserver::Delete;
using testserver::NovaComp;
using testserver::Numero;
using testserver::ReadBooks;
using testserver::Rows;

const QString kEmpresa = QStringLiteral("01");

qint64 BillBalance(const QSqlDatabase& db, int compensation) {
    const auto rows = Rows(db,
                           "SELECT B.VRSALDOBREC FROM BOLETOREC B JOIN COMPCONTREC C ON "
                           "C.CDFILIBOLREC = B.CDFILIBOLREC AND C.NRLANBOLREC = B.NRLANBOLREC "
                           "WHERE C.CDEMPRESA = '01' AND C.NRLANCCOMPREC = :N",
                           {{"N", Numero(compensation)}});
    return rows.empty() ? -1 : store::CentsFrom(rows[0][0]);
}

class DeletionTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        m_server = BooksServer::Start(GetParam());
        if (!m_server)
            GTEST_SKIP() << "no PostgreSQL for this run";
    }
    BooksServer& Server() { return *m_server; }
    QSqlDatabase Db() { return m_server->Db(); }

    std::unique_ptr<BooksServer> m_server;
};

std::string Name(const testing::TestParamInfo<Backend>& info) {
    return testserver::BackendName(info.param);
}

// ---- refusals, in their order ----

enum class Step { RealiseRec, RealisePag, RealiseBoth, SendToBank };

// What another module of the suite does to a compensation.
void Apply(const QSqlDatabase& db, const QString& numero, Step step) {
    if (step == Step::SendToBank)
        store::SendBillToBank(db, kEmpresa, numero, QDate::currentDate());
    else
        store::RealiseSettlements(db, kEmpresa, numero,
                                  step == Step::RealiseRec   ? store::SettlementSide::Receivables
                                  : step == Step::RealisePag ? store::SettlementSide::Payables
                                                             : store::SettlementSide::Both);
}

struct RefusalCase {
    const char* name;
    int number;
    std::vector<Step> before;
    const char* key;
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
};

class DeletionRefusalTest : public testing::TestWithParam<std::tuple<Backend, RefusalCase>> {};

TEST_P(DeletionRefusalTest, AnswersTheKeyAndChangesNothing) {
    const auto& [backend, c] = GetParam();
    auto server = BooksServer::Start(backend);
    if (!server)
        GTEST_SKIP() << "no PostgreSQL for this run";
    const QSqlDatabase db = server->Db();
    {
        store::Transaction transaction(db);
        for (Step step : c.before)
            Apply(db, Numero(c.number), step);
        transaction.Commit();
    }
    const Books before = ReadBooks(db);
    const Answer answer = Delete(*server, NovaComp(*server, c.number));
    ASSERT_TRUE(answer.ok) << answer.text;
    EXPECT_EQ(answer.text, c.key);
    EXPECT_EQ(ReadBooks(db), before);
}

const RefusalCase kRefusals[] = {
    {"SettledPayables", 2, {}, "ERR_BOLBAIXADO"},
    {"SettledCredits", 7, {}, "ERR_BOLBAIXADO"},
    {"SentToBankPayables", 4, {}, "ERR_BOLENVCNAB"},
    {"SentToBankCredits", 9, {}, "ERR_BOLENVCNAB"},
    {"RealisedWithBalanceLeft", 3, {}, "ERR_BAIXARECREAL"},
    {"CreditsRealisedWithBalanceLeft", 8, {}, "ERR_BAIXARECREAL"},
    {"OnlyPayablesRealised", 5, {}, "ERR_BAIXAPAGREAL"},
    {"SettledBeforeSentToBank", 2, {Step::SendToBank}, "ERR_BOLBAIXADO"},
    {"SentToBankBeforeRealised", 4, {Step::RealiseBoth}, "ERR_BOLENVCNAB"},
    {"ReceivablesBeforePayables", 1, {Step::RealiseBoth}, "ERR_BAIXARECREAL"},
    {"OnlyReceivablesRealised", 1, {Step::RealiseRec}, "ERR_BAIXARECREAL"},
    {"PayablesRealisedLater", 1, {Step::RealisePag}, "ERR_BAIXAPAGREAL"},
    {"CreditsRealisedLater", 6, {Step::RealiseRec}, "ERR_BAIXARECREAL"},
};

INSTANTIATE_TEST_SUITE_P(SetExcluiCompensacao, DeletionRefusalTest,
                         testing::Combine(testing::Values(Backend::Sqlite, Backend::Postgres),
                                          testing::ValuesIn(kRefusals)),
                         testserver::BackendAndCaseName());

// ---- two compensations on one bill: each is judged by its own settlements ----

// A bill of the given value with two compensations: C1 offsets a payable of 500,00 (discount
// type 0001), C2 a credit of 1.500,00 (discount type 0002). Returns their numbers.
std::pair<int, int> AddTwoOnOneBill(const QSqlDatabase& db, store::Cents billValue) {
    const QDate today = QDate::currentDate();
    const QString bill = QStringLiteral("9100000001");
    store::Transaction transaction(db);
    store::Inserter(db, "BOLETOREC",
                    {"CDFILIBOLREC", "NRLANBOLREC", "CDEMPRESA", "CDCLIENTE", "CDFILIAL",
                     "NRLANCTONF", "NRNOTAFISC", "NRSEQVENREC", "NRPARCELAREC", "CDFILIEMIT",
                     "DTENTRSAID", "DTVENBOLREC", "VRORIGREC", "VRSALDOBREC"})
        .Insert({"0001", bill, "01", db::PartyCode(4), "0001", bill, "991", "01", "01", "0001",
                 today.addDays(-3), today.addDays(10), store::CentsText(billValue),
                 store::CentsText(billValue)});
    store::Inserter(db, "BOLETOPAG",
                    {"CDFILIBPAG", "NRLANBOLPAG", "CDEMPRESA", "CDFORNECED", "CDFILIAL",
                     "NRLANCTONF", "NRNOTAFISC", "NRSEQVENPAG", "NRPARCELAPAG", "CDTPBAIXAPAG",
                     "DTENTRSAID", "DTVENBOLPAG", "VRORIGPAG", "VRSALDOBPAG"})
        .Insert({"0001", bill, "01", db::PartyCode(2), "0001", bill, "992", "01", "01", "01",
                 today.addDays(-3), today.addDays(5), "500.00", "500.00"});
    store::Inserter(db, "MOVCREDBANC",
                    {"CDEMPRESA", "CDREDUCONT", "NRMOVICRED", "DTMOVICRED", "CDTPCREDBANC",
                     "DSMOVICRED", "VRMOVICRED"})
        .Insert({"01", "IT1", bill, today.addDays(-1), "01", "grande", "1500.00"});

    store::CompensationEntry e;
    e.empresa = "01";
    e.filialProc = "0001";
    e.operador = "ADMIN";
    e.cliente = db::PartyCode(4);
    e.filiBolRec = "0001";
    e.nrLanBolRec = bill;
    e.dtComp = e.dtLanc = e.dtBaixa = today;
    e.tpBaixaRec = "01";
    e.ajuCtRec = "0001";
    e.reduCont = "IT1";
    e.tpBaixaPag = "04";
    e.ajuCtPag = "0002";
    e.payables.push_back({"0001", bill, 50000});
    e.when = QDateTime::currentDateTime();
    store::CompensationWriter writer(db);
    const int c1 = writer.Write(e).toInt();
    e.ajuCtRec = "0002";
    e.payables.clear();
    e.credits.push_back({"IT1", bill, 150000});
    const int c2 = writer.Write(e).toInt();
    transaction.Commit();
    return {c1, c2};
}

struct TwoCase {
    const char* name;
    store::Cents billValue;
    std::vector<std::pair<int, Step>> before; // (1 or 2, step) on C1 or C2
    int deleted;                              // 1 or 2
    const char* key;
    friend void PrintTo(const TwoCase& c, std::ostream* os) { *os << c.name; }
};

class TwoOnOneBillTest : public testing::TestWithParam<std::tuple<Backend, TwoCase>> {};

TEST_P(TwoOnOneBillTest, AnswersByTheDeletedCompensationsOwnSettlements) {
    const auto& [backend, c] = GetParam();
    auto server = BooksServer::Start(backend);
    if (!server)
        GTEST_SKIP() << "no PostgreSQL for this run";
    const QSqlDatabase db = server->Db();
    const auto [c1, c2] = AddTwoOnOneBill(db, c.billValue);
    {
        store::Transaction transaction(db);
        for (const auto& [which, step] : c.before)
            Apply(db, Numero(which == 1 ? c1 : c2), step);
        transaction.Commit();
    }
    const int deleted = c.deleted == 1 ? c1 : c2;
    const qint64 balance = BillBalance(db, deleted);
    const Books before = ReadBooks(db);

    const Answer answer = Delete(*server, NovaComp(*server, deleted));
    ASSERT_TRUE(answer.ok) << answer.text;
    EXPECT_EQ(answer.text, c.key);
    if (answer.text != "OK") {
        EXPECT_EQ(ReadBooks(db), before);
        return;
    }
    // The other compensation stands; the bill gets back what the deleted one took.
    EXPECT_EQ(BillBalance(db, deleted == c1 ? c2 : c1),
              balance + (c.deleted == 1 ? 50000 : 150000));
}

const TwoCase kTwoOnOneBill[] = {
    {"OtherRealisedThisPlanned", 200000, {{1, Step::RealiseBoth}}, 2, "OK"},
    {"OtherReceivablesRealisedThisPlanned", 200000, {{1, Step::RealiseRec}}, 2, "OK"},
    {"ThisRealisedBillSettled", 200000, {{1, Step::RealiseBoth}}, 1, "ERR_BOLBAIXADO"},
    {"BothRealised", 200000, {{1, Step::RealiseBoth}, {2, Step::RealiseRec}}, 2, "ERR_BOLBAIXADO"},
    {"SentToBank", 200000, {{1, Step::SendToBank}}, 2, "ERR_BOLENVCNAB"},
    {"OtherRealisedBalanceLeft", 300000, {{1, Step::RealiseBoth}}, 2, "OK"},
    {"ThisRealisedBalanceLeft", 300000, {{1, Step::RealiseBoth}}, 1, "ERR_BAIXARECREAL"},
    {"ThisPayablesRealised", 200000, {{1, Step::RealisePag}}, 1, "ERR_BAIXAPAGREAL"},
    {"OtherPayablesRealised", 200000, {{1, Step::RealisePag}}, 2, "OK"},
};

INSTANTIATE_TEST_SUITE_P(SetExcluiCompensacao, TwoOnOneBillTest,
                         testing::Combine(testing::Values(Backend::Sqlite, Backend::Postgres),
                                          testing::ValuesIn(kTwoOnOneBill)),
                         testserver::BackendAndCaseName());

// ---- exact reversal ----

// A bill of 0,11 with one payable or credit of 0,04: in floats 0.11 - 0.04 + 0.04 > 0.11, so a
// reversal computed in floats breaks the balance's bound.
struct SmallBooks {
    QString bill;
    QString item;
};

SmallBooks AddSmallBooks(const QSqlDatabase& db) {
    const QDate today = QDate::currentDate();
    SmallBooks small{QStringLiteral("9000000001"), QStringLiteral("9000000001")};
    store::Inserter(db, "BOLETOREC",
                    {"CDFILIBOLREC", "NRLANBOLREC", "CDEMPRESA", "CDCLIENTE", "CDFILIAL",
                     "NRLANCTONF", "NRNOTAFISC", "NRSEQVENREC", "NRPARCELAREC", "CDFILIEMIT",
                     "DTENTRSAID", "DTVENBOLREC", "VRORIGREC", "VRSALDOBREC"})
        .Insert({"0001", small.bill, "01", db::PartyCode(4), "0001", small.bill, "777", "01", "01",
                 "0001", today.addDays(-3), today.addDays(10), "0.11", "0.11"});
    store::Inserter(db, "BOLETOPAG",
                    {"CDFILIBPAG", "NRLANBOLPAG", "CDEMPRESA", "CDFORNECED", "CDFILIAL",
                     "NRLANCTONF", "NRNOTAFISC", "NRSEQVENPAG", "NRPARCELAPAG", "CDTPBAIXAPAG",
                     "DTENTRSAID", "DTVENBOLPAG", "VRORIGPAG", "VRSALDOBPAG"})
        .Insert({"0001", small.item, "01", db::PartyCode(2), "0001", small.item, "888", "01", "01",
                 "01", today.addDays(-3), today.addDays(5), "0.04", "0.04"});
    store::Inserter(db, "MOVCREDBANC",
                    {"CDEMPRESA", "CDREDUCONT", "NRMOVICRED", "DTMOVICRED", "CDTPCREDBANC",
                     "DSMOVICRED", "VRMOVICRED"})
        .Insert({"01", "IT1", small.item, today.addDays(-1), "01", "pequeno", "0.04"});
    return small;
}

QString Generate(const QSqlDatabase& db, const SmallBooks& small, bool payables) {
    store::CompensationEntry e;
    e.empresa = "01";
    e.filialProc = "0001";
    e.operador = "ADMIN";
    e.cliente = db::PartyCode(4);
    e.filiBolRec = "0001";
    e.nrLanBolRec = small.bill;
    e.dtComp = QDate::currentDate();
    e.dtLanc = e.dtComp;
    e.dtBaixa = e.dtComp;
    e.tpBaixaRec = "01";
    e.ajuCtRec = "0001";
    e.reduCont = "IT1";
    if (payables) {
        e.tpBaixaPag = "04";
        e.ajuCtPag = "0002";
        e.payables.push_back({"0001", small.item, 4});
    } else {
        e.credits.push_back({"IT1", small.item, 4});
    }
    e.history = "Documento(s) compensado(s) : " + small.item;
    e.when = QDateTime::currentDateTime();
    return store::CompensationWriter(db).Write(e);
}

class ReversalTest : public DeletionTest {};

TEST_P(ReversalTest, GenerationThenDeletionLeavesTheBooksAsTheyWere) {
    for (const bool payables : {true, false}) {
        SCOPED_TRACE(payables ? "payables" : "credits");
        const QSqlDatabase db = Db();
        SmallBooks small;
        if (payables) {
            store::Transaction transaction(db);
            small = AddSmallBooks(db);
            transaction.Commit();
        } else {
            small = {QStringLiteral("9000000001"), QStringLiteral("9000000001")};
        }
        const Books before = ReadBooks(db);
        QString numero;
        {
            store::Transaction transaction(db);
            numero = Generate(db, small, payables);
            transaction.Commit();
        }
        ASSERT_NE(ReadBooks(db), before);
        const Answer answer = Delete(Server(), NovaComp(Server(), numero.toInt()));
        ASSERT_TRUE(answer.ok) << answer.text;
        EXPECT_EQ(answer.text, "OK");
        EXPECT_EQ(ReadBooks(db), before);
    }
}

TEST_P(ReversalTest, PlannedPayablesCompensationGivesBackItsTotalAndPayables) {
    const QSqlDatabase db = Db();
    Books expected = ReadBooks(db);
    ASSERT_EQ(BillBalance(db, 1), 90000);
    const auto items = Rows(db, "SELECT CDFILIBPAG || '/' || NRLANBOLPAG, VRITEMCOMPREC FROM "
                                "ITCOMPCONTREC WHERE CDEMPRESA = '01' AND NRLANCCOMPREC = "
                                "'0000000001'");
    ASSERT_EQ(items.size(), 2u);
    for (const auto& item : items)
        expected["pag:" + item[0].toString().toStdString()] += store::CentsFrom(item[1]);
    const auto bill = Rows(db, "SELECT CDFILIBOLREC || '/' || NRLANBOLREC FROM COMPCONTREC "
                               "WHERE CDEMPRESA = '01' AND NRLANCCOMPREC = '0000000001'");
    ASSERT_EQ(bill.size(), 1u);
    expected["rec:" + bill[0][0].toString().toStdString()] += 60000;
    expected["rows:COMPCONTREC"] -= 1;
    expected["rows:ITCOMPCONTREC"] -= 2;
    expected["rows:AJUSTEREC"] -= 1;
    expected["rows:AJUSTEPAG"] -= 2;
    expected["rows:BAIXAREC"] -= 1;
    expected["rows:BAIXAPAG"] -= 1;
    expected["rows:ITBAIXAPAG"] -= 2;

    // Only company and number count: the rest of the row is not believed.
    host::RecordSetTable comp = NovaComp(Server(), 1);
    Cell(comp, 0, "VRTOTALCOMREC") = 0.01;
    Cell(comp, 0, "NRLANBOLREC") = QStringLiteral("9999999999");
    Cell(comp, 0, "IDTPITUTLCOMREC") = QStringLiteral("1");
    const Answer answer = Delete(Server(), comp);
    ASSERT_TRUE(answer.ok) << answer.text;
    EXPECT_EQ(answer.text, "OK");
    EXPECT_EQ(ReadBooks(db), expected);

    const Answer items1 =
        testserver::ParseAnswer(Server().Call("GetContaItensComp", R"(["01","0000000001","0"])"));
    EXPECT_EQ(items1.code, -32000);
}

TEST_P(ReversalTest, PlannedCreditsCompensationFreesItsCredit) {
    const QSqlDatabase db = Db();
    const auto credit = Rows(db, "SELECT CDREDUCONT, NRMOVICRED, VRITEMCOMPREC FROM "
                                 "ITCOMPCONTREC WHERE CDEMPRESA = '01' AND NRLANCCOMPREC = "
                                 "'0000000006'");
    ASSERT_EQ(credit.size(), 1u);
    const store::CompensationEntry::Credit used{credit[0][0].toString(), credit[0][1].toString(),
                                                store::CentsFrom(credit[0][2])};
    const qint64 balance = BillBalance(db, 6);

    const Answer answer = Delete(Server(), NovaComp(Server(), 6), "MARIA");
    ASSERT_TRUE(answer.ok) << answer.text;
    EXPECT_EQ(answer.text, "OK");

    // The audit row tells who deleted which compensation of which bill, for how much.
    const auto audit = Rows(db, "SELECT CDOPERADOR, VRTOTALCOMREC, NRLANBOLREC FROM "
                                "AUDITCOMPREC WHERE CDEMPRESA = '01' AND NRLANCCOMPREC = "
                                "'0000000006' AND IDOPERACAO = 'E'");
    ASSERT_EQ(audit.size(), 1u);
    EXPECT_EQ(audit[0][0].toString(), "MARIA");
    EXPECT_EQ(store::CentsFrom(audit[0][1]), 25000);

    // The credit and the bill's balance serve a new compensation again.
    const auto bill = Rows(db,
                           "SELECT CDFILIBOLREC, NRLANBOLREC, VRSALDOBREC FROM BOLETOREC "
                           "WHERE NRLANBOLREC = :N AND CDFILIBOLREC = '0001'",
                           {{"N", audit[0][2]}});
    ASSERT_EQ(bill.size(), 1u);
    EXPECT_EQ(store::CentsFrom(bill[0][2]), balance + used.value);
    store::Transaction transaction(db);
    store::CompensationEntry e;
    e.empresa = "01";
    e.filialProc = "0001";
    e.operador = "ADMIN";
    e.cliente = db::PartyCode(11);
    e.filiBolRec = bill[0][0].toString();
    e.nrLanBolRec = bill[0][1].toString();
    e.dtComp = e.dtLanc = e.dtBaixa = QDate::currentDate();
    e.tpBaixaRec = "01";
    e.ajuCtRec = "0001";
    e.reduCont = used.reduCont;
    e.credits.push_back(used);
    e.when = QDateTime::currentDateTime();
    EXPECT_NO_THROW(store::CompensationWriter(db).Write(e));
}

TEST_P(ReversalTest, TwoDeletionsAtOnceGiveExactlyOneOk) {
    constexpr int kClients = 4;
    const host::RecordSetTable comp = NovaComp(Server(), 1);
    const qint64 balance = BillBalance(Db(), 1);
    Server().Token("ADMIN"); // log in before the race
    std::latch start(kClients);
    std::vector<Answer> answers(kClients);
    std::vector<std::thread> clients;
    for (int i = 0; i < kClients; ++i)
        clients.emplace_back([&, i] {
            start.arrive_and_wait();
            answers[size_t(i)] = Delete(Server(), comp);
        });
    for (auto& client : clients)
        client.join();
    int oks = 0;
    for (const Answer& answer : answers) {
        ASSERT_TRUE(answer.ok) << answer.text;
        if (answer.text == "OK")
            ++oks;
        else
            EXPECT_NE(answer.text.find("não encontrada"), std::string::npos) << answer.text;
    }
    EXPECT_EQ(oks, 1);
    const auto bill = Rows(Db(), "SELECT VRSALDOBREC FROM BOLETOREC B WHERE EXISTS (SELECT 1 "
                                 "FROM AUDITCOMPREC A WHERE A.NRLANCCOMPREC = '0000000001' "
                                 "AND A.IDOPERACAO = 'E' AND A.CDFILIBOLREC = B.CDFILIBOLREC "
                                 "AND A.NRLANBOLREC = B.NRLANBOLREC)");
    ASSERT_EQ(bill.size(), 1u);
    EXPECT_EQ(store::CentsFrom(bill[0][0]), balance + 60000);
}

INSTANTIATE_TEST_SUITE_P(SetExcluiCompensacao, ReversalTest,
                         testing::Values(Backend::Sqlite, Backend::Postgres), Name);

// ---- what the call itself refuses ----

class RequestTest : public DeletionTest {};

TEST_P(RequestTest, RefusesWhatDoesNotNameOneCompensationOfAnAllowedCompany) {
    host::RecordSetTable one = NovaComp(Server(), 1);
    ASSERT_EQ(one.rows.size(), 1u);

    host::RecordSetTable none = one;
    none.rows.clear();
    EXPECT_EQ(Delete(Server(), none).code, -32602);
    host::RecordSetTable two = one;
    two.rows.push_back(two.rows[0]);
    EXPECT_EQ(Delete(Server(), two).code, -32602);
    host::RecordSetTable blank = one;
    Cell(blank, 0, "NRLANCCOMPREC") = QVariant();
    EXPECT_EQ(Delete(Server(), blank).code, -32602);

    host::RecordSetTable otherCompany = one;
    Cell(otherCompany, 0, "CDEMPRESA") = QStringLiteral("03");
    EXPECT_EQ(Delete(Server(), otherCompany, "MARIA").code, -32000);

    // Company 02 has no compensation 1: a refusal in words, not a key, and nothing deleted.
    host::RecordSetTable missing = one;
    Cell(missing, 0, "CDEMPRESA") = QStringLiteral("02");
    const Books before = ReadBooks(Db());
    const Answer answer = Delete(Server(), missing);
    ASSERT_TRUE(answer.ok);
    EXPECT_NE(answer.text.find("não encontrada"), std::string::npos) << answer.text;
    EXPECT_EQ(ReadBooks(Db()), before);
}

INSTANTIATE_TEST_SUITE_P(SetExcluiCompensacao, RequestTest,
                         testing::Values(Backend::Sqlite, Backend::Postgres), Name);

} // namespace
