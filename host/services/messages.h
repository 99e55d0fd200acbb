#pragma once

#include "host/services/dialogs.h"

#include <QHash>
#include <QString>

namespace host {

// A form's message list, loaded from "KEY|Text" lines; the text is everything after the first
// bar, trailing spaces included. Blank lines and lines starting with "#" are skipped.
class TMessages {
public:
    TMessages() = default;
    static TMessages Load(const QString& resourcePath); // throws FormDataError
    static TMessages Parse(const QString& text, const QString& source);

    // Text of the key; throws FormDataError for a key the list does not hold.
    QString Msg(const QString& key) const;
    bool Contains(const QString& key) const { return m_texts.contains(key); }
    // Shows the key's text through the dialogs seam; gives mrYes (6), mrNo (7) or mrOk.
    int ShowMsg(const QString& key, MessageKind kind = MessageKind::Confirmation,
                MessageButtons buttons = MessageButtons::YesNo) const;

private:
    QString m_source;
    QHash<QString, QString> m_texts;
};

} // namespace host
