#include "store/money.h"

#include <cmath>
#include <stdexcept>

namespace store {

namespace {

Cents ParseDecimal(const QString& text) {
    const QString trimmed = text.trimmed();
    const bool negative = trimmed.startsWith(QLatin1Char('-'));
    const QString digits =
        negative || trimmed.startsWith(QLatin1Char('+')) ? trimmed.mid(1) : trimmed;
    const qsizetype dot = digits.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? digits : digits.left(dot);
    QString fraction = dot < 0 ? QString() : digits.mid(dot + 1);
    bool okWhole = true;
    const qint64 units = whole.isEmpty() ? 0 : whole.toLongLong(&okWhole);
    // A third decimal rounds half away from zero; beyond that the column cannot hold it.
    const bool roundUp = fraction.size() > 2 && fraction.at(2) >= QLatin1Char('5');
    fraction = (fraction + QStringLiteral("00")).left(2);
    bool okFraction = true;
    const qint64 cents = fraction.toLongLong(&okFraction);
    if (!okWhole || !okFraction || (whole.isEmpty() && dot < 0))
        throw std::invalid_argument("not a decimal amount: " + text.toStdString());
    const Cents magnitude = units * 100 + cents + (roundUp ? 1 : 0);
    return negative ? -magnitude : magnitude;
}

} // namespace

Cents CentsFrom(const QVariant& value) {
    if (value.isNull())
        return 0;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return value.toLongLong() * 100;
    case QMetaType::Double:
    case QMetaType::Float:
        return CentsFromDouble(value.toDouble());
    default:
        return ParseDecimal(value.toString());
    }
}

Cents CentsFromDouble(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 9.0e15)
        throw std::invalid_argument("amount out of range");
    // The float nearest a two-decimal amount may sit just below it (0.285 -> 0.28499...):
    // scale first, then snap what is within rounding noise of a half cent.
    const double scaled = value * 100.0;
    const double nearest = std::round(scaled);
    if (std::fabs(scaled - nearest) < 1e-6)
        return static_cast<Cents>(nearest);
    const double half = std::trunc(scaled) + (scaled < 0 ? -0.5 : 0.5);
    if (std::fabs(scaled - half) < 1e-6)
        return static_cast<Cents>(scaled < 0 ? std::floor(scaled) : std::ceil(scaled));
    return static_cast<Cents>(std::round(scaled));
}

QString CentsText(Cents cents) {
    const Cents magnitude = cents < 0 ? -cents : cents;
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

double CentsToDouble(Cents cents) {
    return static_cast<double>(cents) / 100.0;
}

} // namespace store
