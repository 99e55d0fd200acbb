#include "host/widgets/db_radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace host {

TDBRadioGroup::TDBRadioGroup(QWidget* parent)
    : QGroupBox(parent), m_link(new FieldLink(this)), m_group(new QButtonGroup(this)) {
    connect(m_group, &QButtonGroup::idClicked, this, &TDBRadioGroup::Clicked);
    connect(m_link, &FieldLink::refresh, this, &TDBRadioGroup::Refresh);
}

QList<QRadioButton*> TDBRadioGroup::Buttons() const {
    QList<QRadioButton*> buttons;
    for (int id = 0; m_group->button(id); ++id)
        buttons << static_cast<QRadioButton*>(m_group->button(id));
    return buttons;
}

void TDBRadioGroup::SetItems(const QStringList& captions) {
    for (QRadioButton* button : Buttons()) {
        m_group->removeButton(button);
        delete button;
    }
    for (int id = 0; id < captions.size(); ++id)
        m_group->addButton(new QRadioButton(captions.at(id), this), id);
    Arrange();
    Refresh();
}

void TDBRadioGroup::AdoptDesignerButtons() {
    if (!m_group->buttons().isEmpty())
        return;
    const auto placed = findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (int id = 0; id < placed.size(); ++id)
        m_group->addButton(placed.at(id), id);
}

void TDBRadioGroup::SetValues(const QStringList& values) {
    AdoptDesignerButtons();
    m_values = values;
    Refresh();
}

void TDBRadioGroup::SetColumns(int columns) {
    m_columns = qMax(1, columns);
    Arrange();
}

// Items fill the columns top to bottom, one column after the other.
void TDBRadioGroup::Arrange() {
    if (!m_layout) {
        if (layout())
            return; // a Designer layout places its own buttons
        m_layout = new QGridLayout(this);
    }
    const QList<QRadioButton*> buttons = Buttons();
    const int rows = int((buttons.size() + m_columns - 1) / m_columns);
    for (int index = 0; index < buttons.size(); ++index)
        m_layout->addWidget(buttons.at(index), index % qMax(1, rows), index / qMax(1, rows));
}

int TDBRadioGroup::ItemIndex() const {
    return m_group->checkedId();
}

void TDBRadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* button = m_group->button(index)) {
        button->setChecked(true);
    } else if (QAbstractButton* checked = m_group->checkedButton()) {
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
    if (ItemIndex() != m_shownIndex) {
        m_shownIndex = ItemIndex();
        OnChange.Fire();
    }
}

QString TDBRadioGroup::Value() const {
    return m_values.value(ItemIndex());
}

void TDBRadioGroup::Refresh() {
    if (m_link->DataField().isEmpty())
        return;
    const Field* field = m_link->GetField();
    SetItemIndex(field ? int(m_values.indexOf(field->AsString())) : -1);
}

void TDBRadioGroup::Clicked(int index) {
    if (m_link->DataField().isEmpty() || m_link->CanWrite()) {
        if (m_link->CanWrite())
            m_link->Write(m_values.value(index));
        if (index != m_shownIndex) {
            m_shownIndex = index;
            OnChange.Fire();
        }
        return;
    }
    // Bound but not editing: the click may not change the record.
    SetItemIndex(m_shownIndex);
}

} // namespace host
