#include "output/number_format.h"

#include <atomic>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vededa {

namespace {

/// A finite number as sign, significant digits (no trailing zeros, "0" for zero) and decimal
/// exponent of the first digit: value = d1.d2d3... x 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits = "0";
    int exponent = 0;
    bool isZero() const { return digits == "0"; }
};

Decimal parseScientific(const char* text) {
    // text is "[-]d[.ddd]e[+-]xx"
    Decimal d;
    const char* s = text;
    if (*s == '-') {
        d.negative = true;
        ++s;
    }
    std::string digits;
    for (; *s && *s != 'e' && *s != 'E'; ++s)
        if (*s != '.') digits += *s;
    int exponent = 0;
    if (*s) exponent = std::atoi(s + 1);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    if (digits == "0" || digits.empty()) {
        d.digits = "0";
        d.exponent = 0;
        d.negative = false;
        return d;
    }
    d.digits = digits;
    d.exponent = exponent;
    return d;
}

/// The exact binary value rounded to `significant` digits.
Decimal roundedDecimal(double value, int significant) {
    // std::to_chars with a precision gives printf's "%.*e" digits, without its format parsing and locale.
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific, significant - 1);
    *res.ptr = '\0';
    return parseScientific(buf);
}

/// The shortest digits that read back to the same single.
Decimal shortestDecimal(float value) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific);
    *res.ptr = '\0';
    return parseScientific(buf);
}

Decimal shortestDecimal(double value) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific);
    *res.ptr = '\0';
    return parseScientific(buf);
}

std::atomic<long> g_nonFiniteOutputs{0};

std::string nonFinite(double) {
    return std::string(kNonFiniteText);
}

/// Lays out a decimal in the report or plain form.
std::string layout(const Decimal& d, bool reportForm, int maxPlainExponent) {
    std::string out;
    if (d.negative)
        out = "-";
    else if (reportForm)
        out = " ";
    if (d.isZero()) return out + "0";
    const int e = d.exponent;
    const std::string& g = d.digits;
    if (e < -4 || e >= maxPlainExponent) {
        out += g.substr(0, 1);
        if (g.size() > 1) out += "." + g.substr(1);
        // "E+dd" / "E-dd", at least two exponent digits.
        const int magnitude = std::abs(e);
        out += e < 0 ? "E-" : "E+";
        if (magnitude < 10) out += '0';
        return out + std::to_string(magnitude);
    }
    if (e >= 0) {
        const std::size_t intDigits = static_cast<std::size_t>(e) + 1;
        if (g.size() <= intDigits) return out + g + std::string(intDigits - g.size(), '0');
        return out + g.substr(0, intDigits) + "." + g.substr(intDigits);
    }
    if (!reportForm) out += "0";
    return out + "." + std::string(static_cast<std::size_t>(-e - 1), '0') + g;
}

/// Integer and fraction digits of |d| rounded half away from zero to `decimals` places.
struct FixedDigits {
    std::string integer;  ///< no leading zeros; empty when the integer part is 0
    std::string fraction; ///< exactly `decimals` digits
    bool isZero() const { return integer.empty() && fraction.find_first_not_of('0') == std::string::npos; }
};

FixedDigits toFixed(const Decimal& d, int decimals) {
    FixedDigits f;
    if (d.isZero()) {
        f.fraction.assign(static_cast<std::size_t>(decimals), '0');
        return f;
    }
    // value = 0.D x 10^pointPos
    int pointPos = d.exponent + 1;
    std::string digits = d.digits;
    const int keep = pointPos + decimals;
    if (keep < 0) {
        f.fraction.assign(static_cast<std::size_t>(decimals), '0');
        return f;
    }
    if (keep < static_cast<int>(digits.size())) {
        const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (up) {
            int i = keep - 1;
            for (; i >= 0; --i) {
                if (digits[static_cast<std::size_t>(i)] == '9') {
                    digits[static_cast<std::size_t>(i)] = '0';
                } else {
                    ++digits[static_cast<std::size_t>(i)];
                    break;
                }
            }
            if (i < 0) {
                digits.insert(digits.begin(), '1');
                ++pointPos;
            }
        }
    }
    // Place the point: pad on the left when the value is below 1, on the right when digits run short.
    if (pointPos < 0) {
        digits.insert(0, static_cast<std::size_t>(-pointPos), '0');
        pointPos = 0;
    }
    const std::size_t total = static_cast<std::size_t>(pointPos + decimals);
    if (digits.size() < total) digits.append(total - digits.size(), '0');
    f.integer = digits.substr(0, static_cast<std::size_t>(pointPos));
    f.fraction = digits.substr(static_cast<std::size_t>(pointPos), static_cast<std::size_t>(decimals));
    const auto firstNonZero = f.integer.find_first_not_of('0');
    f.integer = firstNonZero == std::string::npos ? std::string() : f.integer.substr(firstNonZero);
    return f;
}

