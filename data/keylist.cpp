#include "data/keylist.h"

namespace host {

namespace {

const QChar kQuote = QLatin1Char('\'');
const QChar kComma = QLatin1Char(',');

} // namespace

QString EncodeKeyList(const QStringList& keys) {
    QStringList quoted;
    quoted.reserve(keys.size());
    for (const QString& key : keys) {
        QString escaped = key;
        escaped.replace(kQuote, QStringLiteral("''"));
        quoted << kQuote + escaped + kQuote;
    }
    return quoted.join(kComma);
}

std::optional<QStringList> DecodeKeyList(const QString& list) {
    QStringList keys;
    qsizetype i = 0;
    const qsizetype n = list.size();
    if (n == 0)
        return keys;
    while (true) {
        if (i >= n || list.at(i) != kQuote)
            return std::nullopt;
        ++i;
        QString key;
        while (true) {
            if (i >= n)
                return std::nullopt; // unterminated
            if (list.at(i) == kQuote) {
                if (i + 1 < n && list.at(i + 1) == kQuote) {
                    key += kQuote;
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            key += list.at(i++);
        }
        keys << key;
        if (i == n)
            return keys;
        if (list.at(i) != kComma)
            return std::nullopt;
        ++i;
    }
}

} // namespace host
