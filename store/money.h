#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>

namespace store {

// Money in the server is exact: integer cents.
using Cents = std::int64_t;

// Reads a NUMERIC column value (decimal text, integer or double, as the driver gives it).
// Throws std::invalid_argument for anything else; null gives 0.
Cents CentsFrom(const QVariant& value);
// Rounds a float from the wire half away from zero to whole cents.
Cents CentsFromDouble(double value);
// "1234.56", "-0.05": bound as text so that NUMERIC columns receive the exact value.
QString CentsText(Cents cents);
// The float that record sets carry.
double CentsToDouble(Cents cents);

} // namespace store