std::string formatFixedPattern(const Decimal& d, std::string_view pattern) {
    const auto point = pattern.find('.');
    const std::string_view intPart = pattern.substr(0, point);
    const std::string_view fracPart =
        point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    int intZeros = 0;
    for (char c : intPart)
        if (c == '0') ++intZeros;
    int fracZeros = 0;
    int fracAll = 0;
    for (char c : fracPart) {
        if (c == '0') ++fracZeros;
        if (c == '0' || c == '#') ++fracAll;
    }
    FixedDigits f = toFixed(d, fracAll);
    while (static_cast<int>(f.fraction.size()) > fracZeros && !f.fraction.empty() && f.fraction.back() == '0')
        f.fraction.pop_back();
    std::string integer = f.integer;
    if (static_cast<int>(integer.size()) < intZeros)
        integer.insert(0, static_cast<std::size_t>(intZeros) - integer.size(), '0');
    std::string out = (d.negative && !f.isZero()) ? "-" : "";
    out += integer;
    if (point != std::string_view::npos) out += "." + f.fraction;
    return out;
}

std::string formatScientificPattern(const Decimal& d, std::string_view pattern) {
    const auto e = pattern.find_first_of("Ee");
    const std::string_view mantissa = pattern.substr(0, e);
    const char sign = e + 1 < pattern.size() ? pattern[e + 1] : '+';
    int expDigits = 0;
    for (std::size_t i = e + 2; i < pattern.size(); ++i)
        if (pattern[i] == '0' || pattern[i] == '#') ++expDigits;
    const auto point = mantissa.find('.');
    int fracDigits = 0;
    if (point != std::string_view::npos)
        for (char c : mantissa.substr(point + 1))
            if (c == '0' || c == '#') ++fracDigits;
    // Mantissa with one digit before the point, rounded half away from zero.
    int exponent = d.isZero() ? 0 : d.exponent;
    Decimal m = d;
    m.exponent = 0;
    FixedDigits f = toFixed(m, fracDigits);
    if (f.integer.size() > 1) { // rounding carried to 10.00
        ++exponent;
        m.exponent = -1;
        f = toFixed(m, fracDigits);
    }
    std::string out = (d.negative && !f.isZero()) ? "-" : "";
    out += f.integer.empty() ? "0" : f.integer;
    if (point != std::string_view::npos) out += "." + f.fraction;
    out += pattern[e];
    if (exponent < 0)
        out += '-';
    else if (sign == '+')
        out += '+';
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < expDigits)
        digits.insert(0, static_cast<std::size_t>(expDigits) - digits.size(), '0');
    return out + digits;
}

std::string formatDecimalPattern(const Decimal& d, std::string_view pattern) {
    if (pattern.find_first_of("Ee") != std::string_view::npos) return formatScientificPattern(d, pattern);
    return formatFixedPattern(d, pattern);
}

} // namespace

long nonFiniteOutputCount() {
    return g_nonFiniteOutputs.load();
}

bool finiteForOutput(double value) {
    if (std::isfinite(value)) return true;
    ++g_nonFiniteOutputs;
    return false;
}

std::string FormatField(float value, int16_t style) {
    if (!finiteForOutput(value)) return nonFinite(value);
    // The style is the number of decimals (1..5, otherwise a whole number); the leading zeros are
    // blanked up to 4, 3, 2, 1, 0 characters for 1..5 decimals and up to 6 for a whole number.
    const int decimals = style >= 1 && style <= 5 ? style : 0;
    const int blankLimit = decimals == 0 ? 6 : 5 - decimals;
    const int intDigits = decimals > 0 ? 6 - decimals : 7;
    const Decimal d = shortestDecimal(value);
    FixedDigits f = toFixed(d, decimals);
    std::string integer = f.integer;
    if (static_cast<int>(integer.size()) < intDigits)
        integer.insert(0, static_cast<std::size_t>(intDigits) - integer.size(), '0');
    std::string out = (d.negative && !f.isZero()) ? "-" : "";
    out += integer;
    if (decimals > 0) out += "." + f.fraction;
    // Blank the leading zeros up to the limit of the style; the scan stops at the first other character.
    for (int k = 0; k < blankLimit && k < static_cast<int>(out.size()); ++k) {
        if (out[static_cast<std::size_t>(k)] != '0') break;
        out[static_cast<std::size_t>(k)] = ' ';
    }
    return out;
}

std::string Str(float value) {
    if (!finiteForOutput(value)) return " " + nonFinite(value);
    return layout(roundedDecimal(static_cast<double>(value), 7), true, 7);
}

std::string Str(double value) {
    if (!finiteForOutput(value)) return " " + nonFinite(value);
    return layout(roundedDecimal(value, 15), true, 15);
}

std::string Str(int value) {
    return (value >= 0 ? " " : "") + std::to_string(value);
}

std::string plainText(float value) {
    if (!finiteForOutput(value)) return nonFinite(value);
    return layout(roundedDecimal(static_cast<double>(value), 7), false, 7);
}

std::string fileNumber(float value) {
    if (!finiteForOutput(value)) return nonFinite(value);
    return layout(shortestDecimal(value), true, 7);
}

std::string formatPattern(float value, std::string_view pattern) {
    if (!finiteForOutput(value)) return nonFinite(value);
    return formatDecimalPattern(shortestDecimal(value), pattern);
}

std::string formatPattern(double value, std::string_view pattern) {
    if (!finiteForOutput(value)) return nonFinite(value);
    return formatDecimalPattern(shortestDecimal(value), pattern);
}

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
    bool digits = false;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
        number += text[i++], digits = true;
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            number += text[i++], digits = true;
    }
    if (!digits) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exp += text[j++];
        bool expDigits = false;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
            exp += text[j++], expDigits = true;
        if (expDigits) number += exp;
    }
    const double v = std::strtod(number.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
}

} // namespace vededa
