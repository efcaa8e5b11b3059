#include "contour/contour_plot.h"

#include "contour/contour_fill.h"
#include "contour/contour_labels.h"
#include "contour/contour_overlays.h"
#include "models/atmosphere.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vededa {

namespace {

constexpr float kGoldenRatio = 1.618034f;
constexpr float kGoldenTolerance = 0.01f;
constexpr int kGoldenPasses = 200;
constexpr float kBestPathWidth = 3; ///< the best-climb path is drawn this many lines wide

/// The point calculation's value at (velocity, altitude).
float pointValue(const ProjectData& p, const AnalysisModels& m, float velocity, float altitude) {
    FlightCondition fc;
    fc.altitude = altitude;
    atmosphere(fc, p.units);
    return contourPointAt(p, m, fc, velocity, ContourPoint{}).value(p.contour.quantity);
}

/// The light grey of the cells without a value (points without engine solution).
constexpr Rgb kGapColor{220, 220, 220};

/// Fills every cell of `grid` that touches a failed point in the gap grey, so a gap reads as "no value"
/// and not as a value below the lowest level.
void drawGapCells(Canvas& canvas, const ContourGrid& grid, const ContourCalculation& calc) {
    auto failed = [&](std::size_t r, std::size_t j) {
        return r < calc.failed.size() && j < calc.failed[r].size() && calc.failed[r][j] != 0;
    };
    canvas.setRgb(kGapColor);
    for (std::size_t r = 0; r + 1 < grid.y.size() && r + 1 < grid.values.size(); ++r)
        for (std::size_t j = 0; j + 1 < grid.x.size(); ++j)
            if (failed(r, j) || failed(r + 1, j) || failed(r, j + 1) || failed(r + 1, j + 1))
                canvas.box(grid.x[j], grid.y[r], grid.x[j + 1], grid.y[r + 1], true);
}

/// Writes `note` inside the frame on a white box after a swatch of the gap grey, in the first corner
/// (upper left, upper right, lower right, lower left) where it covers no contour label.
void drawFailedPointsNote(Canvas& canvas, const PictureRect& frame, const std::vector<ContourLabel>& labels,
                          const std::string& note) {
    const float pad = 0.5f * canvas.textHeight();
    const float swatch = 1.6f * canvas.textHeight();
    const float width = swatch + pad + canvas.textWidth(note) + 2.0f * pad;
    const float height = canvas.textHeight() + 2.0f * pad;
    const float inset = 40.0f; // clear of the frame line and the tick marks
    const PictureRect corners[4] = {
        {frame.left + inset, frame.top + inset, frame.left + inset + width, frame.top + inset + height},
        {frame.right - inset - width, frame.top + inset, frame.right - inset, frame.top + inset + height},
        {frame.right - inset - width, frame.bottom - inset - height, frame.right - inset,
         frame.bottom - inset},
        {frame.left + inset, frame.bottom - inset - height, frame.left + inset + width,
         frame.bottom - inset}};
    PictureRect box = corners[0];
    for (const PictureRect& corner : corners) {
        const bool clear = std::none_of(labels.begin(), labels.end(),
                                        [&](const ContourLabel& l) { return l.bounds.overlaps(corner); });
        if (clear) {
            box = corner;
            break;
        }
    }
    canvas.setRgb(Rgb{255, 255, 255});
    canvas.box(box.left, box.top, box.right, box.bottom, true);
    const float middle = 0.5f * (box.top + box.bottom);
    canvas.setRgb(kGapColor);
    canvas.box(box.left + pad, middle - 0.35f * swatch, box.left + pad + swatch, middle + 0.35f * swatch,
               true);
    canvas.setColor(0);
    canvas.box(box.left, box.top, box.right, box.bottom, false);
    canvas.box(box.left + pad, middle - 0.35f * swatch, box.left + pad + swatch, middle + 0.35f * swatch,
               false);
    canvas.text(box.left + 2.0f * pad + swatch, middle, note, HAlign::Left, VAlign::Middle);
}

} // namespace

