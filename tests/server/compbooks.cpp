#include "tests/server/compbooks.h"

#include "store/books.h"
#include "store/money.h"
#include "tests/support/cells.h"

#include <QSqlRecord>

namespace testserver {

using host::FieldType;

QString Numero(int n) {
    return store::PaddedNumber(n);
}

host::RecordSetTable NovaComp(BooksServer& server, int number) {
    const Answer list =
        ParseAnswer(server.Call("GetCompensacao", R"(["01",null,null,null,null,"",""])"));
    host::RecordSetTable comp;
    const std::pair<const char*, FieldType> fields[] = {
        {"DTCOMPCONTREC", FieldType::DateTime},   {"CDEMPRESA", FieldType::String},
        {"NRLANCCOMPREC", FieldType::String},     {"CDFILIAL", FieldType::String},
        {"NRLANBOLREC", FieldType::String},       {"CDOPERLANCOMREC", FieldType::String},
        {"CDCLIENTE", FieldType::String},         {"CDTPBAIXAREC", FieldType::String},
        {"CDTPBAIXAPAG", FieldType::String},      {"CDAJUCTREC", FieldType::String},
        {"CDAJUCTPAG", FieldType::String},        {"CDREDUCONT", FieldType::String},
        {"DTBAIXACOMPREC", FieldType::DateTime},  {"CDFILIALBAIREC", FieldType::String},
        {"NRBAIXAREC", FieldType::String},        {"CDFILIALBAIPAG", FieldType::String},
        {"NRBAIXAPAG", FieldType::String},        {"IDTPITUTLCOMREC", FieldType::String},
        {"DTLANCOMCONTREC", FieldType::DateTime}, {"QTITCOMCONTREC", FieldType::Float},
        {"VRTOTALCOMREC", FieldType::Float}};
    for (const auto& [name, type] : fields) {
        host::FieldDef def;
        def.name = QString::fromLatin1(name);
        def.type = type;
        def.size = type == FieldType::String ? 21 : 0;
        comp.fields.append(def);
    }
    if (!list.ok || list.tables.empty())
        return comp;
    const host::RecordSetTable& t = list.tables[0];
    for (size_t row = 0; row < t.rows.size(); ++row) {
        if (Cell(t, row, "NRLANCCOMPREC").toString() != Numero(number))
            continue;
        std::vector<QVariant> copy;
        for (const auto& def : comp.fields)
            copy.push_back(Cell(t, row, def.name));
        comp.rows.push_back(copy);
    }
    return comp;
}

Answer Delete(BooksServer& server, const host::RecordSetTable& comp, const std::string& operador,
              const httplib::Headers& extra) {
    return ParseAnswer(
        server.Call("SetExcluiCompensacao", "[" + Json(comp) + "]", operador, extra));
}

Books ReadBooks(const QSqlDatabase& db) {
    Books books;
    const auto read = [&](const char* prefix, const QString& sql, bool money) {
        QSqlQuery q = store::Run(db, sql);
        while (q.next())
            books[prefix + q.value(0).toString().toStdString()] =
                money ? store::CentsFrom(q.value(1)) : q.value(1).toLongLong();
    };
    read("rec:", "SELECT CDFILIBOLREC || '/' || NRLANBOLREC, VRSALDOBREC FROM BOLETOREC", true);
    read("pag:", "SELECT CDFILIBPAG || '/' || NRLANBOLPAG, VRSALDOBPAG FROM BOLETOPAG", true);
    read("cred:",
         "SELECT M.CDEMPRESA || M.CDREDUCONT || M.NRMOVICRED, COUNT(I.NRMOVICRED) FROM "
         "MOVCREDBANC M LEFT JOIN ITCOMPCONTREC I ON I.CDEMPRESA = M.CDEMPRESA AND I.CDREDUCONT = "
         "M.CDREDUCONT AND I.NRMOVICRED = M.NRMOVICRED GROUP BY M.CDEMPRESA, M.CDREDUCONT, "
         "M.NRMOVICRED",
         false);
    for (const char* table : {"COMPCONTREC", "ITCOMPCONTREC", "AJUSTEREC", "AJUSTEPAG", "BAIXAREC",
                              "BAIXAPAG", "ITBAIXAPAG"})
        read("rows:", QStringLiteral("SELECT '%1', COUNT(*) FROM %1").arg(QLatin1String(table)),
             false);
    return books;
}

std::vector<std::vector<QVariant>> Rows(const QSqlDatabase& db, const QString& sql,
                                        std::initializer_list<store::Binding> bindings) {
    QSqlQuery q = store::Run(db, sql, bindings);
    std::vector<std::vector<QVariant>> rows;
    while (q.next()) {
        rows.emplace_back();
        for (int i = 0; i < q.record().count(); ++i)
            rows.back().push_back(q.value(i));
    }
    return rows;
}

} // namespace testserver
