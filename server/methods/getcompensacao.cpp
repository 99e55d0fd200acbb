#include "server/methods/methods.h"

#include "server/methods/querytable.h"
#include "store/sql.h"

#include <array>

namespace rec18000 {

namespace {

// The list's record set, in the order the screen's record set declares its fields.
constexpr std::array kColumns = {
    DateColumn("DTCOMPCONTREC"),       TextColumn("NMRAZSOCCLIE", 50),
    DateColumn("DTVENBOLREC"),         TextColumn("DOCUMENTO", 26),
    TextColumn("NRSEQVENREC", 2),      TextColumn("NRPARCELAREC", 2),
    NumberColumn("VRATUAREC"),         NumberColumn("VRFINALBREC"),
    NumberColumn("QTITCOMCONTREC"),    TextColumn("IDSTATREC", 1),
    TextColumn("CDEMPRESA", 2),        TextColumn("NRLANCCOMPREC", 10),
    TextColumn("CDFILIAL", 4),         TextColumn("NRLANBOLREC", 10),
    TextColumn("CDOPERLANCOMREC", 12), TextColumn("CDCLIENTE", 21),
    TextColumn("CDTPBAIXAREC", 2),     TextColumn("CDTPBAIXAPAG", 2),
    TextColumn("CDAJUCTPAG", 4),       TextColumn("CDREDUCONT", 3),
    DateColumn("DTBAIXACOMPREC"),      TextColumn("CDFILIALBAIREC", 4),
    TextColumn("NRBAIXAREC", 10),      TextColumn("CDFILIALBAIPAG", 4),
    TextColumn("NRBAIXAPAG", 10),      TextColumn("IDTPITUTLCOMREC", 1),
    DateColumn("DTLANCOMCONTREC"),     NumberColumn("VRTOTALCOMREC"),
    TextColumn("NRINSJURCLIE", 20),    TextColumn("IDTPIJURCLIE", 1),
    TextColumn("NMOPERADOR", 40),      TextColumn("DSAJUCTPAG", 40),
    TextColumn("NMTPBAIXAPAG", 50),    TextColumn("DSAJUCTREC", 40),
    TextColumn("NMTPBAIXAREC", 50),    TextColumn("CDBANCO", 3),
    TextColumn("CDAGENCIA", 5),        TextColumn("CDCONTCORR", 10),
    TextColumn("CDPICTAGEN", 10),      TextColumn("CDPICTCONT", 20),
    TextColumn("NRNOTAFISC", 20),      TextColumn("CDSERIE", 5),
    TextColumn("DADOSCOMP", 21),       TextColumn("CDAJUCTREC", 4),
};
static_assert(kColumns.size() == 44);

// Status: planned while the receivables settlement is; once realised, settled ("B") when the
// bill has nothing left open, else open ("A"). The bill's balance is its open value now.
const QString kSelect =
    QStringLiteral(
        "SELECT C.DTCOMPCONTREC, CL.NMRAZSOCCLIE, B.DTVENBOLREC, "
        "%1, B.NRSEQVENREC, B.NRPARCELAREC, "
        "B.VRORIGREC, B.VRSALDOBREC, C.QTITCOMCONTREC, "
        "CASE BR.IDSITBAIXA WHEN 'P' THEN 'P' WHEN 'R' THEN "
        "CASE WHEN B.VRSALDOBREC = 0 THEN 'B' ELSE 'A' END END, "
        "C.CDEMPRESA, C.NRLANCCOMPREC, C.CDFILIBOLREC, C.NRLANBOLREC, C.CDOPERLANCOMREC, "
        "C.CDCLIENTE, C.CDTPBAIXAREC, C.CDTPBAIXAPAG, C.CDAJUCTPAG, C.CDREDUCONT, "
        "C.DTBAIXACOMPREC, C.CDFILIALBAIREC, C.NRBAIXAREC, C.CDFILIALBAIPAG, C.NRBAIXAPAG, "
        "C.IDTPITUTLCOMREC, C.DTLANCOMCONTREC, C.VRTOTALCOMREC, CL.NRINSJURCLIE, CL.IDTPIJURCLIE, "
        "O.NMOPERADOR, AP.DSAJUCTPAG, TP.NMTPBAIXAPAG, AR.DSAJUCTREC, TR.NMTPBAIXAREC, "
        "CC.CDBANCO, CC.CDAGENCIA, CC.CDCONTCORR, BA.CDPICTAGEN, BA.CDPICTCONT, "
        "B.NRNOTAFISC, B.CDSERIE, C.NRLANCCOMPREC, C.CDAJUCTREC "
        "FROM COMPCONTREC C "
        "JOIN BOLETOREC B ON B.CDFILIBOLREC = C.CDFILIBOLREC AND B.NRLANBOLREC = C.NRLANBOLREC "
        "JOIN CLIENTE CL ON CL.CDCLIENTE = C.CDCLIENTE "
        "JOIN OPERADOR O ON O.CDOPERADOR = C.CDOPERLANCOMREC "
        "JOIN TIPOBAIXAREC TR ON TR.CDTPBAIXAREC = C.CDTPBAIXAREC "
        "JOIN TIPOAJRECEBER AR ON AR.CDAJUCTREC = C.CDAJUCTREC "
        "LEFT JOIN TIPOBAIXAPAG TP ON TP.CDTPBAIXAPAG = C.CDTPBAIXAPAG "
        "LEFT JOIN TIPOAJPAGAR AP ON AP.CDAJUCTPAG = C.CDAJUCTPAG "
        "JOIN CONTCORR CC ON CC.CDEMPRESA = C.CDEMPRESA AND CC.CDREDUCONT = C.CDREDUCONT "
        "JOIN BANCO BA ON BA.CDBANCO = CC.CDBANCO "
        "LEFT JOIN BAIXAREC BR ON BR.CDFILIALBAIREC = C.CDFILIALBAIREC "
        "AND BR.NRBAIXAREC = C.NRBAIXAREC")
        .arg(DocumentSql("B"));
const QString kOrder = QStringLiteral(" ORDER BY C.DTCOMPCONTREC, C.NRLANCCOMPREC");

// A date range where a missing end leaves that side open.
void AddRange(Conditions& where, const QString& column, const QString& name, const QDate& from,
              const QDate& to) {
    if (from.isValid())
        where.Add(QStringLiteral("%1 >= :%2INI").arg(column, name), name + "INI", from);
    if (to.isValid())
        where.Add(QStringLiteral("%1 <= :%2FIN").arg(column, name), name + "FIN", to);
}

} // namespace

// The compensations of a company: compensation and posting date ranges (null = no bound),
// operator and customer list strings (empty = all), by compensation date and number.
void GetCompensacao(rpc::CallContext& context, const rpc::Params& params,
                    host::JsonWriter& result) {
    Conditions where;
    where.Add(QStringLiteral("C.CDEMPRESA = :CDEMPRESA"), QStringLiteral("CDEMPRESA"),
              params.String(0));
    AddRange(where, QStringLiteral("C.DTCOMPCONTREC"), QStringLiteral("DTCOMP"), params.Date(1),
             params.Date(2));
    AddRange(where, QStringLiteral("C.DTLANCOMCONTREC"), QStringLiteral("DTLANC"), params.Date(3),
             params.Date(4));
    where.AddIn(QStringLiteral("C.CDOPERLANCOMREC"), QStringLiteral("OPER"),
                KeyListParam(params.String(5), QStringLiteral("operadores")));
    where.AddIn(QStringLiteral("C.CDCLIENTE"), QStringLiteral("CLIE"),
                KeyListParam(params.String(6), QStringLiteral("clientes")));

    QSqlQuery query = store::Prepare(context.Db(), kSelect + where.Sql() + kOrder);
    where.Bind(query);
    store::Exec(query);
    WriteTable(result, query, kColumns);
}

} // namespace rec18000
