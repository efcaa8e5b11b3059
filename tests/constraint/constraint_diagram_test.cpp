#include "constraint/constraint_diagram.h"
#include "output/number_format.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vededa {
namespace {

using Kind = RecordingCanvas::Kind;

struct ClipCase {
    const char* what;
    DiagramPoint a, b;
    bool visible;
    DiagramPoint ca, cb;
};

class Clip : public ::testing::TestWithParam<ClipCase> {};

TEST_P(Clip, CohenSutherland) {
    const ClipCase c = GetParam();
    const DiagramFrame f{0, 100, 0.2f, 1.5f};
    DiagramPoint a = c.a, b = c.b;
    ASSERT_EQ(clipSegment(a, b, f), c.visible) << c.what;
    if (!c.visible) return;
    EXPECT_FLOAT_EQ(a.x, c.ca.x) << c.what;
    EXPECT_FLOAT_EQ(a.y, c.ca.y) << c.what;
    EXPECT_FLOAT_EQ(b.x, c.cb.x) << c.what;
    EXPECT_FLOAT_EQ(b.y, c.cb.y) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Segments, Clip,
    ::testing::Values(ClipCase{"inside", {10, 0.5f}, {20, 1}, true, {10, 0.5f}, {20, 1}},
                      ClipCase{"above", {10, 2}, {20, 3}, false, {}, {}},
                      ClipCase{"cut at the top edge", {10, 1}, {20, 2}, true, {10, 1}, {15, 1.5f}},
                      ClipCase{"enters from the top", {10, 2}, {20, 1}, true, {15, 1.5f}, {20, 1}},
                      ClipCase{"leaves at the right", {90, 1}, {110, 1.2f}, true, {90, 1}, {100, 1.1f}},
                      ClipCase{"both ends outside, crossing", {-10, 1}, {110, 1}, true, {0, 1}, {100, 1}},
                      ClipCase{"corner miss", {90, 2}, {110, 1.4f}, false, {}, {}}));

ProjectData diagramProject() {
    ProjectData p = test::freshProject();
    p.clock.fixedDate = "12/8/2026";
    p.projectPath = "x.RUZ";
    p.wsAxis[1] = 0, p.wsAxis[2] = 200, p.wsAxis[3] = 10;
    p.twAxis[1] = 0.2f, p.twAxis[2] = 1.5f, p.twAxis[3] = 0.1f;
    p.constraintCount = 2;
    // Constraint 1 leaves the frame at the top and comes back; constraint 2 lies above it.
    const float ws[] = {20, 60, 100, 140}, tw1[] = {1, 2, 1, 0.5f}, tw2[] = {2, 3, 4, 5};
    for (int i = 0; i < 4; ++i) {
        const auto j = static_cast<std::size_t>(i + 1);
        p.constraintPoints[1].wingLoading[j] = ws[i], p.constraintPoints[1].thrustLoading[j] = tw1[i];
        p.constraintPoints[2].wingLoading[j] = ws[i], p.constraintPoints[2].thrustLoading[j] = tw2[i];
    }
    p.constraintPoints[1].count = p.constraintPoints[2].count = 4;
    return p;
}

TEST(ConstraintDiagram, CurvesTicksAndLabels) {
    const ProjectData p = diagramProject();
    const ConstraintDiagramLayout layout;
    RecordingCanvas canvas(layout.width, layout.height);
    ASSERT_EQ(drawConstraintDiagram(canvas, p, 2, layout), "");
    const auto lines = canvas.opsOf(Kind::Line);
    // 2 frames of 4 edges, 19 ticks top and bottom, 12 ticks left and right, 3 visible curve pieces.
    ASSERT_EQ(lines.size(), 8u + 2 * 19 + 2 * 12 + 3);
    const auto& cut = lines[4]; // first piece of constraint 1: (20, 1) to the top edge at W/S 40
    const float sx = (layout.right - layout.left) / 200;
    EXPECT_EQ(cut.x1, std::floor(layout.left + 20 * sx));
    EXPECT_EQ(cut.x2, std::floor(layout.left + 40 * sx));
    EXPECT_EQ(cut.y2, layout.top) << "cut exactly at T/W 1.5";
    const auto texts = canvas.opsOf(Kind::Text);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "1");
    EXPECT_EQ(texts[0].h, HAlign::Left);
    EXPECT_EQ(texts[0].x1, std::floor(layout.left + 140 * sx) + 25);
    EXPECT_EQ(texts[1].text, "2") << "a curve outside the frame is still numbered";
    EXPECT_EQ(texts[1].v, VAlign::Bottom);
    EXPECT_EQ(texts[1].y1, layout.top - 5);
}

