#include "db/demo.h"

#include "db/openitems.h"
#include "db/taxid.h"
#include "store/books.h"
#include "store/connection.h"
#include "store/inserter.h"
#include "store/password.h"
#include "store/sql.h"

#include <stdexcept>

namespace db {

namespace {

using store::Cents;
using store::CentsText;
using store::Inserter;

constexpr int kCustomers = 54;
constexpr int kSuppliers = 12;

const char* const kCompanyNames[] = {"Atacadista Horizonte",   "Mercado Bom Preço",
                                     "Construtora Vale Verde", "Farmácia Santa Luzia",
                                     "Padaria Pão Dourado",    "Transportes Rota Sul",
                                     "Auto Peças Ribeirão",    "Papelaria Estrela",
                                     "Distribuidora Litoral",  "Supermercado Central"};
const char* const kCompanySuffix[] = {"Ltda", "S.A.", "ME", "EIRELI"};
const char* const kFirstNames[] = {"Ana",    "Bruno",    "Carla",    "Daniel",  "Eduarda",
                                   "Felipe", "Gabriela", "Henrique", "Isabela", "José"};
const char* const kLastNames[] = {"Almeida",  "Barbosa", "Cardoso", "Dias",
                                  "Ferreira", "Gomes",   "Moreira", "Teixeira"};

// Customers 1..kCustomers: even numbers are people (CPF), odd numbers companies (CNPJ).
bool IsCompanyCustomer(int n) {
    return n % 2 == 1;
}
qint64 CnpjRoot(int n) {
    return 11222000 + n * 37;
}

void LoadCompanies(const QSqlDatabase& db, const QDate& today) {
    Inserter empresa(db, "EMPRESA", {"CDEMPRESA", "NMEMPRESA", "NRINSJUREMPR"});
    empresa.Insert({"01", QStringLiteral("Comercial Aurora Ltda"), Cnpj(33444100, 1)});
    empresa.Insert({"02", QStringLiteral("Distribuidora Boa Vista S.A."), Cnpj(33444200, 1)});
    empresa.Insert({"03", QStringLiteral("Indústria Serra Azul Ltda"), Cnpj(33444300, 1)});
    Inserter filial(db, "FILIAL", {"CDFILIAL", "NMFILIAL", "CDEMPRESA", "DTPROCFILI"});
    filial.Insert({"0001", QStringLiteral("Aurora Matriz"), "01", today});
    filial.Insert({"0002", QStringLiteral("Aurora Centro"), "01", today});
    filial.Insert({"0003", QStringLiteral("Boa Vista Matriz"), "02", today});
    filial.Insert({"0004", QStringLiteral("Serra Azul Fábrica"), "03", today});
}

void LoadOperators(const QSqlDatabase& db) {
    Inserter operador(
        db, "OPERADOR",
        {"CDOPERADOR", "NMOPERADOR", "CDFILIPROC", "DSSENHASAL", "DSSENHAHASH", "QTITERSENHA"});
    Inserter acesso(db, "OPERADOR_EMPRESA", {"CDOPERADOR", "CDEMPRESA"});
    for (const DemoOperator& op : DemoOperators()) {
        const store::PasswordHash hash = store::HashPassword(op.password);
        operador.Insert({op.code, op.name, op.branch, hash.salt, hash.hash, hash.iterations});
        for (const QString& company : op.companies)
            acesso.Insert({op.code, company});
    }
}

void LoadParties(const QSqlDatabase& db) {
    Inserter cliente(db, "CLIENTE",
                     {"CDCLIENTE", "IDTPIJURCLIE", "NRINSJURCLIE", "NMRAZSOCCLIE", "NMFANTCLIE"});
    for (int n = 1; n <= kCustomers; ++n) {
        if (IsCompanyCustomer(n)) {
            const QString name = QStringLiteral("%1 %2 %3")
                                     .arg(QString::fromUtf8(kCompanyNames[n % 10]))
                                     .arg(n)
                                     .arg(QLatin1String(kCompanySuffix[n % 4]));
            cliente.Insert({PartyCode(n), "J", Cnpj(CnpjRoot(n), 1), name,
                            QString::fromUtf8(kCompanyNames[n % 10])});
        } else {
            const QString name = QStringLiteral("%1 %2 %3")
                                     .arg(QString::fromUtf8(kFirstNames[n % 10]),
                                          QString::fromUtf8(kLastNames[(n / 2) % 8]),
                                          QString::fromUtf8(kLastNames[(n / 3) % 8]));
            cliente.Insert({PartyCode(n), "F", Cpf(123456000 + n * 1013), name, QVariant()});
        }
    }
    // Suppliers 1..5 are branches (0002) of the company customers 1, 3, 5, 7, 9.
    Inserter fornecedor(
        db, "FORNECEDOR",
        {"CDFORNECED", "IDTPIJURFORN", "NRINSJURFORN", "NMRAZSOCFORN", "NMFANTFORN"});
    for (int n = 1; n <= kSuppliers; ++n) {
        if (n <= 5) {
            const int customer = 2 * n - 1;
            fornecedor.Insert({PartyCode(n), "J", Cnpj(CnpjRoot(customer), 2),
                               QStringLiteral("%1 %2 Filial")
                                   .arg(QString::fromUtf8(kCompanyNames[customer % 10]))
                                   .arg(customer),
                               QString::fromUtf8(kCompanyNames[customer % 10])});
        } else if (n <= 8) {
            fornecedor.Insert({PartyCode(n), "F", Cpf(987650000 + n * 77),
                               QStringLiteral("%1 %2 Serviços")
                                   .arg(QString::fromUtf8(kFirstNames[n % 10]),
                                        QString::fromUtf8(kLastNames[n % 8])),
                               QVariant()});
        } else {
            fornecedor.Insert({PartyCode(n), "J", Cnpj(55666000 + n * 91, 1),
                               QStringLiteral("Fornecedora Industrial %1 Ltda").arg(n),
                               QStringLiteral("Industrial %1").arg(n)});
        }
    }
}

void LoadTypes(const QSqlDatabase& db) {
    Inserter baixaRec(db, "TIPOBAIXAREC", {"CDTPBAIXAREC", "NMTPBAIXAREC", "IDBAIXAUTILR"});
    baixaRec.Insert({"01", QStringLiteral("Compensação entre contas"), "P"});
    baixaRec.Insert({"02", QStringLiteral("Depósito bancário"), "N"});
    baixaRec.Insert({"03", QStringLiteral("Encontro de contas"), "P"});
    baixaRec.Insert({"04", QStringLiteral("Dinheiro"), "N"});
    Inserter baixaPag(db, "TIPOBAIXAPAG", {"CDTPBAIXAPAG", "NMTPBAIXAPAG", "IDBAIXAUTILP"});
    baixaPag.Insert({"01", QStringLiteral("Compensação entre contas"), "P"});
    baixaPag.Insert({"02", QStringLiteral("Boleto bancário"), "N"});
    baixaPag.Insert({"03", QStringLiteral("Transferência bancária"), "N"});
    baixaPag.Insert({"04", QStringLiteral("Encontro de contas"), "P"});
    Inserter ajRec(db, "TIPOAJRECEBER",
                   {"CDAJUCTREC", "DSAJUCTREC", "IDAJUCTREC", "IDTPAJRECEBER"});
    ajRec.Insert({"0001", QStringLiteral("Desconto por compensação"), "D", "N"});
    ajRec.Insert({"0002", QStringLiteral("Desconto comercial"), "D", "N"});
    ajRec.Insert({"0003", QStringLiteral("Juros de mora"), "A", "N"});
    ajRec.Insert({"0004", QStringLiteral("Desconto financeiro"), "D", "S"});
    Inserter ajPag(db, "TIPOAJPAGAR", {"CDAJUCTPAG", "DSAJUCTPAG", "IDAJUCTPAG", "IDTPAJPAGAR"});
    ajPag.Insert({"0001", QStringLiteral("Desconto por compensação"), "D", "N"});
    ajPag.Insert({"0002", QStringLiteral("Abatimento negociado"), "D", "N"});
    ajPag.Insert({"0003", QStringLiteral("Multa por atraso"), "A", "N"});
    ajPag.Insert({"0004", QStringLiteral("Desconto financeiro"), "D", "S"});
    Inserter tpCred(db, "TPCREDBANC", {"CDTPCREDBANC", "DSTPCREDBANC"});
    tpCred.Insert({"01", QStringLiteral("Depósito em dinheiro")});
    tpCred.Insert({"02", QStringLiteral("TED recebida")});
    tpCred.Insert({"03", QStringLiteral("Transferência entre contas")});
    tpCred.Insert({"04", QStringLiteral("Depósito em cheque")});
    Inserter geral(db, "GERAL_PAG",
                   {"CDGERALPAG", "QTDIAANTBOLP", "QTDIAAPOBOLP", "IDHABIBOLE", "IDUTLNFDEVOL"});
    geral.Insert({"1", 30, 30, "S", "N"});
}

void LoadBanks(const QSqlDatabase& db) {
    Inserter banco(db, "BANCO", {"CDBANCO", "NMBANCO", "CDPICTAGEN", "CDPICTCONT"});
    banco.Insert({"001", QStringLiteral("Banco do Brasil"), "9999-a", "99999999-a"});
    banco.Insert({"104", QStringLiteral("Caixa Econômica Federal"), "9999", "999.999999-9"});
    banco.Insert({"237", QStringLiteral("Bradesco"), "9999-9", "9999999-9"});
    banco.Insert({"341", QStringLiteral("Itaú Unibanco"), "9999", "99999-9"});
    Inserter conta(db, "CONTCORR",
                   {"CDEMPRESA", "CDREDUCONT", "CDBANCO", "CDAGENCIA", "CDCONTCORR", "DSCONTCORR",
                    "CDCONTCTBL"});
    conta.Insert(
        {"01", "BB1", "001", "3456X", "12345678X", QStringLiteral("BB movimento"), "1.1.1.02.001"});
    conta.Insert({"01", "CX1", "104", "0987", "0130123456", QStringLiteral("Caixa cobrança"),
                  "1.1.1.02.002"});
    conta.Insert(
        {"01", "IT1", "341", "0271", "456789", QStringLiteral("Itaú pagamentos"), "1.1.1.02.003"});
    conta.Insert(
        {"02", "BB1", "001", "1234", "98765432", QStringLiteral("BB Boa Vista"), "1.1.1.02.001"});
    conta.Insert({"02", "BR1", "237", "55551", "12345678", QStringLiteral("Bradesco Boa Vista"),
                  "1.1.1.02.004"});
    conta.Insert(
        {"03", "IT1", "341", "8100", "223344", QStringLiteral("Itaú Serra Azul"), "1.1.1.02.003"});
}

// Open bills and credits for browsing and new compensations.
class Books {
public:
    Books(const QSqlDatabase& db, const QDate& today) : m_db(db), m_today(today), m_items(db) {}

