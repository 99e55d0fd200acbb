#include "host/widgets/db_date_edit.h"

namespace host {

TDBDateEditPlus::TDBDateEditPlus(QWidget* parent)
    : TDateEditPlus(parent), m_link(new FieldLink(this)) {
    connect(m_link, &FieldLink::refresh, this, &TDBDateEditPlus::Refresh);
    Refresh();
}

void TDBDateEditPlus::Refresh() {
    const Field* field = m_link->GetField();
    m_refreshing = true;
    setReadOnly(!m_link->CanWrite());
    const QDate date = field && !field->IsNull() ? field->AsDateTime().date() : QDate();
    if (date != GetDate() || (!date.isValid() && !IsEmpty()))
        SetDate(date);
    m_refreshing = false;
}

void TDBDateEditPlus::TextChanged() {
    if (m_refreshing || !m_link->CanWrite())
        return;
    if (IsEmpty())
        m_link->Write(QVariant());
    else if (GetDate().isValid())
        m_link->Write(QDateTime(GetDate(), QTime(0, 0)));
}

} // namespace host
