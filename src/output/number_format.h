#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vededa {

/// The text every number formatter writes for a value that is not finite (NaN or an infinity): a
/// field of asterisks, never "NaN" or "Infinity". Such a value is a calculation that failed, not a
/// number, so each one is also counted (see `nonFiniteOutputCount`).
inline constexpr std::string_view kNonFiniteText = "*******";

/// How many values that are not finite the number formatters have met since the start of the program
/// (all threads). A command compares it before and after its output to know that some figure in it
/// could not be computed.
long nonFiniteOutputCount();

/// The one guard where numbers become text: counts `value` when it is not finite and returns whether
/// it is finite. Writers of numbers outside this file (plot coordinates) call it too.
bool finiteForOutput(double value);

/// The report number field: `value` rounded to the number of decimals of `style` (1..5; any other style
/// shows a whole number) in a 7-character field whose leading zeros are blanked up to the limit of the
/// style ("00000.0" blanks up to 4, "0000.00" up to 3, "000.000" up to 2, "00.0000" the first character,
/// "0.00000" none, "0000000" up to 6). A value exactly halfway rounds away from zero. Values too large
/// for the pattern widen the field; negative values carry a leading minus and keep their zeros.
std::string FormatField(float value, int16_t style);

/// The report form of a number: a blank before a non-negative value, 7 significant digits for a
/// single (15 for a double and for an integer's full width), trailing zeros and a trailing point
/// dropped, no zero before the point (" .95", "-.2", " 1500"); exponent form below 1E-04 in
/// magnitude and from 1E+07 up (" 1E-05", " 1.234568E+07"; 1E+15 for a double).
std::string Str(float value);
std::string Str(double value);
std::string Str(int value);

/// The plain text form of edit boxes, input echoes and messages: no leading blank, the zero before the
/// point kept ("0.95", "1500", "-0.2"), 7 significant digits, the same exponent rule as `Str`.
std::string plainText(float value);

/// A number as the project file writes it: the report form of `Str` with the shortest digits that
/// read back to the same single-precision value.
std::string fileNumber(float value);

/// Formats `value` with a numeric format pattern of the reports: digit placeholders "0" (always
/// shown) and "#" (shown when significant), one decimal point, and an optional exponent part "E+00"
/// or "E-00" ("0.000E+00", "##.00", "#0.00", "0.####", "####"). A pattern's decimal point is always
/// written, so 2 with "0.##" gives "2."; an integer part of only "#" placeholders writes nothing for
/// a value below 1 (".50" with "##.00"). Halfway values round away from zero.
std::string formatPattern(float value, std::string_view pattern);
std::string formatPattern(double value, std::string_view pattern);

/// Reads a number the way typed fields are read: the leading numeric part of the text (blanks skipped,
/// optional sign, digits with or without a leading zero, optional exponent); text that is not a
/// number reads as 0.
double leadingNumber(std::string_view text);

} // namespace vededa
