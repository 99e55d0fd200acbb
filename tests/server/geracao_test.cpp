// Generating compensations over HTTP: what gets written, what is refused with nothing written,
// deletion undoing a generation exactly, and the adjustment checks the confirmation asks for.
#include "db/check.h"
#include "store/generation.h"
#include "store/money.h"
#include "tests/server/compbooks.h"
#include "tests/server/confirmation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

using testing::HasSubstr;
using testing::IsEmpty;
using testing::StartsWith;
using testserver::Backend;
using testserver::Books;
using testserver::BooksServer;
using testserver::Cell;
using testserver::Confirm;
using testserver::Confirmation;
using testserver::OpenItems;
using testserver::ReadBooks;
using testserver::Rows;
using testserver::Status;

constexpr qint64 kFirst = 9500000001;

// Bill of 300,00; payables of 100,00, 150,00, 200,00; credits of 120,00, 80,00, 500,00.
class GenerationTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        m_server = BooksServer::Start(GetParam());
        if (!m_server)
            GTEST_SKIP() << "no PostgreSQL for this run";
        m_items = testserver::AddOpenItems(Db(), kFirst, 30000, {10000, 15000, 20000},
                                           {12000, 8000, 50000});
    }
    QSqlDatabase Db() { return m_server->Db(); }
    BooksServer& Server() { return *m_server; }
    // Two items of 250,00 (payables) or 200,00 (credits).
    Confirmation Two(bool payables) {
        return Confirm(Db(), m_items.bill, payables,
                       payables ? std::vector{m_items.payables[0], m_items.payables[1]}
                                : std::vector{m_items.credits[0], m_items.credits[1]});
    }
    qint64 BillOpen() {
        return store::CentsFrom(Rows(Db(),
                                     "SELECT VRSALDOBREC FROM BOLETOREC WHERE "
                                     "CDFILIBOLREC = '0001' AND NRLANBOLREC = :N",
                                     {{"N", m_items.bill}})
                                    .at(0)
                                    .at(0));
    }

    std::unique_ptr<BooksServer> m_server;
    OpenItems m_items;
};

Status Generate(BooksServer& server, const Confirmation& c) {
    return testserver::StatusOf(server.Call("SetGeraCompensacao", testserver::GenerationParams(c)));
}

std::string Name(const testing::TestParamInfo<Backend>& info) {
    return testserver::BackendName(info.param);
}

TEST_P(GenerationTest, WritesTheBooksAndDeletionUndoesThemExactly) {
    for (const bool payables : {true, false}) {
        SCOPED_TRACE(payables ? "payables" : "credits");
        const Books before = ReadBooks(Db());
        Confirmation c = Two(payables);
        // Marks of the other kind, left from before a switch of kinds, never reach the books.
        if (!payables)
            testserver::AddPayable(Db(), c.marcados, "0003", "9999999999");
        const Status status = Generate(Server(), c);
        ASSERT_EQ(status.status, "OK") << status.text << status.code;
        ASSERT_EQ(status.text.size(), 10u);
        const QString numero = QString::fromStdString(status.text);
        const store::Cents total = payables ? 25000 : 20000;
        EXPECT_EQ(BillOpen(), 30000 - total);

        const auto comp =
            Rows(Db(),
                 "SELECT IDTPITUTLCOMREC, QTITCOMCONTREC, VRTOTALCOMREC, CDOPERLANCOMREC, "
                 "DTLANCOMCONTREC, CDTPBAIXAPAG, NRBAIXAPAG FROM COMPCONTREC WHERE CDEMPRESA = "
                 "'01' AND NRLANCCOMPREC = :N",
                 {{"N", numero}});
        ASSERT_EQ(comp.size(), 1u);
        EXPECT_EQ(comp[0][0].toString(), payables ? "0" : "1");
        EXPECT_EQ(comp[0][1].toInt(), 2);
        EXPECT_EQ(store::CentsFrom(comp[0][2]), total);
        EXPECT_EQ(comp[0][3].toString(), "ADMIN");
        EXPECT_EQ(comp[0][4].toDate(), QDate::currentDate());
        EXPECT_EQ(comp[0][5].isNull(), !payables);
        EXPECT_EQ(comp[0][6].isNull(), !payables);
        const auto settlement = Rows(Db(),
                                     "SELECT IDSITBAIXA, VRBAIXAREC, DSHISTBAIXA, CDREDUCONT FROM "
                                     "BAIXAREC WHERE CDEMPRESA = '01' AND NRLANCCOMPREC = :N",
                                     {{"N", numero}});
        ASSERT_EQ(settlement.size(), 1u);
        EXPECT_EQ(settlement[0][0].toString(), "P");
        EXPECT_EQ(store::CentsFrom(settlement[0][1]), total);
        EXPECT_THAT(settlement[0][2].toString().toStdString(),
                    StartsWith("Documento(s) compensado(s) : "));
        const auto audit = Rows(Db(),
                                "SELECT CDOPERADOR, VRTOTALCOMREC FROM AUDITCOMPREC WHERE "
                                "NRLANCCOMPREC = :N AND IDOPERACAO = 'G'",
                                {{"N", numero}});
        ASSERT_EQ(audit.size(), 1u);
        EXPECT_EQ(audit[0][0].toString(), "ADMIN");
        EXPECT_THAT(db::CheckBooks(Db()), IsEmpty());

        const testserver::Answer deleted =
            testserver::Delete(Server(), testserver::NovaComp(Server(), numero.toInt()));
        ASSERT_TRUE(deleted.ok) << deleted.text;
        EXPECT_EQ(deleted.text, "OK");
        EXPECT_EQ(ReadBooks(Db()), before);
    }
}

