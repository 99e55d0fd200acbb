#include "host/services/money.h"

#include "data/moneytext.h"

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

} // namespace host
