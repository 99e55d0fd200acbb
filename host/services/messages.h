#pragma once

#include "data/formtext.h"
#include "host/services/dialogs.h"

#include <QString>

namespace host {

// A form's message list (see MessageList) that shows its texts through the dialogs seam.
class TMessages : public MessageList {
public:
    TMessages() = default;
    static TMessages Load(const QString& resourcePath); // throws FormDataError
    static TMessages Parse(const QString& text, const QString& source);

    // Shows the key's text through the dialogs seam; gives mrYes (6), mrNo (7) or mrOk.
    int ShowMsg(const QString& key, MessageKind kind = MessageKind::Confirmation,
                MessageButtons buttons = MessageButtons::YesNo) const;

private:
    explicit TMessages(MessageList texts) : MessageList(std::move(texts)) {}
};

} // namespace host
