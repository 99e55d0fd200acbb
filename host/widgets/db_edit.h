#pragma once

#include "host/widgets/field_link.h"
#include "host/widgets/reaction.h"

#include <QLineEdit>

namespace host {

// Edit bound to a field. Shows the field's display text; while the record set is editing it
// shows the field's own text under the field's edit mask and writes every change back.
// Read only while the record set is not editing, and always for float and date-time fields.
class TDBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);

    void SetDataSource(TDataSource* dataSource) { m_link->SetDataSource(dataSource); }
    void SetDataField(const QString& name) { m_link->SetDataField(name); }

    Reaction OnChange; // the text changed (typing or the record changed)
    Reaction OnEnter;
    Reaction OnExit;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Refresh();
    void WriteBack();

    FieldLink* m_link;
    QString m_mask;   // host syntax, as last taken from the field
    QString m_qtMask; // its QLineEdit form, as set
    bool m_refreshing = false;
};

} // namespace host
