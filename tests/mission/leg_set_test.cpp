#include "mission/leg_list.h"
#include "mission/leg_set.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vededa {
namespace {

ProjectData missionOf(const std::string& types) {
    ProjectData p = test::freshProject();
    p.thrustModel = 2;
    for (std::size_t j = 0; j < types.size(); ++j) {
        MissionLeg& leg = p.legs[j + 1];
        leg.type = std::string(1, types[j]);
        leg.name = "leg " + std::to_string(j + 1);
        leg.p[1] = 1000.0f * static_cast<float>(j + 1);
    }
    p.legCount = static_cast<int16_t>(types.size());
    return p;
}

TEST(LegSet, AddRefusesBeyondThirtyAndWithoutAType) {
    ProjectData p = missionOf(std::string(30, 'A'));
    p.currentLeg = 31;
    EXPECT_EQ(addLeg(p, "B - Horizontal Acceleration", "x").message, kTooManyLegsMessage);
    EXPECT_EQ(p.legCount, 30);
    ProjectData q = missionOf("AB");
    EXPECT_EQ(addLeg(q, "", "named").message, kNoLegTypeMessage);
    EXPECT_EQ(q.legCount, 2);
}

TEST(LegSet, InsertingShiftsOnlyReferencesToLaterLegs) {
    ProjectData p = missionOf("AEGE");
    p.legs[2].p[16] = 4; // counts from leg 4, behind the insertion point
    p.legs[3].p[16] = 1; // counts from leg 1, before it
    p.legs[4].p[16] = 2; // counts from the insertion point itself: stays
    p.currentLeg = 2;
    ASSERT_TRUE(addLeg(p, "H - Loiter", "Hold").changed);
    EXPECT_EQ(p.legCount, 5);
    EXPECT_EQ(p.legs[2].type, "H");
    EXPECT_EQ(p.legs[2].name, "Hold");
    EXPECT_EQ(p.legs[2].p[1], 2000.0f); // the new leg keeps what was in its slot
    EXPECT_EQ(p.legs[3].type, "E");
    EXPECT_EQ(p.legs[3].p[16], 5.0f);
    EXPECT_EQ(p.legs[4].p[16], 1.0f);
    EXPECT_EQ(p.legs[5].p[16], 2.0f);
    // Appending at count + 1 moves nothing.
    p.currentLeg = 6;
    ASSERT_TRUE(addLeg(p, "L - Deliver Expendables", "Drop").changed);
    EXPECT_EQ(p.legs[6].type, "L");
    EXPECT_EQ(legListLine(6, p.legs[6]), "6        L         Drop");
    // Past row 9 the type letter and the name keep their columns, under the heads.
    EXPECT_EQ(legListLine(12, p.legs[6]), "12       L         Drop");
    EXPECT_EQ(legListHeader().find("Type"), legListLine(6, p.legs[6]).find('L'));
    EXPECT_EQ(legListHeader().find("Name"), legListLine(12, p.legs[6]).find("Drop"));
}

TEST(LegSet, RemovingLowersReferencesNeverBelowZero) {
    ProjectData p = missionOf("AEGE");
    p.legs[2].p[16] = 3;
    p.legs[3].p[16] = 0;
    p.legs[4].p[16] = 0.5f;
    p.currentLeg = 1;
    ASSERT_TRUE(removeLeg(p).changed);
    EXPECT_EQ(p.legCount, 3);
    EXPECT_EQ(p.legs[1].type, "E");
    EXPECT_EQ(p.legs[1].p[16], 2.0f);
    EXPECT_EQ(p.legs[2].p[16], 0.0f);
    EXPECT_EQ(p.legs[3].p[16], 0.0f);
    p.currentLeg = 3;
    removeLeg(p);
    EXPECT_EQ(p.currentLeg, 2);
    EXPECT_EQ(removeLegQuestion(7), "Do you really want to remove mission leg #7?");
}

TEST(LegSet, FieldsPerTypeAndThrustModel) {
    ProjectData p = missionOf("D");
    auto params = [&](const std::string& type) {
        std::vector<int> out;
        for (const LegField& f : legFields(p, type)) out.push_back(f.parameter);
        return out;
    };
    EXPECT_EQ(params("D"), (std::vector<int>{1, 2, 4, 10, 11, 12, 13, 18}));
    EXPECT_EQ(params("L"), (std::vector<int>{21}));
    p.thrustModel = 1;
    EXPECT_EQ(params("G"), (std::vector<int>{4, 10, 15, 16}));
    p.thrustModel = 6;
    EXPECT_EQ(params("I"), (std::vector<int>{1, 2, 16, 17}));
    p.thrustModel = 7;
    p.engine.setup[kSetupEngineType] = 5;
    EXPECT_EQ(params("H"), (std::vector<int>{1, 2, 10, 16, 18, 19, 20}));
    p.engine.setup[kSetupEngineType] = 3;
    EXPECT_EQ(params("H"), (std::vector<int>{1, 2, 10, 16, 19}));
    EXPECT_EQ(legFields(p, "K")[8].label, 33);
    EXPECT_EQ(legFields(p, "M")[8].label, 34);
    p.thrustModel = 2;
    EXPECT_EQ(legFieldText(p, {18, 18}, 1.7f), "1");
}

TEST(LegSet, DerivedMachNumbersShowThePrecisionOfTheirVelocity) {
    ProjectData p = test::freshProject();
    MissionLeg leg;
    leg.p[2] = 411.9f;
    leg.p[3] = 1492.3f;
    leg.p[4] = 1.500011f; // 1492.3 ft/s over the speed of sound at 411.9 R
    leg.p[6] = 1591.8f;
    leg.p[7] = 1.600025f;
    struct Case {
        const char* type;
        int parameter;
        const char* text;
    };
    for (const Case& c : {Case{"A", 4, "1.5"}, Case{"C", 7, "1.6"}, Case{"E", 4, "1.5"},
                          // Types that only store show the stored value as it is.
                          Case{"G", 4, "1.500011"}, Case{"D", 4, "1.500011"}, Case{"A", 3, "1492.3"}}) {
        leg.type = c.type;
        EXPECT_EQ(legFieldText(p, leg, LegField{static_cast<int16_t>(c.parameter), 4}), c.text) << c.type;
    }
}

TEST(LegSet, LinkedFieldsFollowTheAtmosphere) {
    ProjectData p = missionOf("A");
    p.currentLeg = 1;
    p.legs[1].p[3] = 800;
    // Altitude 0 brings the sea-level temperature and the Mach number of the stored velocity.
    auto updates = setLegField(p, 0, 0.0f);
    EXPECT_FLOAT_EQ(p.legs[1].p[2], 518.69f);
    test::expectNear(p.legs[1].p[4], 800.0 / 1116.4, 1e-6);
    ASSERT_EQ(updates.size(), 2u);
    EXPECT_EQ(updates[0].text, "518.69");
    EXPECT_EQ(updates[1].text, ".72");
    // Mach 0.8 sets the velocity.
    setLegField(p, 3, 0.8f);
    test::expectNear(p.legs[1].p[3], 0.8 * 1116.4, 1e-6);
    // The final altitude gives the final Mach from the standard atmosphere there.
    p.legs[1].p[6] = 968.1f;
    setLegField(p, 4, 36089.0f);
    EXPECT_NEAR(p.legs[1].p[7], 1.0f, 0.01f);
}

TEST(LegSet, StoreOnlyTypesAndOutsideTheMission) {
    ProjectData p = missionOf("G");
    p.currentLeg = 1;
    const float before = p.legs[1].p[3];
    EXPECT_TRUE(setLegField(p, 0, 0.85f).empty()); // the best-cruise Mach only stores
    EXPECT_EQ(p.legs[1].p[4], 0.85f);
    EXPECT_EQ(p.legs[1].p[3], before);
    p.currentLeg = 2;
    EXPECT_TRUE(setLegField(p, 0, 5.0f).empty());
    EXPECT_EQ(p.legs[2].p[4], 0.0f);
}

TEST(LegSet, AircraftBoxesStayConsistent) {
    ProjectData p = test::freshProject();
    setMissionTakeoffWeight(p, 24000);
    setMissionWingLoading(p, 64);
    setMissionThrustLoading(p, 1.25f);
    EXPECT_FLOAT_EQ(p.wingArea, 375.0f);
    EXPECT_FLOAT_EQ(p.seaLevelThrust, 30000.0f);
    setMissionSeaLevelThrust(p, 24000);
    EXPECT_FLOAT_EQ(p.thrustLoading, 1.0f);
    setMissionWingArea(p, 400);
    EXPECT_FLOAT_EQ(p.wingLoading, 60.0f);
    EXPECT_EQ(legNumberFromBox(p, -3), 1);
    p.legCount = 4;
    p.currentLeg = 2;
    EXPECT_EQ(legNumberFromBox(p, 5.7), 5);
    EXPECT_EQ(legNumberFromBox(p, 6), 2);
}

} // namespace
} // namespace vededa
