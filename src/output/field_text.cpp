#include "output/field_text.h"

#include "output/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vededa {

std::string fieldText(float value) {
    if (!finiteForOutput(value)) return plainText(value); // the formatters' guard text
    if (value == 0.0f) return "0";                        // also for -0
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    // The exponent in the form of the reports: upper-case with a sign and two digits ("1E-05").
    const std::size_t e = text.find('e');
    if (e != std::string::npos) {
        std::string mantissa = text.substr(0, e);
        const int exponent = std::atoi(text.c_str() + e + 1);
        char tail[16];
        std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        text = mantissa + tail;
    }
    return text;
}

int significantDigits(std::string_view text) {
    const std::size_t e = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, e);
    int digits = 0;
    bool leading = true;
    for (char c : mantissa) {
        if (c < '0' || c > '9') continue;
        if (leading && c == '0') continue; // zeros before the first other digit only place the point
        leading = false;
        ++digits;
    }
    if (digits == 0 && mantissa.find('0') != std::string_view::npos) return 1; // "0"
    return digits;
}

std::string derivedFieldText(float value, int digits) {
    if (!std::isfinite(value)) return fieldText(value);
    digits = std::clamp(digits, 3, 7);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*e", digits - 1, static_cast<double>(value));
    return fieldText(std::strtof(buffer, nullptr));
}

} // namespace vededa
