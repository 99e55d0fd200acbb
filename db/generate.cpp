#include "db/generate.h"

#include "db/demo.h"
#include "db/openitems.h"
#include "store/books.h"
#include "store/connection.h"

namespace db {

namespace {

using store::Cents;
using store::CentsText;

constexpr int kBillsPerUnit = 1000;
constexpr int kPayablesPerBill = 10;
constexpr int kCustomers = 54;
constexpr int kSuppliers = 12;

struct Company {
    const char* empresa;
    const char* filial;
    const char* conta;
};
constexpr Company kCompanies[] = {
    {"01", "0001", "BB1"}, {"02", "0003", "BB1"}, {"03", "0004", "IT1"}};

// Values chosen so that every item is below its bill's balance: a compensation never empties
// a generated bill, so each stays open for the screens.
Cents BillValue(qint64 i) {
    return 100000 + (i % 500) * 317;
}
Cents PayableValue(qint64 j) {
    return 5000 + (j % 300) * 111;
}
Cents CreditValue(qint64 i) {
    return 10000 + (i % 200) * 205;
}

class Unit {
public:
    Unit(const QSqlDatabase& db, const QDate& today)
        : m_db(db), m_today(today), m_items(db), m_writer(db) {}

    // One thousand of everything for one company.
    void Run(const Company& c, qint64 serial) {
        const QString empresa = QLatin1String(c.empresa);
        const QString filial = QLatin1String(c.filial);
        const QString conta = QLatin1String(c.conta);
        const qint64 firstRec = store::ReserveNumbers(m_db, "BOLETOREC:" + filial, kBillsPerUnit);
        const qint64 firstPag =
            store::ReserveNumbers(m_db, "BOLETOPAG:" + filial, kBillsPerUnit * kPayablesPerBill);
        const qint64 firstCred = store::ReserveNumbers(
            m_db, QStringLiteral("MOVCREDBANC:%1:%2").arg(empresa, conta), kBillsPerUnit);
        for (int i = 0; i < kBillsPerUnit; ++i) {
            const qint64 n = serial * kBillsPerUnit + i;
            const int customer = int(n % kCustomers) + 1;
            const QString numero = store::PaddedNumber(firstRec + i);
            const QDate due = m_today.addDays(int(n % 60) - 60);
            const Cents value = BillValue(n);
            m_items.rec.Insert({filial, numero, empresa, PartyCode(customer), filial, numero,
                                QString::number(firstRec + i), "G", "01", "01", filial, filial,
                                "110101", due.addDays(-30), due, due, CentsText(value),
                                CentsText(value)});

            std::vector<store::CompensationEntry::Payable> payables;
            for (int k = 0; k < kPayablesPerBill; ++k) {
                const qint64 j = n * kPayablesPerBill + k;
                const QString nrPag = store::PaddedNumber(firstPag + i * kPayablesPerBill + k);
                const QDate vence = m_today.addDays(int(j % 90) - 30);
                const Cents pagValue = PayableValue(j);
                m_items.pag.Insert(
                    {filial, nrPag, empresa, PartyCode(int(j % kSuppliers) + 1), filial, nrPag,
                     QString::number(firstPag + i * kPayablesPerBill + k), "G", "01", "01",
                     k % 2 == 0 ? "01" : "02", filial, "210101", vence.addDays(-120), vence, vence,
                     CentsText(pagValue), CentsText(pagValue)});
                if (k == 0)
                    payables.push_back({filial, nrPag, pagValue});
            }
            const QString nrCred = store::PaddedNumber(firstCred + i);
            m_items.cred.Insert(
                {empresa, conta, nrCred, m_today.addDays(-int(n % 60)), n % 2 == 0 ? "01" : "02",
                 QStringLiteral("Crédito gerado %1").arg(n), CentsText(CreditValue(n))});

            store::CompensationEntry e;
            e.empresa = empresa;
            e.filialProc = filial;
            e.operador = "ADMIN";
            e.cliente = PartyCode(customer);
            e.filiBolRec = filial;
            e.nrLanBolRec = numero;
            e.dtComp = m_today.addDays(-int(n % 30));
            e.dtLanc = e.dtComp;
            e.dtBaixa = e.dtComp;
            e.tpBaixaRec = "01";
            e.ajuCtRec = "0001";
            e.reduCont = conta;
            e.when = e.dtComp.startOfDay();
            if (n % 2 == 0) {
                e.tpBaixaPag = "01";
                e.ajuCtPag = "0001";
                e.payables = std::move(payables);
            } else {
                e.credits.push_back({conta, nrCred, CreditValue(n)});
            }
            e.history = QStringLiteral("Documento(s) compensado(s) : gerado %1").arg(n);
            m_writer.Write(e);
        }
    }

private:
    QSqlDatabase m_db;
    QDate m_today;
    OpenItemInserters m_items;
    store::CompensationWriter m_writer;
};

} // namespace

void Generate(const QSqlDatabase& db, int scale, const QDate& today) {
    if (!HasCompanies(db))
        LoadDemo(db, today);
    Unit unit(db, today);
    for (int serial = 0; serial < scale; ++serial) {
        store::Transaction transaction(db);
        unit.Run(kCompanies[serial % 3], serial);
        transaction.Commit();
    }
}

} // namespace db
