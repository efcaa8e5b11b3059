#include "app/project_data.h"
#include "app/project_file.h"
#include "app/units.h"
#include "engine/engine_design.h"
#include "engine/engine_test.h"
#include "engine/reference_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vededa {
namespace {

/// A project with every converted field set to a distinct non-trivial value.
ProjectData fullProject() {
    ProjectData p = test::freshProject();
    const char types[] = "ABCDEFGHIJ";
    for (int k = 0; k <= kMaxConstraints; ++k) {
        Constraint& c = p.constraints[static_cast<std::size_t>(k)];
        c.type = std::string(1, types[k % 10]);
        for (int i = 1; i <= kConstraintParameters; ++i)
            c.p[i] = 1.5f + 0.37f * static_cast<float>(i * (k + 1));
    }
    for (int j = 0; j <= kMaxLegs; ++j) {
        MissionLeg& leg = p.legs[static_cast<std::size_t>(j)];
        leg.type = "A";
        for (int i = 1; i <= kLegParameters; ++i) leg.p[i] = 2.5f + 0.77f * static_cast<float>(i * (j + 2));
    }
    for (int i = 1; i <= 3; ++i) {
        p.contour.velocity[i] = 100.0f * static_cast<float>(i);
        p.contour.altitude[i] = 10.0f * static_cast<float>(i);
        p.wsAxis[i] = 20.0f * static_cast<float>(i);
        p.twAxis[i] = 0.5f * static_cast<float>(i);
    }
    p.wingLoading = 64;
    p.thrustLoading = 1.25f;
    p.takeoffWeight() = 24000;
    deriveAircraftValues(p);
    for (int i = 1; i <= 32; ++i) p.engine.engine.component[i] = 0.9f + 0.01f * static_cast<float>(i);
    for (int i = 1; i <= 56; ++i) p.engine.engine.reference[i] = 3.0f + 1.7f * static_cast<float>(i);
    for (int i = 1; i <= 18; ++i) p.engine.controls[i] = 5.0f + 2.3f * static_cast<float>(i);
    p.engine.tt4MaxSetting = 3200;
    p.engine.tt7MaxSetting = 3600;
    p.engine.airMassFlow = 150;
    return p;
}

TEST(Units, SetupWritesTheConstantsAndResetsQmax) {
    ProjectData p = test::freshProject();
    p.contour.qMax = 1234;
    p.unitSystem = kSI;
    setupUnits(p);
    EXPECT_EQ(p.contour.qMax, 102130.0f);
    EXPECT_EQ(p.units.g0, 9.8067f);
    EXPECT_EQ(p.units.rhoSL, 1.217801f);
    EXPECT_EQ(p.units.PSL, 101325.0f);
    EXPECT_NEAR(p.units.aSL, 1116.4f / 3.2808f, 1e-3f);
    EXPECT_EQ(p.engine.referenceUnitFlag, 2);
    EXPECT_EQ(p.labels.constraintLabels[6], "dh/dt (m/ses)                 ");
    EXPECT_EQ(p.labels.suffixes.distance, " km  ");
    EXPECT_EQ(p.labels.window.wingLoadingAxis, "Wing Loading W/S (Pa)");
    p.unitSystem = kEnglish;
    p.contour.qMax = 1;
    setupUnits(p);
    EXPECT_EQ(p.contour.qMax, 2133.0f);
    EXPECT_EQ(p.labels.constraintLabels[14], "TO obstacle height - hobs (ft)");
    EXPECT_EQ(p.labels.legLabels[15], "Distance (Nautical Miles)       ");
    for (int i = 1; i <= 27; ++i) EXPECT_EQ(p.labels.constraintLabels[i].size(), 30u) << i;
    for (int i = 1; i <= 34; ++i) EXPECT_EQ(p.labels.legLabels[i].size(), 32u) << i;
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(p.labels.limitNames[i].size(), 10u) << i;
}

TEST(Units, DefaultConstraintValuesInSi) {
    ProjectData p = test::freshProject();
    ASSERT_TRUE(switchUnits(p, kSI));
    EXPECT_NEAR(p.constraints[5].p[3], 288.161f, 1e-3f);
    EXPECT_NEAR(p.constraints[5].p[4], 457.205f, 1e-3f);
    // Choosing the system that is already in force changes nothing.
    const ProjectData before = p;
    EXPECT_FALSE(switchUnits(p, kSI));
    EXPECT_EQ(projectText(p), projectText(before));
}

TEST(Units, LegDistanceKilometresToNauticalMiles) {
    ProjectData p = test::freshProject();
    p.unitSystem = kSI;
    setupUnits(p);
    p.legs[1].p[15] = 100;
    ASSERT_TRUE(switchUnits(p, kEnglish));
    EXPECT_NEAR(p.legs[1].p[15], 53.966f, 1e-3f);
}

TEST(Units, ParameterEightIsASpeedOnlyForServiceCeiling) {
    ProjectData p = test::freshProject();
    const char* types[] = {"E", "F", "G", "H", "I", "J"};
    for (int k = 0; k < 6; ++k) {
        p.constraints[static_cast<std::size_t>(k + 1)].type = types[k];
        p.constraints[static_cast<std::size_t>(k + 1)].p[8] = 10;
    }
    ASSERT_TRUE(switchUnits(p, kSI));
    EXPECT_NEAR(p.constraints[1].p[8], 10 / 3.2808f, 1e-5f); // Ps in m/s
    for (int k = 2; k <= 6; ++k)
        EXPECT_EQ(p.constraints[static_cast<std::size_t>(k)].p[8], 10.0f) << types[k - 1];
}

TEST(Units, EnglishSiEnglishRestoresEveryValue) {
    ProjectData p = fullProject();
    const ProjectData start = p;
    ASSERT_TRUE(switchUnits(p, kSI));
    EXPECT_NE(p.constraints[3].p[2], start.constraints[3].p[2]);
    ASSERT_TRUE(switchUnits(p, kEnglish));

    auto close = [](float a, float b, const std::string& what) {
        EXPECT_NEAR(a, b, 4e-7 * std::max(1.0f, std::fabs(b))) << what;
    };
    for (int k = 0; k <= kMaxConstraints; ++k)
        for (int i = 1; i <= kConstraintParameters; ++i)
            close(p.constraints[static_cast<std::size_t>(k)].p[i],
                  start.constraints[static_cast<std::size_t>(k)].p[i],
                  "constraint " + std::to_string(k) + " parameter " + std::to_string(i));
    for (int j = 0; j <= kMaxLegs; ++j)
        for (int i = 1; i <= kLegParameters; ++i)
            close(p.legs[static_cast<std::size_t>(j)].p[i], start.legs[static_cast<std::size_t>(j)].p[i],
                  "leg " + std::to_string(j) + " parameter " + std::to_string(i));
    for (int i = 1; i <= 3; ++i) {
        close(p.contour.velocity[i], start.contour.velocity[i], "contour velocity");
        close(p.contour.altitude[i], start.contour.altitude[i], "contour altitude");
        close(p.wsAxis[i], start.wsAxis[i], "W/S axis");
        EXPECT_EQ(p.twAxis[i], start.twAxis[i]);
    }
    close(p.wingLoading, start.wingLoading, "W/S");
    close(p.wingArea, start.wingArea, "S");
    close(p.seaLevelThrust, start.seaLevelThrust, "T_SL");
    close(p.takeoffWeight(), start.takeoffWeight(), "W_TO");
    for (int i = 1; i <= 32; ++i)
        close(p.engine.engine.component[i], start.engine.engine.component[i], "component");
    for (int i = 1; i <= 56; ++i) {
        if (i == 25 || i == 27) continue;
        close(p.engine.engine.reference[i], start.engine.engine.reference[i],
              "reference " + std::to_string(i));
    }
    // The two reference values whose inverse factors are not exact inverses drift by their ratio.
    close(p.engine.engine.reference[25],
          static_cast<float>(start.engine.engine.reference[25] * 2.2046226 / 2.2046), "reference 25");
    close(p.engine.engine.reference[27],
          static_cast<float>(start.engine.engine.reference[27] * 4.448 / 4.44822), "reference 27");
    for (int i = 1; i <= 18; ++i)
        close(p.engine.controls[i], start.engine.controls[i], "control " + std::to_string(i));
    close(p.engine.tt4MaxSetting, start.engine.tt4MaxSetting, "Tt4 max");
    close(p.engine.tt7MaxSetting, start.engine.tt7MaxSetting, "Tt7 max");
    close(p.engine.airMassFlow, start.engine.airMassFlow, "air mass flow");
}

TEST(Units, FactorsOfTheEngineArrays) {
    ProjectData p = fullProject();
    const ProjectData start = p;
    ASSERT_TRUE(switchUnits(p, kSI));
    const auto& r = p.engine.engine.reference;
    const auto& r0 = start.engine.engine.reference;
    test::expectNear(r[2], r0[2] / 1.8, 1e-6, "T0");
    test::expectNear(r[3], r0[3] * 101325.0 / 14.696, 1e-6, "P0");
    test::expectNear(r[23], r0[23] * 28.325, 1e-6, "TSFC");
    test::expectNear(r[25], r0[25] / 2.2046, 1e-6, "mass flow");
    test::expectNear(r[27], r0[27] * 4.448, 1e-6, "thrust");
    test::expectNear(r[42], r0[42] / (3.2808 * 3.2808), 1e-6, "area");
    test::expectNear(p.engine.engine.component[18], start.engine.engine.component[18] * 2.326, 1e-6, "hPR");
    test::expectNear(p.engine.controls[12], start.engine.controls[12] * 101325.0 / 14.696, 1e-6, "Pt3 max");
    EXPECT_EQ(p.engine.controls[11], start.engine.controls[11]); // pressure ratio limit is dimensionless
    test::expectNear(p.legs[4].p[21], start.legs[4].p[21] * 4.44822, 1e-6, "payload");
}

// A reference file written in SI units, read into an English project: the deck, the engine test and the
// project file all work in the project's units, so the engine runs as it does in an SI project and a
// saved project reads back the same engine.
TEST(Units, AReferenceFileOfTheOtherSystemRunsInTheProjectsUnitsAndSurvivesASave) {
    const DesignReadResult design =
        readEngineDesign("type = 1\nunits = 2\nTt4 = 1600\npifan = 3\npihpc = 4\nmdot = 50\n");
    ASSERT_TRUE(design.ok);
    const DesignResult generated = designEngine(design.design);
    ASSERT_TRUE(generated.ok) << generated.message;
    const std::string text = referenceFileText(generated.engine);

    ProjectData si = test::freshProject();
    ASSERT_TRUE(switchUnits(si, kSI));
    ASSERT_TRUE(readReferenceText(si, text, "si.REF").ok);
    EXPECT_FALSE(adoptProjectUnits(si));

    ProjectData english = test::freshProject();
    ASSERT_EQ(english.unitSystem, kEnglish);
    const ReferenceReadResult read = readReferenceText(english, text, "si.REF");
    ASSERT_TRUE(read.ok);
    EXPECT_NE(read.listing.find("Thrust (N)"), std::string::npos); // the file as read
    EXPECT_TRUE(adoptProjectUnits(english));
    EXPECT_EQ(english.engine.referenceUnitFlag, kEnglish);
    test::expectNear(english.engine.tt4MaxSetting, 1600 * 1.8, 1e-6, "Tt4 max [R]");

    std::string report;
    const EngineTestResult inSI = runEngineTest(si, 0.8f, 914.4f, 0, 100, report);
    const EngineTestResult inEnglish = runEngineTest(english, 0.8f, 3000, 0, 100, report);
    ASSERT_FALSE(inSI.run.failed());
    ASSERT_FALSE(inEnglish.run.failed()) << report;
    test::expectNear(inEnglish.run.F, inSI.run.F / 4.44822, 2e-3, "thrust [lbf]");
    test::expectNear(inEnglish.run.m0, inSI.run.m0 * 2.2046, 2e-3, "air flow [lbm/s]");

    const std::string path = test::tempDir() + "/converted-engine.RUZ";
    ASSERT_TRUE(writeProject(english, path).ok);
    ProjectData reopened = test::freshProject();
    ASSERT_TRUE(readProject(reopened, path).ok);
    EXPECT_EQ(reopened.engine.referenceUnitFlag, kEnglish);
    const EngineTestResult again = runEngineTest(reopened, 0.8f, 3000, 0, 100, report);
    EXPECT_EQ(again.run.F, inEnglish.run.F);
    EXPECT_EQ(again.run.S, inEnglish.run.S);
}

} // namespace
} // namespace vededa
