#pragma once

#include <string>
#include <string_view>

namespace vededa {

/// The text an input field shows for a stored single-precision value: the shortest decimal that
/// reads back to the same float, in plain form ("1.5", "0.1", "30000", "-0.25"; exponent form
/// "1E-05" or "1.2345679E+08" where it is shorter). A field left as it is therefore never stores
/// a changed value, and shows no binary noise. A value that is not finite gives the guard text of
/// the report formatters.
std::string fieldText(float value);

/// The number of significant digits a typed or shown number text carries ("1492.3" 5, "0.0035" 2,
/// "1500" 4, "1.2E+03" 2); 0 when the text holds no digit.
int significantDigits(std::string_view text);

/// The field text of a value derived from inputs that carry `digits` significant digits (a Mach
/// number from a velocity and a temperature): `value` rounded to that many digits (at least 3, at
/// most 7), then shown as `fieldText`. A velocity of 1492.3 ft/s at a = 994.85 ft/s shows Mach
/// "1.5", not "1.500011".
std::string derivedFieldText(float value, int digits);

} // namespace vededa
