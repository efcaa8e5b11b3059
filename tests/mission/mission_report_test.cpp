#include "mission/mission_report.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace vededa {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends with CRLF";
        if (end == std::string::npos) break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(MissionReport, BetaLineValuesLineUpAtLegsNineAndTen) {
    const std::string nine = missionBetaLine(9, 0.9f, 0.85f);
    const std::string ten = missionBetaLine(10, 0.85f, 0.8f);
    EXPECT_EQ(nine, "          Beta 9  = 9.000E-01         Beta 10 = 8.500E-01");
    EXPECT_EQ(nine.find("= "), ten.find("= "));
    EXPECT_EQ(nine.rfind("= "), ten.rfind("= "));
}

ProjectData threeLegMission() {
    ProjectData p = test::freshProject();
    p.dragModel = 6;
    p.thrustModel = 2;
    p.tsfcModel = 2;
    p.throttleRatio = 1.07f;
    p.projectPath = "fighter.RUZ";
    p.clock.fixedDate = "12/8/2026";
    p.wingLoading = 64;
    p.thrustLoading = 1.25f;
    p.takeoffWeight() = 24000;
    deriveAircraftValues(p);
    const char* types[] = {"I", "L", "E"};
    const char* names[] = {"Warm-up", "Drop", "Cruise out"};
    for (int i = 1; i <= 3; ++i) {
        p.legs[static_cast<std::size_t>(i)].type = types[i - 1];
        p.legs[static_cast<std::size_t>(i)].name = names[i - 1];
    }
    p.legCount = 3;
    MissionResults& r = p.missionResults;
    r.lastLeg = 3;
    p.betaStart[1] = 1.0f;
    p.betaStart[2] = 0.99f; // 240 lb of fuel
    p.betaStart[3] = 0.94f; // 1200 lb payload
    p.betaStart[4] = 0.9f;  // 960 lb of fuel
    r.pi[1] = 0.99f;
    r.pi[2] = 1.0f;
    r.pi[3] = 0.9574468f;
    r.time[3] = 1800;
    r.distance[3] = 150;
    r.thrustRequired[3] = 2500;
    r.thrustAvailable[3] = 2500;
    return p;
}

TEST(MissionReport, SummaryPageOne) {
    const ProjectData p = threeLegMission();
    const std::vector<std::string> lines = linesOf(missionSummary(p, 1));
    ASSERT_GE(lines.size(), 20u);
    EXPECT_EQ(lines[0], "          Mission Analysis (Version 1.26)    Date:12/8/2026");
    EXPECT_EQ(lines[1], "          Filename: fighter.RUZ");
    EXPECT_EQ(lines[2], "          Models: Aircraft #6, Thrust #2, TSFC #2");
    EXPECT_EQ(lines[3], "              Throttle Ratio: 1.07");
    EXPECT_EQ(lines[4], "          Current Selection:");
    EXPECT_EQ(lines[5], "              Wing Loading (W/S)                64.00 psf");
    EXPECT_EQ(lines[8], "              Gross Takeoff Weight              24000 lb");
    EXPECT_EQ(lines[11], "  Leg  Name    PI      Beta    Beta   Wt Chg    Drag  Thrust    Time    Dist");
    EXPECT_EQ(lines[13], "   1 Warm-u 0.99000 1.00000 0.99000   240.0       0       0     0.0    0.00");
    // A short name keeps the columns in place.
    EXPECT_EQ(lines[14], "   2 Drop   1.00000 0.99000 0.94000  1200.0       0       0     0.0    0.00");
    EXPECT_EQ(lines[15], "   3 Cruise 0.95745 0.94000 0.90000   960.0    2500    2500  1800.0  150.00");
    EXPECT_EQ(lines[17], "                    Summary of Mission Weights");
    EXPECT_EQ(lines[18], "              Aircraft Takeoff Weight         24000 lb");
    EXPECT_EQ(lines[19], "              Weight of Fuel Used              1200 lb");
    EXPECT_EQ(lines[20], "              Weight of Payload Expended       1200 lb");
    EXPECT_EQ(lines[21], "              Aircraft Landing Weight         21600 lb");
}

TEST(MissionReport, LegHeadingEchoesTheWindowFields) {
    ProjectData p = threeLegMission();
    p.legs[3].p[1] = 42000;
    p.legs[3].p[15] = 150;
    ReportBuffer out;
    missionLegHeading(out, p, 3);
    const std::vector<std::string> lines = linesOf(out.text());
    ASSERT_EQ(lines.size(), 2u + 8u); // seven fields of a cruise leg and the AB switch of thrust model 2
    EXPECT_EQ(lines[0], "     Mission Leg #3          Name: Cruise out");
    EXPECT_EQ(lines[1], "     Type: E - Constant Altitude/Speed Cruise");
    EXPECT_EQ(lines[2], "          Altitude (ft)                        42000");
    EXPECT_EQ(lines[7], "          Distance (Nautical Miles)            150");
    EXPECT_EQ(lines[9], "          Engine AB (1=On/0=Off)               0");
}

TEST(MissionReport, EngineDeckHeaderAndSecondPage) {
    ProjectData p = threeLegMission();
    p.thrustModel = p.tsfcModel = 7;
    p.engine.fileName = "fighter.REF";
    p.engine.setup[kSetupEngineCount] = 2;
    p.engine.controls[11] = 0;
    p.missionResults.limit[3] = " Tt4 Max  ";
    const std::vector<std::string> page1 = linesOf(missionSummary(p, 1));
    EXPECT_EQ(page1[3], "              Engine File Name: fighter.REF");
    EXPECT_EQ(page1[4], "              Number of Engines:       2");
    // Limits of zero are not listed; the defaults Pt3 500 psia, Tt3 1600 R and both speeds 105 % are.
    EXPECT_EQ(page1[6], "              Max Pressure at Station 3 (psia) 500.00");
    EXPECT_EQ(page1[7], "              Max Temperature at Station 3 (R)   1600");
    const std::vector<std::string> page2 = linesOf(missionSummary(p, 2));
    EXPECT_EQ(page2[3], "              Egine File Name: fighter.REF");
    EXPECT_NE(page2.back().find(" Tt4 Max  "), std::string::npos);
}

} // namespace
} // namespace vededa
