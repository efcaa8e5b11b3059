#include "constraint/constraint_diagram.h"

#include "models/thrust_lapse.h"
#include "output/number_format.h"

#include <algorithm>
#include <cmath>

namespace vededa {

namespace {

constexpr float kTickX = 100;           ///< length of the W/S ticks on the top and bottom edges
constexpr float kTickY = 80;            ///< length of the T/W ticks on the left and right edges
constexpr float kLabelGap = 25;         ///< constraint number right of its curve end
constexpr float kLabelBelow = 10;       ///< constraint number under a curve end on the bottom edge
constexpr float kLabelAbove = 5;        ///< constraint number over a curve end on the top edge
constexpr float kAxisValueGap = 20;     ///< axis values clear of the frame
constexpr float kFontSize = 200;        ///< 10 point text
constexpr float kUprightShare = 0.005f; ///< a curve narrower than this share of the W/S range is upright
constexpr int kBoundarySamples = 400;   ///< W/S steps of the feasible region's edge
constexpr Rgb kFeasibleTint{222, 242, 222};
constexpr int kDesignPointColor = 12; ///< light red

enum Outcode : int { kRight = 1, kLeft = 2, kAbove = 4, kBelow = 8 };

int outcode(const DiagramPoint& p, const DiagramFrame& f) {
    int code = 0;
    if (p.x > f.xmax) code |= kRight;
    if (p.x < f.xmin) code |= kLeft;
    if (p.y > f.ymax) code |= kAbove;
    if (p.y < f.ymin) code |= kBelow;
    return code;
}

/// The mapping of data units onto the picture, truncated to whole device units.
struct DeviceMap {
    const ConstraintDiagramLayout& l;
    DiagramFrame f;
    float x(float v) const {
        return std::floor(l.left + (v - f.xmin) * (l.right - l.left) / (f.xmax - f.xmin));
    }
    float y(float v) const {
        return std::floor(l.bottom - (v - f.ymin) * (l.bottom - l.top) / (f.ymax - f.ymin));
    }
};

const char* engineKindName(int16_t kind) {
    static const char* const names[7] = {"", "Tjet", "Tjet w/AB", "Tfan", "Tfan mixed", "Tfan w/AB", "Tprop"};
    return kind >= 1 && kind <= 6 ? names[kind] : "";
}

void drawFrame(Canvas& canvas, const DeviceMap& m) {
    const DiagramFrame& f = m.f;
    canvas.line(m.x(f.xmin), m.y(f.ymin), m.x(f.xmin), m.y(f.ymax));
    canvas.line(m.x(f.xmin), m.y(f.ymax), m.x(f.xmax), m.y(f.ymax));
    canvas.line(m.x(f.xmax), m.y(f.ymax), m.x(f.xmax), m.y(f.ymin));
    canvas.line(m.x(f.xmax), m.y(f.ymin), m.x(f.xmin), m.y(f.ymin));
}

/// A label of the diagram with the rectangle its text covers.
struct PlacedLabel {
    float x, y;
    std::string text;
    HAlign h;
    VAlign v;
    float left, top, right, bottom;
};

PlacedLabel placedLabel(const Canvas& canvas, float x, float y, std::string text, HAlign h, VAlign v) {
    const float w = canvas.textWidth(text), ht = canvas.textHeight();
    const float left = h == HAlign::Left ? x : h == HAlign::Center ? x - w / 2 : x - w;
    const float top = v == VAlign::Top ? y : v == VAlign::Middle ? y - ht / 2 : y - ht;
    return {x, y, std::move(text), h, v, left, top, left + w, top + ht};
}

void shift(PlacedLabel& a, float dx, float dy) {
    a.x += dx, a.left += dx, a.right += dx;
    a.y += dy, a.top += dy, a.bottom += dy;
}

/// Spreads labels that would overprint each other along one direction (`vertical`: numbers beside the
/// right edge; otherwise numbers on the top or bottom edge): overlapping labels form a group laid out
/// edge to edge and centred where their own positions were, until no two groups touch.
void spreadLabels(std::vector<PlacedLabel*> group, bool vertical) {
    auto lo = [vertical](const PlacedLabel* p) { return vertical ? p->top : p->left; };
    auto size = [vertical](const PlacedLabel* p) {
        return vertical ? p->bottom - p->top : p->right - p->left;
    };
    std::sort(group.begin(), group.end(),
              [&](const PlacedLabel* a, const PlacedLabel* b) { return lo(a) < lo(b); });
    std::vector<float> wanted;
    for (const PlacedLabel* p : group) wanted.push_back(lo(p));
    // Blocks of consecutive labels: start index, and the start position of the block.
    struct Block {
        std::size_t first, last;
        float start;
    };
    std::vector<Block> blocks;
    auto length = [&](const Block& b) {
        float total = 0;
        for (std::size_t i = b.first; i <= b.last; ++i) total += size(group[i]);
        return total;
    };
    auto centre = [&](const Block& b) {
        float sum = 0, offset = 0;
        for (std::size_t i = b.first; i <= b.last; ++i) {
            sum += wanted[i] - offset;
            offset += size(group[i]);
        }
        return sum / static_cast<float>(b.last - b.first + 1);
    };
    for (std::size_t i = 0; i < group.size(); ++i) {
        blocks.push_back({i, i, wanted[i]});
        // Merge with the block before while they overlap.
        while (blocks.size() > 1) {
            Block& prev = blocks[blocks.size() - 2];
            Block& last = blocks.back();
            if (prev.start + length(prev) <= last.start) break;
            prev.last = last.last;
            blocks.pop_back();
            blocks.back().start = centre(blocks.back());
        }
    }
    for (const Block& b : blocks) {
        float at = b.start;
        for (std::size_t i = b.first; i <= b.last; ++i) {
            const float d = at - lo(group[i]);
            shift(*group[i], vertical ? 0 : d, vertical ? d : 0);
            at += size(group[i]);
        }
    }
}

/// Moves constraint numbers apart that would overprint: those beside the right edge up and down, those
/// on the top and on the bottom edge sideways.
void separateLabels(std::vector<PlacedLabel>& labels) {
    std::vector<PlacedLabel*> beside, above, below;
    for (PlacedLabel& p : labels) {
        if (p.v == VAlign::Middle)
            beside.push_back(&p);
        else if (p.v == VAlign::Bottom)
            above.push_back(&p);
        else
            below.push_back(&p);
    }
    spreadLabels(beside, true);
    spreadLabels(above, false);
    spreadLabels(below, false);
}

} // namespace

std::vector<DiagramPoint> feasibleBoundary(const ProjectData& project, int16_t count, const DiagramFrame& f) {
    struct Curve {
        std::vector<DiagramPoint> points; // ascending W/S
    };
    std::vector<Curve> curves;
    float rightLimit = f.xmax;
    for (int16_t n = 1; n <= count && n <= kMaxConstraints; ++n) {
        const ConstraintPoints& pts = project.constraintPoints[static_cast<std::size_t>(n)];
        if (pts.count < 2) continue;
        Curve c;
        for (int j = 1; j <= pts.count; ++j) {
            const auto i = static_cast<std::size_t>(j);
            const DiagramPoint p{pts.wingLoading[i], pts.thrustLoading[i]};
            if (std::isfinite(p.x) && std::isfinite(p.y)) c.points.push_back(p);
        }
        if (c.points.size() < 2) continue;
        std::sort(c.points.begin(), c.points.end(),
                  [](const DiagramPoint& a, const DiagramPoint& b) { return a.x < b.x; });
        if (c.points.back().x - c.points.front().x <= kUprightShare * (f.xmax - f.xmin))
            rightLimit = std::min(rightLimit, c.points.front().x); // a W/S limit
        else
            curves.push_back(std::move(c));
    }
    std::vector<DiagramPoint> edge;
    if (curves.empty() && rightLimit == f.xmax) return edge;
    if (rightLimit <= f.xmin) return edge;
    for (int k = 0; k <= kBoundarySamples; ++k) {
        const float x = f.xmin + (rightLimit - f.xmin) * static_cast<float>(k) / kBoundarySamples;
        float need = f.ymin;
        for (const Curve& c : curves) {
            const auto& p = c.points;
            float y;
            if (x <= p.front().x)
                y = p.front().y;
            else if (x >= p.back().x)
                y = p.back().y;
            else {
                const auto it = std::lower_bound(p.begin(), p.end(), x,
                                                 [](const DiagramPoint& a, float v) { return a.x < v; });
                const DiagramPoint& b = *it;
                const DiagramPoint& a = *(it - 1);
                y = b.x > a.x ? a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x) : std::max(a.y, b.y);
            }
            need = std::max(need, y);
        }
        edge.push_back({x, std::min(need, f.ymax)});
    }
    if (std::all_of(edge.begin(), edge.end(), [&](const DiagramPoint& p) { return p.y >= f.ymax; }))
        edge.clear();
    return edge;
}

