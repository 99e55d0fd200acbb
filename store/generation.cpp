#include "store/generation.h"

#include "data/moneytext.h"
#include "store/books.h"
#include "store/connection.h"
#include "store/sql.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace store {

namespace {

// The operator's reason; thrown only before anything is written.
struct Refused {
    QString text;
};

[[noreturn]] void Refuse(const QString& text) {
    throw Refused{text};
}

constexpr int kHistoryWidth = 250;

QString Key(const QString& first, const QString& second) {
    return first + QLatin1Char('/') + second;
}

QString Money(Cents cents) {
    return host::MoneyTextOfCents(cents);
}

// Finishes a kept SELECT however its reading ends, so that it holds no snapshot of the database.
class Finish {
public:
    explicit Finish(QSqlQuery& query) : m_query(query) {}
    ~Finish() { m_query.finish(); }
    Finish(const Finish&) = delete;
    Finish& operator=(const Finish&) = delete;

private:
    QSqlQuery& m_query;
};

// What needs no database: given values, the date order, each item once.
void CheckRequest(const GenerationRequest& r) {
    if (r.cliente.isEmpty())
        Refuse(QStringLiteral("Cliente deve ser informado."));
    if (r.filiBolRec.isEmpty() || r.nrLanBolRec.isEmpty())
        Refuse(QStringLiteral("Não há conta a receber selecionada para compensação."));
    if (r.tpBaixaRec.isEmpty())
        Refuse(QStringLiteral("Tipo de baixa a receber deve ser informado."));
    if (r.ajuCtRec.isEmpty())
        Refuse(QStringLiteral("Tipo de ajuste a receber deve ser informado."));
    if (r.reduCont.isEmpty())
        Refuse(QStringLiteral("Conta corrente deve ser informada."));
    if (!r.dtComp.isValid())
        Refuse(QStringLiteral("Data da compensação deve ser informada."));
    if (!r.dtBaixa.isValid())
        Refuse(QStringLiteral("Data da baixa deve ser informada."));
    if (r.dtComp > r.dtBaixa)
        Refuse(QStringLiteral("Data da baixa deve ser igual ou maior à data da compensação."));
    if (r.payables && r.tpBaixaPag.isEmpty())
        Refuse(QStringLiteral("Tipo de baixa a pagar deve ser informado."));
    if (r.payables && r.ajuCtPag.isEmpty())
        Refuse(QStringLiteral("Tipo de ajuste a pagar deve ser informado."));
    if (r.items.empty())
        Refuse(r.payables ? QStringLiteral("Não há boleto a pagar marcado para compensação.")
                          : QStringLiteral("Não há crédito em conta corrente marcado para "
                                           "compensação."));
}

// Item indexes in key order: the order rows get locked in, so two generations never wait on
// each other crosswise; a key listed twice sits next to itself.
std::vector<size_t> KeyOrder(const GenerationRequest& r) {
    std::vector<size_t> order(r.items.size());
    std::iota(order.begin(), order.end(), size_t(0));
    const auto less = [&](size_t a, size_t b) {
        const auto& x = r.items[a];
        const auto& y = r.items[b];
        return std::tie(x.first, x.second) < std::tie(y.first, y.second);
    };
    std::sort(order.begin(), order.end(), less);
    for (size_t i = 1; i < order.size(); ++i) {
        const auto& item = r.items[order[i]];
        if (!less(order[i - 1], order[i]))
            Refuse((r.payables ? QStringLiteral("Boleto a pagar %1 marcado mais de uma vez.")
                               : QStringLiteral("Crédito %1 marcado mais de uma vez."))
                       .arg(Key(item.first, item.second)));
    }
    return order;
}

struct Bill {
    Cents open = 0;
    QDate entered;
};

Bill LockBill(const QSqlDatabase& db, const GenerationRequest& r) {
    Statement statement(db, Locked(db, QStringLiteral("SELECT CDEMPRESA, CDCLIENTE, "
                                                      "VRORIGREC, VRSALDOBREC, DTENTRSAID "
                                                      "FROM BOLETOREC WHERE CDFILIBOLREC "
                                                      "= :FILIAL AND NRLANBOLREC = "
                                                      ":NUMERO")));
    QSqlQuery& query = *statement;
    Bill bill;
    Cents original = 0;
    bool theirs = false;
    {
        const Finish done(query);
        Exec(query, {{"FILIAL", r.filiBolRec}, {"NUMERO", r.nrLanBolRec}});
        const bool found = NextRow(query);
        theirs = found && query.value(0).toString() == r.empresa &&
                 query.value(1).toString() == r.cliente;
        if (found) {
            original = CentsFrom(query.value(2));
            bill = {CentsFrom(query.value(3)), query.value(4).toDate()};
        }
    }
    const QString key = Key(r.filiBolRec, r.nrLanBolRec);
    if (!theirs)
        Refuse(QStringLiteral("Boleto a receber %1 não pertence à empresa e ao cliente "
                              "informados.")
                   .arg(key));
    if (bill.open <= 0)
        Refuse(QStringLiteral("Boleto a receber %1 não está mais em aberto: foi compensado ou "
                              "baixado por outro operador. Atualize a lista.")
                   .arg(key));
    // The screen checked the total against what it listed; a bill that moved since then
    // would make that check worthless.
    if (bill.open != r.billOpen || original != r.billOriginal)
        Refuse(QStringLiteral("Boleto a receber %1 mudou desde que foi listado: o valor líquido "
                              "agora é %2. Atualize a lista e confirme novamente.")
                   .arg(key, Money(bill.open)));
    return bill;
}

// The types qualify for compensations (and the bill lacks the receivable one), the account is
// the company's and the branch exists: one round trip, refused in the screen's order.
void CheckReferences(const QSqlDatabase& db, const GenerationRequest& r) {
    Statement statement(
        db, QStringLiteral(
                "SELECT CASE WHEN EXISTS (SELECT 1 FROM TIPOBAIXAREC WHERE CDTPBAIXAREC = "
                ":TPBAIXAREC AND IDBAIXAUTILR = 'P') THEN 1 ELSE 0 END, CASE WHEN EXISTS "
                "(SELECT 1 FROM TIPOAJRECEBER WHERE CDAJUCTREC = :AJUCTREC AND IDAJUCTREC = "
                "'D' AND IDTPAJRECEBER = 'N') THEN 1 ELSE 0 END, CASE WHEN EXISTS (SELECT 1 "
                "FROM AJUSTEREC WHERE CDFILIBOLREC = :FILIAL AND NRLANBOLREC = :NUMERO AND "
                "CDAJUCTREC = :AJUCTREC2) THEN 1 ELSE 0 END, CASE WHEN EXISTS (SELECT 1 FROM "
                "CONTCORR WHERE CDEMPRESA = :CDEMPRESA AND CDREDUCONT = :CDREDUCONT) THEN 1 "
                "ELSE 0 END, CASE WHEN EXISTS (SELECT 1 FROM FILIAL WHERE CDFILIAL = "
                ":CDFILIAL) THEN 1 ELSE 0 END, CASE WHEN EXISTS (SELECT 1 FROM TIPOBAIXAPAG "
                "WHERE CDTPBAIXAPAG = :TPBAIXAPAG AND IDBAIXAUTILP = 'P') THEN 1 ELSE 0 END, "
                "CASE WHEN EXISTS (SELECT 1 FROM TIPOAJPAGAR WHERE CDAJUCTPAG = :AJUCTPAG AND "
                "IDAJUCTPAG = 'D' AND IDTPAJPAGAR = 'N') THEN 1 ELSE 0 END"));
    QSqlQuery& query = *statement;
    std::array<bool, 7> found{};
    {
        const Finish done(query);
        Exec(query, {{"TPBAIXAREC", r.tpBaixaRec},
                     {"AJUCTREC", r.ajuCtRec},
                     {"FILIAL", r.filiBolRec},
                     {"NUMERO", r.nrLanBolRec},
                     {"AJUCTREC2", r.ajuCtRec},
                     {"CDEMPRESA", r.empresa},
                     {"CDREDUCONT", r.reduCont},
                     {"CDFILIAL", r.filialProc},
                     {"TPBAIXAPAG", r.tpBaixaPag},
                     {"AJUCTPAG", r.ajuCtPag}});
        if (!NextRow(query))
            throw DbError("reference check answered no row", DbFault::Other);
        for (size_t i = 0; i < found.size(); ++i)
            found[i] = query.value(int(i)).toInt() != 0;
    }
    const auto [baixaRec, ajusteRec, ajusteNoBoleto, conta, filial, baixaPag, ajustePag] = found;
    if (!baixaRec)
        Refuse(QStringLiteral("Tipo de baixa a receber não parametrizado como \"Compensação "
                              "entre Contas\"."));
    if (!ajusteRec)
        Refuse(QStringLiteral("Tipo de ajuste de desconto informado não cadastrado."));
    if (ajusteNoBoleto)
        Refuse(QStringLiteral("Tipo de ajuste a receber já cadastrado para o boleto informado."));
    if (!conta)
        Refuse(QStringLiteral("Conta corrente informada não cadastrada para empresa informada."));
    if (!filial)
        Refuse(QStringLiteral("Filial de processamento %1 não cadastrada.").arg(r.filialProc));
    if (r.payables && !baixaPag)
        Refuse(QStringLiteral("Tipo de baixa a pagar não parametrizado como \"Compensação "
                              "entre Contas\"."));
    if (r.payables && !ajustePag)
        Refuse(QStringLiteral("Tipo de ajuste de desconto informado não cadastrado."));
}

void CheckEntryDate(const QDate& entered, const GenerationRequest& r, const QString& document) {
    if (entered > r.dtComp)
        Refuse(QStringLiteral("Data de entrada do documento deve ser menor ou igual à data da "
                              "compensação. Documento: %1")
                   .arg(document));
    if (entered > r.dtBaixa)
        Refuse(QStringLiteral("Data de entrada do documento deve ser menor ou igual à data da "
                              "baixa. Documento: %1")
                   .arg(document));
}

// What the database says the items are worth, with the documents for the history text.
struct Items {
    std::vector<Cents> values; // in the request's order
    std::vector<QString> documents;
};

// Items locked by one statement, in key order (a thousand payables take eight round trips).
// A shorter batch is padded to a power of two with its last key, so that a connection keeps
// a handful of prepared texts, not one per length.
constexpr size_t kLockBatch = 128;

size_t PaddedBatch(size_t count) {
    size_t size = 1;
    while (size < count)
        size *= 2;
    return size;
}

// On PostgreSQL the items' rows are locked first, in key order, by statements of their own: a
// statement that waited for a lock reads the locked row anew but sees everything else (the
// uses and adjustments another generation committed meanwhile) as it was before it waited. The
// checks run afterwards, on a snapshot taken once every lock is held. SQLite's BEGIN IMMEDIATE
// already holds the whole database.
void LockItems(const QSqlDatabase& db, const GenerationRequest& r, const std::vector<size_t>& order,
               const QString& table, const QString& first, const QString& second) {
    if (DialectOf(db) != Dialect::Postgres)
        return;
    for (size_t start = 0; start < order.size(); start += kLockBatch) {
        const size_t count = std::min(kLockBatch, order.size() - start);
        const size_t size = PaddedBatch(count);
        QStringList keys;
        for (size_t i = 0; i < size; ++i)
            keys << QStringLiteral("(%1 = :A%3 AND %2 = :B%3)").arg(first, second).arg(i);
        Statement statement(
            db, Locked(db, QStringLiteral("SELECT 1 FROM %1 WHERE CDEMPRESA = "
                                          ":CDEMPRESA AND (%2) ORDER BY %3, %4")
                               .arg(table, keys.join(QStringLiteral(" OR ")), first, second)));
        QSqlQuery& query = *statement;
        const Finish done(query);
        for (size_t i = 0; i < size; ++i) {
            const auto& item = r.items[order[start + std::min(i, count - 1)]];
            query.bindValue(QStringLiteral(":A%1").arg(i), item.first);
            query.bindValue(QStringLiteral(":B%1").arg(i), item.second);
        }
        Exec(query, {{"CDEMPRESA", r.empresa}});
        while (NextRow(query)) {
        }
    }
}

Items LockPayables(const QSqlDatabase& db, const GenerationRequest& r) {
    const std::vector<size_t> order = KeyOrder(r);
    LockItems(db, r, order, QStringLiteral("BOLETOPAG"), QStringLiteral("CDFILIBPAG"),
              QStringLiteral("NRLANBOLPAG"));
    Statement statement(
        db, QStringLiteral("SELECT P.CDEMPRESA, P.VRSALDOBPAG, P.DTENTRSAID, P.NRNOTAFISC, "
                           "P.CDSERIE, CASE WHEN EXISTS (SELECT 1 FROM AJUSTEPAG A WHERE "
                           "A.CDFILIBPAG = P.CDFILIBPAG AND A.NRLANBOLPAG = P.NRLANBOLPAG AND "
                           "A.CDAJUCTPAG = :CDAJUCTPAG) THEN 1 ELSE 0 END FROM BOLETOPAG P "
                           "WHERE P.CDFILIBPAG = :FILIAL AND P.NRLANBOLPAG = :NUMERO"));
    QSqlQuery& query = *statement;
    Items items{std::vector<Cents>(r.items.size()), std::vector<QString>(r.items.size())};
    QStringList adjusted;
    for (const size_t i : order) {
        const auto& item = r.items[i];
        const QString key = Key(item.first, item.second);
        const Finish done(query);
        Exec(query, {{"CDAJUCTPAG", r.ajuCtPag}, {"FILIAL", item.first}, {"NUMERO", item.second}});
        if (!NextRow(query) || query.value(0).toString() != r.empresa)
            Refuse(
                QStringLiteral("Boleto a pagar %1 não encontrado na empresa informada.").arg(key));
        const Cents open = CentsFrom(query.value(1));
        const QDate entered = query.value(2).toDate();
        const QString serie = query.value(4).toString().trimmed();
        const QString document =
            query.value(3).toString() + (serie.isEmpty() ? QString() : QLatin1Char('/') + serie);
        const bool hasAdjustment = query.value(5).toInt() != 0;
        if (open <= 0)
            Refuse(QStringLiteral("Boleto a pagar %1 não está mais em aberto: foi compensado ou "
                                  "baixado por outro operador. Atualize a lista.")
                       .arg(key));
        if (open != item.value)
            Refuse(QStringLiteral("Boleto a pagar %1 mudou desde que foi listado: o valor "
                                  "líquido agora é %2. Atualize a lista e marque-o novamente.")
                       .arg(key, Money(open)));
        CheckEntryDate(entered, r, document);
        if (hasAdjustment)
            adjusted << document;
        items.values[i] = open;
        items.documents[i] = document;
    }
    if (!adjusted.isEmpty())
        Refuse(QStringLiteral("Tipo de ajuste a pagar já cadastrado para os boletos: ") +
               adjusted.join(QStringLiteral(", ")));
    return items;
}

Items LockCredits(const QSqlDatabase& db, const GenerationRequest& r) {
    const std::vector<size_t> order = KeyOrder(r);
    LockItems(db, r, order, QStringLiteral("MOVCREDBANC"), QStringLiteral("CDREDUCONT"),
              QStringLiteral("NRMOVICRED"));
    // The compensation that used a credit, and who made it.
    Statement statement(
        db, QStringLiteral("SELECT M.VRMOVICRED, C.NRLANCCOMPREC, C.CDOPERLANCOMREC FROM "
                           "MOVCREDBANC M LEFT JOIN ITCOMPCONTREC I ON I.CDEMPRESA = "
                           "M.CDEMPRESA AND I.CDREDUCONT = M.CDREDUCONT AND I.NRMOVICRED = "
                           "M.NRMOVICRED LEFT JOIN COMPCONTREC C ON C.CDEMPRESA = I.CDEMPRESA "
                           "AND C.NRLANCCOMPREC = I.NRLANCCOMPREC WHERE M.CDEMPRESA = "
                           ":CDEMPRESA AND M.CDREDUCONT = :CONTA AND M.NRMOVICRED = :NUMERO"));
    QSqlQuery& query = *statement;
    Items items{std::vector<Cents>(r.items.size()), {}};
    for (const size_t i : order) {
        const auto& item = r.items[i];
        const QString key = Key(item.first, item.second);
        const Finish done(query);
        Exec(query, {{"CDEMPRESA", r.empresa}, {"CONTA", item.first}, {"NUMERO", item.second}});
        if (!NextRow(query))
            Refuse(QStringLiteral("Crédito %1 não encontrado na empresa informada.").arg(key));
        const Cents value = CentsFrom(query.value(0));
        if (!query.value(1).isNull())
            Refuse(QStringLiteral("Crédito %1 já foi usado na compensação %2, do operador %3. "
                                  "Atualize a lista.")
                       .arg(key, query.value(1).toString(), query.value(2).toString()));
        if (value != item.value)
            Refuse(QStringLiteral("Crédito %1 mudou desde que foi listado: o valor agora é %2. "
                                  "Atualize a lista e marque-o novamente.")
                       .arg(key, Money(value)));
        items.values[i] = value;
    }
    for (const auto& item : r.items)
        items.documents.push_back(item.second);
    return items;
}

CompensationEntry Entry(const GenerationRequest& r, Cents billOpen, const Items& items) {
    CompensationEntry e;
    e.empresa = r.empresa;
    e.filialProc = r.filialProc;
    e.operador = r.operador;
    e.cliente = r.cliente;
    e.filiBolRec = r.filiBolRec;
    e.nrLanBolRec = r.nrLanBolRec;
    e.dtComp = r.dtComp;
    e.dtLanc = r.when.date();
    e.dtBaixa = r.dtBaixa;
    e.tpBaixaRec = r.tpBaixaRec;
    e.ajuCtRec = r.ajuCtRec;
    e.reduCont = r.reduCont;
    e.billOpen = billOpen;
    for (size_t i = 0; i < r.items.size(); ++i) {
        const auto& item = r.items[i];
        if (r.payables)
            e.payables.push_back({item.first, item.second, items.values[i], items.values[i]});
        else
            e.credits.push_back({item.first, item.second, items.values[i]});
    }
    if (r.payables) {
        e.tpBaixaPag = r.tpBaixaPag;
        e.ajuCtPag = r.ajuCtPag;
    }
    e.history = HistoryText(r.label, items.documents);
    e.when = r.when;
    return e;
}

// The branch that records the settlements is the operator's processing branch: a client may
// name it, never choose another one (and another company's number series).
QString ProcessingBranch(const QSqlDatabase& db, const GenerationRequest& r) {
    Statement statement(
        db, QStringLiteral("SELECT CDFILIPROC FROM OPERADOR WHERE CDOPERADOR = :CDOPERADOR"));
    QSqlQuery& query = *statement;
    QString branch;
    {
        const Finish done(query);
        Exec(query, {{"CDOPERADOR", r.operador}});
        if (!NextRow(query))
            Refuse(QStringLiteral("Operador %1 não cadastrado.").arg(r.operador));
        branch = query.value(0).toString();
    }
    if (!r.filialProc.isEmpty() && r.filialProc != branch)
        Refuse(QStringLiteral("A filial de processamento enviada (%1) não é a do operador %2 (%3). "
                              "Entre novamente no sistema e confirme outra vez.")
                   .arg(r.filialProc, r.operador, branch));
    return branch;
}

QString Generate(const QSqlDatabase& db, const GenerationRequest& request) {
    CheckRequest(request);
    GenerationRequest r = request;
    r.filialProc = ProcessingBranch(db, request);
    const Bill bill = LockBill(db, r);
    CheckReferences(db, r);
    const Items items = r.payables ? LockPayables(db, r) : LockCredits(db, r);

    const Cents total = std::accumulate(items.values.begin(), items.values.end(), Cents(0));
    if (total != r.total)
        Refuse(QStringLiteral("O valor total a compensar enviado (%1) difere da soma dos itens "
                              "marcados (%2). Atualize a lista e confirme novamente.")
                   .arg(Money(r.total), Money(total)));
    if (total <= 0)
        Refuse(QStringLiteral("Valor total a compensar deve ser maior que zero."));
    if (total > bill.open)
        Refuse(QStringLiteral("Valor total a compensar deve ser menor ou igual ao valor líquido "
                              "da conta informada."));
    // Settling the whole bill needs the bill's own document to exist by both dates.
    if (total == bill.open)
        CheckEntryDate(bill.entered, r, Key(r.filiBolRec, r.nrLanBolRec));

    return CompensationWriter(db).Write(Entry(r, bill.open, items));
}

} // namespace

QString HistoryText(const QString& label, const std::vector<QString>& documents) {
    QString text = label;
    for (size_t i = 0; i < documents.size(); ++i) {
        if (i > 0)
            text += QStringLiteral(", ");
        text += documents[i];
        if (text.size() > kHistoryWidth)
            break;
    }
    if (text.size() > kHistoryWidth)
        text = text.left(kHistoryWidth - 3) + QStringLiteral("...");
    return text;
}

GenerationOutcome GenerateCompensation(const QSqlDatabase& db, const GenerationRequest& request) {
    try {
        return {Generate(db, request), {}};
    } catch (const Refused& refused) {
        return {{}, refused.text};
    }
}

} // namespace store
