#include "data/text.h"

#include <algorithm>

namespace host {

bool EmptyString(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); });
}

QString Ajusta(const QString& code, int width) {
    const QString trimmed = code.trimmed();
    const bool digitsOnly =
        !trimmed.isEmpty() && std::all_of(trimmed.cbegin(), trimmed.cend(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
    return digitsOnly ? trimmed.rightJustified(width, QLatin1Char('0')) : trimmed;
}

QString PictPess(const QString& personType) {
    const QString type = personType.trimmed().toUpper();
    if (type == QLatin1String("F"))
        return QStringLiteral("999.999.999-99;0; ");
    if (type == QLatin1String("J"))
        return QStringLiteral("99.999.999/9999-99;0; ");
    return {};
}

} // namespace host
