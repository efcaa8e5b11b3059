#include "engine/gas_dynamics.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vededa {
namespace {

// Isentropic-flow table values for gamma = 1.4: Mach, A/A*, P/Pt.
struct IsentropicRow {
    float mach, areaRatio, pressureRatio;
};
class Isentropic : public ::testing::TestWithParam<IsentropicRow> {};

TEST_P(Isentropic, AreaRatioMatchesTheTable) {
    float m = GetParam().mach;
    test::expectNear(AreaRatioFromMach(1.4f, m), GetParam().areaRatio, 2e-5, "A/A*");
}
TEST_P(Isentropic, MachSquaredFromPressureRatioMatchesTheTable) {
    // The table's five digits of P/Pt fix the Mach number to a few parts in 1e4.
    EXPECT_NEAR(std::sqrt(MachSquaredFromPressureRatio(1.4f, GetParam().pressureRatio)), GetParam().mach,
                3e-4);
}
TEST_P(Isentropic, SubsonicMachFromAreaRatioInvertsTheTable) {
    if (GetParam().mach >= 0.95f) GTEST_SKIP() << "supersonic branch is not solved";
    const MachSolution s = MachFromAreaRatio(0.5f, GetParam().areaRatio, 1.4f);
    EXPECT_TRUE(s.converged);
    EXPECT_NEAR(s.mach, GetParam().mach, 3e-4);
}
INSTANTIATE_TEST_SUITE_P(
    Gamma14, Isentropic,
    ::testing::Values(IsentropicRow{0.1f, 5.82183f, 0.99303f}, IsentropicRow{0.2f, 2.96352f, 0.97250f},
                      IsentropicRow{0.5f, 1.33984f, 0.84302f}, IsentropicRow{0.8f, 1.03823f, 0.65602f},
                      IsentropicRow{1.0f, 1.0f, 0.52828f}, IsentropicRow{2.0f, 1.68750f, 0.12780f},
                      IsentropicRow{3.0f, 4.23457f, 0.02722f}));

TEST(AreaRatioFromMach, RaisesATinyMachInTheCallersVariable) {
    float m = 0;
    const float ratio = AreaRatioFromMach(1.4f, m);
    EXPECT_FLOAT_EQ(m, 0.001f);
    test::expectNear(ratio, 578.704, 1e-4, "A/A* at M = 0.001");
}

TEST(MachFromAreaRatio, StopsAtItsPassLimitWhenThereIsNoSubsonicSolution) {
    const MachSolution s = MachFromAreaRatio(0.5f, 0.9f, 1.4f); // A/A* below 1 has no solution
    EXPECT_FALSE(s.converged);
    EXPECT_LE(s.passes, kMachFromAreaPassLimit);
}

TEST(MassFlowParameter, SonicValueOfAirInEnglishUnits) {
    // 0.5318 lbm·sqrt(R)/(lbf·s) for gamma 1.4 and R = 53.34 ft·lbf/(lbm·R).
    test::expectNear(MassFlowParameter(1.0f, 1.4f, 53.34f, 32.174f), 0.53184, 2e-4, "MFP*");
    float m = 0.5f;
    test::expectNear(MassFlowParameter(0.5f, 1.4f, 53.34f, 32.174f) * AreaRatioFromMach(1.4f, m),
                     MassFlowParameter(1.0f, 1.4f, 53.34f, 32.174f), 1e-6, "MFP·A/A* is constant");
}

struct RamCase {
    float mach, recovery;
};
class Ram : public ::testing::TestWithParam<RamCase> {};
TEST_P(Ram, RecoveryFollowsTheInletLaw) {
    test::expectNear(ramRecovery(GetParam().mach), GetParam().recovery, 1e-5, "eta_R");
}
INSTANTIATE_TEST_SUITE_P(Mach, Ram,
                         ::testing::Values(RamCase{0.5f, 1.0f}, RamCase{1.0f, 1.0f}, RamCase{2.0f, 0.925f},
                                           RamCase{6.0f, 800.0f / (1296.0f + 935.0f)}));

TEST(CorrectedMassFlows, FanFaceAtSeaLevelStaticIsTheMassFlow) {
    const CorrectedFlows c =
        correctedMassFlows(100, 518.69f, 14.696f, 1, 1, 1, 0, 1, 1, 144, 518.69f, 2116.224f);
    test::expectNear(c.fanFace, 100, 1e-5, "m_c2");
    EXPECT_FLOAT_EQ(c.compressorFace, c.fanFace);
    // Behind a fan of pressure ratio 4 and temperature ratio 1.6 with bypass ratio 1, the core flow is
    // half, hotter and denser.
    const CorrectedFlows f =
        correctedMassFlows(100, 518.69f, 14.696f, 1, 1, 1, 1, 1.6f, 4, 144, 518.69f, 2116.224f);
    test::expectNear(f.compressorFace, 50 * std::sqrt(1.6) / 4, 1e-5, "m_c25");
}

} // namespace
} // namespace vededa
