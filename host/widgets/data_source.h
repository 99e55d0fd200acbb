#pragma once

#include "data/recordset.h"
#include "host/widgets/reaction.h"

#include <QObject>
#include <QPointer>

namespace host {

// Binds controls to a record set. Forwards the record set's changes to its controls unless the
// record set's controls are disabled; enabling them again refreshes everything once.
class TDataSource : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(QObject* parent = nullptr);

    void SetDataSet(RecordSet* dataSet);
    RecordSet* DataSet() const { return m_dataSet; }

    DataSetState State() const;
    bool Editing() const; // edit or insert

    Reaction OnStateChange; // the state changed (as the controls see it)
    Reaction OnDataChange;  // the current record moved or changed

signals:
    void dataSetChanged(); // another record set was bound
    void stateChanged(host::DataSetState state);
    void recordChanged(); // controls re-read their field
    void rowsChanged();   // rows replaced, added or removed
    void layoutChanged(); // field definitions or presentation changed

private:
    void ForwardState();
    void ForwardRecord();
    void ForwardRows();
    bool Silenced() const;

    QPointer<RecordSet> m_dataSet;
    QList<QMetaObject::Connection> m_connections;
    DataSetState m_lastState = DataSetState::Inactive;
};

} // namespace host
