#include "constraint/constraint_set.h"

#include "models/atmosphere.h"
#include "models/thrust_lapse.h"
#include "output/field_text.h"
#include "output/number_format.h"

#include <algorithm>
#include <cmath>

namespace vededa {

namespace {

/// Most increments of one axis range of the analysis (51 points).
constexpr double kMaxIncrements = 50;

enum Rows : int16_t { kMachRow = -1, kInitialMachRow = -2, kFinalMachRow = -3, kEngineRow = -4 };

/// Rows 4.. of each type, by parameter number or row code.
const std::vector<int16_t>& typeRows(int16_t type) {
    static const std::vector<int16_t> rows[11] = {
        {},
        {4, kMachRow, 9, 10, kEngineRow},                             // A
        {4, kMachRow, 6, 9, 10, kEngineRow},                          // B
        {4, kMachRow, 5, 9, 10, kEngineRow},                          // C
        {4, kMachRow, 7, 9, 10, kEngineRow},                          // D
        {4, kMachRow, 8, 9, 10, kEngineRow},                          // E
        {8, 9, 10, 11, 12, 13, 15, kEngineRow},                       // F
        {8, 9, 10, 11, 12, 13, 14, 15, kEngineRow},                   // G
        {8, 9, 10, 16, 17, 18, 21, 22},                               // H
        {8, 9, 10, 16, 17, 18, 19, 20, 21, 22},                       // I
        {4, kInitialMachRow, 6, kFinalMachRow, 8, 9, 10, kEngineRow}, // J
    };
    return rows[type >= 1 && type <= 10 ? type : 0];
}

/// The parameter label of `parameter` for a constraint of type number `type`.
std::string parameterLabel(const LabelTables& labels, int16_t type, int16_t parameter) {
    const auto& c = labels.constraintLabels;
    switch (parameter) {
    case 8:
        if (type == 6 || type == 7) return c[25];
        if (type == 8 || type == 9) return c[26];
        if (type == 10) return "Acceleration Time (sec)";
        return c[8];
    case 10:
        return type >= 6 && type <= 9 ? c[10] : c[27];
    case 22:
        return type == 8 || type == 9 ? c[22] : c[23];
    case 23:
        return c[24];
    default:
        return c[static_cast<std::size_t>(parameter)];
    }
}

bool currentIsEditable(const ProjectData& project) {
    return project.currentConstraint >= 1 && project.currentConstraint <= project.constraintCount;
}

Constraint& current(ProjectData& project) {
    return project.constraints[static_cast<std::size_t>(project.currentConstraint)];
}

/// The number typed into the constraint-number field when it lies in 1..limit, else 0.
int16_t typedNumber(std::string_view text, int limit) {
    const double v = leadingNumber(text);
    if (v == 0) return 0;
    const double whole = std::floor(v);
    return whole >= 1 && whole <= limit ? static_cast<int16_t>(whole) : int16_t{0};
}

/// The type letter of a type title ("C - Constant Altitude/Speed Turn" gives "C").
std::string typeLetter(std::string_view title) {
    return std::string(title.substr(0, 1));
}

const std::string& typeTitle(const ProjectData& project, const Constraint& c) {
    static const std::string none;
    const int16_t t = constraintTypeNumber(c);
    return t ? project.labels.constraintTypeNames[static_cast<std::size_t>(t)] : none;
}

/// The engine row's parameter under the project's thrust model (0 when the row is hidden).
int16_t engineRowParameter(int16_t thrustModel) {
    if (thrustModel == kEngineUserValues) return 22;
    if (thrustModel == kEngineLowBypassMixed || thrustModel == kEngineTurbojet ||
        thrustModel == kEngineCycleDeck)
        return 23;
    return 0;
}

} // namespace

int16_t constraintTypeNumber(const Constraint& constraint) {
    if (constraint.type.size() != 1) return 0;
    const int code = constraint.type[0] - 64;
    return code >= 1 && code <= 10 ? static_cast<int16_t>(code) : int16_t{0};
}

float constraintSoundSpeed(float temperature, const UnitConstants& units) {
    return units.aSL * std::sqrt(temperature / units.TSL);
}

namespace {

/// The range-table key of stored parameter `parameter` of a constraint of type number `type`: some
/// positions mean another quantity for some types.
std::string parameterRangeKey(int16_t type, int16_t parameter) {
    const bool landing = type == 8 || type == 9;
    const bool takeOff = type == 6 || type == 7;
    switch (parameter) {
    case 1:
        return "beta";
    case 2:
        return "alt";
    case 3:
        return "t0";
    case 4:
        return "velocity";
    case 5:
        return "load-factor";
    case 6:
        return type == 10 ? "velocity" : "climb-rate";
    case 7:
        return "acceleration";
    case 8:
        if (takeOff) return "mach";
        if (landing) return "fraction";
        if (type == 10) return "time";
        return "ps";
    case 9:
        return "cdr";
    case 10:
        return takeOff || landing ? "cl-max" : "thrust-fraction";
    case 11:
    case 16:
    case 19:
        return "speed-ratio";
    case 12:
    case 17:
        return "friction";
    case 13:
    case 18:
        return "time";
    case 14:
    case 20:
        return "height";
    case 15:
    case 21:
        return "runway";
    case 22:
        return "lapse";
    case 23:
        return "ab";
    default:
        return {};
    }
}

} // namespace

std::vector<ConstraintRow> constraintRows(const ProjectData& project, const Constraint& c) {
    const LabelTables& labels = project.labels;
    const int16_t type = constraintTypeNumber(c);
    const float a = constraintSoundSpeed(c.p[3], project.units);
    std::vector<ConstraintRow> rows;
    auto parameterRow = [&](int16_t parameter, std::string label) {
        rows.push_back({ConstraintRowKind::Parameter, parameter, std::move(label),
                        fieldText(c.p[static_cast<std::size_t>(parameter)]),
                        parameterRangeKey(type, parameter)});
    };
    auto machRow = [&](ConstraintRowKind kind, int16_t velocity, std::string label) {
        const float v = c.p[static_cast<std::size_t>(velocity)];
        // The Mach number carries the precision of the velocity and the temperature it comes from.
        const int digits = std::min(significantDigits(fieldText(v)), significantDigits(fieldText(c.p[3])));
        rows.push_back(
            {kind, velocity, std::move(label), derivedFieldText(a != 0 ? v / a : 0.0f, digits), "mach"});
    };
    for (int16_t i = 1; i <= 3; ++i) parameterRow(i, labels.constraintLabels[static_cast<std::size_t>(i)]);
    for (int16_t code : typeRows(type)) {
        switch (code) {
        case kMachRow:
            machRow(ConstraintRowKind::Mach, 4, "Mach number");
            break;
        case kInitialMachRow:
            machRow(ConstraintRowKind::InitialMach, 4, "Initial Mach number");
            break;
        case kFinalMachRow:
            machRow(ConstraintRowKind::FinalMach, 6, "Final Mach number");
            break;
        case kEngineRow:
            if (const int16_t p = engineRowParameter(project.thrustModel))
                parameterRow(p, parameterLabel(labels, type, p));
            break;
        default:
            if (type == 10 && code == 4)
                parameterRow(4, "Initial " + labels.constraintLabels[4]);
            else if (type == 10 && code == 6)
                parameterRow(6, "Final " + labels.constraintLabels[4]);
            else
                parameterRow(code, parameterLabel(labels, type, code));
        }
    }
    return rows;
}

bool editConstraintRow(ProjectData& project, std::size_t row, std::string_view text) {
    if (!currentIsEditable(project)) return false;
    Constraint& c = current(project);
    const std::vector<ConstraintRow> rows = constraintRows(project, c);
    if (row < 1 || row > rows.size()) return false;
    const ConstraintRow& r = rows[row - 1];
    const float value = static_cast<float>(leadingNumber(text));
    const auto p = static_cast<std::size_t>(r.parameter);
    if (r.kind != ConstraintRowKind::Parameter) {
        const float a = constraintSoundSpeed(c.p[3], project.units);
        if (a == 0) return false;
        c.p[p] = value * a;
        return true;
    }
    if (r.parameter == 23 && value != 0.0f && value != 1.0f) return false; // AB flag: only 0 or 1
    c.p[p] = value;
    if (r.parameter == 2) { // a new altitude brings the standard temperature of that altitude
        FlightCondition fc;
        fc.altitude = value;
        atmosphere(fc, project.units);
        c.p[3] = fc.temperature;
    }
    return true;
}

bool editConstraintNumber(ProjectData& project, std::string_view text) {
    const int16_t n = typedNumber(text, project.constraintCount + 1);
    if (n == 0) return false;
    project.currentConstraint = n;
    return true;
}

bool editPlotLineWidth(ProjectData& project, std::string_view text) {
    const double v = leadingNumber(text);
    if (!(v >= 1 && v < 5)) return false;
    project.plotLineWidth = static_cast<int16_t>(std::floor(v));
    return true;
}

std::string addConstraint(ProjectData& project, std::string_view title, const std::string& name) {
    if (project.constraintCount >= kMaxConstraints)
        return "You can not have more constraints than the maximum of 30";
    if (title.empty()) return "You must select a constraint type before clicking the Add button";
    const int16_t cur = project.currentConstraint;
    if (cur < 1 || cur > project.constraintCount + 1) return {}; // the number field keeps it in range
    for (int16_t i = project.constraintCount; i >= cur; --i)
        project.constraints[static_cast<std::size_t>(i + 1)] =
            project.constraints[static_cast<std::size_t>(i)];
    ++project.constraintCount;
    Constraint& c = current(project);
    c.name = name;
    c.type = typeLetter(title);
    return {};
}

std::string removeConstraintQuestion(const ProjectData& project) {
    if (!currentIsEditable(project)) return {};
    return "Do you really want to remove constraint #" + Str(static_cast<int>(project.currentConstraint)) +
           "?";
}

void removeConstraint(ProjectData& project) {
    if (!currentIsEditable(project)) return;
    --project.constraintCount;
    for (int16_t i = project.currentConstraint; i <= project.constraintCount; ++i)
        project.constraints[static_cast<std::size_t>(i)] =
            project.constraints[static_cast<std::size_t>(i + 1)];
    if (project.currentConstraint > project.constraintCount && project.constraintCount > 0)
        project.currentConstraint = project.constraintCount;
}

void changeConstraint(ProjectData& project, std::string_view numberText, const std::string& name,
                      std::string_view title) {
    if (const int16_t n = typedNumber(numberText, project.constraintCount)) project.currentConstraint = n;
    Constraint& c = current(project);
    c.name = name;
    if (!title.empty() && title != typeTitle(project, c)) c.type = typeLetter(title);
}

bool selectConstraintType(ProjectData& project, std::string_view numberText, std::string_view title) {
    if (typedNumber(numberText, project.constraintCount) == 0 || title.empty()) return false;
    Constraint& c = current(project);
    if (title == typeTitle(project, c)) return false;
    c.type = typeLetter(title);
    return true;
}

std::string constraintCalculateCheck(const ProjectData& project) {
    struct Range {
        const OneBased<float, 3>& axis;
        const char* what;
    };
    for (const Range& r : {Range{project.wsAxis, "wing loading"}, Range{project.twAxis, "thrust loading"}}) {
        const float span = r.axis[2] - r.axis[1];
        // A zero increment would give a grid without end; it is refused like too many increments.
        if (r.axis[3] == 0.0f) return std::string("The ") + r.what + " increment must not be 0.";
        const double increments = std::floor(static_cast<double>(span / r.axis[3]));
        if (increments > kMaxIncrements)
            return "You require " + Str(increments) + " " + r.what +
                   " increments.  The maximum number is 50.";
    }
    return {};
}

} // namespace vededa