    struct Bill {
        QString filial;
        QString numero;
    };

    Bill Receivable(const QString& empresa, const QString& filial, int customer, Cents value,
                    int dueInDays, int enteredDaysAgo, int parcela = 1) {
        const QString numero = store::NextNumber(m_db, QStringLiteral("BOLETOREC:") + filial);
        const QDate due = m_today.addDays(dueInDays);
        m_items.rec.Insert({filial, numero, empresa, PartyCode(customer), filial, numero,
                            QString::number(5000 + numero.toInt()), "1", QStringLiteral("01"),
                            QStringLiteral("%1").arg(parcela, 2, 10, QLatin1Char('0')), filial,
                            filial, "110101", m_today.addDays(-enteredDaysAgo), due, due,
                            CentsText(value), CentsText(value)});
        return {filial, numero};
    }

    Bill Payable(const QString& empresa, const QString& posting, const QString& origin,
                 int supplier, const QString& tipoBaixa, Cents value, int dueInDays,
                 int enteredDaysAgo) {
        const QString numero = store::NextNumber(m_db, QStringLiteral("BOLETOPAG:") + posting);
        const QDate due = m_today.addDays(dueInDays);
        m_items.pag.Insert({posting, numero, empresa, PartyCode(supplier), origin, numero,
                            QString::number(8000 + numero.toInt()), "U", QStringLiteral("01"),
                            QStringLiteral("01"), tipoBaixa, posting, "210101",
                            m_today.addDays(-enteredDaysAgo), due, due, CentsText(value),
                            CentsText(value)});
        return {posting, numero};
    }

