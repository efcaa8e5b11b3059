#include "mission/mission_calculation.h"
#include "mission/mission_report.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vededa {
namespace {

/// A simple aircraft: a Mach-independent polar and an engine whose lapse is delta0 (x 0.6 dry) and whose
/// TSFC coefficient is 1.0 per hour dry and 2.0 with afterburner.
AnalysisModels simpleModels(float k1 = 0.1f, float cd0 = 0.02f) {
    AnalysisModels m;
    m.polar = [k1, cd0](float) { return PolarCoefficients{k1, 0.0f, cd0}; };
    m.thrustLapse = [](float mach, float theta, float delta, int16_t ab, float) {
        (void)theta;
        const float delta0 = delta * std::pow(1.0f + 0.2f * mach * mach, 3.5f);
        return std::max(0.001f, (ab ? 1.0f : 0.6f) * delta0);
    };
    m.tsfcCoefficient = [](float, int16_t ab) { return ab ? 2.0f : 1.0f; };
    return m;
}

ProjectData aircraft(int16_t thrustModel = 2) {
    ProjectData p = test::freshProject();
    p.thrustModel = thrustModel;
    p.tsfcModel = thrustModel;
    p.dragModel = 6;
    p.wingLoading = 64;
    p.thrustLoading = 1.0f;
    p.takeoffWeight() = 20000;
    deriveAircraftValues(p);
    p.betaStart[1] = 1.0f;
    p.clock.fixedDate = "12/8/2026";
    return p;
}

MissionLeg& addLegOf(ProjectData& p, const char* type) {
    p.legCount = static_cast<int16_t>(p.legCount + 1);
    MissionLeg& leg = p.legs[static_cast<std::size_t>(p.legCount)];
    leg = MissionLeg{};
    leg.type = type;
    leg.name = std::string("leg ") + type;
    return leg;
}

/// A 200 nm cruise at 36,000 ft (390.5 R) and 870 ft/s.
void addCruise(ProjectData& p) {
    MissionLeg& e = addLegOf(p, "E");
    e.p[1] = 36000;
    e.p[2] = 390.5f;
    e.p[3] = 870;
    e.p[4] = 0.9f;
    e.p[15] = 200;
}

TEST(MissionLegs, ClimbWithoutAltitudeChangeBurnsNothing) {
    ProjectData p = aircraft();
    MissionLeg& a = addLegOf(p, "A");
    a.p[1] = a.p[5] = 30000;
    a.p[2] = 411.86f;
    a.p[3] = 900;
    computeMissionLeg(p, simpleModels(), 1);
    EXPECT_FLOAT_EQ(p.missionResults.pi[1], 1.0f);
    EXPECT_FLOAT_EQ(p.missionResults.time[1], 0.0f);
    EXPECT_FLOAT_EQ(p.betaStart[2], 1.0f);
}

// A user's TSFC equation taken beyond its range can go negative: the leg is refused with a line rather
// than flown with a fuel gain, and the weight it hands on is the weight it received.
TEST(MissionLegs, ANegativeTsfcFromTheModelRefusesTheLeg) {
    ProjectData p = aircraft(1);
    addCruise(p);
    AnalysisModels m = simpleModels();
    m.tsfcCoefficient = [](float, int16_t) { return -0.4f; };
    const std::string report = computeMissionLeg(p, m, 1);
    EXPECT_NE(report.find("Leg not computed: the TSFC model gave a negative fuel consumption"),
              std::string::npos)
        << report;
    EXPECT_FLOAT_EQ(p.missionResults.pi[1], 1.0f);
    EXPECT_FLOAT_EQ(p.betaStart[2], 1.0f);
}

TEST(MissionLegs, DecelerationTakesNoTimeAndNoFuel) {
    ProjectData p = aircraft();
    MissionLeg& b = addLegOf(p, "B");
    b.p[1] = 30000;
    b.p[3] = 1400;
    b.p[6] = 900;
    computeMissionLeg(p, simpleModels(), 1);
    EXPECT_FLOAT_EQ(p.missionResults.time[1], 0.0f);
    EXPECT_FLOAT_EQ(p.missionResults.pi[1], 1.0f);
}

TEST(MissionLegs, CruiseFollowsTheBreguetRangeEquation) {
    ProjectData p = aircraft(1); // no afterburner: C = 1 per hour
    addCruise(p);
    const std::string report = computeMissionLeg(p, simpleModels(), 1);
    // Closed form with the same flight condition.
    const double theta = 390.5 / 518.69;
    const double delta = 476.1 / 2116.2;
    const double rho = delta / theta * 0.0023768;
    const double q = 0.5 * rho * 870.0 * 870.0;
    const double cl = 64.0 / q;
    const double cd = 0.1 * cl * cl + 0.02;
    const double pi = std::exp(-1.0 * std::sqrt(theta) * (cd / cl) * 200 * 6080 / 870 / 3600);
    test::expectNear(p.missionResults.pi[1], pi, 2e-6, "PI");
    test::expectNear(p.missionResults.time[1], 200 * 6080 / 870.0, 1e-6, "time");
    test::expectNear(p.missionResults.distance[1], 200, 1e-7, "distance");
    EXPECT_NE(report.find("---------------------- RESULTS ----------------------"), std::string::npos);
}

TEST(MissionLegs, CruiseDistanceCountedFromAnEarlierLeg) {
    ProjectData p = aircraft(1);
    MissionLeg& climb = addLegOf(p, "C");
    climb.p[1] = 0;
    climb.p[2] = 518.69f;
    climb.p[3] = 300;
    climb.p[4] = 0.27f;
    climb.p[5] = 30000;
    climb.p[6] = 800;
    climb.p[7] = 0.8f;
    for (int j = 0; j < 3; ++j) {
        MissionLeg& e = addLegOf(p, "E");
        e.p[1] = 30000;
        e.p[2] = 411.86f;
        e.p[3] = 800;
        e.p[4] = 0.8f;
    }
    p.legs[2].p[15] = 100;
    p.legs[2].p[16] = 1; // 100 nm from the start of the climb
    p.legs[3].p[15] = 5;
    p.legs[3].p[16] = 1; // already covered by the climb and leg 2
    p.legs[4].p[15] = 50;
    p.legs[4].p[16] = 9; // refers to a later leg: the full distance
    computeMission(p, simpleModels());
    const MissionResults& r = p.missionResults;
    test::expectNear(r.distance[2], 100 - r.distance[1], 1e-6, "leg 2");
    EXPECT_EQ(r.distance[3], 0.0f);
    EXPECT_EQ(r.time[3], 0.0f);
    EXPECT_FLOAT_EQ(r.pi[3], 1.0f);
    EXPECT_FLOAT_EQ(r.distance[4], 50.0f);
}

TEST(MissionLegs, PartialAfterburnerAndEngineTooSmall) {
    ProjectData p = aircraft(2);
    p.thrustLoading = 0.5f;
    MissionLeg& f = addLegOf(p, "F");
    f.p[1] = 20000;
    f.p[2] = 447.43f;
    f.p[3] = 900;
    f.p[4] = 0.87f;
    f.p[8] = 2.5f;
    f.p[9] = 1;
    f.p[18] = 1;
    const std::string report = computeMissionLeg(p, simpleModels(), 1);
    EXPECT_NE(report.find("          *****  Partial Afterburner required, %AB = "), std::string::npos)
        << report;
    const MissionLeg saved = f;
    p.thrustLoading = 0.1f;
    p.legCount = 0;
    addLegOf(p, "F") = saved;
    const std::string small = computeMissionLeg(p, simpleModels(), 1);
    EXPECT_NE(small.find("            **** Engine Too Small, Installed Thrust ="), std::string::npos)
        << small;
}

TEST(MissionLegs, TakeoffRotationAndTooSmallTakeoff) {
    ProjectData p = aircraft(1);
    MissionLeg& warm = addLegOf(p, "I");
    warm.p[2] = 518.69f;
    warm.p[16] = 60;
    MissionLeg& rot = addLegOf(p, "J"); // a rotation that does not follow a take-off roll
    rot.p[2] = 518.69f;
    rot.p[14] = 3;
    MissionLeg& roll = addLegOf(p, "D");
    roll.p[2] = 518.69f;
    roll.p[4] = 0.1f;
    roll.p[11] = 2;
    roll.p[12] = 1.2f;
    roll.p[13] = 0.05f;
    MissionLeg& rot2 = addLegOf(p, "J");
    rot2 = rot;
    computeMission(p, simpleModels());
    const MissionResults& r = p.missionResults;
    // Warm-up: PI = 1 - C TW t / beta / 3600 at sea level.
    test::expectNear(r.pi[1], 1.0 - 1.0 * 0.6 * 60 / 3600.0, 1e-6, "warm-up");
    EXPECT_EQ(r.thrustRequired[2], 0.0f);
    EXPECT_GT(r.distance[3], 0.0f);
    EXPECT_EQ(r.thrustRequired[4], r.thrustRequired[3]);
    EXPECT_FLOAT_EQ(r.time[4], 3.0f);
    // A take-off roll the engine cannot make: no distance, no time, PI = 1.
    p.thrustLoading = 0.01f;
    const std::string report = computeMissionLeg(p, simpleModels(), 3);
    EXPECT_NE(report.find("   **** Engine Too Small"), std::string::npos);
    EXPECT_EQ(r.distance[3], 0.0f);
    EXPECT_FLOAT_EQ(r.pi[3], 1.0f);
}

TEST(MissionLegs, PayloadIsSubtractedNotMultiplied) {
    ProjectData p = aircraft();
    p.betaStart[1] = 0.9f;
    addLegOf(p, "L").p[21] = 0;
    addLegOf(p, "L").p[21] = 2000;
    computeMission(p, simpleModels());
    EXPECT_FLOAT_EQ(p.betaStart[2], 0.9f);
    EXPECT_FLOAT_EQ(p.betaStart[3], 0.8f);
    const std::string summary = missionSummary(p, 1);
    EXPECT_NE(summary.find("Weight of Payload Expended       2000 lb"), std::string::npos) << summary;
    EXPECT_NE(summary.find("Weight of Fuel Used                 0 lb"), std::string::npos) << summary;
}

TEST(MissionLegs, LegsThatCannotBeFlownAreRefused) {
    ProjectData p = aircraft();
    MissionLeg& turn = addLegOf(p, "F");
    turn.p[1] = 20000;
    turn.p[3] = 800;
    turn.p[4] = 0.77f;
    turn.p[8] = 1;
    MissionLeg& zoom = addLegOf(p, "K");
    zoom.p[1] = 20000;
    zoom.p[3] = 900;
    zoom.p[5] = 25000;
    zoom.p[6] = 700;
    MissionLeg& down = addLegOf(p, "M");
    down.p[1] = 30000;
    down.p[3] = 800;
    down.p[5] = 10000;
    down.p[6] = 600;
    const std::string report = computeMission(p, simpleModels());
    EXPECT_NE(report.find("**** Turn not computed"), std::string::npos);
    EXPECT_NE(report.find("**** Maneuver not computed"), std::string::npos);
    EXPECT_NE(report.find("**** Descent not computed"), std::string::npos);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(p.missionResults.pi[static_cast<std::size_t>(i)], 1.0f);
        EXPECT_EQ(p.missionResults.time[static_cast<std::size_t>(i)], 0.0f);
    }
    EXPECT_EQ(p.betaStart[4], 1.0f);
}

