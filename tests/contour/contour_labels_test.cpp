// Inline contour labels and filled colour bands, checked on the recorded canvas calls.
#include "contour/contour_fill.h"
#include "contour/contour_labels.h"
#include "contour/contour_overlays.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace vededa {
namespace {

using Kind = RecordingCanvas::Kind;

/// A grid over a 5000 x 3000 picture field starting at (1000, 1000), rows bottom-up like the contour
/// grid, valued by `f(x, y)` at every node.
ContourGrid gridOf(int columns, int rows, const std::function<float(float, float)>& f) {
    ContourGrid g;
    for (int c = 0; c < columns; ++c) g.x.push_back(1000.0f + 5000.0f * c / (columns - 1));
    for (int r = 0; r < rows; ++r) g.y.push_back(4000.0f - 3000.0f * r / (rows - 1));
    for (int r = 0; r < rows; ++r) {
        g.values.emplace_back();
        for (int c = 0; c < columns; ++c) g.values.back().push_back(f(g.x[c], g.y[r]));
    }
    return g;
}

const PictureRect kField{1000, 1000, 6000, 4000};

float polygonArea(const std::vector<CanvasPoint>& p) {
    double a = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const CanvasPoint& u = p[i];
        const CanvasPoint& v = p[(i + 1) % p.size()];
        a += static_cast<double>(u.x) * v.y - static_cast<double>(v.x) * u.y;
    }
    return static_cast<float>(std::fabs(a) / 2);
}

/// Distance of point p from segment a-b.
float distanceToSegment(CanvasPoint p, CanvasPoint a, CanvasPoint b) {
    const float dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

TEST(ContourLevelText, DecimalsFollowTheIncrement) {
    struct Case {
        float value, increment;
        const char* text;
    } cases[] = {{50, 50, "50"},     {0.35f, 0.05f, "0.35"},    {2.5f, 0.5f, "2.5"}, {-0.0f, 0.5f, "0.0"},
                 {-100, 50, "-100"}, {0.125f, 0.025f, "0.125"}, {1200, 100, "1200"}, {std::nanf(""), 1, "0"}};
    for (const Case& c : cases) EXPECT_EQ(contourLevelText(c.value, c.increment), c.text) << c.value;
}

TEST(ContourLevelText, EverySecondLevelAboveTwelve) {
    for (int k = 0; k < 12; ++k) EXPECT_TRUE(contourLevelLabelled(k, 12));
    EXPECT_TRUE(contourLevelLabelled(0, 13));
    EXPECT_FALSE(contourLevelLabelled(1, 13));
    EXPECT_TRUE(contourLevelLabelled(12, 13));
}

TEST(ContourLabels, RampLinesAreChainedAndEveryLevelIsLabelledOnce) {
    // Value rises left to right: every level is one straight vertical line across the field.
    const ContourGrid g = gridOf(21, 16, [](float x, float) { return (x - 1000.0f) / 500.0f; });
    const std::vector<float> levels = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const ContourLines lines = traceContourLines(g, levels);
    ASSERT_EQ(lines.byLevel.size(), levels.size());
    for (const auto& level : lines.byLevel) {
        ASSERT_EQ(level.size(), 1u);
        const auto& line = level.front();
        EXPECT_NEAR(std::fabs(line.front().y - line.back().y), 3000.0f, 1.0f);
    }
    RecordingCanvas canvas(7000, 5000, 140);
    const auto labels = placeContourLabels(lines, levels, 1, kField, canvas);
    ASSERT_EQ(labels.size(), levels.size());
    for (std::size_t k = 0; k < labels.size(); ++k) {
        EXPECT_EQ(labels[k].text, std::to_string(labels[k].level + 1));
        EXPECT_NEAR(std::fabs(labels[k].angle), 90.0f, 0.5f); // turned along the vertical line
        EXPECT_NEAR(labels[k].x, 1000.0f + 500.0f * (labels[k].level + 1), 1.0f);
    }
}

TEST(ContourLabels, CrowdedCirclesGetLabelsThatNeitherOverlapNorLeaveTheFrame) {
    // Circles around a centre near the frame's corner: many short, curved and clipped lines.
    const ContourGrid g =
        gridOf(41, 31, [](float x, float y) { return std::hypot(x - 1500.0f, y - 1400.0f); });
    std::vector<float> levels;
    for (int k = 1; k <= 30; ++k) levels.push_back(150.0f * k);
    const ContourLines lines = traceContourLines(g, levels);
    RecordingCanvas canvas(7000, 5000, 140);
    const auto labels = placeContourLabels(lines, levels, 150, kField, canvas);
    ASSERT_GT(labels.size(), 8u);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        EXPECT_TRUE(labels[i].bounds.inside(kField)) << labels[i].text;
        EXPECT_TRUE(contourLevelLabelled(labels[i].level, 30)) << labels[i].text; // every second level
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(labels[i].bounds.overlaps(labels[j].bounds))
                << labels[i].text << " " << labels[j].text;
    }
    // The drawn lines leave the labels blank: no segment of a label's level passes through its text.
    drawLabelledContours(canvas, lines, labels, 0);
    const auto texts = canvas.opsOf(Kind::RotatedText);
    ASSERT_EQ(texts.size(), labels.size());
    const auto segments = canvas.opsOf(Kind::Line);
    for (const ContourLabel& l : labels) {
        const float r = levels[static_cast<std::size_t>(l.level)];
        for (const auto& s : segments) {
            // Segments of this level lie on its circle.
            const float mid = std::hypot(0.5f * (s.x1 + s.x2) - 1500.0f, 0.5f * (s.y1 + s.y2) - 1400.0f);
            if (std::fabs(mid - r) > 5.0f) continue;
            EXPECT_GT(distanceToSegment({l.x, l.y}, {s.x1, s.y1}, {s.x2, s.y2}), 0.3f * canvas.textHeight())
                << l.text;
        }
    }
}

