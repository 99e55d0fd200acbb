#include "documents/table.h"

#include "data/recordset.h"

namespace documents {

Table TableOf(const host::RecordSet& rows, const QList<ColumnOf>& columns) {
    Table table;
    std::vector<const host::Field*> fields;
    for (const ColumnOf& column : columns) {
        const host::Field& field = rows.FieldByName(column.field);
        const Kind kind = field.DataType() == host::FieldType::Float      ? Kind::Number
                          : field.DataType() == host::FieldType::DateTime ? Kind::Date
                                                                          : Kind::Text;
        table.columns.append({column.caption, kind, column.width});
        fields.push_back(&field);
    }
    const int count = rows.Active() ? rows.RecordCount() : 0;
    table.rows.reserve(size_t(count));
    for (int row = 0; row < count; ++row) {
        QStringList cells;
        cells.reserve(qsizetype(fields.size()));
        for (const host::Field* field : fields)
            cells.append(field->DisplayTextAt(row));
        table.rows.push_back(std::move(cells));
    }
    return table;
}

} // namespace documents
