#include "host/services/messages.h"

namespace host {

TMessages TMessages::Load(const QString& resourcePath) {
    return TMessages(MessageList::Load(resourcePath));
}

TMessages TMessages::Parse(const QString& text, const QString& source) {
    return TMessages(MessageList::Parse(text, source));
}

int TMessages::ShowMsg(const QString& key, MessageKind kind, MessageButtons buttons) const {
    return dialogs().Message(Msg(key), kind, buttons);
}

} // namespace host
