#include "host/widgets/edit.h"

namespace host {

TEdit::TEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] { OnChange.Fire(); });
}

void TEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    OnEnter.Fire();
}

void TEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    OnExit.Fire();
}

} // namespace host
