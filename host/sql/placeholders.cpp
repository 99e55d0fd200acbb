#include "host/sql/placeholders.h"

namespace host {

namespace {

bool IsNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

} // namespace

PositionalSql ToPositional(const QString& sql) {
    PositionalSql out;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Quoted text or identifier, a doubled quote staying inside.
            qsizetype end = i + 1;
            while (end < n) {
                if (sql.at(end) == c) {
                    if (end + 1 < n && sql.at(end + 1) == c) {
                        end += 2;
                        continue;
                    }
                    break;
                }
                ++end;
            }
            end = std::min(end + 1, n);
            out.text += sql.mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            const qsizetype nl = sql.indexOf(QLatin1Char('\n'), i);
            const qsizetype end = nl < 0 ? n : nl;
            out.text += sql.mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char(':') && i + 1 < n && sql.at(i + 1) == QLatin1Char(':')) {
            out.text += QStringLiteral("::");
            i += 2;
        } else if (c == QLatin1Char(':') && i + 1 < n && IsNameChar(sql.at(i + 1))) {
            qsizetype end = i + 1;
            while (end < n && IsNameChar(sql.at(end)))
                ++end;
            out.names << sql.mid(i + 1, end - i - 1);
            out.text += QLatin1Char('?');
            i = end;
        } else {
            out.text += c;
            ++i;
        }
    }
    return out;
}

} // namespace host
