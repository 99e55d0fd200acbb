#include "entry/rules/datecheck.h"

namespace entry {
namespace {

// A null date stands for the date 0 of an empty edit.
QDateTime AtMidnight(const QDate& date) {
    return date.isValid() ? date.startOfDay() : QDateTime();
}

bool Later(const QDateTime& a, const QDateTime& b) {
    if (!a.isValid())
        return false;
    return !b.isValid() || a > b;
}

} // namespace

DateCheck::DateCheck(const QDate& compensation, const QDate& settlement)
    : m_compensation(AtMidnight(compensation)), m_settlement(AtMidnight(settlement)) {}

DateVerdict DateCheck::Compensation() const {
    if (!m_compensation.isValid())
        return DateFault{QStringLiteral("DATACOMPINF"), DateSpot::Compensation};
    return std::nullopt;
}

DateVerdict DateCheck::Settlement() const {
    if (!m_settlement.isValid())
        return DateFault{QStringLiteral("DATABAIXAINF"), DateSpot::Settlement};
    if (Later(m_compensation, m_settlement))
        return DateFault{QStringLiteral("DTBAIXAMENORDTCOMP"), DateSpot::Settlement};
    return std::nullopt;
}

DateVerdict DateCheck::Payable(const QDateTime& entry) const {
    return EntryDate(entry, DateSpot::Stay);
}

DateVerdict DateCheck::Receivable(const QDateTime& entry) const {
    return EntryDate(entry, DateSpot::BillsGrid);
}

DateVerdict DateCheck::EntryDate(const QDateTime& entry, DateSpot focus) const {
    if (Later(entry, m_compensation))
        return DateFault{QStringLiteral("DTENTRMAIORCMP"), focus};
    if (Later(entry, m_settlement))
        return DateFault{QStringLiteral("DTENTRMAIORBX"), focus};
    return std::nullopt;
}

bool DateCheck::DatesEditable(int itemsPage, bool payablesMarked) {
    return itemsPage != 0 || !payablesMarked;
}

} // namespace entry