bool clipSegment(DiagramPoint& a, DiagramPoint& b, const DiagramFrame& f) {
    // Each pass moves one outside end onto a frame edge, so four passes per end finish it.
    for (int pass = 0; pass < 8; ++pass) {
        const int ca = outcode(a, f), cb = outcode(b, f);
        if ((ca & cb) != 0) return false;
        if ((ca | cb) == 0) return true;
        DiagramPoint& p = ca != 0 ? a : b;
        const DiagramPoint& q = ca != 0 ? b : a;
        const int c = ca != 0 ? ca : cb;
        if (c & kRight) {
            p.y = p.y + (q.y - p.y) * (f.xmax - p.x) / (q.x - p.x);
            p.x = f.xmax;
        } else if (c & kLeft) {
            p.y = p.y + (q.y - p.y) * (f.xmin - p.x) / (q.x - p.x);
            p.x = f.xmin;
        } else if (c & kAbove) {
            p.x = p.x + (q.x - p.x) * (f.ymax - p.y) / (q.y - p.y);
            p.y = f.ymax;
        } else {
            p.x = p.x + (q.x - p.x) * (f.ymin - p.y) / (q.y - p.y);
            p.y = f.ymin;
        }
    }
    return outcode(a, f) == 0 && outcode(b, f) == 0;
}

