#include "shell/shutdown.h"

#include "host/forms/live_forms.h"
#include "shell/suitewindow.h"

#include <QApplication>
#include <QPointer>

void CloseModules(SuiteWindow& window) {
    window.CloseScreens();
    QList<QPointer<QWidget>> doomed;
    for (QWidget* form : host::LiveForms())
        doomed.append(form);
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != &window && !widget->parent())
            doomed.append(widget);
    // Deleting one may delete others (its children): each is checked again just before.
    for (const QPointer<QWidget>& widget : doomed)
        delete widget.data();
}
