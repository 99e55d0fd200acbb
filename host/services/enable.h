#pragma once

class QWidget;

namespace host {

// Enables or disables every control inside the container (at any depth), not the container.
void SetChildEnabled(QWidget* container, bool enabled);

} // namespace host
