#include "data/formtext.h"

#include <QFile>
#include <QStringList>

namespace host {
namespace {

// A text spans one line: "\r" and "\n" stand for the line breaks it holds, "\\" for a
// backslash.
QString Unescaped(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        if (text.at(i) == QLatin1Char('\\') && next == QLatin1Char('r'))
            result += QLatin1Char('\r');
        else if (text.at(i) == QLatin1Char('\\') && next == QLatin1Char('n'))
            result += QLatin1Char('\n');
        else if (text.at(i) == QLatin1Char('\\') && next == QLatin1Char('\\'))
            result += next;
        else {
            result += text.at(i);
            continue;
        }
        ++i;
    }
    return result;
}

} // namespace

QString ReadFormText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FormDataError(
            QStringLiteral("%1: cannot read: %2").arg(path, file.errorString()).toStdString());
    return QString::fromUtf8(file.readAll());
}

MessageList MessageList::Load(const QString& resourcePath) {
    return Parse(ReadFormText(resourcePath), resourcePath);
}

MessageList MessageList::Parse(const QString& text, const QString& source) {
    MessageList messages;
    messages.m_source = source;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype bar = line.indexOf(QLatin1Char('|'));
        const QString key = bar < 0 ? QString() : line.left(bar).trimmed();
        if (key.isEmpty())
            throw FormDataError(
                QStringLiteral("%1:%2: expected KEY|Text").arg(source).arg(i + 1).toStdString());
        if (messages.m_texts.contains(key))
            throw FormDataError(QStringLiteral("%1:%2: key %3 defined twice")
                                    .arg(source)
                                    .arg(i + 1)
                                    .arg(key)
                                    .toStdString());
        messages.m_texts.insert(key, Unescaped(line.mid(bar + 1)));
    }
    return messages;
}

QString MessageList::Msg(const QString& key) const {
    const auto it = m_texts.constFind(key);
    if (it == m_texts.cend())
        throw FormDataError(QStringLiteral("%1: no message %2").arg(m_source, key).toStdString());
    return *it;
}

} // namespace host
