#pragma once

#include <QString>
#include <QStringList>

namespace host {

// Texts of the host controls (day names, control messages), kept as data in the resource
// ":/host/widgets/widgets.msg" with one "KEY|Text" line each.
QString WidgetText(const QString& key);

// "Domingo" … "Sábado", Sunday first.
QStringList WeekDayNames();

} // namespace host
