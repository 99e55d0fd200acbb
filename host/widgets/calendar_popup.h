#pragma once

#include <QDate>
#include <QFrame>

class QCalendarWidget;

namespace host {

// Drop-down calendar of the date edits. The week-day header is ours (the host's day names),
// not the locale's, so it reads the same on every machine.
class CalendarPopup : public QFrame {
    Q_OBJECT
public:
    explicit CalendarPopup(QWidget* parent = nullptr);

    // Shows the popup below anchor with date selected (today when date is null).
    void Open(QWidget* anchor, const QDate& date);

signals:
    void datePicked(const QDate& date);

protected:
    bool event(QEvent* event) override;

private:
    QCalendarWidget* m_calendar;
};

} // namespace host
