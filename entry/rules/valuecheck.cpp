#include "entry/rules/valuecheck.h"

#include "data/rounding.h"

#include <cmath>

namespace entry {
namespace {

qint64 Cents(double value) {
    return std::llround(host::RoundDec(value, 2) * 100.0);
}

} // namespace

ValueCheck::ValueCheck(double total, double billNet) {
    const qint64 t = Cents(total);
    const qint64 n = Cents(billNet);
    // A negative total can only come from a fault elsewhere; it is refused like zero.
    if (t <= 0) {
        m_verdict = Verdict::Refused;
        m_message = QStringLiteral("VRCOMPZERO");
    } else if (t > n) {
        m_verdict = Verdict::Refused;
        m_message = QStringLiteral("VRCOMPMAIOR");
        m_showsBill = true;
    } else if (t == n) {
        m_verdict = Verdict::WholeBill;
    }
}

} // namespace entry
