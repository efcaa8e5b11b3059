#include "contour/contour_overlays.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vededa {
namespace {

ProjectData contourProject() {
    ProjectData p = test::freshProject();
    p.contour.velocity[1] = 0;
    p.contour.velocity[2] = 2000;
    p.contour.velocity[3] = 50;
    p.contour.altitude[1] = 0;
    p.contour.altitude[2] = 60;
    p.contour.altitude[3] = 2;
    p.contour.beta = 1;
    p.contour.clMax = 2;
    p.wingLoading = 64;
    return p;
}

PlotFrame frameOf(const ProjectData& p) {
    PlotFrame f = plotAreaOf(10000, 7000);
    f.xMin = p.contour.velocity[1];
    f.xMax = p.contour.velocity[2];
    f.yMin = p.contour.altitude[1];
    f.yMax = p.contour.altitude[2];
    return f;
}

TEST(ContourLevels, FiftyOneDrawFiftyTwoAreRefused) {
    const ContourLevels ok = contourLevels(0, 500, 10);
    EXPECT_TRUE(ok.message.empty());
    ASSERT_EQ(ok.levels.size(), 51u);
    EXPECT_EQ(ok.levels.front(), 0.0f);
    EXPECT_FLOAT_EQ(ok.levels.back(), 500.0f);
    const ContourLevels refused = contourLevels(0, 510, 10);
    EXPECT_EQ(refused.message, "You require 52 contours.  The maximum number is 51.");
    EXPECT_TRUE(refused.levels.empty());
}

TEST(ContourLevels, IncrementLimits) {
    ProjectData p = contourProject();
    p.contour.velocity[1] = 0;
    p.contour.velocity[2] = 1000;
    p.contour.velocity[3] = 10;
    EXPECT_EQ(contourIncrementMessage(p.contour), "");
    p.contour.velocity[2] = 1010;
    EXPECT_EQ(contourIncrementMessage(p.contour),
              "You require 101 velocity increments.  The maximum number is 100.");
}

TEST(ContourOverlays, MachLinesFollowTheSpeedOfSound) {
    const ProjectData p = contourProject();
    const PlotFrame f = frameOf(p);
    RecordingCanvas canvas(10000, 7000);
    drawMachLines(canvas, f, p);
    // a at 60 kft is 968 ft/s: Mach 1 and 2 fit below 2000 ft/s, each a line of 60 segments.
    const auto lines = canvas.opsOf(RecordingCanvas::Kind::Line);
    ASSERT_EQ(lines.size(), 120u);
    // The first Mach 1 segment starts at sea level at 1116.4 ft/s, truncated to whole picture units.
    const float x = std::trunc((1116.4f - 0.0f) * (f.right - f.left) / 2000.0f + f.left);
    EXPECT_FLOAT_EQ(lines[0].x1, x);
    EXPECT_FLOAT_EQ(lines[0].y1, f.bottom);
    EXPECT_EQ(canvas.opsOf(RecordingCanvas::Kind::Color)[0].x1, static_cast<float>(kMachColor));
}

TEST(ContourOverlays, Theta0LinesStayWithinTheirRange) {
    const ProjectData p = contourProject();
    RecordingCanvas canvas(10000, 7000);
    drawTheta0Lines(canvas, frameOf(p), p);
    // 0.8 .. 1.2 in steps of 0.05: nine lines of 60 segments.
    EXPECT_EQ(canvas.opsOf(RecordingCanvas::Kind::Line).size(), 9u * 60u);
}

TEST(ContourOverlays, StallAndDynamicPressureLinesAtSeaLevel) {
    const ProjectData p = contourProject();
    const PlotFrame f = frameOf(p);
    RecordingCanvas stall(10000, 7000);
    drawStallLine(stall, f, p);
    const auto lines = stall.opsOf(RecordingCanvas::Kind::Line);
    ASSERT_EQ(lines.size(), 30u); // 31 grid rows
    const double v = std::sqrt(2.0 * 64 / (0.0023768 * 2));
    EXPECT_FLOAT_EQ(lines[0].x1, std::trunc(static_cast<float>(v) * (f.right - f.left) / 2000.0f + f.left));
    RecordingCanvas q(10000, 7000);
    drawMaxDynamicPressureLine(q, f, p);
    const double vq = std::sqrt(2.0 * 2133 / 0.0023768);
    EXPECT_FLOAT_EQ(q.opsOf(RecordingCanvas::Kind::Line)[0].x1,
                    std::trunc(std::min(static_cast<float>(vq) * (f.right - f.left) / 2000.0f + f.left,
                                        static_cast<float>(f.right))));
}

TEST(ContourOverlays, TicksAndFrame) {
    const ProjectData p = contourProject();
    RecordingCanvas canvas(10000, 7000);
    drawContourTicks(canvas, frameOf(p), p);
    // 20 velocity divisions (19 inner ticks on two edges), 12 altitude divisions (11 on two edges), 4 edges.
    EXPECT_EQ(canvas.opsOf(RecordingCanvas::Kind::Line).size(), 2u * 19u + 2u * 11u + 4u);
}

} // namespace
} // namespace vededa

