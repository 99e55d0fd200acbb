#include "server/methods/methods.h"

#include "data/jsonwriter.h"
#include "data/text.h"
#include "server/methods/querytable.h"
#include "server/rpc/answers.h"
#include "server/rpc/errors.h"
#include "store/sql.h"

#include <array>

namespace rec18000 {

namespace {

// The compensation with both parties, its bill and the account: one row.
constexpr std::array kHeadColumns = {
    TextColumn("CDEMPRESA", 2),     TextColumn("NMEMPRESA", 40),
    TextColumn("NRINSJUREMPR", 20), TextColumn("NRLANCCOMPREC", 10),
    DateColumn("DTCOMPCONTREC"),    DateColumn("DTLANCOMCONTREC"),
    DateColumn("DTBAIXACOMPREC"),   TextColumn("IDTPITUTLCOMREC", 1),
    NumberColumn("VRTOTALCOMREC"),  TextColumn("CDOPERLANCOMREC", 12),
    TextColumn("NMOPERADOR", 40),   TextColumn("NMRAZSOCCLIE", 50),
    TextColumn("NRINSJURCLIE", 20), TextColumn("IDTPIJURCLIE", 1),
    TextColumn("DOCUMENTO", 26),    TextColumn("NRSEQVENREC", 2),
    TextColumn("NRPARCELAREC", 2),  DateColumn("DTVENBOLREC"),
    NumberColumn("VRORIGREC"),      NumberColumn("VRSALDOBREC"),
    TextColumn("CDREDUCONT", 3),    TextColumn("NMBANCO", 40),
    TextColumn("CDAGENCIA", 5),     TextColumn("CDCONTCORR", 10),
    TextColumn("CDPICTAGEN", 10),   TextColumn("CDPICTCONT", 20),
};

const QString kSelectHead =
    QStringLiteral(
        "SELECT C.CDEMPRESA, E.NMEMPRESA, E.NRINSJUREMPR, C.NRLANCCOMPREC, C.DTCOMPCONTREC, "
        "C.DTLANCOMCONTREC, C.DTBAIXACOMPREC, C.IDTPITUTLCOMREC, C.VRTOTALCOMREC, "
        "C.CDOPERLANCOMREC, O.NMOPERADOR, CL.NMRAZSOCCLIE, CL.NRINSJURCLIE, CL.IDTPIJURCLIE, "
        "%1, B.NRSEQVENREC, B.NRPARCELAREC, B.DTVENBOLREC, B.VRORIGREC, B.VRSALDOBREC, "
        "C.CDREDUCONT, BA.NMBANCO, CC.CDAGENCIA, CC.CDCONTCORR, BA.CDPICTAGEN, BA.CDPICTCONT "
        "FROM COMPCONTREC C "
        "JOIN EMPRESA E ON E.CDEMPRESA = C.CDEMPRESA "
        "JOIN BOLETOREC B ON B.CDFILIBOLREC = C.CDFILIBOLREC AND B.NRLANBOLREC = C.NRLANBOLREC "
        "JOIN CLIENTE CL ON CL.CDCLIENTE = C.CDCLIENTE "
        "JOIN OPERADOR O ON O.CDOPERADOR = C.CDOPERLANCOMREC "
        "JOIN CONTCORR CC ON CC.CDEMPRESA = C.CDEMPRESA AND CC.CDREDUCONT = C.CDREDUCONT "
        "JOIN BANCO BA ON BA.CDBANCO = CC.CDBANCO "
        "WHERE C.CDEMPRESA = :CDEMPRESA AND C.NRLANCCOMPREC = :NRLANCCOMPREC")
        .arg(DocumentSql("B"));

// Items of either kind alike: a payable names its supplier, a credit its type and text.
constexpr std::array kItemColumns = {
    TextColumn("DOCUMENTO", 26), DateColumn("DTVENCIMENTO"), TextColumn("NMPARTE", 80),
    TextColumn("NRINSJUR", 20),  TextColumn("IDTPIJUR", 1),  NumberColumn("VRITEMCOMPREC"),
};

const QString kSelectItems =
    QStringLiteral(
        "SELECT %1, P.DTVENBOLPAG, F.NMRAZSOCFORN, F.NRINSJURFORN, F.IDTPIJURFORN, "
        "I.VRITEMCOMPREC, I.NRITEMCOMPREC "
        "FROM ITCOMPCONTREC I "
        "JOIN BOLETOPAG P ON P.CDFILIBPAG = I.CDFILIBPAG AND P.NRLANBOLPAG = I.NRLANBOLPAG "
        "JOIN FORNECEDOR F ON F.CDFORNECED = P.CDFORNECED "
        "WHERE I.CDEMPRESA = :CDEMPRESA AND I.NRLANCCOMPREC = :NRLANCCOMPREC "
        "UNION ALL "
        "SELECT M.NRMOVICRED, M.DTMOVICRED, "
        "T.DSTPCREDBANC || COALESCE(' - ' || NULLIF(TRIM(M.DSMOVICRED), ''), ''), NULL, NULL, "
        "I.VRITEMCOMPREC, I.NRITEMCOMPREC "
        "FROM ITCOMPCONTREC I "
        "JOIN MOVCREDBANC M ON M.CDEMPRESA = I.CDEMPRESA AND M.CDREDUCONT = I.CDREDUCONT "
        "AND M.NRMOVICRED = I.NRMOVICRED "
        "JOIN TPCREDBANC T ON T.CDTPCREDBANC = M.CDTPCREDBANC "
        "WHERE I.CDEMPRESA = :CDEMPRESA AND I.NRLANCCOMPREC = :NRLANCCOMPREC "
        "ORDER BY 7")
        .arg(DocumentSql("P"));

// Adjustments and settlements: side "R" the receivable, "P" the payables.
constexpr std::array kAdjustmentColumns = {
    TextColumn("IDLADO", 1), TextColumn("DOCUMENTO", 26), TextColumn("DSAJUSTE", 40),
    DateColumn("DTAJUSTE"),  NumberColumn("VRAJUSTE"),
};

const QString kSelectAdjustments =
    QStringLiteral(
        "SELECT 'R', %1, T.DSAJUCTREC, A.DTAJUSTEREC, A.VRAJUSTEREC "
        "FROM AJUSTEREC A "
        "JOIN BOLETOREC B ON B.CDFILIBOLREC = A.CDFILIBOLREC AND B.NRLANBOLREC = A.NRLANBOLREC "
        "JOIN TIPOAJRECEBER T ON T.CDAJUCTREC = A.CDAJUCTREC "
        "WHERE A.CDEMPRESA = :CDEMPRESA AND A.NRLANCCOMPREC = :NRLANCCOMPREC "
        "UNION ALL "
        "SELECT 'P', %2, T.DSAJUCTPAG, A.DTAJUSTEPAG, A.VRAJUSTEPAG "
        "FROM AJUSTEPAG A "
        "JOIN BOLETOPAG P ON P.CDFILIBPAG = A.CDFILIBPAG AND P.NRLANBOLPAG = A.NRLANBOLPAG "
        "JOIN TIPOAJPAGAR T ON T.CDAJUCTPAG = A.CDAJUCTPAG "
        "WHERE A.CDEMPRESA = :CDEMPRESA AND A.NRLANCCOMPREC = :NRLANCCOMPREC "
        "ORDER BY 1 DESC, 2")
        .arg(DocumentSql("B"), DocumentSql("P"));

constexpr std::array kSettlementColumns = {
    TextColumn("IDLADO", 1),     TextColumn("CDFILIAL", 4), TextColumn("NRBAIXA", 10),
    TextColumn("NMTPBAIXA", 50), DateColumn("DTBAIXA"),     NumberColumn("VRBAIXA"),
    TextColumn("IDSITBAIXA", 1),
};

const QString kSelectSettlements = QStringLiteral(
    "SELECT 'R', S.CDFILIALBAIREC, S.NRBAIXAREC, T.NMTPBAIXAREC, S.DTBAIXAREC, S.VRBAIXAREC, "
    "S.IDSITBAIXA "
    "FROM BAIXAREC S JOIN TIPOBAIXAREC T ON T.CDTPBAIXAREC = S.CDTPBAIXAREC "
    "WHERE S.CDEMPRESA = :CDEMPRESA AND S.NRLANCCOMPREC = :NRLANCCOMPREC "
    "UNION ALL "
    "SELECT 'P', S.CDFILIALBAIPAG, S.NRBAIXAPAG, T.NMTPBAIXAPAG, S.DTBAIXAPAG, S.VRBAIXAPAG, "
    "S.IDSITBAIXA "
    "FROM BAIXAPAG S JOIN TIPOBAIXAPAG T ON T.CDTPBAIXAPAG = S.CDTPBAIXAPAG "
    "WHERE S.CDEMPRESA = :CDEMPRESA AND S.NRLANCCOMPREC = :NRLANCCOMPREC "
    "ORDER BY 1 DESC, 2, 3");

host::RecordSetTable Select(const QSqlDatabase& db, const QString& sql,
                            std::span<const Column> columns, const QString& empresa,
                            const QString& numero) {
    QSqlQuery query = store::Run(db, sql, {{"CDEMPRESA", empresa}, {"NRLANCCOMPREC", numero}});
    return ReadTable(query, columns);
}

constexpr int kNumberWidth = 10;

} // namespace

// What the notice of one compensation shows: the compensation with its parties and bill, its
// items, its adjustments and its settlements, as four record sets. A number of digits only may
// come unpadded.
void GetTermoCompensacao(rpc::CallContext& context, const rpc::Params& params,
                         host::JsonWriter& result) {
    const QString empresa = params.String(0);
    const QString numero = host::Ajusta(params.String(1), kNumberWidth);
    const QSqlDatabase db = context.Db();
    const host::RecordSetTable head = Select(db, kSelectHead, kHeadColumns, empresa, numero);
    if (head.rows.empty())
        rpc::Refuse(
            QStringLiteral("Compensação %1 não encontrada na empresa %2.").arg(numero, empresa));
    result.beginArray();
    rpc::WriteRecordSet(result, head);
    rpc::WriteRecordSet(result, Select(db, kSelectItems, kItemColumns, empresa, numero));
    rpc::WriteRecordSet(result,
                        Select(db, kSelectAdjustments, kAdjustmentColumns, empresa, numero));
    rpc::WriteRecordSet(result,
                        Select(db, kSelectSettlements, kSettlementColumns, empresa, numero));
    result.endArray();
}

} // namespace rec18000
