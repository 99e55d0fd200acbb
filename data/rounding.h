#pragma once

namespace host {

// Rounds half away from zero on the decimal value the double stands for (its shortest
// round-trip text), so 1.005 -> 1.01 although the binary double is 1.00499999...
// Non-finite values come back unchanged.
double RoundDec(double value, int decimals);

} // namespace host
