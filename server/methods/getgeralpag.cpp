#include "server/methods/methods.h"

#include "server/rpc/answers.h"
#include "store/sql.h"

namespace rec18000 {

namespace {

using host::FieldType;

const QString kSelect = QStringLiteral("SELECT CDGERALPAG, QTDIAANTBOLP, QTDIAAPOBOLP, IDHABIBOLE, "
                                       "IDUTLNFDEVOL FROM GERAL_PAG ORDER BY CDGERALPAG");

QVariant TextCell(const QVariant& value) {
    return value.isNull() ? QVariant() : QVariant(value.toString());
}

QVariant NumberCell(const QVariant& value) {
    return value.isNull() ? QVariant() : QVariant(value.toDouble());
}

} // namespace

// The general payables parameters: one row (none when not configured), five fields in order.
void GetGeralPag(rpc::CallContext& context, const rpc::Params&, host::JsonWriter& result) {
    host::RecordSetTable table;
    table.fields = {rpc::WireField("CDGERALPAG", FieldType::String, 1),
                    rpc::WireField("QTDIAANTBOLP", FieldType::Float),
                    rpc::WireField("QTDIAAPOBOLP", FieldType::Float),
                    rpc::WireField("IDHABIBOLE", FieldType::String, 1),
                    rpc::WireField("IDUTLNFDEVOL", FieldType::String, 1)};
    QSqlQuery query = store::Run(context.Db(), kSelect);
    if (store::NextRow(query))
        table.rows.push_back({TextCell(query.value(0)), NumberCell(query.value(1)),
                              NumberCell(query.value(2)), TextCell(query.value(3)),
                              TextCell(query.value(4))});
    rpc::WriteRecordSet(result, table);
}

} // namespace rec18000
