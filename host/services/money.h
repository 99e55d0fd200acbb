#pragma once

#include "data/moneytext.h"

#include <QLocale>
#include <QString>
#include <QVariant>

namespace host {

// The locale the suite formats numbers and dates in; Brazilian Portuguese unless the shell
// installs the operator's own.
QLocale UserLocale();
void SetUserLocale(const QLocale& locale);

// Money text "#,##0.00" in the user's locale (pt_BR: 1.234,56), rounded half away from zero.
// A null or non-numeric value shows as empty text. The locale's own is in data/moneytext.h.
QString MoneyText(const QVariant& value);

} // namespace host
