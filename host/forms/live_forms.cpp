#include "host/forms/live_forms.h"

#include <QPointer>
#include <QWidget>

namespace host {
namespace {

QList<QPointer<QWidget>>& Forms() {
    static QList<QPointer<QWidget>> forms;
    return forms;
}

} // namespace

QList<QWidget*> LiveForms() {
    QList<QPointer<QWidget>>& forms = Forms();
    forms.removeAll(nullptr);
    QList<QWidget*> alive;
    for (const QPointer<QWidget>& form : forms)
        alive.append(form.data());
    return alive;
}

void AddLiveForm(QWidget* form) {
    Forms().removeAll(nullptr);
    Forms().append(form);
}

} // namespace host
