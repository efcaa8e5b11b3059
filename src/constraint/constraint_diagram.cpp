#include "constraint/constraint_diagram.h"

#include "models/thrust_lapse.h"
#include "output/number_format.h"

#include <cmath>

namespace vededa {

namespace {

constexpr float kTickX = 100;       ///< length of the W/S ticks on the top and bottom edges
constexpr float kTickY = 80;        ///< length of the T/W ticks on the left and right edges
constexpr float kLabelGap = 25;     ///< constraint number right of its curve end
constexpr float kLabelBelow = 10;   ///< constraint number under a curve end on the bottom edge
constexpr float kLabelAbove = 5;    ///< constraint number over a curve end on the top edge
constexpr float kAxisValueGap = 20; ///< axis values clear of the frame
constexpr float kFontSize = 200;    ///< 10 point text

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

} // namespace

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

std::string drawConstraintDiagram(Canvas& canvas, const ProjectData& project, int16_t count,
                                  const ConstraintDiagramLayout& l) {
    const DiagramFrame f{project.wsAxis[1], project.wsAxis[2], project.twAxis[1], project.twAxis[2]};
    if (f.xmax == f.xmin) return "The W/S range has no width: minimum and maximum are equal.";
    if (f.ymax == f.ymin) return "The T/W range has no width: minimum and maximum are equal.";
    const DeviceMap m{l, f};

    canvas.setFontSize(kFontSize);
    canvas.setColor(0);
    if (l.printer) canvas.setLineWidth(project.plotLineWidth);
    drawFrame(canvas, m);

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
            canvas.text(px, py + kLabelBelow, label, HAlign::Center, VAlign::Top);
        else if (y == f.ymax)
            canvas.text(px, py - kLabelAbove, label, HAlign::Center, VAlign::Bottom);
        else
            canvas.text(px + kLabelGap, py, label, HAlign::Left, VAlign::Middle);
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
    canvas.text(l.left, l.bottom + 3 * kAxisValueGap, Str(project.wsAxis[1]), HAlign::Center, VAlign::Top);
    canvas.text(l.right, l.bottom + 3 * kAxisValueGap, Str(project.wsAxis[2]), HAlign::Center, VAlign::Top);
    canvas.text(l.left - 4 * kAxisValueGap - canvas.textWidth("0.0"), (l.top + l.bottom) / 2, "T/W",
                HAlign::Right, VAlign::Middle);
    canvas.text((l.left + l.right) / 2, l.bottom + kAxisValueGap + 1.5f * canvas.textHeight(),
                project.unitSystem == kSI ? "W/S (Pa)" : "W/S (psf)", HAlign::Center, VAlign::Top);
    if (l.printer)
        canvas.text((l.left + l.right) / 2, l.top - 2 * canvas.textHeight(), "Constraint Diagram",
                    HAlign::Center, VAlign::Bottom);
    return {};
}

} // namespace vededa
