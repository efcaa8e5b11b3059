#include "sizing/sizing_plot.h"

#include "constraint/constraint_diagram.h"
#include "contour/conrec.h"
#include "contour/contour_fill.h"
#include "contour/contour_labels.h"
#include "output/number_format.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace vededa {

namespace {

constexpr float kFontSize = 200;    ///< 10 point text
constexpr float kLabelGap = 25;     ///< constraint number right of its curve end
constexpr float kAxisValueGap = 20; ///< axis values clear of the frame
constexpr float kMarkSize = 90;     ///< half size of the optimum mark
constexpr float kTitleAbove = 260;  ///< title's foot above the frame, over a line of constraint numbers
constexpr int kTargetLevels = 10;   ///< about this many contour levels
constexpr int kInfeasibleColor = 7; ///< light grey
constexpr int kHatchColor = 8;      ///< dark grey hatching over the filled bands
constexpr int kContourColor = 1;    ///< blue
constexpr int kOptimumColor = 4;    ///< red

/// The field the chart contours: W_TO with closure, otherwise the fuel fraction.
float fieldValue(const SizingChart& c, const SizingCell& cell) {
    return c.settings.closure ? cell.wto : cell.fuelFraction;
}
bool fieldKnown(const SizingChart& c, const SizingCell& cell) {
    return std::isfinite(fieldValue(c, cell)) && (!c.settings.closure || cell.closed);
}

void drawFrame(Canvas& canvas, const SizingChartMap& m) {
    const SizingChartLayout& l = m.layout;
    canvas.line(l.left, l.bottom, l.left, l.top);
    canvas.line(l.left, l.top, l.right, l.top);
    canvas.line(l.right, l.top, l.right, l.bottom);
    canvas.line(l.right, l.bottom, l.left, l.bottom);
}

void drawConstraints(Canvas& canvas, const SizingChart& c, const SizingChartMap& m) {
    const DiagramFrame frame{m.wsMin, m.wsMax, m.twMin, m.twMax};
    canvas.setColor(0);
    for (const SizingConstraint& s : c.constraints) {
        std::vector<DiagramPoint> pts;
        for (std::size_t k = 0; k < s.values.size(); ++k) {
            if (!s.values[k]) continue;
            pts.push_back(s.landing ? DiagramPoint{*s.values[k], c.grid.tw[k]}
                                    : DiagramPoint{c.grid.ws[k], *s.values[k]});
        }
        bool drawn = false;
        DiagramPoint end{};
        for (std::size_t k = 0; k + 1 < pts.size(); ++k) {
            DiagramPoint a = pts[k], b = pts[k + 1];
            if (!clipSegment(a, b, frame)) continue;
            canvas.line(m.x(a.x), m.y(a.y), m.x(b.x), m.y(b.y));
            end = b;
            drawn = true;
        }
        if (!drawn) continue;
        // The number at the last visible end, as the constraint diagram places it.
        const std::string label = formatPattern(static_cast<float>(s.number), "##");
        if (end.y >= m.twMax)
            canvas.text(m.x(end.x), m.y(end.y) - 5, label, HAlign::Center, VAlign::Bottom);
        else if (end.y <= m.twMin)
            canvas.text(m.x(end.x), m.y(end.y) + 10, label, HAlign::Center, VAlign::Top);
        else
            canvas.text(m.x(end.x) + kLabelGap, m.y(end.y), label, HAlign::Left, VAlign::Middle);
    }
}

/// The chart's field on a contour grid in picture units; points without a value take `missing`.
ContourGrid pictureGrid(const SizingChart& c, const SizingChartMap& m, float missing) {
    ContourGrid g;
    for (float ws : c.grid.ws) g.x.push_back(m.x(ws));
    for (float tw : c.grid.tw) g.y.push_back(m.y(tw));
    g.values.assign(c.grid.tw.size(), std::vector<float>(c.grid.ws.size(), missing));
    for (std::size_t j = 0; j < c.grid.tw.size(); ++j)
        for (std::size_t i = 0; i < c.grid.ws.size(); ++i)
            if (c.cell(i, j).flown && fieldKnown(c, c.cell(i, j)))
                g.values[j][i] = fieldValue(c, c.cell(i, j));
    return g;
}

/// Whether the mission was flown at all four corners of the grid cell holding picture point (x, y).
bool flownAround(const SizingChart& c, const SizingChartMap& m, float x, float y) {
    const float ws = m.ws(x), tw = m.tw(y);
    auto index = [](const std::vector<float>& v, float value) {
        const float step = (v.back() - v.front()) / static_cast<float>(v.size() - 1);
        const float u = step > 0.0f ? (value - v.front()) / step : 0.0f;
        return std::min<std::size_t>(v.size() - 2, static_cast<std::size_t>(std::max(0.0f, u)));
    };
    const std::size_t i = index(c.grid.ws, ws), j = index(c.grid.tw, tw);
    return c.cell(i, j).flown && c.cell(i + 1, j).flown && c.cell(i, j + 1).flown &&
           c.cell(i + 1, j + 1).flown;
}

void drawContours(Canvas& canvas, const SizingChart& c, const SizingChartMap& m,
                  const std::vector<float>& levels) {
    if (levels.size() < 1) return;
    // Points without a value take the highest value, so no level runs between them; the lines are
    // then kept only where the mission was flown around them.
    float top = -INFINITY;
    for (const SizingCell& cell : c.cells)
        if (cell.flown && fieldKnown(c, cell)) top = std::max(top, fieldValue(c, cell));
    const ContourLines traced = traceContourLines(pictureGrid(c, m, top), levels);
    ContourLines lines;
    lines.byLevel.resize(traced.byLevel.size());
    for (std::size_t k = 0; k < traced.byLevel.size(); ++k)
        for (const std::vector<CanvasPoint>& line : traced.byLevel[k]) {
            std::vector<CanvasPoint> run;
            for (const CanvasPoint& p : line) {
                if (flownAround(c, m, p.x, p.y)) {
                    run.push_back(p);
                    continue;
                }
                if (run.size() > 1) lines.byLevel[k].push_back(run);
                run.clear();
            }
            if (run.size() > 1) lines.byLevel[k].push_back(run);
        }
    const float increment = levels.size() > 1 ? levels[1] - levels[0] : 0.0f;
    const PictureRect frame{m.layout.left, m.layout.top, m.layout.right, m.layout.bottom};
    const std::vector<ContourLabel> labels = placeContourLabels(lines, levels, increment, frame, canvas);
    drawLabelledContours(canvas, lines, labels, kContourColor);
}

/// The levels of the colour bands: the contour levels with one more step below, so that the values
/// under the lowest contour level get a band of their own.
std::vector<float> bandLevels(const std::vector<float>& levels) {
    std::vector<float> out = levels;
    if (levels.size() > 1) out.insert(out.begin(), levels[0] - (levels[1] - levels[0]));
    return out;
}

/// Sub-divisions of a grid step for the shading, so the boundary follows the constraint lines.
constexpr int kShadeDivisions = 4;

void drawRegions(Canvas& canvas, const SizingChart& c, const SizingChartMap& m,
                 const std::vector<float>& levels, bool filled) {
    if (filled && levels.size() > 1) {
        // Points without a value lie below the lowest level, which stays unfilled.
        const ContourGrid g = pictureGrid(c, m, levels.front() - 2 * (levels.back() - levels.front()));
        float top = levels.back();
        for (const auto& row : g.values)
            for (float v : row) top = std::max(top, v);
        fillContourBands(canvas, g, contourBands(bandLevels(levels), top, false));
    }
    // The infeasible region on a finer grid: the constraints interpolated between grid points, the
    // mission's outcome from the nearest grid point; each column's infeasible runs drawn as one box.
    canvas.setColor(filled ? kHatchColor : kInfeasibleColor);
    const int nx = static_cast<int>(c.grid.ws.size() - 1) * kShadeDivisions + 1;
    const int ny = static_cast<int>(c.grid.tw.size() - 1) * kShadeDivisions + 1;
    const float dws = (m.wsMax - m.wsMin) / static_cast<float>(nx - 1);
    const float dtw = (m.twMax - m.twMin) / static_cast<float>(ny - 1);
    for (int a = 0; a < nx; ++a) {
        const float ws = m.wsMin + static_cast<float>(a) * dws;
        const float x1 = m.x(std::max(m.wsMin, ws - 0.5f * dws)),
                    x2 = m.x(std::min(m.wsMax, ws + 0.5f * dws));
        int runStart = -1;
        for (int b = 0; b <= ny; ++b) {
            bool shade = false;
            if (b < ny) {
                const float tw = m.twMin + static_cast<float>(b) * dtw;
                shade = !readSizingChart(c, ws, tw).feasible;
            }
            if (shade && runStart < 0) runStart = b;
            if (!shade && runStart >= 0) {
                const float t1 = std::max(m.twMin, m.twMin + (static_cast<float>(runStart) - 0.5f) * dtw);
                const float t2 = std::min(m.twMax, m.twMin + (static_cast<float>(b) - 0.5f) * dtw);
                if (filled) // hatched, so the bands underneath stay visible
                    canvas.line(0.5f * (x1 + x2), m.y(t2), 0.5f * (x1 + x2), m.y(t1));
                else
                    canvas.box(x1, m.y(t2), x2, m.y(t1), true);
                runStart = -1;
            }
        }
    }
}

void drawOptimum(Canvas& canvas, const SizingChart& c, const SizingChartMap& m) {
    if (!c.optimum) return;
    const float x = m.x(c.optimum->ws), y = m.y(c.optimum->tw);
    canvas.setColor(kOptimumColor);
    canvas.setLineWidth(2);
    canvas.box(x - kMarkSize, y - kMarkSize, x + kMarkSize, y + kMarkSize, false);
    canvas.line(x - kMarkSize, y - kMarkSize, x + kMarkSize, y + kMarkSize);
    canvas.line(x - kMarkSize, y + kMarkSize, x + kMarkSize, y - kMarkSize);
    canvas.setLineWidth(1);
    canvas.text(x + kMarkSize + kLabelGap, y - kMarkSize, "Optimum", HAlign::Left, VAlign::Bottom);
}

float niceStep(float span) {
    const double raw = span / kTargetLevels;
    const double p = std::pow(10.0, std::floor(std::log10(raw)));
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (f * p >= raw) return static_cast<float>(f * p);
    return static_cast<float>(10.0 * p);
}

} // namespace