TEST(MissionLegs, BestCruiseFliesAtMaximumLiftToDrag) {
    ProjectData p = aircraft(1);
    MissionLeg& g = addLegOf(p, "G");
    g.p[4] = 0.8f;
    g.p[15] = 300;
    computeMissionLeg(p, simpleModels(0.1f, 0.02f), 1);
    // CL* = sqrt(CD0/K1); the altitude found gives beta W/S = 0.7 P M^2 CL*.
    const float clStar = std::sqrt(0.02f / 0.1f);
    FlightCondition fc;
    fc.altitude = p.legs[1].p[1];
    atmosphere(fc, p.units);
    test::expectNear(0.7 * fc.pressure * 0.64 * clStar, 64.0, 2e-3, "lift at the best altitude");
    EXPECT_GT(p.missionResults.pi[1], 0.9f);
    EXPECT_LT(p.missionResults.pi[1], 1.0f);
}

TEST(MissionLegs, ReportEndsWithTheBetaLine) {
    ProjectData p = aircraft(1);
    MissionLeg& h = addLegOf(p, "H");
    h.p[1] = 10000;
    h.p[2] = 483.0f;
    h.p[16] = 1200;
    const std::string report = computeMissionLeg(p, simpleModels(), 1);
    EXPECT_EQ(report.find("          Mission Analysis (Version 1.26)    Date:12/8/2026\r\n"), 0u);
    const std::string last = report.substr(report.rfind("\r\n", report.size() - 3) + 2);
    EXPECT_EQ(last.substr(0, 25), "          Beta 1  = 1.000");
    EXPECT_NE(report.find("          Mach     = "), std::string::npos);
}

} // namespace
} // namespace vededa
