#include "server/methods/recordfields.h"

#include "server/rpc/errors.h"

#include <QDateTime>

#include <stdexcept>

namespace rec18000 {

RecordFields::RecordFields(const host::RecordSetTable& table, QString what)
    : m_table(table), m_what(std::move(what)) {}

void RecordFields::Invalid(const char* name) const {
    throw rpc::RpcError(
        rpc::kInvalidParams,
        QStringLiteral("Campo %1 de %2 ausente ou inválido.").arg(QLatin1String(name), m_what));
}

const QVariant& RecordFields::Cell(size_t row, const char* name) const {
    for (qsizetype i = 0; i < m_table.fields.size(); ++i) {
        if (m_table.fields[i].name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return m_table.rows.at(row).at(size_t(i));
    }
    Invalid(name);
}

QString RecordFields::Text(size_t row, const char* name) const {
    const QVariant& cell = Cell(row, name);
    if (cell.isNull())
        return {};
    if (cell.typeId() != QMetaType::QString)
        Invalid(name);
    return cell.toString().trimmed();
}

QDate RecordFields::Date(size_t row, const char* name) const {
    const QVariant& cell = Cell(row, name);
    if (cell.isNull())
        return {};
    if (cell.typeId() != QMetaType::QDateTime)
        Invalid(name);
    return cell.toDateTime().date();
}

store::Cents RecordFields::Money(size_t row, const char* name) const {
    const QVariant& cell = Cell(row, name);
    if (cell.isNull())
        return 0;
    if (cell.typeId() != QMetaType::Double)
        Invalid(name);
    try {
        return store::CentsFromDouble(cell.toDouble());
    } catch (const std::invalid_argument&) {
        Invalid(name);
    }
}

} // namespace rec18000
