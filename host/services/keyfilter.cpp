#include "host/services/keyfilter.h"

namespace host {

bool MaxNumber(const TypedKey& typed, int intDigits, int decimals, QChar decimalPoint) {
    const QChar key = typed.key;
    if (key.category() == QChar::Other_Control)
        return true;
    const bool isSeparator = key == decimalPoint;
    if (!key.isDigit() && !isSeparator)
        return false;
    if (isSeparator && decimals <= 0)
        return false;

    const QString result =
        QString(typed.text).replace(typed.selectionStart, typed.selectionLength, key);
    if (result.count(decimalPoint) > 1)
        return false;
    const qsizetype point = result.indexOf(decimalPoint);
    const QString integerPart = point < 0 ? result : result.left(point);
    const QString decimalPart = point < 0 ? QString() : result.mid(point + 1);
    auto digitsIn = [](const QString& s) {
        qsizetype n = 0;
        for (QChar c : s)
            n += c.isDigit() ? 1 : 0;
        return n;
    };
    return digitsIn(integerPart) <= intDigits && digitsIn(decimalPart) <= decimals;
}

} // namespace host
