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
    // Floats and dates have their own edits; here they are shown only.
    const bool textual = field && (field->DataType() == FieldType::String ||
                                   field->DataType() == FieldType::FixedString);
    const bool writable = textual && m_link->CanWrite();
    m_refreshing = true;
    setReadOnly(!writable);
    m_mask = field ? field->EditMask() : QString();
    const bool plain = writable || !m_mask.isEmpty();
    const QString qtMask = plain ? ToInputMask(m_mask) : QString();
    if (qtMask != m_qtMask) {
        m_qtMask = qtMask;
        setInputMask(qtMask);
    }
    setMaxLength(textual && m_mask.isEmpty() && field->Size() > 0 ? field->Size() : 32767);
    const QString shown = !field ? QString() : plain ? field->AsString() : field->DisplayText();
    if (shown != text())
        setText(shown);
    m_refreshing = false;
}

void TDBEdit::WriteBack() {
    if (isReadOnly() || !m_link->CanWrite())
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