TEST(ContourBands, LinearRampIsCoveredBandByBandInViridisOrder) {
    // Value 0..10 across the field; bands of width 1 with the level lines at whole values.
    const ContourGrid g = gridOf(11, 6, [](float x, float) { return (x - 1000.0f) / 500.0f; });
    std::vector<float> levels;
    for (int k = 0; k <= 10; ++k) levels.push_back(static_cast<float>(k));
    const ContourBands bands = contourBands(levels, 10, false);
    ASSERT_EQ(bands.colors.size(), 10u);
    EXPECT_FALSE(bands.diverging);
    EXPECT_EQ(bands.colors.front(), viridisColor(0));
    EXPECT_EQ(bands.colors.back(), viridisColor(1));

    RecordingCanvas canvas(7000, 5000);
    fillContourBands(canvas, g, bands);
    // Each polygon lies in the x-range of the band of its colour; the bands tile the field.
    Rgb current{};
    std::vector<float> area(bands.colors.size(), 0.0f);
    for (const auto& op : canvas.ops()) {
        if (op.kind == Kind::Rgb) current = op.rgb;
        if (op.kind != Kind::Polygon) continue;
        const auto it = std::find(bands.colors.begin(), bands.colors.end(), current);
        ASSERT_NE(it, bands.colors.end());
        const auto b = static_cast<std::size_t>(it - bands.colors.begin());
        for (const CanvasPoint& p : op.points) {
            EXPECT_GE(p.x, 1000.0f + 500.0f * b - 0.5f);
            EXPECT_LE(p.x, 1000.0f + 500.0f * (b + 1) + 0.5f);
        }
        area[b] += polygonArea(op.points);
    }
    for (float a : area) EXPECT_NEAR(a, 500.0f * 3000.0f, 1.0f);
}

TEST(ContourBands, SignedQuantityIsCentredOnZeroAndValuesBelowStayBlank) {
    const ContourBands bands = contourBands({-200, -100, 0, 100, 200, 300, 400}, 500, true);
    ASSERT_TRUE(bands.diverging);
    ASSERT_EQ(bands.edges.back(), 500.0f); // a band for the values above the last level
    ASSERT_EQ(bands.colors.size(), 7u);
    // Below zero bluish, above reddish, lightest next to zero.
    auto light = [](Rgb c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; };
    EXPECT_GT(bands.colors[0].b, bands.colors[0].r);
    EXPECT_GT(bands.colors[3].r, bands.colors[3].b);
    EXPECT_GT(light(bands.colors[1]), light(bands.colors[0]));
    EXPECT_GT(light(bands.colors[2]), light(bands.colors[3]));
    // Unsigned quantities and signed ones of one sign stay on viridis.
    EXPECT_FALSE(contourBands({-2, -1, 0, 1}, 1, false).diverging);
    EXPECT_FALSE(contourBands({0, 50, 100}, 100, true).diverging);

    // A ramp from -300 to 500: the part below the lowest level gets no colour.
    const ContourGrid g =
        gridOf(9, 3, [](float x, float) { return -300.0f + (x - 1000.0f) * 800.0f / 5000.0f; });
    RecordingCanvas canvas(7000, 5000);
    fillContourBands(canvas, g, bands);
    float covered = 0, left = 1e9f;
    for (const auto& op : canvas.opsOf(Kind::Polygon)) {
        covered += polygonArea(op.points);
        for (const CanvasPoint& p : op.points) left = std::min(left, p.x);
    }
    EXPECT_NEAR(left, 1000.0f + 100.0f * 5000.0f / 800.0f, 0.5f); // where the ramp reaches -200
    EXPECT_NEAR(covered, 5000.0f * 3000.0f * 700.0f / 800.0f, 2.0f);
}