TEST(ConstraintDiagram, CurveEndingBeyondTheRightEdge) {
    ProjectData p = diagramProject();
    p.constraintPoints[1].wingLoading[4] = 300;
    const ConstraintDiagramLayout layout;
    RecordingCanvas canvas(layout.width, layout.height);
    drawConstraintDiagram(canvas, p, 1, layout);
    const auto texts = canvas.opsOf(Kind::Text);
    EXPECT_EQ(texts[0].x1, layout.right + 25);
}

TEST(ConstraintDiagram, EmptyRangeIsRefused) {
    ProjectData p = diagramProject();
    p.twAxis[2] = p.twAxis[1];
    RecordingCanvas canvas(100, 100);
    EXPECT_NE(drawConstraintDiagram(canvas, p, 2), "");
    EXPECT_TRUE(canvas.opsOf(Kind::Line).empty());
}

TEST(ConstraintDiagram, Captions) {
    ProjectData p = diagramProject();
    p.thrustModel = 2, p.tsfcModel = 2, p.dragModel = 6, p.throttleRatio = 1.07f;
    RecordingCanvas canvas(11000, 8000);
    drawConstraintDiagram(canvas, p, 0);
    std::vector<std::string> texts;
    for (const auto& op : canvas.opsOf(Kind::Text)) texts.push_back(op.text);
    const std::vector<std::string> expected = {"File: x.RUZ      Date:12/8/2026",
                                               "Engine #2",
                                               "TR  = 1.07",
                                               "Aircraft #6",
                                               " 1.5",
                                               " .2",
                                               " 0",
                                               " 200",
                                               "T/W",
                                               "W/S (psf)"};
    EXPECT_EQ(texts, expected);
}

/// A project of constraints given as (W/S, T/W) point lists.
ProjectData projectWith(const std::vector<std::vector<DiagramPoint>>& curves) {
    ProjectData p = diagramProject();
    p.constraintCount = static_cast<int16_t>(curves.size());
    for (std::size_t n = 0; n < curves.size(); ++n) {
        ConstraintPoints& c = p.constraintPoints[n + 1];
        c.count = static_cast<int16_t>(curves[n].size());
        for (std::size_t j = 0; j < curves[n].size(); ++j) {
            c.wingLoading[j + 1] = curves[n][j].x;
            c.thrustLoading[j + 1] = curves[n][j].y;
        }
    }
    return p;
}

TEST(ConstraintDiagram, FeasibleRegionLiesAboveEveryCurveAndLeftOfTheWingLoadingLimit) {
    // A level requirement of 0.5, a rising one through 0.8 at W/S 100, and a landing limit at W/S 150.
    const ProjectData p =
        projectWith({{{0, 0.5f}, {200, 0.5f}}, {{0, 0.3f}, {200, 1.3f}}, {{150, 0.2f}, {150, 1.5f}}});
    const DiagramFrame f{0, 200, 0.2f, 1.5f};
    const auto edge = feasibleBoundary(p, 3, f);
    ASSERT_FALSE(edge.empty());
    EXPECT_FLOAT_EQ(edge.front().x, 0);
    EXPECT_FLOAT_EQ(edge.back().x, 150); // bounded by the landing limit
    for (const DiagramPoint& e : edge) EXPECT_NEAR(e.y, std::max(0.5f, 0.3f + e.x / 200.0f), 1e-5f) << e.x;
    // Everything needs more than the frame holds: nothing is feasible.
    EXPECT_TRUE(feasibleBoundary(projectWith({{{0, 2}, {200, 3}}}), 1, f).empty());
    // The diagram tints the region before it draws any line.
    const ConstraintDiagramLayout layout;
    RecordingCanvas canvas(layout.width, layout.height);
    ASSERT_EQ(drawConstraintDiagram(canvas, p, 3, layout), "");
    const auto& ops = canvas.ops();
    const auto tint =
        std::find_if(ops.begin(), ops.end(), [](const auto& op) { return op.kind == Kind::Polygon; });
    const auto line =
        std::find_if(ops.begin(), ops.end(), [](const auto& op) { return op.kind == Kind::Line; });
    ASSERT_NE(tint, ops.end());
    EXPECT_LT(tint - ops.begin(), line - ops.begin());
}

