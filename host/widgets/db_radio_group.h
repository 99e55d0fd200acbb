#pragma once

#include "host/widgets/field_link.h"
#include "host/widgets/reaction.h"

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

namespace host {

// Radio group bound to a field: item i stores the i-th of SetValues. Items come from SetItems, or
// are the radio buttons a Designer form placed inside the group (in creation order).
class TDBRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TDBRadioGroup(QWidget* parent = nullptr);

    void SetItems(const QStringList& captions);
    void SetValues(const QStringList& values);
    void SetColumns(int columns);

    int ItemIndex() const; // -1 when nothing is selected
    void SetItemIndex(int index);
    QString Value() const; // the stored value of the selection; empty without one

    void SetDataSource(TDataSource* dataSource) { m_link->SetDataSource(dataSource); }
    void SetDataField(const QString& name) { m_link->SetDataField(name); }

    Reaction OnChange; // the selection changed (a click or the record changed)

private:
    QList<QRadioButton*> Buttons() const;
    void AdoptDesignerButtons();
    void Arrange();
    void Refresh();
    void Clicked(int index);

    FieldLink* m_link;
    QButtonGroup* m_group;
    QGridLayout* m_layout = nullptr;
    QStringList m_values;
    int m_columns = 1;
    int m_shownIndex = -1;
};

} // namespace host
