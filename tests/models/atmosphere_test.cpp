#include "app/project_data.h"
#include "models/atmosphere.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vededa {
namespace {

FlightCondition at(float altitude, int16_t system) {
    ProjectData p = test::freshProject();
    p.unitSystem = system;
    setupUnits(p);
    FlightCondition fc;
    fc.altitude = altitude;
    atmosphere(fc, p.units);
    return fc;
}

TEST(Atmosphere, SeaLevelIsTheStandardDay) {
    const FlightCondition fc = at(0, kEnglish);
    EXPECT_FLOAT_EQ(fc.temperature, 518.69f);
    EXPECT_FLOAT_EQ(fc.pressure, 2116.2f);
    EXPECT_FLOAT_EQ(fc.theta, 1.0f);
    EXPECT_FLOAT_EQ(fc.delta, 1.0f);
    EXPECT_FLOAT_EQ(fc.sigma, 1.0f);
    EXPECT_FLOAT_EQ(fc.soundSpeed, 1116.4f);
}

TEST(Atmosphere, InterpolatesHalfwayBetweenRows) {
    const FlightCondition fc = at(36500, kEnglish);
    EXPECT_FLOAT_EQ(fc.temperature, 390.25f);
    EXPECT_NEAR(fc.pressure, 465.0f, 1e-3f);
    EXPECT_EQ(fc.index, 36);
}

TEST(Atmosphere, BelowSeaLevelGivesSeaLevelAndKeepsTheAltitude) {
    const FlightCondition fc = at(-500, kEnglish);
    EXPECT_EQ(fc.temperature, 518.69f);
    EXPECT_EQ(fc.pressure, 2116.2f);
    EXPECT_EQ(fc.altitude, -500.0f);
    EXPECT_EQ(fc.index, 0);
}

TEST(Atmosphere, TableTopClampsAndReplacesTheAltitude) {
    for (float h : {100000.0f, 120000.0f}) {
        const FlightCondition fc = at(h, kEnglish);
        EXPECT_FLOAT_EQ(fc.temperature, 418.8f);
        EXPECT_FLOAT_EQ(fc.pressure, 24.1f);
        EXPECT_EQ(fc.altitude, 100000.0f);
    }
    // The SI table top is 1.609e8/5280 m, not 30480 m.
    const FlightCondition si = at(40000, kSI);
    EXPECT_NEAR(si.altitude, 30473.48f, 0.01f);
}

TEST(Atmosphere, StoredIrregularitiesAreKept) {
    const AtmosphereTable& t = atmosphereTable();
    EXPECT_EQ(t.pressure[1], 2040.2f);
    EXPECT_EQ(t.temperature[92], 405.1f);
    EXPECT_EQ(t.pressure[99], 24.6f);
    EXPECT_EQ(t.pressure[100], 24.1f);
    for (int i = 37; i <= 82; ++i) EXPECT_EQ(t.temperature[static_cast<std::size_t>(i)], 390.0f) << i;
}

TEST(Atmosphere, SiIsLookedUpInFeetAndConvertedLast) {
    const FlightCondition fc = at(10000, kSI);
    EXPECT_NEAR(fc.hk, 32.808f, 1e-4f);
    const FlightCondition english = at(32808, kEnglish);
    EXPECT_FLOAT_EQ(fc.theta, english.theta);
    EXPECT_FLOAT_EQ(fc.delta, english.delta);
    test::expectNear(fc.temperature, english.temperature / 1.8, 1e-6);
    test::expectNear(fc.soundSpeed, english.soundSpeed / 3.2808, 1e-6);

    const FlightCondition sl = at(0, kSI);
    EXPECT_NEAR(sl.temperature, 288.161f, 1e-3f);
    EXPECT_NEAR(sl.pressure, 101325.0f, 0.02f);
}

} // namespace
} // namespace vededa
