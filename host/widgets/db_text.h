#pragma once

#include "host/widgets/field_link.h"

#include <QLabel>

namespace host {

// Label showing a field's display text for the current record.
class TDBText : public QLabel {
    Q_OBJECT
public:
    explicit TDBText(QWidget* parent = nullptr);

    void SetDataSource(TDataSource* dataSource) { m_link->SetDataSource(dataSource); }
    TDataSource* DataSource() const { return m_link->DataSource(); }
    void SetDataField(const QString& name) { m_link->SetDataField(name); }
    const QString& DataField() const { return m_link->DataField(); }

private:
    void Refresh();

    FieldLink* m_link;
};

} // namespace host
