#include "host/services/enable.h"

#include <QWidget>

namespace host {

void SetChildEnabled(QWidget* container, bool enabled) {
    if (container == nullptr)
        return;
    for (QWidget* child : container->findChildren<QWidget*>())
        child->setEnabled(enabled);
}

} // namespace host
