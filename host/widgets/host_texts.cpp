#include "host/widgets/host_texts.h"

#include "host/services/messages.h"

namespace host {

QString WidgetText(const QString& key) {
    static const TMessages texts = TMessages::Load(QStringLiteral(":/host/widgets/widgets.msg"));
    return texts.Msg(key);
}

QStringList WeekDayNames() {
    QStringList names;
    for (int day = 1; day <= 7; ++day)
        names << WidgetText(QStringLiteral("DIA%1").arg(day));
    return names;
}

} // namespace host
