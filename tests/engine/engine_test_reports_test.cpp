// Engine test (Reset, Test), the engine performance series and the throttle hook on the bundled engines.
#include "engine/engine_series.h"
#include "engine/engine_test.h"
#include "engine/reference_file.h"
#include "engine/throttle_hook.h"
#include "output/number_format.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace vededa {
namespace {

using test::expectNear;

ProjectData loadEngineFile(const std::string& name, int16_t afterburner = 0) {
    ProjectData p = test::freshProject();
    EXPECT_TRUE(ReadReferenceFile(p, test::dataPath(name)).ok) << name;
    const int16_t flag = p.engine.referenceUnitFlag;
    p.unitSystem = flag == kEnglish ? kEnglish : kSI;
    setupUnits(p);
    p.engine.referenceUnitFlag = flag;
    p.afterburner = afterburner;
    p.clock.fixedDate = "1/2/2027";
    return p;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    return out;
}

TEST(EngineTest, ResetRunsDryThenWithTheAfterburnerWhenItIsSelected) {
    ProjectData p = loadEngineFile("turbojet_ab.REF", 1);
    setEngineTestCondition(p, 0.8f, 30000, 0);
    std::string messages;
    const EngineTestReset r = engineTestReset(p, messages);
    EXPECT_GT(r.maxThrust, 1.3f * r.dryThrust);
    EXPECT_EQ(p.engine.controls[6], p.engine.tt7MaxSetting);
    EXPECT_EQ(p.engine.setup[kSetupThrottleMode], 1);

    const EngineResetFields f = engineResetFields(r);
    EXPECT_EQ(f.maxThrust, FormatField(r.maxThrust, 0));
    EXPECT_EQ(f.tsfc.size(), 7u);
    EXPECT_EQ(f.testThrust, "0");

    p.afterburner = 0;
    const EngineTestReset dry = engineTestReset(p, messages);
    EXPECT_EQ(dry.maxThrust, dry.dryThrust);
    expectNear(dry.maxThrust, r.dryThrust, 1e-6);
    EXPECT_TRUE(messages.empty()) << messages;
}

TEST(EngineTest, FullPercentShowsTheResetValuesAndLowerPercentsMatchTheThrust) {
    ProjectData p = loadEngineFile("turbofan_mixed.REF");
    std::string messages;
    const EngineTestResult full = runEngineTest(p, 0.9f, 30000, 0, 100, messages);
    EXPECT_EQ(full.shownThrust, full.reset.maxThrust);
    EXPECT_EQ(full.shownTsfc, full.reset.fullThrottle.S);

    const EngineTestResult half = runEngineTest(p, 0.9f, 30000, 0, 50, messages);
    expectNear(half.shownThrust, 0.5f * half.reset.maxThrust, 2e-3);
    EXPECT_EQ(half.run.limit, kLimitThrust);
    EXPECT_EQ(half.limitName, " Thrust   ");
    EXPECT_EQ(half.afterburner, "Off");
    EXPECT_LT(half.run.Tt4, full.run.Tt4);
    const EngineTestFields f = engineTestFields(half);
    EXPECT_EQ(f.thrust.size(), 7u);
    EXPECT_EQ(f.tsfc.size(), 7u);
    // The typed altitude sets T0 and P0 from the atmosphere; a typed T0 replaces the table one.
    runEngineTest(p, 0.9f, 30000, 420, 50, messages);
    EXPECT_EQ(p.engine.controls[3], 420.0f);
    EXPECT_EQ(p.engine.test.seriesVariable, 0);
}

TEST(ThrottleHook, FortySixLinesOfFallingThrust) {
    // A line whose deck run failed is still written (with "NoSolution") and the hook goes on; every
    // converged line gives less thrust than the converged line before it.
    for (const char* file : {"turbojet_ab.REF", "turbojet.REF", "turbofan_hbp.REF", "fighter_ab.REF"}) {
        ProjectData p = loadEngineFile(file, 1);
        std::string messages;
        const std::vector<std::string> text = lines(calculateThrottleHook(p, 0.8f, 30000, 0, messages));
        ASSERT_EQ(text.size(), 4u + kHookLines) << file;
        EXPECT_EQ(text[0], " Vededa (Version 1.26)    Date:1/2/2027");
        EXPECT_EQ(text[2], " Throttle Hook @ Mach =   0.80,  Altitude =  30000 ft,  T0 = 411.90");
        EXPECT_EQ(text[3], " Thrust  TSFC   mdot  mdotc2   pic' mdotc25  picH    Tt4    Tt7  AB    Limit");
        const float first = std::stof(text[4].substr(0, 7));
        float previous = 1e30f;
        int failed = 0;
        for (std::size_t i = 4; i < text.size(); ++i) {
            EXPECT_EQ(text[i].size(), 80u) << text[i];
            if (text[i].substr(70) == "NoSolution") {
                ++failed;
                continue;
            }
            const float F = std::stof(text[i].substr(0, 7));
            EXPECT_LT(F, previous) << file << " line " << i;
            // Each converged line matches its percentage of the full thrust within a few pounds (the deck
            // accepts a 2 lbf miss of the last step).
            const float percent = 100.0f - 2.0f * static_cast<float>(i - 4);
            EXPECT_NEAR(F, first * percent / 100.0f, 1.0f + 5e-4f * first) << file << " line " << i;
            previous = F;
        }
        EXPECT_EQ(failed > 0, !messages.empty()) << file;
    }
}

TEST(ThrottleHook, NoFullThrottleThrustGivesOneLineInsteadOfTheTable) {
    // A ramjet at low subsonic speed has no exit Mach number: the full-throttle run fails.
    ProjectData p = loadEngineFile("ramjet.REF");
    std::string messages;
    const std::vector<std::string> text = lines(calculateThrottleHook(p, 0.3f, 0, 0, messages));
    ASSERT_EQ(text.size(), 5u);
    EXPECT_EQ(text[4],
              "     No throttle hook: the engine gives no thrust at full throttle at this condition.");
    EXPECT_NE(messages.find("Exit Mach is imaginary."), std::string::npos);

    const EngineTestResult t = runEngineTest(p, 0.3f, 0, 0, 50, messages);
    EXPECT_EQ(t.run.limit, kLimitNoSolution);
    EXPECT_EQ(t.limitName, "NoSolution");
    EXPECT_EQ(t.shownThrust, 0.0f);
}

TEST(ThrottleHook, AfterburnerIsThrottledFirstThenPutOut) {
    ProjectData p = loadEngineFile("fighter_ab.REF", 1);
    std::string messages;
    const std::vector<std::string> text = lines(calculateThrottleHook(p, 0.8f, 30000, 0, messages));
    EXPECT_EQ(text[4].substr(63, 7), " AB  On");
    EXPECT_EQ(text.back().substr(63, 7), " AB Off");
}

struct RowCase {
    float min, max, step;
    int rows;
};

class SeriesRowCount : public ::testing::TestWithParam<RowCase> {};

TEST_P(SeriesRowCount, RowsFollowTheRangeAndStep) {
    ProjectData p = loadEngineFile("turbojet.REF");
    setEngineTestCondition(p, 0.5f, 10000, 0);
    std::string messages;
    engineTestReset(p, messages);
    auto& s = p.engine.test;
    s.seriesVariable = kSeriesMach;
    s.seriesMin = GetParam().min;
    s.seriesMax = GetParam().max;
    s.seriesStep = GetParam().step;
    std::string report;
    const SeriesResult r = engineSeriesReport(p, report);
    EXPECT_TRUE(r.ran);
    EXPECT_EQ(r.rows, GetParam().rows);
    EXPECT_EQ(lines(report).size(), 7u + static_cast<std::size_t>(GetParam().rows));
}

INSTANTIATE_TEST_SUITE_P(Ranges, SeriesRowCount,
                         ::testing::Values(RowCase{0.5f, 0.5f, 0.1f, 1}, RowCase{0.5f, 0.5f, 0, 1},
                                           RowCase{0.4f, 0.6f, 0.5f, 1}, RowCase{0.2f, 0.6f, 0.5f, 2},
                                           RowCase{0, 1.0f, 0.25f, 5}));

TEST(EngineSeries, HeaderRowsAndSetBack) {
    ProjectData p = loadEngineFile("turbojet.REF");
    setEngineTestCondition(p, 0.5f, 10000, 0);
    std::string messages;
    engineTestReset(p, messages);
    auto& s = p.engine.test;
    s.seriesVariable = kSeriesAltitude;
    s.seriesMin = 0;
    s.seriesMax = 40000;
    s.seriesStep = 10000;
    std::string report;
    ASSERT_TRUE(engineSeriesReport(p, report).ran);
    const std::vector<std::string> text = lines(report);
    ASSERT_EQ(text.size(), 12u);
    EXPECT_EQ(text[2], " Vededa (Version 1.26)    Date:1/2/2027");
    EXPECT_EQ(text[4], " Performance Calcs @ Mach =   0.50,  Altitude =      0 ft,  T0 = 518.69 R");
    EXPECT_EQ(text[5], "     **** Turbojet Engine *****");
    EXPECT_EQ(text[6], "   Alt   Thrust   TSFC   mdot    pic   picp  Alpha Pt9/P9  TautL    Tt4  Limit");
    EXPECT_EQ(text[7].substr(0, 8), "      0 ");
    EXPECT_EQ(text[11].substr(0, 8), "  40000 ");
    // Thrust falls with altitude; the condition returns to the start of the series.
    EXPECT_GT(std::stof(text[7].substr(8, 7)), std::stof(text[11].substr(8, 7)));
    EXPECT_EQ(p.engine.controls[2], 0.0f);
    expectNear(p.engine.controls[3], 518.69f, 1e-4);
}

TEST(EngineSeries, TemperatureSeriesRunDownwardAndEndEarly) {
    ProjectData p = loadEngineFile("fighter_ab.REF", 1);
    setEngineTestCondition(p, 0.8f, 30000, 0);
    std::string messages;
    engineTestReset(p, messages);
    auto& s = p.engine.test;
    s.seriesVariable = kSeriesTt7;
    s.seriesMin = 0;
    s.seriesMax = 3600;
    s.seriesStep = 200;
    std::string report;
    const SeriesResult r = engineSeriesReport(p, report);
    ASSERT_TRUE(r.ran);
    EXPECT_TRUE(r.endedEarly);
    EXPECT_LT(r.rows, 19);
    EXPECT_EQ(lines(report)[7].substr(0, 8), "3600.00 ");
    EXPECT_EQ(p.engine.controls[6], 3600.0f); // set back after the early end
}

TEST(EngineSeries, ProgressCanStopTheSeriesBetweenRows) {
    ProjectData p = loadEngineFile("turbojet.REF");
    setEngineTestCondition(p, 0.5f, 10000, 0);
    auto& s = p.engine.test;
    s.seriesVariable = kSeriesMach;
    s.seriesMin = 0.2f;
    s.seriesMax = 1.2f;
    s.seriesStep = 0.1f;
    std::string report;
    int calls = 0;
    const SeriesResult r = engineSeriesReport(p, report, [&](int row, int rows) {
        ++calls;
        EXPECT_EQ(rows, 11);
        return row < 3;
    });
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.rows, 3);
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(p.engine.controls[1], 0.2f);
}

