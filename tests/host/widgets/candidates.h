#pragma once

#include "data/recordset.h"

#include <QStringList>

namespace host::testing {

// A small candidate list: mark flag, document, value and entry date, one row per flag.
inline void FillCandidates(RecordSet& rows, const QStringList& flags) {
    rows.Close();
    rows.SetFieldDefs({
        {.name = "IDMARCADO", .type = FieldType::FixedString, .size = 1, .visible = false},
        {.name = "DOCUMENTO", .type = FieldType::String, .size = 26, .label = "Doc./Série"},
        {.name = "VRFINALBPAG", .type = FieldType::Float, .label = "Valor Final"},
        {.name = "DTENTRSAID", .type = FieldType::DateTime, .visible = false},
    });
    rows.CreateDataSet();
    int number = 0;
    for (const QString& flag : flags) {
        ++number;
        rows.AppendRow({flag, QStringLiteral("DOC%1").arg(number), 10.0 * number,
                        QDateTime(QDate(2026, 12, number), QTime(0, 0))});
    }
    rows.Refresh();
}

} // namespace host::testing
