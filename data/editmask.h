#pragma once

#include <QChar>
#include <QString>

namespace host {

class RecordSet;

// The host's edit-mask syntax: "picture;storeLiterals;blank".
// In the picture "9" is an optional digit, "a" an optional letter or digit, ">" upper-cases
// what follows, and any other character is a literal inserted on display. storeLiterals "1"
// keeps the literals in the stored value, "0" stores only what was typed. blank is the
// character shown in unfilled positions.
struct EditMask {
    QString picture;
    bool storeLiterals = false;
    QChar blank = QLatin1Char(' ');

    static EditMask Parse(const QString& mask);
    bool IsEmpty() const { return picture.isEmpty(); }
};

// Display text of a stored value: the value's characters fill the picture's positions in order,
// literals inserted between them; unfilled positions show the blank character. An empty value
// shows as empty text; characters beyond the picture are kept at the end.
QString FormatMaskText(const QString& mask, const QString& stored);

// What is stored for a typed (displayed) text: blanks dropped, literals kept only when the mask
// stores them, upper-casing applied. Accepts text with or without the literals.
QString StripMaskText(const QString& mask, const QString& typed);

// Equivalent QLineEdit input mask ("" for no mask).
QString ToInputMask(const QString& mask);

// The tax id field of a record set shows its bare digits through the mask of the row's person
// type (PictPess); a null shows as empty text.
void ShowTaxId(RecordSet& recordSet, const QString& taxId, const QString& personType);

} // namespace host
