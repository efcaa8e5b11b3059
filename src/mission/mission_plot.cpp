#include "mission/mission_plot.h"

#include "output/number_format.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vededa {

float raisedAxisMaximum(float v) {
    auto stepUp = [](float value, float step) { return (std::floor(value / step) + 1.0f) * step; };
    if (v > 10000.0f) return stepUp(v, 10000.0f);
    if (v > 1000.0f) return stepUp(v, 1000.0f);
    if (v > 100.0f) return stepUp(v, 100.0f);
    if (v > 10.0f) return stepUp(v, 10.0f);
    if (v > 1.0f) return std::floor(v + 1.0f);
    if (v > 0.0f) return std::floor(10.0f * v + 1.0f) / 10.0f;
    return v;
}

namespace {

// The plot area inside the picture: the left and bottom edges sit 600 units in, the title above.
constexpr float kLeftOffset = 600;
constexpr float kBottomOffset = 600;
constexpr float kRightOffset = 250;
constexpr float kTopOffset = 700;

std::string axisLabel(MissionPlotQuantity q, bool si) {
    switch (q) {
    case MissionPlotQuantity::Beta:
        return "Beta";
    case MissionPlotQuantity::Pi:
        return "Pi";
    case MissionPlotQuantity::Time:
    case MissionPlotQuantity::CumulativeTime:
        return "Time (min)";
    case MissionPlotQuantity::Distance:
    case MissionPlotQuantity::CumulativeDistance:
        return si ? "Dist (km)" : "Dist (nm)";
    }
    return {};
}

/// An axis end value: plain text when not positive, otherwise the report number field.
std::string axisValue(float v, MissionPlotQuantity q) {
    if (!(v > 0.0f)) return plainText(v);
    const bool fraction = q == MissionPlotQuantity::Beta || q == MissionPlotQuantity::Pi;
    std::string text = FormatField(v, fraction ? 2 : 0);
    text.erase(0, text.find_first_not_of(' '));
    return text;
}

} // namespace

void drawMissionPlot(Canvas& canvas, const ProjectData& project, MissionPlotQuantity quantity) {
    const MissionResults& r = project.missionResults;
    const int n = std::clamp<int>(r.lastLeg, 0, kMaxLegs);
    const bool si = project.unitSystem == kSI;

    // Values per leg and the Y range.
    std::vector<float> value(static_cast<std::size_t>(n) + 1, 0.0f);
    float sum = 0;
    for (int i = 1; i <= n; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        float v = 0;
        switch (quantity) {
        case MissionPlotQuantity::Beta:
            v = project.betaStart[k];
            break;
        case MissionPlotQuantity::Pi:
            v = r.pi[k];
            break;
        case MissionPlotQuantity::Time:
            v = r.time[k] / 60.0f;
            break;
        case MissionPlotQuantity::Distance:
            v = r.distance[k];
            break;
        case MissionPlotQuantity::CumulativeTime:
            v = (sum += r.time[k] / 60.0f);
            break;
        case MissionPlotQuantity::CumulativeDistance:
            v = (sum += r.distance[k]);
            break;
        }
        value[k] = v;
    }
    float yMin = 0, yMax = 1;
    if (quantity == MissionPlotQuantity::Beta || quantity == MissionPlotQuantity::Pi) {
        float lowest = 1;
        for (int i = 1; i <= n; ++i) lowest = std::min(lowest, value[static_cast<std::size_t>(i)]);
        yMin = std::floor(10.0f * lowest) / 10.0f;
        yMax = 1;
    } else {
        float highest = 0;
        for (int i = 1; i <= n; ++i) highest = std::max(highest, value[static_cast<std::size_t>(i)]);
        yMax = raisedAxisMaximum(highest);
        if (!(yMax > yMin)) yMax = 1; // nothing to show: keep a visible axis
    }
    if (!(yMax > yMin)) yMin = yMax - 0.1f;

    const float left = kLeftOffset, bottom = canvas.height() - kBottomOffset;
    const float right = canvas.width() - kRightOffset, top = kTopOffset;
    canvas.setFontSize(std::min(canvas.fontSize(), canvas.height() / 30.0f));

    canvas.clear();
    canvas.setColor(0);
    canvas.setLineWidth(1);
    canvas.text(left, 100,
                "Mission Results by Leg - File: " + project.projectPath + "    Date:" + project.clock.date());
    canvas.line(left, bottom, right, bottom);
    canvas.line(left, bottom, left, top);
    canvas.text(left - 50, bottom, axisValue(yMin, quantity), HAlign::Right, VAlign::Middle);
    canvas.text(left - 50, top, axisValue(yMax, quantity), HAlign::Right, VAlign::Middle);
    // The axis label sits above the top of the vertical axis, where it has room for its whole text.
    canvas.text(left, top - 60, axisLabel(quantity, si), HAlign::Left, VAlign::Bottom);
    if (n == 0) {
        canvas.text(0.5f * (left + right), 0.5f * (top + bottom), "No mission leg has been computed.",
                    HAlign::Center, VAlign::Middle);
        return;
    }
    auto px = [&](float x) { return std::trunc(left + x * (right - left) / static_cast<float>(n)); };
    auto py = [&](float y) { return std::trunc(bottom - (y - yMin) * (bottom - top) / (yMax - yMin)); };
    for (int i = 1; i <= n; ++i) {
        canvas.setColor((i - 1) % 14 + 1);
        const float fi = static_cast<float>(i);
        canvas.box(px(fi - 0.94f), py(yMin), px(fi - 0.06f), py(value[static_cast<std::size_t>(i)]), true);
        canvas.setColor(0);
        canvas.text(px(fi - 0.8f), bottom + 100, std::to_string(i));
    }
}

} // namespace vededa
