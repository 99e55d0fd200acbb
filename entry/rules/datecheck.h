#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace entry {

// Where the focus goes when a date rule refuses.
enum class DateSpot {
    Stay,         // the focus does not move
    Compensation, // the compensation date edit
    Settlement,   // the settlement date edit
    BillsGrid,    // the receivable bills grid, standing on the ticked bill
};

struct DateFault {
    QString message; // key of the screen's message list
    DateSpot focus;
    bool operator==(const DateFault&) const = default;
};
using DateVerdict = std::optional<DateFault>;

// The rules of a compensation's two dates and of a document's entry date against them. A null
// date is the date 0 of an empty edit: earlier than any given date. Entry dates are compared as
// whole date-times, with no cut to the day.
class DateCheck {
public:
    DateCheck(const QDate& compensation, const QDate& settlement);

    DateVerdict Compensation() const; // the compensation date is given
    DateVerdict Settlement() const;   // given, and not before the compensation date
    // A payable being marked: its entry date not after either date.
    DateVerdict Payable(const QDateTime& entry) const;
    // The chosen receivable bill at confirmation: the same, focusing the bills grid.
    DateVerdict Receivable(const QDateTime& entry) const;

    // The date edits may change unless payables are marked on the payables page (page 0): each
    // marked payable was checked against the dates in force.
    static bool DatesEditable(int itemsPage, bool payablesMarked);

private:
    DateVerdict EntryDate(const QDateTime& entry, DateSpot focus) const;

    QDateTime m_compensation;
    QDateTime m_settlement;
};

} // namespace entry
