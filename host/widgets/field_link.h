#pragma once

#include "host/widgets/data_source.h"

#include <QObject>
#include <QPointer>

namespace host {

// What a bound control shares: its data source and field name, and one signal whenever the
// control should re-read the field (record moved or changed, state changed, data source set).
class FieldLink : public QObject {
    Q_OBJECT
public:
    explicit FieldLink(QObject* parent) : QObject(parent) {}

    void SetDataSource(TDataSource* dataSource);
    TDataSource* DataSource() const { return m_dataSource; }
    void SetDataField(const QString& name);
    const QString& DataField() const { return m_fieldName; }

    Field* GetField() const;
    bool CanWrite() const; // a field is bound and its record set is editing
    // Writes through the guarded entry point (a refused value is reported, not thrown to Qt),
    // without echoing the change back to the control that is writing.
    void Write(const QVariant& value);

signals:
    void refresh();

private:
    void SourceChanged();

    bool m_writing = false;
    QPointer<TDataSource> m_dataSource;
    QString m_fieldName;
    QList<QMetaObject::Connection> m_connections;
};

} // namespace host