float SizingChartMap::x(float ws) const {
    return layout.left + (ws - wsMin) * (layout.right - layout.left) / (wsMax - wsMin);
}
float SizingChartMap::y(float tw) const {
    return layout.bottom - (tw - twMin) * (layout.bottom - layout.top) / (twMax - twMin);
}
float SizingChartMap::ws(float px) const {
    return wsMin + (px - layout.left) * (wsMax - wsMin) / (layout.right - layout.left);
}
float SizingChartMap::tw(float py) const {
    return twMin + (layout.bottom - py) * (twMax - twMin) / (layout.bottom - layout.top);
}
bool SizingChartMap::inside(float px, float py) const {
    return px >= layout.left && px <= layout.right && py >= layout.top && py <= layout.bottom;
}

SizingChartMap sizingChartMap(const SizingChart& chart, const SizingChartLayout& layout) {
    SizingChartMap m;
    m.layout = layout;
    if (chart.grid.ws.size() >= 2 && chart.grid.tw.size() >= 2) {
        m.wsMin = chart.settings.wsMin;
        m.wsMax = chart.settings.wsMax;
        m.twMin = chart.settings.twMin;
        m.twMax = chart.settings.twMax;
    }
    return m;
}

std::vector<float> sizingContourLevels(const SizingChart& chart) {
    // The range of the flown points without the outer tenths, so that a few extreme points near the
    // edge of the flown region do not spread the levels over values almost no point has.
    std::vector<float> values;
    for (const SizingCell& cell : chart.cells)
        if (cell.flown && fieldKnown(chart, cell)) values.push_back(fieldValue(chart, cell));
    std::vector<float> levels;
    if (values.size() < 2) return levels;
    std::sort(values.begin(), values.end());
    const float lo = values[values.size() / 10], hi = values[values.size() - 1 - values.size() / 10];
    if (!(hi > lo)) return levels;
    const float step = niceStep(hi - lo);
    for (double v = std::ceil(lo / step) * step; v <= hi && levels.size() < 4 * kTargetLevels; v += step)
        levels.push_back(static_cast<float>(std::round(v / step) * step));
    return levels;
}

