#pragma once

#include <QList>

class QWidget;

namespace host {

// Every form made by CreateForm that is still alive, oldest first. A form's code lives in the
// module that made it, so the suite destroys them all before it unloads the modules.
QList<QWidget*> LiveForms();

// Called by CreateForm for each new form.
void AddLiveForm(QWidget* form);

} // namespace host
