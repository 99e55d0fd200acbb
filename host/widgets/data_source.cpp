#include "host/widgets/data_source.h"

namespace host {

TDataSource::TDataSource(QObject* parent) : QObject(parent) {}

void TDataSource::SetDataSet(RecordSet* dataSet) {
    for (const auto& connection : m_connections)
        disconnect(connection);
    m_connections.clear();
    m_dataSet = dataSet;
    if (dataSet) {
        m_connections << connect(dataSet, &RecordSet::stateChanged, this,
                                 &TDataSource::ForwardState)
                      << connect(dataSet, &RecordSet::afterScroll, this,
                                 &TDataSource::ForwardRecord)
                      << connect(dataSet, &RecordSet::afterOpen, this, &TDataSource::ForwardRows)
                      << connect(dataSet, &RecordSet::rowsReset, this, &TDataSource::ForwardRows)
                      << connect(dataSet, &RecordSet::dataChanged, this,
                                 [this](int row) {
                                     if (m_dataSet && row == m_dataSet->RecNo())
                                         ForwardRecord();
                                 })
                      << connect(dataSet, &RecordSet::fieldsChanged, this, [this] {
                             if (!Silenced())
                                 emit layoutChanged();
                         });
    }
    emit dataSetChanged();
    ForwardRows();
}

DataSetState TDataSource::State() const {
    return m_dataSet ? m_dataSet->State() : DataSetState::Inactive;
}

bool TDataSource::Editing() const {
    return m_dataSet && m_dataSet->Editing();
}

bool TDataSource::Silenced() const {
    return m_dataSet && m_dataSet->ControlsDisabled();
}

void TDataSource::ForwardState() {
    if (Silenced() || State() == m_lastState)
        return;
    m_lastState = State();
    emit stateChanged(m_lastState);
    OnStateChange.Fire();
    // Leaving edit (post or cancel) may have changed what the current record shows.
    ForwardRecord();
}

void TDataSource::ForwardRecord() {
    if (Silenced())
        return;
    emit recordChanged();
    OnDataChange.Fire();
}

void TDataSource::ForwardRows() {
    if (Silenced())
        return;
    emit rowsChanged();
    if (State() != m_lastState)
        ForwardState();
    else
        ForwardRecord();
}

} // namespace host
