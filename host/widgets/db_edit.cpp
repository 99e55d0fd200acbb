#include "host/widgets/db_edit.h"

#include "host/services/editmask.h"

namespace host {

TDBEdit::TDBEdit(QWidget* parent) : QLineEdit(parent), m_link(new FieldLink(this)) {
    connect(m_link, &FieldLink::refresh, this, &TDBEdit::Refresh);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!m_refreshing)
            WriteBack();
        OnChange.Fire();
    });
    Refresh();
}

void TDBEdit::Refresh() {
    const Field* field = m_link->GetField();
    const bool writable = m_link->CanWrite();
    m_refreshing = true;
    setReadOnly(!writable);
    m_mask = field ? field->EditMask() : QString();
    const bool plain = writable || !m_mask.isEmpty();
    const QString qtMask = plain ? ToInputMask(m_mask) : QString();
    if (qtMask != m_qtMask) {
        m_qtMask = qtMask;
        setInputMask(qtMask);
    }
    const bool sized = field && field->DataType() != FieldType::Float &&
                       field->DataType() != FieldType::DateTime && field->Size() > 0;
    setMaxLength(sized && m_mask.isEmpty() ? field->Size() : 32767);
    const QString shown = !field ? QString() : plain ? field->AsString() : field->DisplayText();
    if (shown != text())
        setText(shown);
    m_refreshing = false;
}

void TDBEdit::WriteBack() {
    if (!m_link->CanWrite())
        return;
    const QString stored = m_mask.isEmpty() ? text() : StripMaskText(m_mask, displayText());
    m_link->Write(stored.isEmpty() ? QVariant() : QVariant(stored));
}

void TDBEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    OnEnter.Fire();
}

void TDBEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    OnExit.Fire();
}

} // namespace host
