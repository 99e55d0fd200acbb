#include "data/rounding.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace host {

double RoundDec(double value, int decimals) {
    if (!std::isfinite(value) || value == 0.0)
        return value;

    // Shortest round-trip scientific text: "d.ddddde+XX".
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                       std::fabs(value), std::chars_format::scientific);
    const std::string text(buffer.data(), written.ptr);
    const auto ePos = text.find('e');
    std::string digits;
    for (std::size_t i = 0; i < ePos; ++i)
        if (text[i] != '.')
            digits += text[i];
    const int exponent = std::stoi(text.substr(ePos + 1));

    // Digits of the value are digits[0..] with the decimal point after (exponent + 1) of them;
    // keep those up to the wanted decimal place.
    const int keep = exponent + 1 + decimals;
    if (keep >= static_cast<int>(digits.size()))
        return value;
    if (keep < 0)
        return 0.0;

    const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
    std::string kept = "0" + digits.substr(0, static_cast<std::size_t>(keep));
    if (roundUp) {
        auto i = kept.size();
        while (i-- > 0) {
            if (kept[i] == '9') {
                kept[i] = '0';
            } else {
                ++kept[i];
                break;
            }
        }
    }
    // kept holds the magnitude scaled by 10^decimals (with a leading carry digit).
    const std::string rounded = kept + "e" + std::to_string(-decimals);
    double result = 0.0;
    std::from_chars(rounded.data(), rounded.data() + rounded.size(), result);
    return result == 0.0 ? 0.0 : std::copysign(result, value);
}

} // namespace host
