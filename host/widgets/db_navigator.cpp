#include "host/widgets/db_navigator.h"

#include "host/services/abort.h"
#include "host/widgets/data_source.h"
#include "host/widgets/host_texts.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace host {

TDBNavigator::TDBNavigator(QWidget* parent)
    : QWidget(parent),
      m_first(AddButton(QStringLiteral("btnFirst"), QStringLiteral("NAVPRIMEIRO"), Move::First)),
      m_prior(AddButton(QStringLiteral("btnPrior"), QStringLiteral("NAVANTERIOR"), Move::Prior)),
      m_next(AddButton(QStringLiteral("btnNext"), QStringLiteral("NAVPROXIMO"), Move::Next)),
      m_last(AddButton(QStringLiteral("btnLast"), QStringLiteral("NAVULTIMO"), Move::Last)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {m_first, m_prior, m_next, m_last})
        layout->addWidget(button);
    m_first->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
    m_prior->setIcon(style()->standardIcon(QStyle::SP_MediaSeekBackward));
    m_next->setIcon(style()->standardIcon(QStyle::SP_MediaSeekForward));
    m_last->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
    Refresh();
}

QToolButton* TDBNavigator::AddButton(const QString& name, const QString& textKey, Move move) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    // A picture alone says nothing to a screen reader.
    button->setToolTip(WidgetText(textKey));
    button->setAccessibleName(button->toolTip());
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QToolButton::clicked, this, [this, move] { Go(move); });
    return button;
}

void TDBNavigator::SetDataSource(TDataSource* dataSource) {
    if (m_dataSource)
        disconnect(m_dataSource, nullptr, this, nullptr);
    m_dataSource = dataSource;
    if (dataSource) {
        connect(dataSource, &TDataSource::recordChanged, this, &TDBNavigator::Refresh);
        connect(dataSource, &TDataSource::stateChanged, this, &TDBNavigator::Refresh);
    }
    Refresh();
}

void TDBNavigator::Go(Move move) {
    RecordSet* dataSet = m_dataSource ? m_dataSource->DataSet() : nullptr;
    if (!dataSet)
        return;
    guarded([&] {
        switch (move) {
        case Move::First:
            dataSet->First();
            break;
        case Move::Prior:
            dataSet->Prior();
            break;
        case Move::Next:
            dataSet->Next();
            break;
        case Move::Last:
            dataSet->Last();
            break;
        }
    });
}

void TDBNavigator::Refresh() {
    const RecordSet* dataSet = m_dataSource ? m_dataSource->DataSet() : nullptr;
    const bool browsing = dataSet && dataSet->State() == DataSetState::Browse;
    const int row = browsing ? dataSet->RecNo() : -1;
    const int last = browsing ? dataSet->RecordCount() - 1 : -1;
    m_first->setEnabled(row > 0);
    m_prior->setEnabled(row > 0);
    m_next->setEnabled(row >= 0 && row < last);
    m_last->setEnabled(row >= 0 && row < last);
}

} // namespace host
