#include "output/plot_frame.h"

#include <gtest/gtest.h>

namespace vededa {
namespace {

struct CaptureCase {
    float x, y;         // picture point
    float wantX, wantY; // data point
};

class PlotCaptureTest : public ::testing::TestWithParam<CaptureCase> {};

// A frame from picture x 500..8900 and y 6500 (bottom) .. 500 (top), data 0..100 by 0..2.
TEST_P(PlotCaptureTest, ConvertsAndClampsToTheFrame) {
    const PlotFrame frame{500, 8900, 6500, 500, 0, 100, 0, 2};
    const CaptureCase c = GetParam();
    const PlotPoint p = PlotCoordinatesAt(frame, c.x, c.y);
    EXPECT_NEAR(p.x, c.wantX, 1e-4);
    EXPECT_NEAR(p.y, c.wantY, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(Points, PlotCaptureTest,
                         ::testing::Values(CaptureCase{500, 6500, 0, 0},     // bottom-left corner
                                           CaptureCase{8900, 500, 100, 2},   // top-right corner
                                           CaptureCase{4700, 3500, 50, 1},   // centre
                                           CaptureCase{100, 7000, 0, 0},     // outside, low side
                                           CaptureCase{9500, 100, 100, 2})); // outside, high side

TEST(PlotCapture, FrameWithoutExtentGivesTheMinimum) {
    const PlotFrame frame{500, 500, 600, 600, 3, 9, -1, 4};
    const PlotPoint p = PlotCoordinatesAt(frame, 700, 200);
    EXPECT_EQ(p.x, 3.0f);
    EXPECT_EQ(p.y, -1.0f);
}

} // namespace
} // namespace vededa