// The operator's road on the demo books of company 01: customer 1's bill, marked from the lists
// the server gives the screen, against the payable of supplier 1 (a branch of the customer) and
// then against a credit; the record sets carry the listed rows field by field.
TEST_P(GenerationTest, DemoCustomerAgainstItsSuppliersPayableAndAgainstACredit) {
    const auto bills = testserver::ParseAnswer(
        Server().Call("GetBoletosRec", R"(["01","000000000000000000001"])"));
    ASSERT_TRUE(bills.ok) << bills.text;
    const host::RecordSetTable& b = bills.tables.at(0);
    const auto payables = testserver::ParseAnswer(
        Server().Call("GetBoletosPag", R"(["01","","","","","",null,null,"",0,0,"S"])"));
    const auto credits =
        testserver::ParseAnswer(Server().Call("GetCreditos", R"(["01",null,null,0,0,"",""])"));
    ASSERT_TRUE(payables.ok && credits.ok);
    const host::RecordSetTable& p = payables.tables.at(0);
    const host::RecordSetTable& m = credits.tables.at(0);

    // A bill the demo left without adjustments, and the smallest item of each kind under it.
    const auto smallest = [](const host::RecordSetTable& t, const char* value, auto keep) {
        std::optional<size_t> best;
        for (size_t row = 0; row < t.rows.size(); ++row)
            if (keep(row) &&
                (!best || Cell(t, row, value).toDouble() < Cell(t, *best, value).toDouble()))
                best = row;
        return best;
    };
    for (const bool kind : {true, false}) {
        SCOPED_TRACE(kind ? "payables" : "credits");
        const auto bill = smallest(b, "VRFINALBREC", [&](size_t row) {
            return Rows(Db(), "SELECT 1 FROM AJUSTEREC WHERE NRLANBOLREC = :N",
                        {{"N", Cell(b, row, "NRLANBOLREC")}})
                .empty();
        });
        ASSERT_TRUE(bill);
        const double open = Cell(b, *bill, "VRFINALBREC").toDouble();
        const auto item =
            kind ? smallest(p, "VRFINALBPAG",
                            [&](size_t row) {
                                return Cell(p, row, "CDFORNECED") == "000000000000000000001";
                            })
                 : smallest(m, "VRMOVICRED", [](size_t) { return true; });
        ASSERT_TRUE(item);
        ASSERT_LE(Cell(kind ? p : m, *item, kind ? "VRFINALBPAG" : "VRMOVICRED").toDouble(), open);
        const Status status =
            Generate(Server(), testserver::FromLists(b, *bill, kind, kind ? p : m, {*item}));
        EXPECT_EQ(status.status, "OK") << status.text;
    }
}

// ---- refusals: an answer in words, nothing written ----

struct Refusal {
    const char* name;
    bool payables;
    std::function<void(Confirmation&, GenerationTest&)> change;
    const char* told;
};

class GenerationRefusalTest : public GenerationTest {
public:
    const OpenItems& Items() const { return m_items; }
    QSqlDatabase Database() { return Db(); }
};

void AddToTotal(Confirmation& c, double amount) {
    QVariant& total = Cell(c.nova, 0, "VRTOTALCOMREC");
    total = total.toDouble() + amount;
}

QString OtherCompanysPayable(const QSqlDatabase& db) {
    return Rows(db, "SELECT MIN(NRLANBOLPAG) FROM BOLETOPAG WHERE CDEMPRESA = '02'")
        .at(0)
        .at(0)
        .toString();
}

