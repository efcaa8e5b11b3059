#include "constraint/constraint_diagram.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

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

} // namespace
} // namespace vededa
