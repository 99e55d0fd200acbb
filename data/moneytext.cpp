#include "data/moneytext.h"

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

} // namespace host
