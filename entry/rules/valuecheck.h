#pragma once

#include <QString>

namespace entry {

// The total to compensate against the chosen bill's net value, both taken to the cent.
class ValueCheck {
public:
    enum class Verdict {
        Fine,      // below the bill's net value
        WholeBill, // settles the whole net value: the bill's entry date must then be checked
        Refused,   // message() says why
    };

    // A null total is 0.
    ValueCheck(double total, double billNet);

    Verdict verdict() const { return m_verdict; }
    // Key of the screen's message that refuses the total; empty unless refused.
    QString message() const { return m_message; }
    // Where the refusal leaves the operator: on the chosen bill when the total is above it.
    bool showsBill() const { return m_showsBill; }

private:
    Verdict m_verdict = Verdict::Fine;
    QString m_message;
    bool m_showsBill = false;
};

} // namespace entry
