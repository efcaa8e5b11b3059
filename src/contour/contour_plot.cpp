#include "contour/contour_plot.h"

#include "contour/contour_overlays.h"
#include "models/atmosphere.h"

#include <cmath>

namespace vededa {

namespace {

constexpr float kGoldenRatio = 1.618034f;
constexpr float kGoldenTolerance = 0.01f;
constexpr int kGoldenPasses = 200;

/// The point calculation's value at (velocity, altitude).
float pointValue(const ProjectData& p, const AnalysisModels& m, float velocity, float altitude) {
    FlightCondition fc;
    fc.altitude = altitude;
    atmosphere(fc, p.units);
    return contourPointAt(p, m, fc, velocity, ContourPoint{}).value(p.contour.quantity);
}

} // namespace

void drawEnergyHeightLines(Canvas& canvas, const PlotFrame& frame, const ProjectData& p,
                           const AnalysisModels& m, const ContourCalculation& calc) {
    const ContourSettings& c = p.contour;
    const bool si = p.unitSystem == kSI;
    const float g = p.units.g0;
    const float step = si ? 500.0f : 1000.0f;
    const float bottom = c.altitude[1] * 1000.0f, top = c.altitude[2] * 1000.0f;
    const auto& grid = calc.grid.values;
    if (grid.empty()) return;
    const int levels =
        static_cast<int>(std::lround((top + c.velocity[2] * c.velocity[2] / (2.0f * g)) / step));
    const int stride = c.loadFactor > 1.0f ? 5 : 1;
    const int k0 = static_cast<int>(std::lround(c.altitude[1] + 1.0f));
    const bool refine = c.loadFactor <= 1.0f && !(p.thrustModel == 7 && p.engine.setup[kSetupLossModel] == 3);
    const float lowestLevel = c.levelMin - 0.1f * c.levelIncrement;

    canvas.setColor(kEnergyColor);
    OverlayPolyline path(canvas, frame, c);
    path.add(c.velocity[1], bottom);
    for (int k = k0; k <= levels; k += stride) {
        const float ze = static_cast<float>(k - 1) * step;
        const bool drawn = stride > 1 || (si ? std::fabs((k - 1) / 2.0 - std::floor((k - 1) / 2.0)) < 0.1
                                             : std::fabs((k - 1) / 5.0 - std::floor((k - 1) / 5.0)) < 0.1);
        OverlayPolyline line(canvas, frame, c);
        float best = 0, bestVelocity = c.velocity[1], bestAltitude = bottom;
        bool first = true;
        for (int col = 0; col <= calc.velocityIncrements; ++col) {
            float v = c.velocity[1] + static_cast<float>(col) * c.velocity[3];
            float h = ze - v * v / (2.0f * g);
            bool last = false;
            if (h > top) {
                h = top;
                v = std::sqrt(2.0f * g * (ze - h));
            } else if (h < bottom) {
                h = bottom;
                v = std::sqrt(std::max(0.0f, 2.0f * g * (ze - h)));
                last = true;
            }
            // The grid interpolated in altitude along the column.
            const float r = (h - bottom) / (c.altitude[3] * 1000.0f);
            const int kk = static_cast<int>(std::floor(r + 1.05f));
            const std::size_t lower =
                static_cast<std::size_t>(std::clamp(kk - 1, 0, static_cast<int>(grid.size()) - 1));
            const std::size_t upper = std::min(lower + 1, grid.size() - 1);
            const std::size_t cc =
                std::min<std::size_t>(static_cast<std::size_t>(col), grid[lower].size() - 1);
            const float value =
                grid[lower][cc] + (r - static_cast<float>(kk - 1)) * (grid[upper][cc] - grid[lower][cc]);
            if (first || value > best) {
                best = value;
                bestVelocity = v;
                bestAltitude = h;
                first = false;
            }
            if (drawn) {
                canvas.setColor(kEnergyColor);
                line.add(v, h);
            }
            if (last) break;
        }
        if (refine && best >= lowestLevel && bestVelocity < c.velocity[2]) {
            // Golden-section search for the best speed on this energy level.
            auto altitudeAt = [&](float v) { return std::max(bottom, ze - v * v / (2.0f * g)); };
            auto valueAt = [&](float v) { return pointValue(p, m, v, altitudeAt(v)); };
            float a = bestVelocity - c.velocity[3], b = bestVelocity + c.velocity[3];
            float x1 = b - (b - a) / kGoldenRatio, x2 = a + (b - a) / kGoldenRatio;
            float f1 = valueAt(x1), f2 = valueAt(x2);
            for (int pass = 0; pass < kGoldenPasses && b - a >= kGoldenTolerance; ++pass) {
                if (f1 > f2) {
                    b = x2, x2 = x1, f2 = f1;
                    x1 = b - (b - a) / kGoldenRatio;
                    f1 = valueAt(x1);
                } else {
                    a = x1, x1 = x2, f1 = f2;
                    x2 = a + (b - a) / kGoldenRatio;
                    f2 = valueAt(x2);
                }
            }
            bestVelocity = 0.5f * (a + b);
            bestAltitude = altitudeAt(bestVelocity);
        }
        canvas.setColor(kEnergyColor);
        path.add(bestVelocity, bestAltitude);
    }
}

std::string drawContourPlot(Canvas& canvas, const PlotFrame& frame, const ProjectData& p,
                            const AnalysisModels& m, const ContourCalculation& calc, bool printerPage) {
    const ContourSettings& c = p.contour;
    const ContourLevels levels = contourLevels(c.levelMin, c.levelMax, c.levelIncrement);
    if (!levels.message.empty()) return levels.message;
    canvas.setColor(kContourLineColor);
    canvas.setLineWidth(printerPage ? static_cast<float>(c.lineWidth) : 1.0f);
    // The grid holds one column beyond the velocity maximum for the energy-height interpolation; the
    // contour lines are drawn inside the frame only.
    ContourGrid inside = calc.grid;
    const std::size_t columns = static_cast<std::size_t>(std::floor(c.velocity[2] / c.velocity[3] + 0.5f) -
                                                         std::floor(c.velocity[1] / c.velocity[3] + 0.5f)) +
                                1;
    if (inside.x.size() > columns) {
        inside.x.resize(columns);
        for (auto& row : inside.values) row.resize(std::min(row.size(), columns));
    }
    contourGrid(inside, levels.levels, [&](const ContourSegment& s) { canvas.line(s.x1, s.y1, s.x2, s.y2); });
    drawMachLines(canvas, frame, p);
    if (c.theta0Lines == 1) drawTheta0Lines(canvas, frame, p);
    drawStallLine(canvas, frame, p);
    drawMaxDynamicPressureLine(canvas, frame, p);
    if (c.quantity == kContourPs || c.quantity == kContourFs)
        drawEnergyHeightLines(canvas, frame, p, m, calc);
    drawContourTicks(canvas, frame, p);
    drawContourLabels(canvas, frame, p, c.levelMin, c.levelMax, c.levelIncrement, printerPage);
    return {};
}

} // namespace vededa
