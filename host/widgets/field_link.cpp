#include "host/widgets/field_link.h"

#include "host/services/abort.h"

namespace host {

void FieldLink::SetDataSource(TDataSource* dataSource) {
    for (const auto& connection : m_connections)
        disconnect(connection);
    m_connections.clear();
    m_dataSource = dataSource;
    if (dataSource) {
        m_connections
            << connect(dataSource, &TDataSource::recordChanged, this, &FieldLink::SourceChanged)
            << connect(dataSource, &TDataSource::stateChanged, this, &FieldLink::SourceChanged)
            << connect(dataSource, &TDataSource::layoutChanged, this, &FieldLink::SourceChanged);
    }
    emit refresh();
}

void FieldLink::SetDataField(const QString& name) {
    m_fieldName = name;
    emit refresh();
}

Field* FieldLink::GetField() const {
    if (!m_dataSource || m_fieldName.isEmpty())
        return nullptr;
    RecordSet* dataSet = m_dataSource->DataSet();
    if (!dataSet || !dataSet->Active() || dataSet->IsEmpty())
        return nullptr;
    return dataSet->FindField(m_fieldName);
}

bool FieldLink::CanWrite() const {
    return GetField() && m_dataSource->Editing();
}

void FieldLink::Write(const QVariant& value) {
    Field* field = GetField();
    if (!field || !m_dataSource->Editing())
        return;
    m_writing = true;
    guarded([&] { field->SetValue(value); });
    m_writing = false;
}

void FieldLink::SourceChanged() {
    if (!m_writing)
        emit refresh();
}

} // namespace host
