#include "server/methods/methods.h"

#include "data/text.h"
#include "server/methods/payablecolumns.h"
#include "store/connection.h"
#include "store/sql.h"

namespace rec18000 {

namespace {

// Open: something is left of the bill after its adjustments and settlements, so a payable
// another compensation used in full is not offered, one used in part offers what is left.
const QString kSelect = PayableSelect(QStringLiteral("NULL"));
const QString kCompanyOpen = QStringLiteral("P.CDEMPRESA = :CDEMPRESA AND P.VRSALDOBPAG > 0");
const QString kOrder = QStringLiteral(" ORDER BY P.DTVENBOLPAG, P.CDFILIBPAG, P.NRLANBOLPAG");

constexpr int kDocumentWidth = 10;

// Document numbers compare as the filter pads them (as Ajusta does): a number of digits only is
// filled with zeros on the left to the width, so that "8005" lies between "800" and "8010";
// any other ("NF123") is compared as it is, on both sides alike.
QString PaddedSql(const QString& column, store::Dialect dialect) {
    const QString digitsOnly =
        dialect == store::Dialect::Postgres
            ? QStringLiteral("%1 ~ '^[0-9]+$'").arg(column)
            : QStringLiteral("%1 NOT GLOB '*[^0-9]*' AND %1 <> ''").arg(column);
    return QStringLiteral("CASE WHEN LENGTH(%1) < %2 AND %3 THEN SUBSTR('%4' || %1, LENGTH(%1) + "
                          "1) ELSE %1 END")
        .arg(column)
        .arg(kDocumentWidth)
        .arg(digitsOnly, QString(kDocumentWidth, QLatin1Char('0')));
}

void AddDocumentBound(Conditions& where, store::Dialect dialect, const QString& comparison,
                      const QString& name, const QString& number) {
    if (!number.trimmed().isEmpty())
        where.Add(QStringLiteral("%1 %2 :%3")
                      .arg(PaddedSql(QStringLiteral("P.NRNOTAFISC"), dialect), comparison, name),
                  name, host::Ajusta(number, kDocumentWidth));
}

} // namespace

// The company's open payable bills matching the payables filter: supplier list, document
// number range (blank = open side), origin and posting branch lists, due date range (null =
// open side), settlement type list (empty lists = all), net value range (0 = open side). The
// last argument, the payables parameters' IDHABIBOLE, has no bearing on which bills are open.
void GetBoletosPag(rpc::CallContext& context, const rpc::Params& params, host::JsonWriter& result) {
    const QSqlDatabase db = context.Db();
    const store::Dialect dialect = store::DialectOf(db);
    Conditions where;
    where.Add(kCompanyOpen, QStringLiteral("CDEMPRESA"), params.String(0));
    where.AddIn(QStringLiteral("P.CDFORNECED"), QStringLiteral("FORN"),
                KeyListParam(params.String(1), QStringLiteral("fornecedores")));
    AddDocumentBound(where, dialect, QStringLiteral(">="), QStringLiteral("DOCINI"),
                     params.String(2));
    AddDocumentBound(where, dialect, QStringLiteral("<="), QStringLiteral("DOCFIN"),
                     params.String(3));
    where.AddIn(QStringLiteral("P.CDFILIAL"), QStringLiteral("FILORIG"),
                KeyListParam(params.String(4), QStringLiteral("filiais de origem")));
    where.AddIn(QStringLiteral("P.CDFILIBPAG"), QStringLiteral("FILLANC"),
                KeyListParam(params.String(5), QStringLiteral("filiais de lançamento")));
    if (const QDate from = params.Date(6); from.isValid())
        where.Add(QStringLiteral("P.DTVENBOLPAG >= :VENCINI"), QStringLiteral("VENCINI"), from);
    if (const QDate to = params.Date(7); to.isValid())
        where.Add(QStringLiteral("P.DTVENBOLPAG <= :VENCFIN"), QStringLiteral("VENCFIN"), to);
    where.AddIn(QStringLiteral("P.CDTPBAIXAPAG"), QStringLiteral("TIPOBX"),
                KeyListParam(params.String(8), QStringLiteral("tipos de baixa")));
    const QString value = QStringLiteral("P.VRSALDOBPAG");
    AddMoneyBound(where, value, QStringLiteral(">="), QStringLiteral("VRINI"), params.Number(9));
    AddMoneyBound(where, value, QStringLiteral("<="), QStringLiteral("VRFIN"), params.Number(10));

    QSqlQuery query = store::Prepare(db, kSelect + where.Sql() + kOrder);
    where.Bind(query);
    store::Exec(query);
    WriteTable(result, query, kPayableColumns);
}

} // namespace rec18000