const Refusal kRefusals[] = {
    {"TotalOtherThanTheItems", true, [](Confirmation& c, GenerationTest&) { AddToTotal(c, 0.01); },
     "difere da soma"},
    {"BillValueOtherThanTheBooks", true,
     [](Confirmation& c, GenerationTest&) { Cell(c.bolRec, 0, "VRFINALBREC") = 299.99; },
     "mudou desde que foi listado"},
    {"ItemValueOtherThanTheBooks", false,
     [](Confirmation& c, GenerationTest&) {
         Cell(c.lancMarcados, 1, "VRMOVICRED") = 79.99;
         AddToTotal(c, -0.01);
     },
     "mudou desde que foi listado"},
    {"PayableOfAnotherCompany", true,
     [](Confirmation& c, GenerationTest& t) {
         auto& test = static_cast<GenerationRefusalTest&>(t);
         testserver::AddPayable(test.Database(), c.marcados, "0003",
                                OtherCompanysPayable(test.Database()));
         AddToTotal(c, Cell(c.marcados, 2, "VRFINALBPAG").toDouble());
     },
     "não encontrado na empresa"},
    {"PayableListedTwice", true,
     [](Confirmation& c, GenerationTest&) {
         c.marcados.rows.push_back(c.marcados.rows[0]);
         AddToTotal(c, 100.0);
     },
     "mais de uma vez"},
    {"CreditUsedByAnotherCompensation", false,
     [](Confirmation& c, GenerationTest& t) {
         auto& test = static_cast<GenerationRefusalTest&>(t);
         const auto used = Rows(test.Database(), "SELECT CDREDUCONT, NRMOVICRED FROM "
                                                 "ITCOMPCONTREC WHERE NRLANCCOMPREC = "
                                                 "'0000000006'");
         c.lancMarcados.rows.pop_back();
         testserver::AddCredit(test.Database(), c.lancMarcados, used.at(0).at(0).toString(),
                               used.at(0).at(1).toString());
         AddToTotal(c, Cell(c.lancMarcados, 1, "VRMOVICRED").toDouble() - 80.0);
     },
     "já foi usado"},
    {"SettlementBeforeCompensation", true,
     [](Confirmation& c, GenerationTest&) {
         Cell(c.nova, 0, "DTBAIXACOMPREC") = QDate::currentDate().addDays(-1).startOfDay();
     },
     "Data da baixa deve ser igual ou maior à data da compensação."},
    {"TotalAboveTheBill", true,
     [](Confirmation& c, GenerationTest& t) {
         auto& test = static_cast<GenerationRefusalTest&>(t);
         testserver::AddPayable(test.Database(), c.marcados, "0001", test.Items().payables[2]);
         AddToTotal(c, 200.0);
     },
     "Valor total a compensar deve ser menor ou igual ao valor líquido da conta informada."},
    {"PayableEnteredAfterTheCompensationDate", true,
     [](Confirmation& c, GenerationTest&) {
         Cell(c.nova, 0, "DTCOMPCONTREC") = QDate::currentDate().addDays(-4).startOfDay();
     },
     "Data de entrada do documento deve ser menor ou igual à data da compensação."},
    {"SettlementTypeNotForCompensations", true,
     [](Confirmation& c, GenerationTest&) { Cell(c.nova, 0, "CDTPBAIXAREC") = "02"; },
     "Tipo de baixa a receber não parametrizado"},
    {"PayablesAdjustmentNotADiscount", true,
     [](Confirmation& c, GenerationTest&) { Cell(c.nova, 0, "CDAJUCTPAG") = "0003"; },
     "Tipo de ajuste de desconto informado não cadastrado."},
    {"AccountOfAnotherCompany", false,
     [](Confirmation& c, GenerationTest&) { Cell(c.nova, 0, "CDREDUCONT") = "BR1"; },
     "Conta corrente informada não cadastrada para empresa informada."},
    {"BillOfAnotherCustomer", true,
     [](Confirmation& c, GenerationTest&) {
         Cell(c.nova, 0, "CDCLIENTE") = "000000000000000000006";
     },
     "não pertence à empresa e ao cliente"},
    {"NoItemOfTheKindNamed", true,
     [](Confirmation& c, GenerationTest&) {
         c.marcados.rows.clear();
         Cell(c.nova, 0, "VRTOTALCOMREC") = 0.0;
     },
     "Não há boleto a pagar marcado"},
};

TEST_P(GenerationRefusalTest, AnswersInWordsAndWritesNothing) {
    for (const Refusal& refusal : kRefusals) {
        SCOPED_TRACE(refusal.name);
        Confirmation c = Two(refusal.payables);
        refusal.change(c, *this);
        const Books before = ReadBooks(Db());
        const Status status = Generate(Server(), c);
        EXPECT_EQ(status.status, "ERRO") << status.code << " " << status.text;
        EXPECT_THAT(status.text, HasSubstr(refusal.told));
        EXPECT_EQ(ReadBooks(Db()), before);
    }
    // The same request, unchanged, goes through.
    EXPECT_EQ(Generate(Server(), Two(true)).status, "OK");
}

