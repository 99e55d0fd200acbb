#include "host/services/money.h"

#include "data/moneytext.h"
#include "data/rounding.h"

#include <QMutex>
#include <QMutexLocker>

#include <cmath>
#include <cstdint>

namespace host {

namespace {

QMutex& LocaleMutex() {
    static QMutex mutex;
    return mutex;
}

QLocale& StoredLocale() {
    static QLocale locale(QLocale::Portuguese, QLocale::Brazil);
    return locale;
}

} // namespace

QLocale UserLocale() {
    QMutexLocker lock(&LocaleMutex());
    return StoredLocale();
}

void SetUserLocale(const QLocale& locale) {
    QMutexLocker lock(&LocaleMutex());
    StoredLocale() = locale;
}

QString MoneyText(const QVariant& value) {
    return MoneyText(value, UserLocale());
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
