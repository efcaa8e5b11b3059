#pragma once

#include <string>
#include <string_view>

namespace vededa {

/// The physical range of one kind of input value, in English and in SI units. Every place where a
/// typed or read value enters (command-line options, window fields, the project file) takes its
/// limits from this one table, so that a value refused in one is refused in all.
struct FieldRange {
    std::string_view key;     ///< option name without dashes; window fields attach by their own name
    std::string_view caption; ///< what the value is, for messages ("the flight Mach number")
    double englishMin, englishMax;
    double siMin, siMax;
    bool aboveMin = false; ///< the minimum itself is refused (the value must be above it)
    bool whole = false;    ///< only whole numbers (a count, a switch, a number of a record)
};

/// The range of `key` ("mach", "alt", "alt-k" (kft or km), "t0", "p0", "tt4", "tt7", "p0p9", "percent",
/// "cpr-max", "pt3-max", "tt3-max", "nl-max", "nh-max", "scale", "mach1", "mach2", "mach7", "tr", "engines",
/// "loss", "a1", "a10", "length") and of the window fields ("velocity", "beta", "cl-max", "wing-loading",
/// ...: see the table); nullptr for an unknown key.
const FieldRange* findFieldRange(std::string_view key);

/// The range key and the name in messages of engine control `i` (1..18) that the project and reference
/// files keep in range; an empty key: not checked. T0, P0, P0/P9, Tt4 and the areas stay 0 in an engine
/// that has not been run; the deck refuses them there.
struct EngineControlRange {
    std::string_view key;
    const char* what;
};
const EngineControlRange& engineControlRange(int i);

/// Why `value` is refused for `range` in the unit system `si`: not finite or outside the range
/// ("the flight Mach number must be from 0 to 10, found 1e+300"); empty when it is accepted.
std::string fieldValueProblem(const FieldRange& range, double value, bool si);

/// The same check, naming the value `name` instead of the range's caption ("parameter 2 of constraint 3
/// must be from -5000 to 300000, found 1E+06"), for places where the value has a name of its own.
std::string fieldValueProblem(const FieldRange& range, double value, bool si, std::string_view name);

/// Reads `text` as a whole number text (blanks around it allowed; no letters, no hexadecimal, no
/// "nan" or "inf") into `value` and checks it against `range`. Returns the reason of a refusal
/// ("not a number: abc") or an empty string.
std::string fieldTextProblem(const FieldRange& range, std::string_view text, bool si, double& value);

/// Reads `text` as a whole number: the same rules as `fieldTextProblem` without a range. False when it
/// is not a finite number.
bool parseWholeNumber(std::string_view text, double& value);

} // namespace vededa
