#pragma once

#include <QString>

namespace host {

// True when the text is empty or holds only whitespace.
bool EmptyString(const QString& text);

// Normalises a typed code to its column width: codes made only of digits are left-padded with
// zeros ("1" -> "01" for width 2); any other code is only trimmed.
QString Ajusta(const QString& code, int width);

// Edit mask for a tax id of the given person type: "F" (natural person) CPF, "J" (company)
// CNPJ, anything else no mask.
QString PictPess(const QString& personType);

} // namespace host