namespace vededa {
namespace {

TEST(ContourLabels, TitlesPerQuantityAndPage) {
    ProjectData p = test::freshProject();
    p.contour.quantity = kContourPs;
    EXPECT_EQ(contourTitle(p, 0, 600, 50, false), "Ps  (min = 0, max = 600, incr = 50 ft/sec)");
    p.contour.quantity = kContourRangeFactor;
    EXPECT_EQ(contourTitle(p, 0, 2000, 50, true), "RF  (min = 0, max = 2000, incr = 50 nm)");
    p.contour.quantity = kContourDragThrust;
    EXPECT_EQ(contourTitle(p, 0.1f, 1.2f, 0.05f, false), "Drag/Thrust@SL  (min = .1, max = 1.2, incr = .05)");
    p.unitSystem = kSI;
    p.contour.quantity = kContourFs;
    EXPECT_EQ(contourTitle(p, 0, 500, 50, false), "fs  (min = 0, max = 500, incr = 50 km)");
}

TEST(ContourLabels, AxisValuesCarryTheDigitsTheirSpacingNeeds) {
    struct Case {
        float value, step;
        const char* text;
    } cases[] = {{45, 5, "45"},
                 {1900, 300, "1900"},
                 {4.064024f, 1.016f, "4.1"},
                 {127.0015f, 96.52f, "127"},
                 {0.25f, 0.05f, "0.25"},
                 {18.288f, 1.016f, "18.3"},
                 {-0.0001f, 1.016f, "0"},
                 {std::nanf(""), 1, "0"},
                 {1.5f, 0, "2"}};
    for (const Case& c : cases)
        EXPECT_EQ(contourTickText(c.value, c.step), c.text) << c.value << " " << c.step;

    // A project converted to SI (ranges of 30.48..609.6 m/s and 0..18.288 km) gets short axis values.
    ProjectData p = contourProject();
    p.unitSystem = kSI;
    p.contour.velocity[1] = 30.48f, p.contour.velocity[2] = 609.6f, p.contour.velocity[3] = 15.24f;
    p.contour.altitude[1] = 0, p.contour.altitude[2] = 18.288f, p.contour.altitude[3] = 0.6096f;
    RecordingCanvas canvas(10000, 7000);
    const PlotFrame f = frameOf(p);
    drawContourLabels(canvas, f, p, 0, 400, 50, false);
    int values = 0;
    for (const auto& op : canvas.opsOf(RecordingCanvas::Kind::Text)) {
        const bool axisValue = (op.h == HAlign::Right && op.v == VAlign::Middle) ||
                               (op.h == HAlign::Center && op.y1 > static_cast<float>(f.bottom));
        if (!axisValue || op.text.find_first_not_of("0123456789.-") != std::string::npos) continue;
        ++values;
        EXPECT_LE(op.text.size(), 5u) << op.text;
    }
    EXPECT_GT(values, 15);

    // Long SI side values stay inside the picture (a smaller font where they would run off it).
    p.wingLoading = 3064.361f;
    p.contour.qMax = 102130;
    RecordingCanvas side(10000, 7000);
    drawContourLabels(side, f, p, 0, 400, 50, false);
    float font = side.startFontSize();
    for (const auto& op : side.ops()) {
        if (op.kind == RecordingCanvas::Kind::FontSize) font = op.x1;
        if (op.kind != RecordingCanvas::Kind::Text || op.h != HAlign::Left) continue;
        EXPECT_LE(op.x1 + 0.6f * font * static_cast<float>(op.text.size()), side.width()) << op.text;
    }
    EXPECT_EQ(font, side.startFontSize()); // the plot's font is back for what follows
}

} // namespace
} // namespace vededa