void drawSizingChart(Canvas& canvas, const ProjectData& project, const SizingChart& chart, bool filled,
                     const SizingChartLayout& layout) {
    canvas.setFontSize(kFontSize);
    canvas.setLineWidth(1);
    const SizingChartMap m = sizingChartMap(chart, layout);
    const std::vector<float> levels = sizingContourLevels(chart);
    if (!chart.cells.empty()) {
        drawRegions(canvas, chart, m, levels, filled);
        drawContours(canvas, chart, m, levels);
        drawConstraints(canvas, chart, m);
        drawOptimum(canvas, chart, m);
    }
    canvas.setColor(0);
    drawFrame(canvas, m);

    // Axis values, titles and captions.
    const bool si = project.unitSystem == kSI;
    const float l = layout.left, r = layout.right, t = layout.top, b = layout.bottom;
    canvas.text(l - kAxisValueGap, t, Str(m.twMax), HAlign::Right, VAlign::Middle);
    canvas.text(l - kAxisValueGap, b, Str(m.twMin), HAlign::Right, VAlign::Middle);
    canvas.text(l, b + kAxisValueGap, Str(m.wsMin), HAlign::Center, VAlign::Top);
    canvas.text(r, b + kAxisValueGap, Str(m.wsMax), HAlign::Center, VAlign::Top);
    canvas.text(l - 300, 0.5f * (t + b), "T/W", HAlign::Right, VAlign::Middle);
    canvas.text(0.5f * (l + r), b + 300, si ? "W/S (Pa)" : "W/S (psf)", HAlign::Center, VAlign::Top);
    canvas.text(50, 0, "File: " + project.projectPath + "      Date:" + project.clock.date());
    // The title clears the numbers of the constraint lines that end on the top edge.
    canvas.text(0.5f * (l + r), t - kTitleAbove, "Sizing Chart", HAlign::Center, VAlign::Bottom);
    float y = t;
    const float cx = r + 200;
    canvas.text(cx, y, "Contours:");
    y += 250;
    canvas.setColor(kContourColor);
    canvas.text(cx, y, chart.settings.closure ? (si ? "W_TO (N)" : "W_TO (lb)") : "fuel fraction");
    y += 350;
    canvas.setColor(kInfeasibleColor);
    canvas.box(cx, y, cx + 250, y + 200, true);
    canvas.setColor(0);
    canvas.text(cx + 320, y, "infeasible");
    y += 350;
    canvas.setColor(kOptimumColor);
    canvas.box(cx + 35, y + 10, cx + 215, y + 190, false);
    canvas.setColor(0);
    canvas.text(cx + 320, y, "optimum");
    y += 450;
    if (chart.optimum) {
        const SizingPoint& o = *chart.optimum;
        canvas.text(cx, y, "W/S  =" + Str(std::round(o.ws * 100) / 100));
        y += 250;
        canvas.text(cx, y, "T/W  =" + Str(std::round(o.tw * 1000) / 1000));
        y += 250;
        canvas.text(cx, y, "fuel =" + Str(std::round(o.fuelFraction * 10000) / 10000));
        y += 250;
        canvas.text(cx, y, "W_TO =" + Str(std::round(o.wto)));
    } else if (!chart.cells.empty()) {
        canvas.text(cx, y, "no feasible point");
    }
    if (filled && levels.size() > 1) {
        float top = levels.back();
        for (const SizingCell& cell : chart.cells)
            if (cell.flown && fieldKnown(chart, cell)) top = std::max(top, fieldValue(chart, cell));
        drawColorBar(canvas, contourBands(bandLevels(levels), top, false), cx, cx + 250, y + 700, b, "",
                     levels[1] - levels[0]);
    }
}

} // namespace vededa
