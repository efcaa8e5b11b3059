#include "sizing/sizing_grid.h"

#include <cmath>

namespace vededa {

namespace {

/// Newtons per pound-force, for the default closure values in SI units.
constexpr double kNewtonPerPound = 4.44822;

bool finite(float v) {
    return std::isfinite(v);
}

std::string rangeProblem(const char* what, float min, float max, int16_t count) {
    if (!finite(min) || !finite(max)) return std::string(what) + " range is not a number";
    if (min < 0.0f) return std::string(what) + " range must not start below 0";
    if (!(max > min)) return std::string(what) + " range maximum must be above its minimum";
    if (count < 2 || count > kMaxSizingPoints)
        return std::string(what) + " grid needs 2 to " + std::to_string(kMaxSizingPoints) + " points";
    return {};
}

} // namespace

void setDefaultClosure(SizingSettings& settings, int16_t unitSystem) {
    const SizingSettings english;
    settings.emptyC = english.emptyC;
    settings.emptyA = english.emptyA;
    settings.crewWeight = english.crewWeight;
    settings.payloadKept = english.payloadKept;
    settings.payloadReleased = english.payloadReleased;
    if (unitSystem == kSI) {
        // We/W_TO = A W^C keeps its value when W is in newtons: A_SI = A (N per lbf)^-C.
        settings.emptyA = static_cast<float>(english.emptyA * std::pow(kNewtonPerPound, -english.emptyC));
        for (float* w : {&settings.crewWeight, &settings.payloadKept, &settings.payloadReleased})
            *w = static_cast<float>(*w * kNewtonPerPound);
    }
}

SizingSettings effectiveSizingSettings(const ProjectData& project) {
    if (project.sizing.stored) return project.sizing;
    SizingSettings s;
    s.wsMin = project.wsAxis[1];
    s.wsMax = project.wsAxis[2];
    s.twMin = project.twAxis[1];
    s.twMax = project.twAxis[2];
    s.wsCount = kDefaultSizingPoints;
    s.twCount = kDefaultSizingPoints;
    setDefaultClosure(s, project.unitSystem);
    return s;
}

int gridPointCount(float min, float max, float step) {
    if (!finite(min) || !finite(max) || !finite(step) || step <= 0.0f) return 0;
    const double n = std::floor((static_cast<double>(max) - min) / step + 0.5) + 1.0;
    if (n < 0.0 || n > 1e6) return 0;
    return static_cast<int>(n);
}

std::vector<float> gridValues(float min, float max, int count) {
    std::vector<float> v;
    if (count < 1) return v;
    const float step = count > 1 ? (max - min) / static_cast<float>(count - 1) : 0.0f;
    v.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) v.push_back(min + static_cast<float>(i) * step);
    return v;
}

SizingGrid sizingGrid(const SizingSettings& settings) {
    SizingGrid g;
    g.ws = gridValues(settings.wsMin, settings.wsMax, settings.wsCount);
    g.tw = gridValues(settings.twMin, settings.twMax, settings.twCount);
    for (float& ws : g.ws)
        if (ws <= 0.0f) ws = kSizingZeroWingLoading;
    return g;
}

std::string sizingSettingsProblem(const SizingSettings& s) {
    std::string p = rangeProblem("W/S", s.wsMin, s.wsMax, s.wsCount);
    if (p.empty()) p = rangeProblem("T/W", s.twMin, s.twMax, s.twCount);
    if (p.empty() && s.closure) {
        for (float v : {s.emptyA, s.emptyC, s.crewWeight, s.payloadKept, s.payloadReleased})
            if (!finite(v)) return "weight closure value is not a number";
    }
    return p;
}

} // namespace vededa