TEST(EngineSeries, OutOfRangeStartsAndRefusals) {
    ProjectData p = loadEngineFile("turbojet.REF");
    auto& s = p.engine.test;
    std::string report = "kept";
    s.seriesVariable = kSeriesT0;
    s.seriesMin = 300;
    s.seriesMax = 500;
    s.seriesStep = 50;
    EXPECT_FALSE(engineSeriesReport(p, report).ran);
    EXPECT_EQ(report, "kept");
    for (int16_t v : {kSeriesP0, kSeriesP0P9}) {
        s.seriesVariable = v;
        s.seriesMin = 0;
        EXPECT_FALSE(engineSeriesReport(p, report).ran);
    }
    s.seriesVariable = 0;
    EXPECT_EQ(checkSeriesSettings(s), "You must select an Iteration variable!!");
    s.seriesVariable = kSeriesMach;
    s.seriesMin = 1;
    s.seriesMax = 0.5f;
    EXPECT_EQ(checkSeriesSettings(s), "You maximum value must be greater than the minimum!!");
    s.seriesMax = 2;
    s.seriesStep = 0;
    EXPECT_FALSE(checkSeriesSettings(s).empty());
    s.seriesStep = 1e-5f;
    EXPECT_FALSE(checkSeriesSettings(s).empty());
}

TEST(EngineSeries, SiHeaderAndKelvinStartLimit) {
    ProjectData p = loadEngineFile("turbojet.REF");
    p.unitSystem = kSI;
    convertProjectUnits(p);
    setupUnits(p);
    setEngineTestCondition(p, 0.5f, 3000, 0);
    std::string messages;
    engineTestReset(p, messages);
    auto& s = p.engine.test;
    s.seriesVariable = kSeriesT0;
    s.seriesMin = 220;
    s.seriesMax = 260;
    s.seriesStep = 20;
    std::string report;
    ASSERT_TRUE(engineSeriesReport(p, report).ran);
    const std::string header = lines(report)[4];
    EXPECT_NE(header.find("Altitude =   3000 m,  T0 = 220.00 K"), std::string::npos) << header;
    s.seriesMin = 190;
    EXPECT_FALSE(engineSeriesReport(p, report).ran);
}

} // namespace
} // namespace vededa
