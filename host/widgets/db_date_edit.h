#pragma once

#include "host/widgets/date_edit.h"
#include "host/widgets/field_link.h"

namespace host {

// Date edit bound to a date-time field: shows the field's date, and while the record set is
// editing writes the date (no time part) back whenever the text is empty or a whole valid date.
// Read only while the record set is not editing.
class TDBDateEditPlus : public TDateEditPlus {
    Q_OBJECT
public:
    explicit TDBDateEditPlus(QWidget* parent = nullptr);

    void SetDataSource(TDataSource* dataSource) { m_link->SetDataSource(dataSource); }
    void SetDataField(const QString& name) { m_link->SetDataField(name); }

protected:
    void TextChanged() override;

private:
    void Refresh();

    FieldLink* m_link;
    bool m_refreshing = false;
};

} // namespace host
