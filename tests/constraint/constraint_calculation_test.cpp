#include "app/project_file.h"
#include "constraint/constraint_calculation.h"
#include "models/atmosphere.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vededa {
namespace {

/// A project with one constraint of `type` at sea level, drag model 6 and user-value thrust (alpha = p22).
ProjectData oneConstraint(const char* type) {
    ProjectData p = test::freshProject();
    p.dragModel = 6;
    p.thrustModel = 6;
    p.constraintCount = 1;
    Constraint& c = p.constraints[1];
    c.type = type;
    c.p[1] = 1, c.p[2] = 0, c.p[3] = 518.69f, c.p[4] = 600, c.p[10] = 1, c.p[22] = 1;
    p.wsAxis[1] = 20, p.wsAxis[2] = 120, p.wsAxis[3] = 10;
    p.twAxis[1] = 0.4f, p.twAxis[2] = 2, p.twAxis[3] = 0.1f;
    return p;
}

std::vector<ConstraintPointRow> pointRows(const ConstraintOutcome& o) {
    std::vector<ConstraintPointRow> rows;
    for (const auto& r : o.rows)
        if (!r.isText) rows.push_back(r);
    return rows;
}

TEST(ConstraintCalculation, CruiseClosedForm) {
    ProjectData p = oneConstraint("A");
    const ConstraintOutcome o = calculateConstraint(p, 1);
    ASSERT_TRUE(o.failure.empty());
    FlightCondition fc;
    atmosphere(fc, p.units);
    const double q = fc.delta * p.units.rhoSL * 600.0 * 600.0 / 2.0;
    const auto rows = pointRows(o);
    ASSERT_EQ(rows.size(), 11u);
    for (const auto& r : rows) {
        test::expectNear(r.cl, r.wingLoading / q, 1e-5, "CL");
        test::expectNear(r.thrustLoading, q * r.cd / r.wingLoading, 1e-5, "T/W = q CD / (W/S)");
    }
    EXPECT_EQ(p.constraintPoints[1].count, 11);
    EXPECT_TRUE(p.constraintPlotMade);
}

TEST(ConstraintCalculation, GridFromZeroStartsAtOneHundredthAndStopsAt51Points) {
    ProjectData p = oneConstraint("A");
    p.wsAxis[1] = 0, p.wsAxis[2] = 1000, p.wsAxis[3] = 10;
    calculateConstraint(p, 1);
    const ConstraintPoints& pts = p.constraintPoints[1];
    ASSERT_EQ(pts.count, 51);
    EXPECT_FLOAT_EQ(pts.wingLoading[1], 0.01f);
    EXPECT_FLOAT_EQ(pts.wingLoading[2], 10.0f);
    EXPECT_FLOAT_EQ(pts.wingLoading[3], 20.0f);
    EXPECT_FLOAT_EQ(pts.thrustLoading[1], 99.0f) << "T/W above 100 is stored as 99";
}

TEST(ConstraintCalculation, TurnAndExcessPowerTerms) {
    ProjectData p = oneConstraint("C");
    p.constraints[1].p[5] = 3;
    const auto turn = pointRows(calculateConstraint(p, 1));
    p.constraints[1].type = "E";
    p.constraints[1].p[8] = 60; // Ps [ft/s]
    const auto ceiling = pointRows(calculateConstraint(p, 1));
    FlightCondition fc;
    atmosphere(fc, p.units);
    const double q = fc.delta * p.units.rhoSL * 600.0 * 600.0 / 2.0;
    test::expectNear(turn[0].cl, 3 * 20 / q, 1e-5, "CL = n W/S / q");
    test::expectNear(turn[0].thrustLoading, 3 * turn[0].cd / turn[0].cl, 1e-5, "T/W = n CD / CL");
    test::expectNear(ceiling[0].thrustLoading, ceiling[0].cd / ceiling[0].cl + 0.1, 1e-5, "T/W + Ps/V");
}

TEST(ConstraintCalculation, ZeroVelocityEndsOnlyThatConstraint) {
    ProjectData p = oneConstraint("A");
    p.constraintCount = 2;
    p.constraints[2] = p.constraints[1];
    p.constraints[1].p[4] = 0;
    const ConstraintOutcome bad = calculateConstraint(p, 1);
    EXPECT_NE(bad.failure.find("division by zero"), std::string::npos) << bad.failure;
    EXPECT_EQ(p.constraintPoints[1].count, 0);
    const ConstraintOutcome good = calculateConstraint(p, 2);
    EXPECT_TRUE(good.failure.empty());
    EXPECT_EQ(p.constraintPoints[2].count, 11);
}

/// The acceleration time of type J at `tw`, by the trapezoidal rule in V^2 over 20 steps.
double accelerationTime(const ProjectData& p, float ws, float tw) {
    const Constraint& c = p.constraints[1];
    FlightCondition fc;
    fc.altitude = c.p[2];
    atmosphere(fc, p.units);
    const double rho = fc.delta / (c.p[3] / p.units.TSL) * p.units.rhoSL;
    const double vi = c.p[4], vf = c.p[6], dv2 = (vf * vf - vi * vi) / 20;
    double t = 0, previous = 0;
    for (int k = 0; k <= 20; ++k) {
        const double v = std::sqrt(vi * vi + k * dv2);
        const double cl = ws / (rho * v * v / 2);
        const double cd = 0.14 * cl * cl + 0.018; // drag model 6 below Mach 0.8
        const double ps = (tw - cd / cl) * v;     // beta = alpha = 1
        if (k > 0) t += (1 / ps + 1 / previous) * dv2 / (4 * p.units.g0);
        previous = ps;
    }
    return t;
}

TEST(ConstraintCalculation, AccelerationTimeIsMetWithinOneSecond) {
    ProjectData p = oneConstraint("J");
    Constraint& c = p.constraints[1];
    c.p[4] = 300, c.p[6] = 800, c.p[8] = 40;
    const ConstraintOutcome o = calculateConstraint(p, 1);
    ASSERT_TRUE(o.failure.empty()) << o.failure;
    const auto rows = pointRows(o);
    ASSERT_EQ(rows.size(), 11u);
    for (const auto& r : rows) EXPECT_NEAR(accelerationTime(p, r.wingLoading, r.thrustLoading), 40.0, 1.0);
    c.p[8] = 0; // Ps = 0 cannot occur, but a huge drag balance gives the marker value
    p.wsAxis[1] = 0;
    c.p[4] = 1, c.p[6] = 2;
    EXPECT_FLOAT_EQ(pointRows(calculateConstraint(p, 1))[1].thrustLoading, 99.99f);
}

TEST(ConstraintCalculation, TakeoffWithTooSmallKtoWarnsEveryPoint) {
    ProjectData p = oneConstraint("G");
    Constraint& c = p.constraints[1];
    c.p[8] = 0.1f, c.p[10] = 2, c.p[11] = 1.1f, c.p[12] = 0.05f, c.p[13] = 3, c.p[14] = 50, c.p[15] = 2000;
    const ConstraintOutcome o = calculateConstraint(p, 1);
    EXPECT_EQ(o.warnings.size(), 11u);
    EXPECT_EQ(o.warnings[0],
              " *** kTO is TOO Small, must be 1.12 or larger for aircraft to transition for climb ***");
    for (const auto& r : pointRows(o)) {
        EXPECT_EQ(r.obstacle, 10000.0f);
        EXPECT_EQ(r.thrustLoading, 10000.0f);
    }
}

TEST(ConstraintCalculation, TakeoffWithoutClimbGradientReportsThePoint) {
    ProjectData p = oneConstraint("G");
    Constraint& c = p.constraints[1];
    c.p[8] = 0.1f, c.p[10] = 2, c.p[11] = 1.2f, c.p[12] = 0.05f, c.p[13] = 3, c.p[14] = 50, c.p[15] = 2000;
    p.lastThrustLoading = 0;
    const ConstraintOutcome o = calculateConstraint(p, 1);
    ASSERT_FALSE(o.rows.empty());
    EXPECT_TRUE(o.rows[0].isText);
    EXPECT_NE(o.rows[0].text.find("No climb possible at W/S = 20"), std::string::npos) << o.rows[0].text;
    EXPECT_TRUE(o.failure.empty());
    // With a climbing start the obstacle distance is transition plus climb, and the roll is what is left.
    p.lastThrustLoading = 0.6f;
    const auto rows = pointRows(calculateConstraint(p, 1));
    ASSERT_EQ(rows.size(), 11u);
    for (const auto& r : rows) EXPECT_NEAR(r.groundRoll + r.rotation + r.obstacle, 2000.0f, 0.01f);
}

TEST(ConstraintCalculation, TakeoffNoObstacleMatchesTheGroundRoll) {
    ProjectData p = oneConstraint("F");
    Constraint& c = p.constraints[1];
    c.p[8] = 0.0f, c.p[9] = 0, c.p[10] = 2, c.p[11] = 1.2f, c.p[12] = 0.05f, c.p[13] = 3, c.p[15] = 1500;
    const auto rows = pointRows(calculateConstraint(p, 1));
    ASSERT_EQ(rows.size(), 11u);
    const double cl = 2 / 1.44, cd = 0.14 * cl * cl + 0.018, xi = cd - 0.05 * cl;
    FlightCondition fc;
    atmosphere(fc, p.units);
    const double rho = fc.delta * p.units.rhoSL;
    for (const auto& r : rows) {
        const double vto = 1.2 * std::sqrt(2 * r.wingLoading / (rho * 2));
        const double sg = 1500 - 3 * vto;
        const double e = sg * rho * p.units.g0 * xi / r.wingLoading;
        test::expectNear(r.thrustLoading, (xi / cl) / (1 - std::exp(-e)) + 0.05, 1e-4, "T/W");
    }
}

TEST(ConstraintCalculation, LandingWithoutThrustGivesOneWingLoading) {
    ProjectData p = oneConstraint("H");
    Constraint& c = p.constraints[1];
    c.p[22] = 0;
    const ConstraintOutcome o = calculateConstraint(p, 1);
    const auto rows = pointRows(o);
    ASSERT_EQ(rows.size(), 17u);
    for (const auto& r : rows) {
        EXPECT_FLOAT_EQ(r.wingLoading, rows[0].wingLoading);
        EXPECT_NEAR(r.braking + r.freeRoll, c.p[21], 0.5f) << "the distances add up to the field length";
    }
    EXPECT_FLOAT_EQ(rows[0].thrustLoading, 0.4f);
}

TEST(ConstraintCalculation, LandingRowsFromZeroThrustAndNegativeRoot) {
    ProjectData p = oneConstraint("H");
    p.twAxis[1] = 0;
    p.constraints[1].p[22] = 0;
    auto rows = pointRows(calculateConstraint(p, 1));
    ASSERT_GE(rows.size(), 3u);
    EXPECT_FLOAT_EQ(rows[0].thrustLoading, 0.001f);
    EXPECT_FLOAT_EQ(rows[1].thrustLoading, 0.1f);
    EXPECT_FLOAT_EQ(rows[2].thrustLoading, 0.2f);
    // Forward thrust during the roll: the braking term turns negative and the root with it.
    p = oneConstraint("H");
    p.constraints[1].p[22] = 1;
    const ConstraintOutcome o = calculateConstraint(p, 1);
    ASSERT_FALSE(o.rows.empty());
    EXPECT_EQ(o.rows[0].text, "           .4  Square Root of Negative in Solution");
}

TEST(ConstraintCalculation, BundledProjectRunsEveryType) {
    auto p = std::make_unique<ProjectData>();
    initializeProject(*p);
    ASSERT_TRUE(readProject(*p, test::dataPath("Vededa.RUZ")));
    for (int16_t n = 1; n <= p->constraintCount; ++n) {
        const ConstraintOutcome o = calculateConstraint(*p, n);
        EXPECT_TRUE(o.failure.empty()) << n << o.failure;
        EXPECT_GT(p->constraintPoints[static_cast<std::size_t>(n)].count, 1) << n;
    }
}

} // namespace
} // namespace vededa
