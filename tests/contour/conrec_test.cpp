#include "contour/conrec.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vededa {
namespace {

ContourGrid gridOf(int rows, int cols, float (*f)(float, float)) {
    ContourGrid g;
    for (int c = 0; c < cols; ++c) g.x.push_back(static_cast<float>(c));
    for (int r = 0; r < rows; ++r) g.y.push_back(static_cast<float>(r));
    g.values.assign(static_cast<std::size_t>(rows), std::vector<float>(static_cast<std::size_t>(cols)));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            g.values[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] =
                f(g.x[static_cast<std::size_t>(c)], g.y[static_cast<std::size_t>(r)]);
    return g;
}

TEST(Contour, PlaneGivesStraightLinesAtTheLevel) {
    // z = x: the level 2.5 is the vertical line x = 2.5, and every segment lies on it.
    const ContourGrid g = gridOf(5, 6, [](float x, float) { return x; });
    std::vector<ContourSegment> segments;
    contourGrid(g, {2.5f}, [&](const ContourSegment& s) { segments.push_back(s); });
    ASSERT_FALSE(segments.empty());
    float covered = 0;
    for (const ContourSegment& s : segments) {
        EXPECT_FLOAT_EQ(s.x1, 2.5f);
        EXPECT_FLOAT_EQ(s.x2, 2.5f);
        covered += std::fabs(s.y2 - s.y1);
    }
    EXPECT_FLOAT_EQ(covered, 4.0f); // the whole height of the field
}

TEST(Contour, ConeGivesCirclesThroughInterpolatedPoints) {
    // A cone z = distance from (5, 5): points of level 3 lie near the circle of radius 3.
    const ContourGrid g = gridOf(11, 11, [](float x, float y) { return std::hypot(x - 5.0f, y - 5.0f); });
    int count = 0;
    contourGrid(g, {1.5f, 3.0f}, [&](const ContourSegment& s) {
        const float radius = s.level == 0 ? 1.5f : 3.0f;
        EXPECT_NEAR(std::hypot(s.x1 - 5.0f, s.y1 - 5.0f), radius, 0.15f);
        EXPECT_NEAR(std::hypot(s.x2 - 5.0f, s.y2 - 5.0f), radius, 0.15f);
        ++count;
    });
    EXPECT_GT(count, 16);
}

TEST(Contour, LevelsOutsideTheDataDrawNothing) {
    const ContourGrid g = gridOf(3, 3, [](float x, float y) { return x + y; });
    int count = 0;
    contourGrid(g, {-1.0f, 10.0f}, [&](const ContourSegment&) { ++count; });
    EXPECT_EQ(count, 0);
}

} // namespace
} // namespace vededa
