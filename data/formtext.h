#pragma once

#include <QHash>
#include <QString>

#include <stdexcept>

namespace host {

// A form data resource is missing or malformed, or a name is not defined in it; the message
// names the resource, the line and what was wrong.
class FormDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a text resource (or file) as UTF-8; throws FormDataError when it cannot be read.
QString ReadFormText(const QString& path);

// The texts of a message list, "KEY|Text" lines; the text is everything after the first bar,
// trailing spaces included. Blank lines and lines starting with "#" are skipped. Kept in the
// data library so that documents rendered without widgets read their texts the same way.
class MessageList {
public:
    MessageList() = default;
    static MessageList Load(const QString& resourcePath); // throws FormDataError
    static MessageList Parse(const QString& text, const QString& source);

    // Text of the key; throws FormDataError for a key the list does not hold.
    QString Msg(const QString& key) const;
    bool Contains(const QString& key) const { return m_texts.contains(key); }

private:
    QString m_source;
    QHash<QString, QString> m_texts;
};

} // namespace host
