#include "models/drag_polar.h"

#include "output/number_format.h"

#include <cmath>

namespace vededa {

namespace {

/// Parabolic polar with a displaced minimum, models 1 to 4.
struct ParabolicPolar {
    float cdMin;    ///< minimum drag coefficient below Mach 0.8
    float kViscous; ///< K'' viscous drag factor
    float clMin;    ///< lift coefficient of minimum drag
    float x;        ///< 1/K' of the induced drag
};

constexpr ParabolicPolar kParabolic[4] = {
    {0.018f, 0.001f, 0.1f, 21.36288f}, // turboprop transport, low drag
    {0.024f, 0.03f, 0.3f, 18.8496f},   // turboprop transport, high drag
    {0.014f, 0.001f, 0.1f, 21.36288f}, // turbofan transport, low drag
    {0.02f, 0.03f, 0.3f, 18.8496f},    // turbofan transport, high drag
};

/// Drag-rise slope of the transport polars above Mach 0.8 [per Mach].
constexpr float kTransportDragRise = 0.3f;

bool increasing(const DragTable& t) {
    for (int r = 1; r < t.count; ++r)
        if (t.mach[static_cast<std::size_t>(r)] >= t.mach[static_cast<std::size_t>(r + 1)]) return false;
    return true;
}

} // namespace

float dragTableValue(const DragTable& table, float mach) {
    const int count = table.count;
    if (count < 2) return 0.0f;
    std::size_t i = 2;
    while (static_cast<int>(i) <= count && mach >= table.mach[i]) ++i;
    if (static_cast<int>(i) > count) i = static_cast<std::size_t>(count); // last segment, extrapolated
    const float m0 = table.mach[i - 1], m1 = table.mach[i];
    const float v0 = table.value[i - 1], v1 = table.value[i];
    return v0 + (v1 - v0) * (mach - m0) / (m1 - m0);
}

void evaluateDragPolar(DragPolar& polar, const FlightCondition& fc, const ProjectData& project) {
    const float m = fc.mach;
    switch (project.dragModel) {
    case 1:
    case 2:
    case 3:
    case 4: {
        const ParabolicPolar& p = kParabolic[project.dragModel - 1];
        const float cdMin = m < 0.8f ? p.cdMin : p.cdMin + kTransportDragRise * (m - 0.8f);
        polar.k1 = 1.0f / p.x + p.kViscous;
        polar.cd0 = p.kViscous * p.clMin * p.clMin + cdMin;
        polar.k2 = -2.0f * p.kViscous * p.clMin;
        break;
    }
    case 5: // future fighter
        polar.k1 = m < 1.2f ? 0.2f : 0.2f + 0.25f * (m - 1.2f);
        if (m < 0.8f)
            polar.cd0 = 0.012f;
        else if (m <= 1.4f)
            polar.cd0 = 0.012f + 0.026667f * (m - 0.8f);
        else
            polar.cd0 = 0.028f - 0.001667f * (m - 1.4f);
        polar.k2 = 0.0f;
        break;
    case 6: // current fighter
        if (m < 0.8f)
            polar.k1 = 0.14f;
        else if (m <= 1.2f)
            polar.k1 = 0.14f + 0.15f * (m - 0.8f);
        else
            polar.k1 = 0.2f + 0.375f * (m - 1.2f);
        if (m <= 0.8f)
            polar.cd0 = 0.018f;
        else if (m <= 1.2f)
            polar.cd0 = 0.018f + 0.055f * (m - 0.8f);
        else
            polar.cd0 = 0.04f - 0.0025f * (m - 1.2f);
        polar.k2 = 0.0f;
        break;
    case 7: // user tables; K1 and CD0 are kept positive, K2 may take any sign
        polar.k1 = dragTableValue(project.k1Table, m);
        if (polar.k1 < 0.0f) polar.k1 = 0.0001f;
        polar.k2 = dragTableValue(project.k2Table, m);
        polar.cd0 = dragTableValue(project.cd0Table, m);
        if (polar.cd0 < 0.0f) polar.cd0 = 0.000001f;
        break;
    default: // no model chosen: the coefficients stay as they were
        break;
    }
    polar.cd = polar.k1 * polar.cl * polar.cl + polar.k2 * polar.cl + (polar.cd0 + polar.cdr);
}

std::string dragTablesCheck(const ProjectData& project) {
    if (project.k1Table.count < 2) return "Can not have less than two K1 data points";
    if (!increasing(project.k1Table)) return "Mach number must increase between K1 data points";
    if (!increasing(project.k2Table)) return "Mach number must increase between K2 data points";
    if (project.cd0Table.count < 2) return "Can not have less than two CD0 data points";
    if (!increasing(project.cd0Table)) return "Mach number must increase between CD0 data points";
    return {};
}

DragCountEdit editDragCount(DragTable& table, const std::string& text) {
    const double v = leadingNumber(text);
    DragCountEdit edit;
    if (v > kMaxDragPoints) edit.warning = "Maximum number of points is 11";
    if (v < kMaxDragPoints + 1) {
        const double rounded = std::nearbyint(v);
        if (rounded >= 0 && rounded <= kMaxDragPoints) {
            table.count = static_cast<int16_t>(rounded);
            edit.changed = true;
        }
    }
    edit.count = table.count;
    return edit;
}

} // namespace vededa
