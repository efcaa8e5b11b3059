#include "models/drag_polar.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vededa {
namespace {

DragPolar evaluate(ProjectData& p, int16_t model, float mach, float cl, float cdr = 0) {
    p.dragModel = model;
    FlightCondition fc;
    fc.mach = mach;
    DragPolar polar;
    polar.cl = cl;
    polar.cdr = cdr;
    evaluateDragPolar(polar, fc, p);
    return polar;
}

void setTable(DragTable& t, std::initializer_list<std::pair<float, float>> points) {
    t.count = static_cast<int16_t>(points.size());
    std::size_t i = 1;
    for (auto [m, v] : points) {
        t.mach[i] = m;
        t.value[i] = v;
        ++i;
    }
}

TEST(DragPolar, TransportModelOneAtMachHalf) {
    ProjectData p = test::freshProject();
    const DragPolar d = evaluate(p, 1, 0.5f, 0.5f);
    test::expectNear(d.k1, 0.047810, 1e-5, "K1");
    test::expectNear(d.k2, -0.0002, 1e-6, "K2");
    test::expectNear(d.cd0, 0.01801, 1e-6, "CD0");
    test::expectNear(d.cd, 0.0298625, 1e-5, "CD");
}

TEST(DragPolar, TransportDragRiseAboveMachPointEight) {
    ProjectData p = test::freshProject();
    const DragPolar d = evaluate(p, 2, 0.9f, 0.0f);
    test::expectNear(d.cd0, 0.0567, 1e-5, "CD0 = 0.03 * 0.09 + 0.054");
    EXPECT_FLOAT_EQ(d.cd, d.cd0);
}

struct FighterCase {
    int16_t model;
    float mach, k1, cd0;
};

class FighterPolar : public ::testing::TestWithParam<FighterCase> {};

TEST_P(FighterPolar, PiecewiseLinearBreakpoints) {
    const FighterCase c = GetParam();
    ProjectData p = test::freshProject();
    const DragPolar d = evaluate(p, c.model, c.mach, 0.3f, 0.01f);
    test::expectNear(d.k1, c.k1, 1e-5, "K1");
    test::expectNear(d.cd0, c.cd0, 1e-5, "CD0");
    EXPECT_EQ(d.k2, 0.0f);
    test::expectNear(d.cd, c.k1 * 0.09 + c.cd0 + 0.01, 1e-5, "CD");
}

INSTANTIATE_TEST_SUITE_P(
    Models5And6, FighterPolar,
    ::testing::Values(FighterCase{6, 0.8f, 0.14f, 0.018f}, FighterCase{6, 1.2f, 0.2f, 0.04f},
                      FighterCase{6, 1.6f, 0.35f, 0.039f}, FighterCase{6, 1.0f, 0.17f, 0.029f},
                      FighterCase{5, 0.5f, 0.2f, 0.012f}, FighterCase{5, 1.4f, 0.25f, 0.028f},
                      FighterCase{5, 2.4f, 0.5f, 0.026333f}));

TEST(DragPolar, UserTablesInterpolateExtrapolateAndClamp) {
    ProjectData p = test::freshProject();
    setTable(p.k1Table, {{0.0f, 0.2f}, {1.0f, 0.3f}});
    setTable(p.k2Table, {{0.5f, 7.0f}});
    setTable(p.cd0Table, {{0.0f, 0.02f}, {1.0f, 0.03f}, {2.0f, 0.01f}});
    DragPolar d = evaluate(p, 7, 0.5f, 1.0f);
    EXPECT_FLOAT_EQ(d.k1, 0.25f);
    EXPECT_EQ(d.k2, 0.0f) << "a one-point table gives 0";
    EXPECT_FLOAT_EQ(d.cd0, 0.025f);
    d = evaluate(p, 7, -1.0f, 1.0f);
    EXPECT_FLOAT_EQ(d.k1, 0.1f) << "extrapolated along the first segment";
    d = evaluate(p, 7, -3.0f, 1.0f);
    EXPECT_FLOAT_EQ(d.k1, 0.0001f) << "a negative K1 is clamped";
    d = evaluate(p, 7, 1.0f, 1.0f);
    EXPECT_FLOAT_EQ(d.k1, 0.3f) << "the last point's value at its Mach number";
    d = evaluate(p, 7, 2.0f, 1.0f);
    EXPECT_FLOAT_EQ(d.k1, 0.4f) << "extrapolated along the last segment";
    EXPECT_FLOAT_EQ(d.cd0, 0.01f);
    d = evaluate(p, 7, 4.0f, 1.0f);
    EXPECT_FLOAT_EQ(d.cd0, 0.000001f) << "a negative CD0 is clamped";
}

TEST(DragPolar, NoModelKeepsTheCoefficients) {
    ProjectData p = test::freshProject();
    p.dragModel = 0;
    FlightCondition fc;
    DragPolar d{.cl = 2, .cdr = 0.5f, .k1 = 0.1f, .k2 = 0.01f, .cd0 = 0.02f, .cd = 0};
    evaluateDragPolar(d, fc, p);
    EXPECT_FLOAT_EQ(d.k1, 0.1f);
    EXPECT_FLOAT_EQ(d.cd, 0.1f * 4 + 0.02f + 0.02f + 0.5f);
}

TEST(DragInput, DoneChecksInOrder) {
    ProjectData p = test::freshProject();
    EXPECT_EQ(dragTablesCheck(p), "Can not have less than two K1 data points");
    setTable(p.k1Table, {{0.0f, 0.2f}, {0.0f, 0.3f}});
    EXPECT_EQ(dragTablesCheck(p), "Mach number must increase between K1 data points");
    setTable(p.k1Table, {{0.0f, 0.2f}, {1.0f, 0.3f}});
    setTable(p.k2Table, {{1.0f, 0.2f}, {0.5f, 0.3f}});
    EXPECT_EQ(dragTablesCheck(p), "Mach number must increase between K2 data points");
    setTable(p.k2Table, {{1.0f, 0.2f}});
    EXPECT_EQ(dragTablesCheck(p), "Can not have less than two CD0 data points");
    setTable(p.cd0Table, {{0.0f, 0.2f}, {1.0f, 0.3f}, {1.0f, 0.3f}});
    EXPECT_EQ(dragTablesCheck(p), "Mach number must increase between CD0 data points");
    setTable(p.cd0Table, {{0.0f, 0.2f}, {1.0f, 0.3f}});
    EXPECT_EQ(dragTablesCheck(p), "");
}

TEST(DragInput, PointCountEdits) {
    DragTable t;
    t.count = 4;
    DragCountEdit e = editDragCount(t, "11.4");
    EXPECT_EQ(e.warning, "Maximum number of points is 11");
    EXPECT_EQ(t.count, 11);
    t.count = 4;
    e = editDragCount(t, "12");
    EXPECT_EQ(e.warning, "Maximum number of points is 11");
    EXPECT_EQ(t.count, 4);
    e = editDragCount(t, "11.6");
    EXPECT_EQ(t.count, 4) << "rounds above 11: not taken";
    e = editDragCount(t, "abc");
    EXPECT_EQ(e.warning, "");
    EXPECT_EQ(t.count, 0);
}

} // namespace
} // namespace vededa
