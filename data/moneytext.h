#pragma once

#include <QLocale>
#include <QString>
#include <QVariant>

#include <cstdint>

namespace host {

// Money text "#,##0.00" from exact cents: 123456 -> "1.234,56" in Brazilian Portuguese, the
// grouping, decimal point and minus sign of locale otherwise.
QString MoneyTextOfCents(std::int64_t cents,
                         const QLocale& locale = QLocale(QLocale::Portuguese, QLocale::Brazil));

// Money text of a value in the locale, rounded half away from zero; a null or non-numeric
// value shows as empty text.
QString MoneyText(const QVariant& value, const QLocale& locale);

} // namespace host
