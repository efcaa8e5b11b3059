// Inputs that make a constraint meaningless end it with a line naming the field; faults are found by
// explicit checks of the values, whatever code the compiler made.
#include "app/project_file.h"
#include "app/units.h"
#include "constraint/constraint_calculation.h"
#include "output/number_format.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vededa {
namespace {

ProjectData cruise(const char* type) {
    ProjectData p = test::freshProject();
    p.dragModel = 6;
    p.thrustModel = 6;
    p.constraintCount = 1;
    Constraint& c = p.constraints[1];
    c.type = type;
    c.p[1] = 1, c.p[2] = 0, c.p[3] = 518.69f, c.p[4] = 600, c.p[6] = 900, c.p[8] = 60, c.p[10] = 1;
    c.p[11] = 1.2f, c.p[12] = 0.05f, c.p[13] = 3, c.p[15] = 3000, c.p[16] = 1.15f, c.p[17] = 0.5f;
    c.p[18] = 3, c.p[21] = 4000, c.p[22] = 1;
    p.wsAxis[1] = 20, p.wsAxis[2] = 120, p.wsAxis[3] = 10;
    p.twAxis[1] = 0.4f, p.twAxis[2] = 2, p.twAxis[3] = 0.1f;
    return p;
}

struct BadInput {
    const char* what;
    const char* type;
    int parameter;
    float value;
    const char* mentions;
};
class MeaninglessInput : public ::testing::TestWithParam<BadInput> {};
TEST_P(MeaninglessInput, EndsTheConstraintWithALineNamingTheField) {
    const BadInput& b = GetParam();
    ProjectData p = cruise(b.type);
    p.constraints[1].p[static_cast<std::size_t>(b.parameter)] = b.value;
    const long before = nonFiniteOutputCount();
    const std::string page = ConstraintCalculation(p, 1);
    EXPECT_NE(page.find("*** Calculation ended"), std::string::npos) << page;
    EXPECT_NE(page.find(b.mentions), std::string::npos) << page;
    EXPECT_EQ(nonFiniteOutputCount(), before) << "a figure that is not a number reached the report:\n"
                                              << page;
    EXPECT_EQ(p.constraintPoints[1].count, 0);
}
INSTANTIATE_TEST_SUITE_P(
    Inputs, MeaninglessInput,
    ::testing::Values(BadInput{"zeroTemperature", "A", 3, 0, "temperature T"},
                      BadInput{"negativeTemperatureLanding", "H", 3, -10, "temperature T"},
                      BadInput{"zeroVelocity", "D", 4, 0, "division by zero (the velocity V is 0)"},
                      BadInput{"zeroInitialSpeed", "J", 4, 0, "velocity"},
                      BadInput{"zeroBeta", "B", 1, 0, "weight fraction beta"},
                      BadInput{"zeroThrustFraction", "A", 10, 0, "alpha times f"},
                      BadInput{"zeroClmaxTakeoff", "F", 10, 0, "CLmax"},
                      BadInput{"zeroFreeRollTime", "H", 18, 0, "tFR"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(ConstraintFaults, ReproducerWithTemperatureZeroPrintsNoInfinity) {
    ProjectData p = test::freshProject();
    ASSERT_TRUE(
        readProject(p, std::string(VEDEDA_REPRODUCER_DIR) + "/constraint_temperature0_mach_infinity.RUZ").ok);
    const long before = nonFiniteOutputCount();
    std::string all;
    for (int16_t n = 1; n <= p.constraintCount; ++n) all += ConstraintCalculation(p, n);
    EXPECT_EQ(nonFiniteOutputCount(), before);
    EXPECT_NE(all.find("the temperature T = 0 must be above 0"), std::string::npos);
}

TEST(ConstraintFaults, NegativeWingLoadingEndsTheGridAtThatPoint) {
    ProjectData p = cruise("A");
    p.wsAxis[1] = -20, p.wsAxis[2] = 40, p.wsAxis[3] = 20;
    const ConstraintOutcome o = calculateConstraint(p, 1);
    EXPECT_NE(o.failure.find("the wing loading W/S =-20 must be above 0"), std::string::npos) << o.failure;
}

TEST(ConstraintFaults, WingLoadingGridKeepsItsLastPointAfterAUnitSwitch) {
    // 1250 to 1750 Pa by 250 Pa is three points; in psf the end lies a rounding error beyond the sum.
    ProjectData p = cruise("A");
    p.unitSystem = kSI;
    setupUnits(p);
    p.constraints[1].p[3] = 288.15f, p.constraints[1].p[4] = 200;
    p.wsAxis[1] = 1250, p.wsAxis[2] = 1750, p.wsAxis[3] = 250;
    switchUnits(p, kEnglish);
    calculateConstraint(p, 1);
    ASSERT_EQ(p.constraintPoints[1].count, 3);
    test::expectNear(p.constraintPoints[1].wingLoading[3], p.wsAxis[2], 1e-4, "last W/S");
}

TEST(ConstraintFaults, AltitudeAboveTheTableSaysSo) {
    ProjectData p = cruise("A");
    p.constraints[1].p[2] = 150000;
    const std::string page = ConstraintCalculation(p, 1);
    EXPECT_NE(page.find("above the atmosphere table"), std::string::npos) << page;
}

} // namespace
} // namespace vededa