TEST(ContourBands, ColourBarHasEveryBandAndReadableEdges) {
    std::vector<float> levels;
    for (int k = 0; k <= 40; ++k) levels.push_back(25.0f * k);
    const ContourBands bands = contourBands(levels, 1000, false);
    RecordingCanvas canvas(10000, 7000, 150);
    drawColorBar(canvas, bands, 9000, 9160, 3000, 6500, "Ps (ft/s)", 25);
    EXPECT_EQ(canvas.opsOf(Kind::Polygon).size(), bands.colors.size());
    std::vector<float> ys;
    bool titled = false;
    for (const auto& op : canvas.opsOf(Kind::Text)) {
        if (op.text == "Ps (ft/s)")
            titled = true;
        else
            ys.push_back(op.y1);
    }
    EXPECT_TRUE(titled);
    ASSERT_GT(ys.size(), 5u);
    for (std::size_t i = 1; i < ys.size(); ++i) EXPECT_GE(std::fabs(ys[i] - ys[i - 1]), canvas.textHeight());
}

TEST(SvgCanvas, PolygonsRotatedTextAndNoNonFiniteNumbers) {
    SvgCanvas svg(1000, 1000);
    svg.setRgb({1, 2, 3});
    svg.polygon({{0, 0}, {10, 0}, {std::nanf(""), 10}});
    svg.textRotated(50, 50, "a<b", 30);
    const std::string doc = svg.document();
    EXPECT_NE(doc.find("<polygon points=\"0.0,0.0 10.0,0.0 0.0,10.0\" fill=\"#010203\""), std::string::npos);
    EXPECT_NE(doc.find("rotate(-30.0 50.0 50.0)"), std::string::npos);
    EXPECT_NE(doc.find("a&lt;b"), std::string::npos);
    EXPECT_EQ(doc.find("nan"), std::string::npos);
}

float drawnLength(const std::vector<RecordingCanvas::Op>& lines) {
    float total = 0;
    for (const auto& s : lines) total += std::hypot(s.x2 - s.x1, s.y2 - s.y1);
    return total;
}

TEST(ContourLabels, OverlaysKeepClearOfTheValuesOrAreBrokenUnderThem) {
    // Upright ramp lines at x = 1000 + 500 v; an overlay across the middle, where every line's
    // straightest stretch nearest its middle lies, and one running along the whole line of level 4.
    const ContourGrid g = gridOf(11, 7, [](float x, float) { return (x - 1000.0f) / 500.0f; });
    std::vector<float> levels;
    for (int k = 0; k <= 10; ++k) levels.push_back(static_cast<float>(k));
    const ContourLines lines = traceContourLines(g, levels);
    const std::vector<PictureSegment> overlays = {{{1000, 2500}, {6000, 2500}}, {{3000, 1000}, {3000, 4000}}};
    RecordingCanvas canvas(7000, 5000, 140);
    const auto labels = placeContourLabels(lines, levels, 1, kField, canvas, overlays);
    std::vector<int> perLevel(levels.size(), 0);
    for (const ContourLabel& l : labels) {
        ++perLevel[static_cast<std::size_t>(l.level)];
        const float halfText = 0.5f * canvas.textWidth(l.text);
        EXPECT_FALSE(test::segmentCrossesTurnedBox(overlays[0].a, overlays[0].b, {l.x, l.y}, l.angle,
                                                   halfText, 0.5f * canvas.textHeight()))
            << "the across overlay runs over " << l.text;
        if (l.level != 4) {
            EXPECT_FALSE(test::segmentCrossesTurnedBox(overlays[1].a, overlays[1].b, {l.x, l.y}, l.angle,
                                                       halfText, 0.5f * canvas.textHeight()))
                << l.text;
        }
    }
    // Levels 1..9 lie inside the frame; the line along level 4 has no clear place, so it carries one label.
    for (int k = 1; k <= 9; ++k) EXPECT_GE(perLevel[static_cast<std::size_t>(k)], 1) << k;
    EXPECT_EQ(perLevel[4], 1);

    // Drawn after the labels, the overlays are broken under them and nowhere else.
    RecordingCanvas drawn(7000, 5000, 140);
    LabelGapCanvas gaps(drawn, labels);
    for (const PictureSegment& s : overlays) gaps.line(s.a.x, s.a.y, s.b.x, s.b.y);
    const auto pieces = drawn.opsOf(Kind::Line);
    for (const ContourLabel& l : labels)
        for (const auto& s : pieces)
            EXPECT_FALSE(test::segmentCrossesTurnedBox({s.x1, s.y1}, {s.x2, s.y2}, {l.x, l.y}, l.angle,
                                                       0.5f * canvas.textWidth(l.text),
                                                       0.5f * canvas.textHeight()))
                << l.text;
    const ContourLabel& four =
        *std::find_if(labels.begin(), labels.end(), [](const auto& l) { return l.level == 4; });
    EXPECT_NEAR(drawnLength(pieces), 5000.0f + 3000.0f - (four.to - four.from), 1.0f);
}

} // namespace
} // namespace vededa