TEST(ConstraintDiagram, NumbersEndingTogetherDoNotOverprintAndTheDesignPointIsMarked) {
    // Five curves ending close together at the right edge, three at the top edge.
    std::vector<std::vector<DiagramPoint>> curves;
    for (int k = 0; k < 5; ++k) curves.push_back({{0, 0.4f}, {200, 0.80f + 0.005f * k}});
    for (int k = 0; k < 3; ++k) curves.push_back({{0, 0.3f}, {100.0f + k, 1.6f}});
    ProjectData p = projectWith(curves);
    p.wingLoading = 120, p.thrustLoading = 1.1f;
    for (bool printer : {false, true}) {
        ConstraintDiagramLayout layout;
        layout.printer = printer;
        RecordingCanvas canvas(layout.width, layout.height);
        ASSERT_EQ(drawConstraintDiagram(canvas, p, 8, layout), "");
        struct Box {
            std::string text;
            float l, t, r, b;
        };
        std::vector<Box> boxes;
        for (const auto& op : canvas.opsOf(Kind::Text)) {
            const float w = canvas.textWidth(op.text), h = canvas.textHeight();
            const float l = op.h == HAlign::Left ? op.x1 : op.h == HAlign::Center ? op.x1 - w / 2 : op.x1 - w;
            const float t = op.v == VAlign::Top ? op.y1 : op.v == VAlign::Middle ? op.y1 - h / 2 : op.y1 - h;
            boxes.push_back({op.text, l, t, l + w, t + h});
        }
        for (std::size_t i = 0; i < boxes.size(); ++i)
            for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                const Box &a = boxes[i], &b = boxes[j];
                const bool clash = a.l < b.r && b.l < a.r && a.t < b.b && b.t < a.b;
                EXPECT_FALSE(clash) << "'" << a.text << "' and '" << b.text << "' printer " << printer;
            }
        const auto texts = canvas.opsOf(Kind::Text);
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                                [](const auto& op) { return op.text == "W/S= 120 T/W= 1.1"; }));
        // The values sit on a white patch that covers their whole text, drawn just before them.
        const auto& ops = canvas.ops();
        const auto values = std::find_if(ops.begin(), ops.end(), [](const auto& op) {
            return op.kind == Kind::Text && op.text == "W/S= 120 T/W= 1.1";
        });
        ASSERT_NE(values, ops.end());
        const auto patch = std::find_if(std::make_reverse_iterator(values), ops.rend(),
                                        [](const auto& op) { return op.kind == Kind::FilledBox; });
        ASSERT_NE(patch, ops.rend());
        const auto white =
            std::find_if(patch, ops.rend(), [](const auto& op) { return op.kind == Kind::Color; });
        ASSERT_NE(white, ops.rend());
        EXPECT_EQ(white->x1, 15.0f);
        const Box& text = *std::find_if(boxes.begin(), boxes.end(),
                                        [](const Box& b) { return b.text == "W/S= 120 T/W= 1.1"; });
        EXPECT_TRUE(patch->x1 <= text.l && patch->x2 >= text.r && patch->y1 <= text.t && patch->y2 >= text.b);
    }
}

TEST(ConstraintDiagram, ADraggedDesignPointIsMarkedWhereTheMouseIsAndOnlyThere) {
    ProjectData p = projectWith({{{0, 0.4f}, {200, 0.8f}}});
    p.wingLoading = 120, p.thrustLoading = 1.1f;
    const ConstraintDiagramLayout layout;
    struct Case {
        DiagramPoint point;
        bool marked;
    } cases[] = {
        {{80, 0.9f}, true}, {{0, 0.2f}, true}, {{200, 1.5f}, true}, {{201, 1}, false}, {{80, 0.1f}, false}};
    for (const Case& c : cases) {
        RecordingCanvas canvas(layout.width, layout.height);
        ASSERT_EQ(drawConstraintDiagram(canvas, p, 1, layout, c.point), "");
        const std::string values = "W/S=" + Str(c.point.x) + " T/W=" + Str(c.point.y);
        const auto texts = canvas.opsOf(Kind::Text);
        EXPECT_EQ(std::any_of(texts.begin(), texts.end(), [&](const auto& op) { return op.text == values; }),
                  c.marked)
            << values;
        // The aircraft's own point is not marked beside the dragged one.
        EXPECT_FALSE(std::any_of(texts.begin(), texts.end(),
                                 [](const auto& op) { return op.text == "W/S= 120 T/W= 1.1"; }));
        // The diamond's centre is where a press takes hold of it.
        const DiagramPoint centre = designPointOnPicture(p, layout, c.point);
        std::size_t diamonds = 0;
        for (const auto& op : canvas.opsOf(Kind::Polygon)) {
            if (op.points.size() != 4) continue;
            ++diamonds;
            EXPECT_FLOAT_EQ(op.points[0].x, centre.x);
            EXPECT_FLOAT_EQ(op.points[0].y, centre.y - kDesignPointMarkerSize);
            EXPECT_FLOAT_EQ(op.points[1].x, centre.x + kDesignPointMarkerSize);
        }
        EXPECT_EQ(diamonds, c.marked ? 1u : 0u) << values;
    }
}

} // namespace
} // namespace vededa
