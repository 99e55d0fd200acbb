#include "host/widgets/calendar_popup.h"

#include "host/widgets/host_texts.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace host {

CalendarPopup::CalendarPopup(QWidget* parent)
    : QFrame(parent, Qt::Popup), m_calendar(new QCalendarWidget(this)) {
    setObjectName(QStringLiteral("calendarPopup"));
    setFrameShape(QFrame::StyledPanel);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    m_calendar->setFirstDayOfWeek(Qt::Sunday);
    m_calendar->setHorizontalHeaderFormat(QCalendarWidget::NoHorizontalHeader);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);

    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("weekDayHeader"));
    auto* headerLayout = new QGridLayout(header);
    headerLayout->setContentsMargins(0, 0, 0, 0);
    const QStringList names = WeekDayNames();
    for (int column = 0; column < names.size(); ++column) {
        auto* label = new QLabel(names.at(column), header);
        label->setAlignment(Qt::AlignCenter);
        headerLayout->addWidget(label, 0, column);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(m_calendar);

    connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate& date) {
        hide();
        emit datePicked(date);
    });
    connect(m_calendar, &QCalendarWidget::activated, this, [this](const QDate& date) {
        hide();
        emit datePicked(date);
    });
}

// Escape closes the calendar only: without this the screen's own Escape (cancel the entry) would
// take it, as the popup lies inside the screen.
bool CalendarPopup::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
        event->accept();
        return true;
    }
    return QFrame::event(event);
}

void CalendarPopup::Open(QWidget* anchor, const QDate& date) {
    m_calendar->setSelectedDate(date.isValid() ? date : QDate::currentDate());
    move(anchor->mapToGlobal(QPoint(0, anchor->height())));
    show();
    m_calendar->setFocus();
}

} // namespace host
