#include "entry/quietfocus.h"

#include "host/widgets/date_edit.h"
#include "host/widgets/db_edit.h"
#include "host/widgets/edit.h"
#include "host/widgets/number_edit.h"

#include <QApplication>

#include <optional>

namespace entry {
namespace {

// The exit reaction of an edit; grids and buttons validate nothing on leaving.
host::Reaction* ExitValidation(QWidget* widget) {
    if (auto* edit = qobject_cast<host::TDBEdit*>(widget))
        return &edit->OnExit;
    if (auto* edit = qobject_cast<host::TEdit*>(widget))
        return &edit->OnExit;
    if (auto* edit = qobject_cast<host::TDateEditPlus*>(widget))
        return &edit->OnExit;
    if (auto* edit = qobject_cast<host::TNumberEdit*>(widget))
        return &edit->OnExit;
    return nullptr;
}

} // namespace

void FocusQuietly(QWidget* control) {
    QWidget* leaving = QApplication::focusWidget();
    std::optional<host::Reaction::Detached> quiet;
    if (host::Reaction* exit = leaving == control ? nullptr : ExitValidation(leaving))
        quiet.emplace(*exit);
    control->setFocus();
}

bool FocusInWindow(const QWidget* screen) {
    const QWidget* now = QApplication::focusWidget();
    return now && now->window() == screen->window();
}

} // namespace entry
