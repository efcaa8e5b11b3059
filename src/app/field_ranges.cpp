#include "app/field_ranges.h"

#include "output/number_format.h"

#include <charconv>
#include <cmath>

namespace vededa {

namespace {

// English: ft, R, psia (engine pressures) and lbf; SI: m, K, Pa and N. Ranges are what is physically
// meaningful for a preliminary design, far wider than any usual value, so that only a typing error or
// a broken file is refused.
constexpr FieldRange kRanges[] = {
    {"mach", "the flight Mach number", 0, 10, 0, 10},
    {"alt", "the altitude", -5000, 300000, -1500, 91440},
    {"alt-k", "the altitude in thousands (kft or km)", -5, 300, -1.5, 91.44},
    {"t0", "the ambient temperature", 0, 1000, 0, 560, true},
    {"p0", "the ambient pressure", 0, 30, 0, 206843, true},
    {"tt4", "the maximum burner exit temperature Tt4", 0, 6000, 0, 3334, true},
    {"tt7", "the afterburner exit temperature Tt7 (0 = off)", 0, 7000, 0, 3889},
    {"p0p9", "the nozzle pressure ratio P0/P9", 0, 10, 0, 10, true},
    {"percent", "the percent of the full-throttle thrust", 0, 100, 0, 100, true},
    {"cpr-max", "the compressor pressure ratio limit (0 = none)", 0, 200, 0, 200},
    {"pt3-max", "the Pt3 limit (0 = none)", 0, 15000, 0, 1.034e8},
    {"tt3-max", "the Tt3 limit (0 = none)", 0, 6000, 0, 3334},
    {"nl-max", "the low-pressure spool speed limit in percent (0 = none)", 0, 200, 0, 200},
    {"nh-max", "the high-pressure spool speed limit in percent (0 = none)", 0, 200, 0, 200},
    {"scale", "the thrust scale", 0, 1000, 0, 1000, true},
    {"mach1", "the Mach number at the engine face", 0, 1, 0, 1},
    {"mach2", "the Mach number at the compressor face", 0, 1, 0, 1},
    {"mach7", "the Mach number at the afterburner exit", 0, 1, 0, 1},
    {"tr", "the throttle ratio TR", 0.5, 3, 0.5, 3},
    {"engines", "the number of engines", 1, 32, 1, 32, false, true},
    {"loss", "the constant installation loss", 0, 0.99, 0, 0.99},
    {"a1", "the inlet capture area A1", 0, 10000, 0, 929, true},
    {"a10", "the afterbody area A10", 0, 10000, 0, 929, true},
    {"length", "the afterbody length L", 0, 1000, 0, 305, true},
    // The window fields of the aircraft, constraint, mission, contour and engine model inputs. English:
    // ft, ft/s, lbf, psf, ft^2, nautical miles; SI: m, m/s, N, Pa, m^2, km.
    {"velocity", "the velocity", 0, 20000, 0, 6096},
    {"beta", "the weight fraction beta", 0, 1, 0, 1, true},
    {"load-factor", "the load factor n", -20, 20, -20, 20},
    {"climb-rate", "the rate of climb dh/dt", -5000, 5000, -1524, 1524},
    {"acceleration", "the acceleration dV/dt", -1000, 1000, -305, 305},
    {"ps", "the specific excess power Ps", -5000, 5000, -1524, 1524},
    {"cdr", "the additional drag coefficient CDR", -1, 10, -1, 10},
    {"thrust-fraction", "the fraction of maximum thrust", 0, 1, 0, 1},
    {"cl-max", "the maximum lift coefficient CLmax", 0, 10, 0, 10, true},
    {"speed-ratio", "the speed ratio", 0, 5, 0, 5, true},
    {"friction", "the friction coefficient", 0, 2, 0, 2},
    {"fraction", "the fraction", 0, 1, 0, 1},
    {"time", "the time in seconds", 0, 1e6, 0, 1e6},
    {"height", "the obstacle height", 0, 10000, 0, 3048},
    {"runway", "the ground distance", 0, 100000, 0, 30480, true},
    {"lapse", "the thrust lapse alpha", -2, 2, -2, 2},
    {"ab", "the afterburner switch (1 = on, 0 = off)", 0, 1, 0, 1, false, true},
    {"turns", "the number of turns", 0, 1000, 0, 1000},
    {"distance", "the distance", 0, 100000, 0, 185200},
    {"increments", "the number of increments", 0, 1000, 0, 1000},
    {"leg", "the mission leg number", 0, 30, 0, 30, false, true},
    {"descent-angle", "the angle of descent in degrees", 0, 90, 0, 90},
    {"payload", "the payload expended", 0, 1e7, 0, 4.45e7},
    {"wing-loading", "the wing loading W/S", 0, 2000, 0, 95760, true},
    {"thrust-loading", "the thrust loading T/W", 0, 10, 0, 10, true},
    {"ws-axis", "the wing loading W/S", 0, 2000, 0, 95760},
    {"tw-axis", "the thrust loading T/W", 0, 10, 0, 10},
    {"weight", "the take-off weight", 0, 2e6, 0, 8.9e6, true},
    {"thrust", "the sea-level thrust", 0, 1e7, 0, 4.45e7},
    {"wing-area", "the wing area", 0, 100000, 0, 9290, true},
    {"qmax", "the maximum dynamic pressure", 0, 20000, 0, 957600, true},
    {"line-width", "the printer plot line width", 1, 4, 1, 4, false, true},
    {"drag-points", "the number of data points", 0, 11, 0, 11, false, true},
    {"drag-value", "the drag table value", -100, 100, -100, 100},
    {"contour-level", "the contour value", -1e9, 1e9, -1e9, 1e9},
    {"alt-step", "the altitude increment", 0, 300000, 0, 91440},
    {"model-coefficient", "the model coefficient", -1000, 1000, -1000, 1000},
    {"grid-points", "the number of grid points", 2, 401, 2, 401, false, true},
};

} // namespace

const FieldRange* findFieldRange(std::string_view key) {
    for (const FieldRange& r : kRanges)
        if (r.key == key) return &r;
    return nullptr;
}

const EngineControlRange& engineControlRange(int i) {
    static constexpr EngineControlRange kControls[19] = {
        {"", ""},
        {"mach", "engine control 1 (the flight Mach number)"},
        {"alt", "engine control 2 (the altitude)"},
        {"", ""},
        {"", ""},
        {"", ""},
        {"tt7", "engine control 6 (the afterburner exit temperature Tt7)"},
        {"", ""},
        {"loss", "engine control 8 (the constant installation loss)"},
        {"", ""},
        {"", ""},
        {"cpr-max", "engine control 11 (the compressor pressure ratio limit)"},
        {"pt3-max", "engine control 12 (the Pt3 limit)"},
        {"tt3-max", "engine control 13 (the Tt3 limit)"},
        {"nl-max", "engine control 14 (the low-pressure spool speed limit)"},
        {"nh-max", "engine control 15 (the high-pressure spool speed limit)"},
        {"", ""},
        {"", ""},
        {"", ""},
    };
    return kControls[i >= 1 && i <= 18 ? i : 0];
}

std::string fieldValueProblem(const FieldRange& range, double value, bool si) {
    return fieldValueProblem(range, value, si, range.caption);
}

std::string fieldValueProblem(const FieldRange& range, double value, bool si, std::string_view name) {
    const double lo = si ? range.siMin : range.englishMin;
    const double hi = si ? range.siMax : range.englishMax;
    const bool ok = std::isfinite(value) && (range.aboveMin ? value > lo : value >= lo) && value <= hi;
    if (ok && range.whole && value != std::trunc(value))
        return std::string(name) + " must be a whole number, found " + plainText(static_cast<float>(value));
    if (ok) return {};
    const std::string found = !std::isfinite(value)       ? std::string("a value that is not finite")
                              : std::fabs(value) > 3.4e38 ? std::string("a value beyond the number range")
                                                          : plainText(static_cast<float>(value));
    const std::string span = std::string(range.aboveMin ? "above " : "from ") +
                             plainText(static_cast<float>(lo)) + (range.aboveMin ? " up to " : " to ") +
                             plainText(static_cast<float>(hi));
    return std::string(name) + " must be " + span + ", found " + found;
}

bool parseWholeNumber(std::string_view text, double& value) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return false;
    double v = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

std::string fieldTextProblem(const FieldRange& range, std::string_view text, bool si, double& value) {
    if (!parseWholeNumber(text, value)) return std::string(range.caption) + " must be a finite number";
    return fieldValueProblem(range, value, si);
}

} // namespace vededa