TEST_P(GenerationRefusalTest, OperatorWithoutTheCompanyIsRefusedBeforeAnythingIsRead) {
    const Books before = ReadBooks(Db());
    const Confirmation c = Two(true);
    const Status status = testserver::StatusOf(
        Server().Call("SetGeraCompensacao", testserver::GenerationParams(c, "03"), "MARIA"));
    EXPECT_EQ(status.code, -32000);
    EXPECT_EQ(ReadBooks(Db()), before);
}

// Regression: the branch was the client's, so an operator could write settlements under another
// company's branch and take its number series.
TEST_P(GenerationRefusalTest, ABranchOtherThanTheOperatorsIsRefused) {
    const Books before = ReadBooks(Db());
    const Status status = testserver::StatusOf(Server().Call(
        "SetGeraCompensacao", testserver::GenerationParams(Two(true), "01", "0004"), "MARIA"));
    EXPECT_EQ(status.status, "ERRO") << status.code << " " << status.text;
    EXPECT_THAT(status.text, HasSubstr("não é a do operador MARIA (0001)"));
    EXPECT_EQ(ReadBooks(Db()), before);
}

TEST_P(GenerationRefusalTest, SecondCompensationOfTheSameAdjustmentTypeOnTheBillIsRefused) {
    const Status first =
        Generate(Server(), Confirm(Db(), m_items.bill, true, {m_items.payables[0]}));
    ASSERT_EQ(first.status, "OK") << first.text;
    const auto check = testserver::ParseAnswer(Server().Call(
        "GetVdAjBolRec",
        "[\"0001\"," + testserver::Quoted(m_items.bill.toStdString()) + ",\"0001\"]"));
    ASSERT_TRUE(check.ok) << check.text;
    ASSERT_EQ(check.tables.at(0).rows.size(), 1u);
    EXPECT_EQ(check.tables[0].rows[0][0].toString(), "0001");

    const Status second =
        Generate(Server(), Confirm(Db(), m_items.bill, false, {m_items.credits[0]}));
    EXPECT_EQ(second.status, "ERRO");
    EXPECT_EQ(second.text, "Tipo de ajuste a receber já cadastrado para o boleto informado.");
}

TEST_P(GenerationRefusalTest, PayablesCheckListsTheMarkedPayablesThatCarryTheType) {
    const Status first =
        Generate(Server(), Confirm(Db(), m_items.bill, true, {m_items.payables[0]}));
    ASSERT_EQ(first.status, "OK") << first.text;
    // Payable 0 now carries type 0002 (and nothing open); payable 1 does not.
    Confirmation c = Two(true);
    for (const auto& [tipo, rows] : {std::pair{"0002", 1u}, std::pair{"0001", 0u}}) {
        const auto answer = testserver::ParseAnswer(Server().Call(
            "GetVdAjBolPag", "[" + testserver::Json(c.marcados) + ",\"" + tipo + "\"]"));
        ASSERT_TRUE(answer.ok) << answer.text;
        const host::RecordSetTable& t = answer.tables.at(0);
        ASSERT_EQ(t.fields.size(), 3);
        EXPECT_EQ(t.fields[0].name, "DTVENBOLPAG");
        EXPECT_EQ(t.fields[1].name, "NMRAZSOCFORN");
        EXPECT_EQ(t.fields[2].name, "VRFINALBPAG");
        EXPECT_EQ(t.rows.size(), rows) << tipo;
    }
    // Company access is the payable's, as the books have it.
    testserver::AddPayable(Db(), c.marcados, "0004", "0000000001");
    const auto hidden = testserver::ParseAnswer(
        Server().Call("GetVdAjBolPag", "[" + testserver::Json(c.marcados) + ",\"0002\"]", "MARIA"));
    EXPECT_EQ(hidden.code, -32000);
}

// The settlements' history column holds 250 characters: a thousand documents are cut, not
// refused by PostgreSQL.
TEST(HistoryTextTest, LabelThenDocumentsCutToTheColumn) {
    EXPECT_EQ(store::HistoryText("Documento(s) compensado(s) : ", {"8001/U", "8002"}),
              "Documento(s) compensado(s) : 8001/U, 8002");
    const QString cut =
        store::HistoryText("Documento(s) compensado(s) : ", std::vector<QString>(1000, "12345"));
    EXPECT_EQ(cut.size(), 250);
    EXPECT_TRUE(cut.endsWith("..."));
}

INSTANTIATE_TEST_SUITE_P(SetGeraCompensacao, GenerationTest,
                         testing::Values(Backend::Sqlite, Backend::Postgres), Name);
INSTANTIATE_TEST_SUITE_P(SetGeraCompensacao, GenerationRefusalTest,
                         testing::Values(Backend::Sqlite, Backend::Postgres), Name);

} // namespace
