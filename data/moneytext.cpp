#include "data/moneytext.h"

#include "data/rounding.h"

#include <cmath>
#include <cstdint>

namespace host {

QString MoneyTextOfCents(std::int64_t cents, const QLocale& locale) {
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    // The magnitude as unsigned so that the most negative amount has one too.
    const std::uint64_t magnitude =
        cents < 0 ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    const auto fraction = static_cast<qulonglong>(magnitude % 100);
    // The locale's own digits throughout, the zero that pads the cents included.
    return (cents < 0 ? grouped.negativeSign() : QString()) +
           grouped.toString(static_cast<qulonglong>(magnitude / 100)) + grouped.decimalPoint() +
           (fraction < 10 ? grouped.zeroDigit() : QString()) + grouped.toString(fraction);
}

QString MoneyText(const QVariant& value, const QLocale& locale) {
    if (value.isNull() || !value.isValid())
        return {};
    bool ok = false;
    const double number = value.toDouble(&ok);
    // Past nine quadrillion the cents no longer fit; no amount of ours comes near it.
    if (!ok || !std::isfinite(number) || std::fabs(number) > 9.0e15)
        return {};
    // RoundDec settles the half cent on the decimal value, so the scaled result is whole but
    // for binary noise.
    return MoneyTextOfCents(static_cast<std::int64_t>(std::llround(RoundDec(number, 2) * 100.0)),
                            locale);
}

} // namespace host
