#include "mission/mission_plot.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vededa {
namespace {

TEST(MissionPlot, RaisedAxisMaximum) {
    EXPECT_EQ(raisedAxisMaximum(47.0f), 50.0f);
    EXPECT_EQ(raisedAxisMaximum(4.2f), 5.0f);
    EXPECT_FLOAT_EQ(raisedAxisMaximum(0.35f), 0.4f);
    EXPECT_EQ(raisedAxisMaximum(1234.0f), 2000.0f);
    EXPECT_EQ(raisedAxisMaximum(12345.0f), 20000.0f);
    EXPECT_EQ(raisedAxisMaximum(150.0f), 200.0f);
    EXPECT_EQ(raisedAxisMaximum(0.0f), 0.0f);
    EXPECT_EQ(raisedAxisMaximum(-3.0f), -3.0f);
}

ProjectData computedMission(int legs) {
    ProjectData p = test::freshProject();
    p.missionResults.lastLeg = static_cast<int16_t>(legs);
    float beta = 1;
    for (int i = 1; i <= legs; ++i) {
        p.betaStart[static_cast<std::size_t>(i)] = beta;
        p.missionResults.pi[static_cast<std::size_t>(i)] = 0.99f;
        p.missionResults.time[static_cast<std::size_t>(i)] = 60.0f * static_cast<float>(i);
        beta *= 0.99f;
    }
    p.betaStart[static_cast<std::size_t>(legs) + 1] = beta;
    return p;
}

TEST(MissionPlot, BarsPerLegWithCyclingColours) {
    ProjectData p = computedMission(29);
    for (int i = 1; i <= 29; ++i) p.betaStart[static_cast<std::size_t>(i)] = 0.95f;
    p.betaStart[3] = 0.83f;
    RecordingCanvas canvas(9000, 6000);
    drawMissionPlot(canvas, p, MissionPlotQuantity::Beta);
    const auto bars = canvas.opsOf(RecordingCanvas::Kind::FilledBox);
    ASSERT_EQ(bars.size(), 29u);
    // Colour before each bar: 1..14, then again from 1 (legs 15 and 29 share leg 1's colour).
    std::vector<int> barColors;
    int color = -1;
    for (const auto& op : canvas.ops()) {
        if (op.kind == RecordingCanvas::Kind::Color) color = static_cast<int>(op.x1);
        if (op.kind == RecordingCanvas::Kind::FilledBox) barColors.push_back(color);
    }
    EXPECT_EQ(barColors[0], 1);
    EXPECT_EQ(barColors[13], 14);
    EXPECT_EQ(barColors[14], 1);
    EXPECT_EQ(barColors[28], 1);
    // The Y axis runs from 0.8 (the smallest beta cut down to a tenth) to 1: its end labels say so.
    bool low = false, high = false;
    for (const auto& t : canvas.opsOf(RecordingCanvas::Kind::Text)) {
        low = low || t.text == "0.80";
        high = high || t.text == "1.00";
    }
    EXPECT_TRUE(low);
    EXPECT_TRUE(high);
}

TEST(MissionPlot, CumulativeTimeRaisesTheMaximumOfTheRunningSum) {
    ProjectData p = computedMission(3); // 1 + 2 + 3 minutes
    RecordingCanvas canvas(9000, 6000);
    drawMissionPlot(canvas, p, MissionPlotQuantity::CumulativeTime);
    const auto bars = canvas.opsOf(RecordingCanvas::Kind::FilledBox);
    ASSERT_EQ(bars.size(), 3u);
    // The last bar reaches 6 minutes of an axis raised to 7: 6/7 of the plot height.
    const float bottom = 6000 - 600, top = 700;
    EXPECT_NEAR(bars[2].y2, bottom - 6.0f / 7.0f * (bottom - top), 1.0f);
}

TEST(MissionPlot, NothingComputedDrawsAnEmptyPlot) {
    const ProjectData p = test::freshProject();
    RecordingCanvas canvas(9000, 6000);
    drawMissionPlot(canvas, p, MissionPlotQuantity::Time);
    EXPECT_TRUE(canvas.opsOf(RecordingCanvas::Kind::FilledBox).empty());
}

} // namespace
} // namespace vededa

TEST(MissionPlotAxisLabel, SitsInsideThePictureAboveTheAxis) {
    vededa::ProjectData p;
    vededa::initializeProject(p);
    vededa::RecordingCanvas canvas(9000, 6000, 180);
    vededa::drawMissionPlot(canvas, p, vededa::MissionPlotQuantity::CumulativeTime);
    bool found = false;
    for (const auto& op : canvas.opsOf(vededa::RecordingCanvas::Kind::Text)) {
        if (op.text != "Time (min)") continue;
        found = true;
        // Left-aligned at the axis, so a label of any length starts inside the picture.
        EXPECT_EQ(op.h, vededa::HAlign::Left);
        EXPECT_GE(op.x1, 0.0f);
    }
    EXPECT_TRUE(found);
}
