#include "host/services/money.h"

#include "host/services/rounding.h"

#include <QMutex>
#include <QMutexLocker>

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
    if (!ok)
        return {};
    QLocale grouped = locale;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(RoundDec(number, 2), 'f', 2);
}

} // namespace host
