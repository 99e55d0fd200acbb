#include "documents/texts.h"

#include "data/formtext.h"

namespace documents {

QString Text(const QString& key) {
    static const host::MessageList texts =
        host::MessageList::Load(QStringLiteral(":/documents/documents.msg"));
    return texts.Msg(key);
}

QFont DocumentFont(qreal points, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace documents