    QString Credit(const QString& empresa, const QString& conta, const QString& tipo, Cents value,
                   int daysAgo, const QString& description) {
        const QString numero =
            store::NextNumber(m_db, QStringLiteral("MOVCREDBANC:%1:%2").arg(empresa, conta));
        m_items.cred.Insert({empresa, conta, numero, m_today.addDays(-daysAgo), tipo, description,
                             CentsText(value)});
        return numero;
    }

private:
    QSqlDatabase m_db;
    QDate m_today;
    OpenItemInserters m_items;
};

void LoadOpenBooks(Books& books) {
    // Company 01: two bills for each of the first 20 customers, on both branches.
    for (int n = 1; n <= 20; ++n) {
        const QString filial = n % 3 == 0 ? "0002" : "0001";
        books.Receivable("01", filial, n, 25000 + n * 7315, n % 45 - 15, 30 + n % 10, 1);
        books.Receivable("01", filial, n, 18000 + n * 2150, n % 45 + 15, 30 + n % 10, 2);
    }
    // One bill whose entry date lies in the future: it cannot be compensated yet.
    books.Receivable("01", "0001", 2, 99000, 40, -5);
    for (int n = 21; n <= 35; ++n)
        books.Receivable(n <= 30 ? "02" : "03", n <= 30 ? "0003" : "0004", n, 40000 + n * 1111,
                         n % 30 - 5, 20);

    const char* const tipos[] = {"01", "02", "03", "04"};
    for (int s = 1; s <= 12; ++s) {
        for (int k = 0; k < 3; ++k) {
            const QString posting = (s + k) % 2 == 0 ? "0001" : "0002";
            const QString origin = k == 1 ? "0002" : "0001";
            books.Payable("01", posting, origin, s, tipos[(s + k) % 4], 12000 + s * 4321 + k * 990,
                          (s * 7 + k * 11) % 60 - 25, 10 + k);
        }
    }
    for (int s = 1; s <= 6; ++s) {
        books.Payable("02", "0003", "0003", s, tipos[s % 4], 30000 + s * 1500, s * 5 - 10, 8);
        books.Payable("03", "0004", "0004", s + 6, tipos[s % 4], 22000 + s * 900, s * 4 - 6, 8);
    }

    struct Account {
        const char* empresa;
        const char* conta;
        int count;
    };
    for (const Account& a :
         {Account{"01", "BB1", 6}, Account{"01", "IT1", 6}, Account{"02", "BB1", 4},
          Account{"02", "BR1", 4}, Account{"03", "IT1", 3}}) {
        for (int k = 1; k <= a.count; ++k)
            books.Credit(a.empresa, a.conta, tipos[k % 4], 5000 + k * 12345, k * 3,
                         QStringLiteral("Crédito %1 %2").arg(QLatin1String(a.conta)).arg(k));
    }
}

// A bank that gives no pictures: its account shows agency and number bare, also right after
// an account of a bank that has them. Two unused credits on it.
void LoadBankWithoutPictures(const QSqlDatabase& db, Books& books) {
    Inserter banco(db, "BANCO", {"CDBANCO", "NMBANCO", "CDPICTAGEN", "CDPICTCONT"});
    banco.Insert({"756", QStringLiteral("Banco Cooperativo"), QVariant(), QVariant()});
    Inserter conta(db, "CONTCORR",
                   {"CDEMPRESA", "CDREDUCONT", "CDBANCO", "CDAGENCIA", "CDCONTCORR", "DSCONTCORR",
                    "CDCONTCTBL"});
    conta.Insert({"03", "CP1", "756", "3100", "7788990", QStringLiteral("Cooperativa Serra"),
                  "1.1.1.02.005"});
    books.Credit("03", "CP1", "02", 64000, 2, QStringLiteral("TED cooperativa 1"));
    books.Credit("03", "CP1", "04", 12550, 5, QStringLiteral("Cheque cooperativa 2"));
}

// Stored compensations of both kinds, each taken to one of the states the list shows.
enum class Outcome { Planned, Settled, BalanceLeft, SentToBank, PayablesRealised };

struct Scenario {
    int customer;
    Cents billValue;
    std::vector<Cents> items;
    bool payables;
    Outcome outcome;
    bool onProcessingDate = false; // the list's default filter shows these at first
};

void LoadCompensations(const QSqlDatabase& db, Books& books, const QDate& today) {
    const std::vector<Scenario> scenarios = {
        {1, 150000, {40000, 20000}, true, Outcome::Planned},
        {3, 80000, {80000}, true, Outcome::Settled},
        {5, 200000, {50000}, true, Outcome::BalanceLeft},
        {7, 120000, {30000}, true, Outcome::SentToBank},
        {9, 90000, {45000}, true, Outcome::PayablesRealised},
        {11, 70000, {25000}, false, Outcome::Planned},
        {13, 35000, {35000}, false, Outcome::Settled},
        {15, 100000, {40000}, false, Outcome::BalanceLeft},
        {17, 60000, {15000}, false, Outcome::SentToBank},
        {7, 60000, {30000, 10000}, true, Outcome::Planned, true},
        {3, 45000, {45000}, true, Outcome::Settled, true},
        {23, 50000, {20000}, false, Outcome::Planned, true},
        {25, 40000, {10000}, false, Outcome::BalanceLeft, true},
        {9, 30000, {12000}, true, Outcome::SentToBank, true},
    };
    store::CompensationWriter writer(db);
    int index = 0;
    for (const Scenario& s : scenarios) {
        ++index;
        const Books::Bill bill =
            books.Receivable("01", "0001", s.customer, s.billValue, index - 20, 40 + index, 1);
        store::CompensationEntry e;
        e.empresa = "01";
        e.filialProc = "0001";
        e.operador = "ADMIN";
        e.cliente = PartyCode(s.customer);
        e.filiBolRec = bill.filial;
        e.nrLanBolRec = bill.numero;
        e.dtComp = s.onProcessingDate ? today : today.addDays(-20 + index);
        e.dtLanc = e.dtComp;
        e.dtBaixa = s.onProcessingDate ? today : e.dtComp.addDays(index % 3);
        e.tpBaixaRec = "01";
        e.ajuCtRec = "0001";
        e.reduCont = "BB1";
        e.when = e.dtComp.startOfDay().addSecs(9 * 3600);
        QStringList documents;
        for (Cents value : s.items) {
            if (s.payables) {
                const int supplier = (s.customer + 1) / 2; // shares the customer's CNPJ root
                const Books::Bill p =
                    books.Payable("01", "0001", "0001", supplier, "01", value, index, 45);
                e.payables.push_back({p.filial, p.numero, value});
                documents << p.numero;
            } else {
                const QString numero = books.Credit("01", "BB1", "02", value, 25 - index,
                                                    QStringLiteral("TED compensada %1").arg(index));
                e.credits.push_back({"BB1", numero, value});
                documents << numero;
            }
        }
        if (s.payables) {
            e.tpBaixaPag = "01";
            e.ajuCtPag = "0001";
        }
        e.history = QStringLiteral("Documento(s) compensado(s) : ") + documents.join(", ");
        const QString numero = writer.Write(e);
        switch (s.outcome) {
        case Outcome::Planned:
            break;
        case Outcome::Settled:
        case Outcome::BalanceLeft:
            store::RealiseSettlements(db, "01", numero, store::SettlementSide::Both);
            break;
        case Outcome::SentToBank:
            store::SendBillToBank(db, "01", numero, today);
            break;
        case Outcome::PayablesRealised:
            store::RealiseSettlements(db, "01", numero, store::SettlementSide::Payables);
            break;
        }
    }
}

} // namespace

bool HasCompanies(const QSqlDatabase& db) {
    QSqlQuery existing = store::Run(db, QStringLiteral("SELECT COUNT(*) FROM EMPRESA"));
    return existing.next() && existing.value(0).toInt() > 0;
}

QString PartyCode(int number) {
    return QStringLiteral("%1").arg(number, 21, 10, QLatin1Char('0'));
}

const std::vector<DemoOperator>& DemoOperators() {
    static const std::vector<DemoOperator> operators = {
        {"ADMIN", QStringLiteral("Administrador"), "admin123", "0001", {"01", "02", "03"}},
        {"MARIA", QStringLiteral("Maria Souza"), "maria123", "0001", {"01", "02"}},
        {"JOAO", QStringLiteral("João Lima"), "joao123", "0003", {"01", "02", "03"}},
    };
    return operators;
}

void LoadDemo(const QSqlDatabase& db, const QDate& today) {
    if (HasCompanies(db))
        throw std::runtime_error("the database already holds companies; demo data not loaded");
    store::Transaction transaction(db);
    LoadCompanies(db, today);
    LoadOperators(db);
    LoadParties(db);
    LoadTypes(db);
    LoadBanks(db);
    Books books(db, today);
    LoadOpenBooks(books);
    LoadBankWithoutPictures(db, books);
    LoadCompensations(db, books, today);
    transaction.Commit();
}

} // namespace db