DiagramPoint designPointOnPicture(const ProjectData& project, const ConstraintDiagramLayout& l,
                                  DiagramPoint designPoint) {
    const DiagramFrame f{project.wsAxis[1], project.wsAxis[2], project.twAxis[1], project.twAxis[2]};
    if (f.xmax == f.xmin || f.ymax == f.ymin) return {l.left, l.bottom};
    const DeviceMap m{l, f};
    return {m.x(designPoint.x), m.y(designPoint.y)};
}

std::string drawConstraintDiagram(Canvas& canvas, const ProjectData& project, int16_t count,
                                  const ConstraintDiagramLayout& l) {
    return drawConstraintDiagram(canvas, project, count, l, {project.wingLoading, project.thrustLoading});
}

std::string drawConstraintDiagram(Canvas& canvas, const ProjectData& project, int16_t count,
                                  const ConstraintDiagramLayout& l, DiagramPoint designPoint) {
    const DiagramFrame f{project.wsAxis[1], project.wsAxis[2], project.twAxis[1], project.twAxis[2]};
    if (f.xmax == f.xmin) return "The W/S range has no width: minimum and maximum are equal.";
    if (f.ymax == f.ymin) return "The T/W range has no width: minimum and maximum are equal.";
    const DeviceMap m{l, f};

    canvas.setFontSize(kFontSize);
    // The feasible region first, so every line stays on top of it.
    const std::vector<DiagramPoint> edge = feasibleBoundary(project, count, f);
    if (!edge.empty()) {
        std::vector<CanvasPoint> region;
        region.push_back({m.x(edge.front().x), m.y(f.ymax)});
        for (const DiagramPoint& p : edge) region.push_back({m.x(p.x), m.y(p.y)});
        region.push_back({m.x(edge.back().x), m.y(f.ymax)});
        canvas.setRgb(kFeasibleTint);
        canvas.polygon(region);
    }
    canvas.setColor(0);
    if (l.printer) canvas.setLineWidth(project.plotLineWidth);
    drawFrame(canvas, m);
    std::vector<PlacedLabel> labels;

    for (int16_t n = 1; n <= count && n <= kMaxConstraints; ++n) {
        const ConstraintPoints& pts = project.constraintPoints[static_cast<std::size_t>(n)];
        if (pts.count < 1) continue;
        bool drawn = false;
        DiagramPoint end;
        for (int j = 1; j < pts.count; ++j) {
            const auto i = static_cast<std::size_t>(j);
            DiagramPoint a{pts.wingLoading[i], pts.thrustLoading[i]};
            DiagramPoint b{pts.wingLoading[i + 1], pts.thrustLoading[i + 1]};
            if (!clipSegment(a, b, f)) continue;
            canvas.line(m.x(a.x), m.y(a.y), m.x(b.x), m.y(b.y));
            end = b;
            drawn = true;
        }
        if (!drawn) { // no visible part: the number goes to the last point, brought onto the frame
            const auto last = static_cast<std::size_t>(pts.count);
            end = {pts.wingLoading[last], pts.thrustLoading[last]};
            if (end.y > f.ymax) end.y = f.ymax;
        }
        float x = end.x, y = end.y;
        if (x >= f.xmax) x = f.xmax;
        if (x <= f.xmin) x = f.xmin;
        if (y > f.ymax && x < f.xmax) y = f.ymax;
        if (y < f.ymin) y = f.ymin;
        const float px = m.x(x), py = m.y(y);
        const std::string label = formatPattern(static_cast<float>(n), "##");
        if (y == f.ymin)
            labels.push_back(placedLabel(canvas, px, py + kLabelBelow, label, HAlign::Center, VAlign::Top));
        else if (y == f.ymax)
            labels.push_back(
                placedLabel(canvas, px, py - kLabelAbove, label, HAlign::Center, VAlign::Bottom));
        else
            labels.push_back(placedLabel(canvas, px + kLabelGap, py, label, HAlign::Left, VAlign::Middle));
    }
    // A number moved away from its curve's end gets a short leader to it.
    std::vector<PlacedLabel> original = labels;
    separateLabels(labels);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const PlacedLabel& t = labels[i];
        canvas.text(t.x, t.y, t.text, t.h, t.v);
        if (t.v == VAlign::Middle && std::fabs(t.y - original[i].y) > 0.3f * (t.bottom - t.top))
            canvas.line(t.x - kLabelGap, original[i].y, t.x - 2.0f, t.y);
    }

    // The aircraft's design point with its values, when it lies in the frame.
    const float ws = designPoint.x, tw = designPoint.y;
    if (ws >= f.xmin && ws <= f.xmax && tw >= f.ymin && tw <= f.ymax) {
        const float dx = m.x(ws), dy = m.y(tw);
        canvas.setColor(kDesignPointColor);
        canvas.polygon({{dx, dy - kDesignPointMarkerSize},
                        {dx + kDesignPointMarkerSize, dy},
                        {dx, dy + kDesignPointMarkerSize},
                        {dx - kDesignPointMarkerSize, dy}});
        canvas.setColor(0);
        canvas.box(dx - 0.4f * kDesignPointMarkerSize, dy - 0.4f * kDesignPointMarkerSize,
                   dx + 0.4f * kDesignPointMarkerSize, dy + 0.4f * kDesignPointMarkerSize, false);
        const std::string values = "W/S=" + Str(ws) + " T/W=" + Str(tw);
        // Beside the marker, on the side with room inside the frame.
        const bool leftSide = dx + kDesignPointMarkerSize + canvas.textWidth(values) > l.right;
        const float tx = leftSide ? dx - 1.5f * kDesignPointMarkerSize : dx + 1.5f * kDesignPointMarkerSize;
        const float ty = dy - 1.2f * kDesignPointMarkerSize;
        // On a white patch, so the curves passing behind the values do not run through their digits.
        const float width = canvas.textWidth(values), pad = 0.2f * canvas.textHeight();
        const float left = leftSide ? tx - width : tx;
        canvas.setColor(15);
        canvas.box(left - pad, ty - canvas.textHeight() - pad, left + width + pad, ty + pad, true);
        canvas.setColor(0);
        canvas.text(tx, ty, values, leftSide ? HAlign::Right : HAlign::Left, VAlign::Bottom);
    }

    drawFrame(canvas, m);
    const long nx = std::lround((project.wsAxis[2] - project.wsAxis[1]) / project.wsAxis[3]);
    for (long i = 1; i < nx; ++i) {
        const float x =
            std::round(l.left + static_cast<float>(i) * (l.right - l.left) / static_cast<float>(nx));
        canvas.line(x, l.bottom, x, l.bottom - kTickX);
        canvas.line(x, l.top, x, l.top + kTickX);
    }
    const long ny = std::lround((project.twAxis[2] - project.twAxis[1]) / project.twAxis[3]);
    for (long i = 1; i < ny; ++i) {
        const float y =
            std::round(l.top + static_cast<float>(i) * (l.bottom - l.top) / static_cast<float>(ny));
        canvas.line(l.left, y, l.left + kTickY, y);
        canvas.line(l.right, y, l.right - kTickY, y);
    }

    // Captions
    canvas.text(50, 0, "File: " + project.projectPath + "      Date:" + project.clock.date());
    const float cx = l.right + (l.printer ? 500.0f : 200.0f);
    float cy = l.captionTop;
    const float step = canvas.textHeight() * 1.25f;
    canvas.text(cx, cy, "Engine #" + formatPattern(static_cast<float>(project.thrustModel), "#"));
    cy += step;
    if (project.tsfcModel == 2 || project.tsfcModel == 3) {
        canvas.text(cx, cy, "TR  =" + Str(project.throttleRatio));
        cy += step;
    } else if (project.tsfcModel == kEngineCycleDeck) {
        canvas.text(cx, cy, engineKindName(project.engine.setup[kSetupEngineType]));
        cy += step;
    }
    canvas.text(cx, cy, "Aircraft #" + formatPattern(static_cast<float>(project.dragModel), "#"));

    canvas.text(l.left - kAxisValueGap, l.top, Str(project.twAxis[2]), HAlign::Right, VAlign::Middle);
    canvas.text(l.left - kAxisValueGap, l.bottom, Str(project.twAxis[1]), HAlign::Right, VAlign::Middle);
    // The W/S values sit low enough to clear the T/W minimum at the corner.
    const float wsValueTop = l.bottom + 0.5f * canvas.textHeight() + kAxisValueGap;
    canvas.text(l.left, wsValueTop, Str(project.wsAxis[1]), HAlign::Center, VAlign::Top);
    canvas.text(l.right, wsValueTop, Str(project.wsAxis[2]), HAlign::Center, VAlign::Top);
    canvas.text(l.left - 4 * kAxisValueGap - canvas.textWidth("0.0"), (l.top + l.bottom) / 2, "T/W",
                HAlign::Right, VAlign::Middle);
    canvas.text((l.left + l.right) / 2, wsValueTop + 1.2f * canvas.textHeight(),
                project.unitSystem == kSI ? "W/S (Pa)" : "W/S (psf)", HAlign::Center, VAlign::Top);
    // The printed title sits between the file line at the top of the page and the numbers above the
    // frame.
    if (l.printer)
        canvas.text((l.left + l.right) / 2,
                    std::max(l.top - 1.1f * canvas.textHeight(), 2.1f * canvas.textHeight()),
                    "Constraint Diagram", HAlign::Center, VAlign::Bottom);
    return {};
}

} // namespace vededa
