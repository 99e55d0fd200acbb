#include "entry/rules/confirmation.h"

#include "data/moneytext.h"
#include "data/recordset.h"
#include "data/rounding.h"

#include <QUuid>

#include <cmath>

namespace entry {

void PackRow(const host::RecordSet& from, host::RecordSet& into) {
    if (!into.Active())
        into.CreateDataSet();
    into.EmptyDataSet();
    into.Append();
    for (int i = 0; i < into.FieldCount(); ++i) {
        host::Field& field = into.FieldAt(i);
        field.SetValue(from.FieldByName(field.FieldName()).Value());
    }
    into.Post();
}

QString AdjustedPayablesText(const host::RecordSet& payables, const QLocale& locale) {
    QString text;
    if (!payables.Active())
        return text;
    const host::Field& due = payables.FieldByName(QStringLiteral("DTVENBOLPAG"));
    const host::Field& supplier = payables.FieldByName(QStringLiteral("NMRAZSOCFORN"));
    const host::Field& value = payables.FieldByName(QStringLiteral("VRFINALBPAG"));
    for (int row = 0; row < payables.RecordCount(); ++row) {
        const QDateTime when = due.ValueAt(row).toDateTime();
        QString date = locale.toString(when.date(), QLocale::ShortFormat);
        if (when.time() != QTime(0, 0))
            date += QLatin1Char(' ') + locale.toString(when.time(), QLocale::ShortFormat);
        const auto cents = std::llround(host::RoundDec(value.ValueAt(row).toDouble(), 2) * 100.0);
        text += date + QLatin1Char(' ') + supplier.ValueAt(row).toString() + QLatin1Char(' ') +
                host::MoneyTextOfCents(cents, locale) + QStringLiteral("\r\n");
    }
    return text;
}

QString ConfirmationKey::For(const QByteArray& request) {
    if (m_key.isEmpty() || request != m_request) {
        m_key = QUuid::createUuid().toString(QUuid::WithoutBraces);
        m_request = request;
    }
    return m_key;
}

void ConfirmationKey::Answered() {
    m_key.clear();
    m_request.clear();
}

} // namespace entry