void drawEnergyHeightLines(Canvas& canvas, const PlotFrame& frame, const ProjectData& p,
                           const AnalysisModels& m, const ContourCalculation& calc, float lineWidth) {
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

    // A grid point where the engine deck found no solution holds no value: the lines leave a gap there.
    auto failedAt = [&](std::size_t row, std::size_t col) {
        return row < calc.failed.size() && col < calc.failed[row].size() && calc.failed[row][col] != 0;
    };

    canvas.setColor(kEnergyColor);
    OverlayPolyline path(canvas, frame, c);
    canvas.setLineWidth(kBestPathWidth * lineWidth);
    if (!failedAt(0, 0)) path.add(c.velocity[1], bottom);
    canvas.setLineWidth(lineWidth);
    for (int k = k0; k <= levels; k += stride) {
        const float ze = static_cast<float>(k - 1) * step;
        const bool drawn = stride > 1 || (si ? std::fabs((k - 1) / 2.0 - std::floor((k - 1) / 2.0)) < 0.1
                                             : std::fabs((k - 1) / 5.0 - std::floor((k - 1) / 5.0)) < 0.1);
        OverlayPolyline line(canvas, frame, c);
        float best = 0, bestVelocity = c.velocity[1], bestAltitude = bottom;
        bool first = true; // no point of this level with a value yet
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
            if (failedAt(lower, cc) || failedAt(upper, cc)) {
                line.restart();
                if (last) break;
                continue;
            }
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
        if (first) {
            // The whole level lies in a gap: the best-climb path ends here and resumes at the next level
            // that has values.
            path.restart();
            continue;
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
        canvas.setLineWidth(kBestPathWidth * lineWidth);
        path.add(bestVelocity, bestAltitude);
        canvas.setLineWidth(lineWidth);
    }
}

std::string contourQuantityCaption(const ProjectData& p) {
    const bool si = p.unitSystem == kSI;
    switch (p.contour.quantity) {
    case kContourPs:
        return si ? "Ps (m/s)" : "Ps (ft/s)";
    case kContourFs:
        return si ? "fs (km)" : "fs (kft)";
    case kContourRangeFactor:
        return si ? "RF (km)" : "RF (nm)";
    case kContourEnduranceFactor:
        return "EF (hr)";
    case kContourLiftDrag:
        return "L/D (-)";
    case kContourDragThrust:
        return "D/TSL (-)";
    default:
        return "alpha (-)";
    }
}

std::string drawContourPlot(Canvas& canvas, const PlotFrame& frame, const ProjectData& p,
                            const AnalysisModels& m, const ContourCalculation& calc, bool printerPage,
                            bool filled) {
    const ContourSettings& c = p.contour;
    const ContourLevels levels = contourLevels(c.levelMin, c.levelMax, c.levelIncrement);
    if (!levels.message.empty()) return levels.message;
    // The grid holds one column beyond the velocity maximum for the energy-height interpolation; the
    // contour lines and bands are drawn inside the frame only.
    ContourGrid inside = calc.grid;
    const std::size_t columns = static_cast<std::size_t>(std::floor(c.velocity[2] / c.velocity[3] + 0.5f) -
                                                         std::floor(c.velocity[1] / c.velocity[3] + 0.5f)) +
                                1;
    if (inside.x.size() > columns) {
        inside.x.resize(columns);
        for (auto& row : inside.values) row.resize(std::min(row.size(), columns));
    }
    // A point where the engine deck found no solution has no value: every cell touching it is left as
    // a gap, neither traced nor filled.
    for (std::size_t r = 0; r < inside.values.size() && r < calc.failed.size(); ++r)
        for (std::size_t j = 0; j < inside.values[r].size() && j < calc.failed[r].size(); ++j)
            if (calc.failed[r][j]) inside.values[r][j] = std::numeric_limits<float>::quiet_NaN();
    if (calc.failedPoints > 0) drawGapCells(canvas, inside, calc);
    ContourBands bands;
    if (filled) {
        float gridMax = -std::numeric_limits<float>::infinity();
        for (const auto& row : inside.values)
            for (float v : row)
                if (std::isfinite(v)) gridMax = std::max(gridMax, v);
        const bool signedQuantity = c.quantity == kContourPs || c.quantity == kContourFs;
        bands = contourBands(levels.levels, gridMax, signedQuantity);
        fillContourBands(canvas, inside, bands);
    }
    canvas.setColor(kContourLineColor);
    canvas.setLineWidth(printerPage ? static_cast<float>(c.lineWidth) : 1.0f);

    // The overlays are drawn first on a recording, so the contour values can be placed clear of them.
    RecordingCanvas overlays(canvas.width(), canvas.height(), canvas.fontSize());
    drawMachLines(overlays, frame, p);
    if (c.theta0Lines == 1) drawTheta0Lines(overlays, frame, p);
    drawStallLine(overlays, frame, p);
    drawMaxDynamicPressureLine(overlays, frame, p);
    const bool energy = c.quantity == kContourPs || c.quantity == kContourFs;
    if (energy)
        drawEnergyHeightLines(overlays, frame, p, m, calc,
                              printerPage ? static_cast<float>(c.lineWidth) : 1.0f);

    // Contour lines with their values written inline, the lines broken under the labels.
    const float plotFont = canvas.fontSize();
    canvas.setFontSize(kContourLabelScale * plotFont);
    const ContourLines lines = traceContourLines(inside, levels.levels);
    const PictureRect frameRect{static_cast<float>(frame.left), static_cast<float>(frame.top),
                                static_cast<float>(frame.right), static_cast<float>(frame.bottom)};
    const std::vector<ContourLabel> labels = placeContourLabels(
        lines, levels.levels, c.levelIncrement, frameRect, canvas, recordedSegments(overlays));
    std::vector<int> labelColors;
    if (filled) {
        // A label sits between the band below its level and the band above: white text where both
        // are dark, black elsewhere (an unfilled side counts as white).
        auto luminance = [&](std::size_t band, bool exists) {
            const Rgb rgb = exists && band < bands.colors.size() ? bands.colors[band] : Rgb{255, 255, 255};
            return (0.299f * rgb.r + 0.587f * rgb.g + 0.114f * rgb.b) / 255.0f;
        };
        std::vector<Rgb> backdrops(levels.levels.size());
        std::vector<bool> needsBackdrop(levels.levels.size(), false);
        for (std::size_t k = 0; k < levels.levels.size(); ++k) {
            const float below = luminance(k - 1, k > 0), above = luminance(k, true);
            labelColors.push_back(0.5f * (below + above) < 0.45f ? kContourLabelLight : kContourLineColor);
            // Between a dark band and a light one (the edge of the filled field) no text colour reads
            // on both: the value is written in black on a patch of the lighter side's colour.
            if (std::fabs(below - above) > 0.45f) {
                needsBackdrop[k] = true;
                labelColors.back() = kContourLineColor;
                const bool belowLighter = below > above;
                backdrops[k] =
                    belowLighter
                        ? (k > 0 && k - 1 < bands.colors.size() ? bands.colors[k - 1] : Rgb{255, 255, 255})
                        : (k < bands.colors.size() ? bands.colors[k] : Rgb{255, 255, 255});
            }
        }
        for (const ContourLabel& l : labels) {
            const auto k = static_cast<std::size_t>(l.level);
            if (k >= needsBackdrop.size() || !needsBackdrop[k]) continue;
            const float rad = l.angle / 57.29578f;
            const float ax = std::cos(rad), ay = -std::sin(rad); // along the text
            const float cx = std::sin(rad), cy = std::cos(rad);  // across it
            const float hl = 0.5f * canvas.textWidth(l.text) + 0.3f * l.halfHeight, hh = 0.8f * l.halfHeight;
            canvas.setRgb(backdrops[k]);
            canvas.polygon({{l.x - hl * ax - hh * cx, l.y - hl * ay - hh * cy},
                            {l.x + hl * ax - hh * cx, l.y + hl * ay - hh * cy},
                            {l.x + hl * ax + hh * cx, l.y + hl * ay + hh * cy},
                            {l.x - hl * ax + hh * cx, l.y - hl * ay + hh * cy}});
        }
    }
    drawLabelledContours(canvas, lines, labels, kContourLineColor, labelColors);
    canvas.setFontSize(plotFont);

    // The overlays over the contours, broken where a value had to sit under one.
    LabelGapCanvas overLabels(canvas, labels);
    overlays.replay(overLabels);
    canvas.setLineWidth(printerPage ? static_cast<float>(c.lineWidth) : 1.0f);
    drawContourTicks(canvas, frame, p);
    const float sideEnd =
        drawContourLabels(canvas, frame, p, c.levelMin, c.levelMax, c.levelIncrement, printerPage);
    const float legendEnd = drawContourLegend(canvas, frame, p, sideEnd + 0.5f * canvas.textHeight(), energy);
    if (filled) {
        const float barTop = legendEnd + 2.2f * canvas.textHeight();
        const float left = frame.right + 80.0f;
        if (barTop < frame.bottom - 1000.0f)
            drawColorBar(canvas, bands, left, left + 160.0f, barTop, static_cast<float>(frame.bottom),
                         contourQuantityCaption(p), c.levelIncrement);
    }
    if (calc.failedPoints > 0) drawFailedPointsNote(canvas, frameRect, labels, failedPointsNote(calc));
    return {};
}

} // namespace vededa
