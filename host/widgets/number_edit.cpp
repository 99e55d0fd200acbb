#include "host/widgets/number_edit.h"

#include "host/services/keyfilter.h"
#include "host/services/money.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace host {
namespace {

QString PlainNumberText(double value, int decimals) {
    QLocale locale = UserLocale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', decimals);
}

} // namespace

TNumberEdit::TNumberEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::textChanged, this, [this] { OnChange.Fire(); });
}

double TNumberEdit::GetNumber() const {
    const QString trimmed = text().trimmed();
    bool ok = false;
    const double value = UserLocale().toDouble(trimmed, &ok);
    return ok ? value : 0;
}

void TNumberEdit::SetNumber(double value) {
    setText(hasFocus() ? PlainNumberText(value, m_decimals) : MoneyText(value));
}

void TNumberEdit::SetMaxNumber(int integerDigits, int decimals) {
    m_filterKeys = true;
    m_integerDigits = integerDigits;
    m_decimals = decimals;
}

void TNumberEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (m_filterKeys && typed.size() == 1) {
        const TypedKey key{text(), hasSelectedText() ? selectionStart() : cursorPosition(),
                           hasSelectedText() ? int(selectedText().size()) : 0, typed.at(0)};
        if (!MaxNumber(key, m_integerDigits, m_decimals, UserLocale().decimalPoint().at(0)))
            return;
    }
    QLineEdit::keyPressEvent(event);
}

void TNumberEdit::focusInEvent(QFocusEvent* event) {
    if (!text().isEmpty()) {
        const Reaction::Detached reformatting(OnChange);
        setText(PlainNumberText(GetNumber(), m_decimals));
    }
    QLineEdit::focusInEvent(event);
    OnEnter.Fire();
}

void TNumberEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (!text().isEmpty()) {
        const Reaction::Detached reformatting(OnChange);
        setText(MoneyText(GetNumber()));
    }
    OnExit.Fire();
}

} // namespace host
