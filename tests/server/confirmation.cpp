#include "tests/server/confirmation.h"

#include "data/jsonwriter.h"
#include "db/demo.h"
#include "store/books.h"
#include "store/connection.h"
#include "store/inserter.h"
#include "store/sql.h"

#include <simdjson.h>

#include <utility>

namespace testserver {

namespace {

using host::FieldType;
using Fields = std::initializer_list<std::pair<const char*, FieldType>>;

constexpr FieldType S = FieldType::String;
constexpr FieldType F = FieldType::Float;
constexpr FieldType D = FieldType::DateTime;

host::RecordSetTable Table(Fields fields) {
    host::RecordSetTable table;
    for (const auto& [name, type] : fields) {
        host::FieldDef def;
        def.name = QString::fromLatin1(name);
        def.type = type;
        def.size = type == S ? 50 : 0;
        table.fields.append(def);
    }
    return table;
}

// A row of nulls, then the given cells by name.
void AddRow(host::RecordSetTable& table,
            std::initializer_list<std::pair<const char*, QVariant>> cells) {
    table.rows.emplace_back(size_t(table.fields.size()));
    for (const auto& [name, value] : cells)
        Cell(table, table.rows.size() - 1, name) = value;
}

double Money(const QVariant& value) {
    return store::CentsToDouble(store::CentsFrom(value));
}

QDateTime Day(const QDate& date) {
    return date.startOfDay();
}

std::string Quoted(const std::string& text) {
    host::JsonWriter out;
    out.value(std::string_view(text));
    return out.take().toStdString();
}

std::string Json(const host::RecordSetTable& table) {
    return host::codec::Encode(table).toStdString();
}

std::vector<QVariant> One(const QSqlDatabase& db, const QString& sql,
                          std::initializer_list<store::Binding> bindings) {
    QSqlQuery query = store::Run(db, sql, bindings);
    std::vector<QVariant> row;
    if (query.next())
        for (int i = 0; i < 3; ++i)
            row.push_back(query.value(i));
    while (query.next()) {
    }
    return row;
}

void AddNova(Confirmation& c, const QVariant& branch, const QVariant& bill, const QVariant& cliente,
             bool payables, store::Cents total) {
    const QDateTime today = Day(QDate::currentDate());
    AddRow(c.nova, {{"DTCOMPCONTREC", today},
                    {"CDEMPRESA", QStringLiteral("01")},
                    {"CDFILIAL", branch},
                    {"NRLANBOLREC", bill},
                    {"CDOPERLANCOMREC", QStringLiteral("ADMIN")},
                    {"CDCLIENTE", cliente},
                    {"CDTPBAIXAREC", QStringLiteral("01")},
                    {"CDTPBAIXAPAG", payables ? QVariant(QStringLiteral("04")) : QVariant()},
                    {"CDAJUCTREC", QStringLiteral("0001")},
                    {"CDAJUCTPAG", payables ? QVariant(QStringLiteral("0002")) : QVariant()},
                    {"CDREDUCONT", QStringLiteral("BB1")},
                    {"DTBAIXACOMPREC", today},
                    {"IDTPITUTLCOMREC", payables ? QStringLiteral("0") : QStringLiteral("1")},
                    {"DTLANCOMCONTREC", today},
                    {"VRTOTALCOMREC", store::CentsToDouble(total)}});
}

// Copies a listed row into a record set of the screen, field by field by name.
void Project(const host::RecordSetTable& from, size_t row, host::RecordSetTable& into) {
    into.rows.emplace_back(size_t(into.fields.size()));
    for (qsizetype i = 0; i < from.fields.size(); ++i)
        for (qsizetype j = 0; j < into.fields.size(); ++j)
            if (into.fields[j].name == from.fields[i].name)
                into.rows.back()[size_t(j)] = from.rows.at(row).at(size_t(i));
}

Confirmation Empty() {
    Confirmation c;
    c.nova = Table({{"DTCOMPCONTREC", D},   {"CDEMPRESA", S},      {"NRLANCCOMPREC", S},
                    {"CDFILIAL", S},        {"NRLANBOLREC", S},    {"CDOPERLANCOMREC", S},
                    {"CDCLIENTE", S},       {"CDTPBAIXAREC", S},   {"CDTPBAIXAPAG", S},
                    {"CDAJUCTREC", S},      {"CDAJUCTPAG", S},     {"CDREDUCONT", S},
                    {"DTBAIXACOMPREC", D},  {"CDFILIALBAIREC", S}, {"NRBAIXAREC", S},
                    {"CDFILIALBAIPAG", S},  {"NRBAIXAPAG", S},     {"IDTPITUTLCOMREC", S},
                    {"DTLANCOMCONTREC", D}, {"QTITCOMCONTREC", F}, {"VRTOTALCOMREC", F}});
    c.bolRec = Table({{"DOCUMENTO", S},
                      {"CDFILIAL", S},
                      {"NRLANCTONF", S},
                      {"NRSEQVENREC", S},
                      {"NRPARCELAREC", S},
                      {"CDFILIBOLREC", S},
                      {"NRLANBOLREC", S},
                      {"VRORIGREC", F},
                      {"VRFINALBREC", F},
                      {"DTMOVFLUXO", D},
                      {"CDCLASSFINA", S},
                      {"CDFIMOVFLREC", S},
                      {"DTENTRSAID", D}});
    c.marcados =
        Table({{"DTVENBOLPAG", D},  {"DOCUMENTO", S},    {"NRINSJURFORN", S}, {"NMRAZSOCFORN", S},
               {"NRSEQVENPAG", S},  {"NRPARCELAPAG", S}, {"NMTPBAIXAPAG", S}, {"VRFINALBPAG", F},
               {"IDMARCADO", S},    {"CDFILIBPAG", S},   {"NRLANBOLPAG", S},  {"CDTPBAIXAPAG", S},
               {"IDTPIJURFORN", S}, {"CDFORNECED", S},   {"CDFILIAL", S},     {"NRLANCTONF", S},
               {"VRORIGPAG", F},    {"CDFIMOVFLPAG", S}, {"CDCLASSFINA", S},  {"DTMOVFLUXO", D},
               {"CDEMPRESA", S},    {"DTENTRSAID", D},   {"VRITEMCOMPREC", F}});
    c.lancMarcados = Table({{"DTMOVICRED", D},
                            {"DSTPCREDBANC", S},
                            {"CDTPCREDBANC", S},
                            {"DSMOVICRED", S},
                            {"VRMOVICRED", F},
                            {"CDREDUCONT", S},
                            {"CDEMPRESA", S},
                            {"NRMOVICRED", S},
                            {"IDMARCADO", S}});

    return c;
}

} // namespace

OpenItems AddOpenItems(const QSqlDatabase& db, qint64 first, store::Cents bill,
                       const std::vector<store::Cents>& payables,
                       const std::vector<store::Cents>& credits) {
    const QDate entered = QDate::currentDate().addDays(-3);
    OpenItems items;
    qint64 next = first;
    store::Transaction transaction(db);
    items.bill = store::PaddedNumber(next++);
    store::Inserter(db, "BOLETOREC",
                    {"CDFILIBOLREC", "NRLANBOLREC", "CDEMPRESA", "CDCLIENTE", "CDFILIAL",
                     "NRLANCTONF", "NRNOTAFISC", "NRSEQVENREC", "NRPARCELAREC", "CDFILIEMIT",
                     "DTENTRSAID", "DTVENBOLREC", "VRORIGREC", "VRSALDOBREC"})
        .Insert({"0001", items.bill, "01", db::PartyCode(4), "0001", items.bill, items.bill, "01",
                 "01", "0001", entered, entered.addDays(20), store::CentsText(bill),
                 store::CentsText(bill)});
    store::Inserter pag(db, "BOLETOPAG",
                        {"CDFILIBPAG", "NRLANBOLPAG", "CDEMPRESA", "CDFORNECED", "CDFILIAL",
                         "NRLANCTONF", "NRNOTAFISC", "CDSERIE", "NRSEQVENPAG", "NRPARCELAPAG",
                         "CDTPBAIXAPAG", "DTENTRSAID", "DTVENBOLPAG", "VRORIGPAG", "VRSALDOBPAG"});
    for (const store::Cents value : payables) {
        const QString numero = store::PaddedNumber(next++);
        pag.Insert({"0001", numero, "01", db::PartyCode(2), "0001", numero, numero, "U", "01", "01",
                    "01", entered, entered.addDays(10), store::CentsText(value),
                    store::CentsText(value)});
        items.payables.push_back(numero);
    }
    store::Inserter cred(db, "MOVCREDBANC",
                         {"CDEMPRESA", "CDREDUCONT", "NRMOVICRED", "DTMOVICRED", "CDTPCREDBANC",
                          "DSMOVICRED", "VRMOVICRED"});
    for (const store::Cents value : credits) {
        const QString numero = store::PaddedNumber(next++);
        cred.Insert({"01", "IT1", numero, entered, "01", "teste", store::CentsText(value)});
        items.credits.push_back(numero);
    }
    transaction.Commit();
    return items;
}

void AddPayable(const QSqlDatabase& db, host::RecordSetTable& marcados, const QString& branch,
                const QString& number) {
    const auto row = One(db,
                         QStringLiteral("SELECT VRSALDOBPAG, CDEMPRESA, DTENTRSAID FROM BOLETOPAG "
                                        "WHERE CDFILIBPAG = :F AND NRLANBOLPAG = :N"),
                         {{"F", branch}, {"N", number}});
    AddRow(marcados, {{"VRFINALBPAG", row.empty() ? 1.0 : Money(row[0])},
                      {"IDMARCADO", QStringLiteral("S")},
                      {"CDFILIBPAG", branch},
                      {"NRLANBOLPAG", number},
                      {"CDEMPRESA", row.empty() ? QVariant() : row[1]},
                      {"DTENTRSAID", row.empty() ? QVariant() : Day(row[2].toDate())}});
}

void AddCredit(const QSqlDatabase& db, host::RecordSetTable& lancMarcados, const QString& account,
               const QString& number) {
    const auto row = One(db,
                         QStringLiteral("SELECT VRMOVICRED, CDEMPRESA, DTMOVICRED FROM "
                                        "MOVCREDBANC WHERE CDEMPRESA = '01' AND CDREDUCONT = :C "
                                        "AND NRMOVICRED = :N"),
                         {{"C", account}, {"N", number}});
    AddRow(lancMarcados, {{"DTMOVICRED", row.empty() ? QVariant() : Day(row[2].toDate())},
                          {"VRMOVICRED", row.empty() ? 1.0 : Money(row[0])},
                          {"CDREDUCONT", account},
                          {"CDEMPRESA", QStringLiteral("01")},
                          {"NRMOVICRED", number},
                          {"IDMARCADO", QStringLiteral("S")}});
}

Confirmation Confirm(const QSqlDatabase& db, const QString& bill, bool payables,
                     const std::vector<QString>& items) {
    Confirmation c = Empty();
    const auto b = One(db,
                       QStringLiteral("SELECT VRORIGREC, VRSALDOBREC, CDCLIENTE FROM BOLETOREC "
                                      "WHERE CDFILIBOLREC = '0001' AND NRLANBOLREC = :N"),
                       {{"N", bill}});
    AddRow(c.bolRec, {{"CDFILIAL", QStringLiteral("0001")},
                      {"CDFILIBOLREC", QStringLiteral("0001")},
                      {"NRLANBOLREC", bill},
                      {"VRORIGREC", Money(b.at(0))},
                      {"VRFINALBREC", Money(b.at(1))}});
    store::Cents total = 0;
    for (const QString& item : items) {
        if (payables) {
            AddPayable(db, c.marcados, QStringLiteral("0001"), item);
            total += store::CentsFromDouble(
                Cell(c.marcados, c.marcados.rows.size() - 1, "VRFINALBPAG").toDouble());
        } else {
            AddCredit(db, c.lancMarcados, QStringLiteral("IT1"), item);
            total += store::CentsFromDouble(
                Cell(c.lancMarcados, c.lancMarcados.rows.size() - 1, "VRMOVICRED").toDouble());
        }
    }
    AddNova(c, QStringLiteral("0001"), bill, b.at(2), payables, total);
    return c;
}

Confirmation FromLists(const host::RecordSetTable& bills, size_t bill, bool payables,
                       const host::RecordSetTable& items, const std::vector<size_t>& marked) {
    Confirmation c = Empty();
    Project(bills, bill, c.bolRec);
    host::RecordSetTable& into = payables ? c.marcados : c.lancMarcados;
    store::Cents total = 0;
    for (const size_t row : marked) {
        Project(items, row, into);
        Cell(into, into.rows.size() - 1, "IDMARCADO") = QStringLiteral("S");
        total += store::CentsFromDouble(
            Cell(into, into.rows.size() - 1, payables ? "VRFINALBPAG" : "VRMOVICRED").toDouble());
    }
    AddNova(c, Cell(c.bolRec, 0, "CDFILIBOLREC"), Cell(c.bolRec, 0, "NRLANBOLREC"),
            Cell(bills, bill, "CDCLIENTE"), payables, total);
    return c;
}

std::string GenerationParams(const Confirmation& c, const std::string& empresa,
                             const std::string& filial) {
    return "[" + Quoted(empresa) + "," + Quoted(filial) + "," + Json(c.nova) + "," +
           Json(c.bolRec) + "," + Json(c.marcados) + "," + Json(c.lancMarcados) + "," +
           Quoted("Documento(s) compensado(s) : ") + "]";
}

Status StatusOf(const httplib::Result& result) {
    Status status;
    if (!result)
        return status;
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (parser.parse(result->body).get(root) != simdjson::SUCCESS)
        return status;
    simdjson::dom::array answer;
    if (root["result"].get(answer) == simdjson::SUCCESS) {
        std::string_view first;
        std::string_view second;
        if (answer.size() == 2 && answer.at(0).get(first) == simdjson::SUCCESS &&
            answer.at(1).get(second) == simdjson::SUCCESS) {
            status.answered = true;
            status.status = std::string(first);
            status.text = std::string(second);
        }
        return status;
    }
    int64_t code = 0;
    std::string_view message;
    if (root["error"]["code"].get(code) == simdjson::SUCCESS)
        status.code = int(code);
    if (root["error"]["message"].get(message) == simdjson::SUCCESS)
        status.text = std::string(message);
    return status;
}

} // namespace testserver
