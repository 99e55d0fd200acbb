#include "host/widgets/db_text.h"

namespace host {

TDBText::TDBText(QWidget* parent) : QLabel(parent), m_link(new FieldLink(this)) {
    connect(m_link, &FieldLink::refresh, this, &TDBText::Refresh);
}

void TDBText::Refresh() {
    const Field* field = m_link->GetField();
    setText(field ? field->DisplayText() : QString());
}

} // namespace host
