#pragma once

#include "host/widgets/reaction.h"

#include <QLineEdit>

namespace host {

// Number edit shown as "#,##0.00" in the user's locale. While it has the focus it shows the
// number without grouping for typing; leaving it shows the formatted text again.
class TNumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TNumberEdit(QWidget* parent = nullptr);

    double GetNumber() const; // 0 when empty or not a number
    void SetNumber(double value);

    // Filters typed keys with the host's MaxNumber: at most this many integer and decimal
    // digits, one decimal separator. Without it any text may be typed.
    void SetMaxNumber(int integerDigits, int decimals);

    Reaction OnChange;
    Reaction OnEnter;
    Reaction OnExit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_filterKeys = false;
    int m_integerDigits = 0;
    int m_decimals = 2;
};

} // namespace host
