#pragma once

#include <QChar>
#include <QString>

namespace host {

// Where a typed character goes in an edit: the current text and the selection it replaces
// (an empty selection is the cursor position).
struct TypedKey {
    QString text;
    int selectionStart = 0;
    int selectionLength = 0;
    QChar key;
};

// Key filter of number edits: true when the key may be typed, holding the entry to at most
// intDigits integer digits and decimals decimal digits, with one decimal separator of the
// given character. Control keys (backspace and the like) always pass.
bool MaxNumber(const TypedKey& typed, int intDigits, int decimals, QChar decimalPoint);

} // namespace host
