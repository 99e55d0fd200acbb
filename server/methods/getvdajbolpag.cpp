#include "server/methods/methods.h"

#include "server/methods/recordfields.h"
#include "server/rpc/answers.h"
#include "store/sql.h"

#include <set>

namespace rec18000 {

namespace {

const QString kSelect = QStringLiteral(
    "SELECT P.CDEMPRESA, CASE WHEN EXISTS (SELECT 1 FROM AJUSTEPAG A WHERE A.CDFILIBPAG = "
    "P.CDFILIBPAG AND A.NRLANBOLPAG = P.NRLANBOLPAG AND A.CDAJUCTPAG = :CDAJUCTPAG) THEN 1 "
    "ELSE 0 END, P.DTVENBOLPAG, F.NMRAZSOCFORN, P.VRSALDOBPAG FROM BOLETOPAG P JOIN "
    "FORNECEDOR F ON F.CDFORNECED = P.CDFORNECED WHERE P.CDFILIBPAG = :FILIAL AND "
    "P.NRLANBOLPAG = :NUMERO");

} // namespace

// The marked payables that already carry the payables adjustment type, in the marked order:
// due date, supplier and open balance. Each payable's company, as the database has it, must be
// one the operator works for; payables that do not exist are no answer's business.
void GetVdAjBolPag(rpc::CallContext& context, const rpc::Params& params, host::JsonWriter& result) {
    const host::RecordSetTable marked = params.RecordSet(0);
    const RecordFields fields(marked, QStringLiteral("cdsBoletosMarcados"));
    const QString tipo = params.String(1).trimmed();

    host::RecordSetTable answer;
    answer.fields = {rpc::WireField("DTVENBOLPAG", host::FieldType::DateTime),
                     rpc::WireField("NMRAZSOCFORN", host::FieldType::String, 40),
                     rpc::WireField("VRFINALBPAG", host::FieldType::Float)};
    QSqlQuery query = store::Prepare(context.Db(), kSelect);
    std::set<QString> companies;
    for (size_t row = 0; row < fields.Rows(); ++row) {
        store::Exec(query, {{"CDAJUCTPAG", tipo},
                            {"FILIAL", fields.Text(row, "CDFILIBPAG")},
                            {"NUMERO", fields.Text(row, "NRLANBOLPAG")}});
        if (!store::NextRow(query))
            continue;
        const QString empresa = query.value(0).toString();
        if (companies.insert(empresa).second)
            context.RequireCompany(empresa);
        if (query.value(1).toInt() != 0)
            answer.rows.push_back({query.value(2).toDate().startOfDay(), query.value(3).toString(),
                                   store::CentsToDouble(store::CentsFrom(query.value(4)))});
        query.finish();
    }
    rpc::WriteRecordSet(result, answer);
}

} // namespace rec18000
