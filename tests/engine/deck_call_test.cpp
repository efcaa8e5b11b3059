// The deck as one pure call: the same conditions give the same digits whatever ran before, on whichever
// thread, and a failure comes back as data.
#include "engine/cycle_deck_model.h"
#include "engine/engine_deck.h"
#include "engine/engine_series.h"
#include "engine/reference_file.h"
#include "engine/throttle_hook.h"
#include "models/atmosphere.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace vededa {
namespace {

ProjectData loadEngine(const std::string& file) {
    ProjectData p = test::freshProject();
    EXPECT_TRUE(ReadReferenceFile(p, test::dataPath(file)).ok) << file;
    const int16_t flag = p.engine.referenceUnitFlag;
    p.unitSystem = flag == kEnglish ? kEnglish : kSI;
    setupUnits(p);
    p.engine.referenceUnitFlag = flag;
    return p;
}

DeckConditions conditionsAt(const ProjectData& p, float mach, float altitude) {
    FlightCondition fc;
    fc.altitude = altitude;
    atmosphere(fc, p.units);
    DeckConditions c = DeckConditions::fromControls(p.engine, p.units, 1.0f);
    c.mach = mach;
    c.altitude = altitude;
    c.T0 = fc.temperature;
    c.P0 = fc.pressure / p.units.pressureConstant;
    c.tt4 = p.engine.tt4MaxSetting;
    c.tt7 = 0;
    c.throttleMode = 1;
    return c;
}

/// Bit-for-bit equality of everything a report prints from a deck call.
void expectSameDigits(const DeckResult& a, const DeckResult& b, const std::string& what) {
    EXPECT_EQ(a.limit, b.limit) << what;
    EXPECT_EQ(a.converged, b.converged) << what;
    for (auto [x, y, name] : {std::tuple{a.F, b.F, "F"},
                              {a.S, b.S, "S"},
                              {a.m0, b.m0, "m0"},
                              {a.A0, b.A0, "A0"},
                              {a.A9, b.A9, "A9"},
                              {a.Tt4, b.Tt4, "Tt4"},
                              {a.Tt7, b.Tt7, "Tt7"},
                              {a.cycle.piC, b.cycle.piC, "pi_c"},
                              {a.cycle.alpha, b.cycle.alpha, "alpha"},
                              {a.cycle.mc2, b.cycle.mc2, "mc2"}})
        EXPECT_EQ(std::memcmp(&x, &y, sizeof x), 0) << what << " " << name << ": " << x << " vs " << y;
}

struct PurityCase {
    const char* file;
    float mach, altitude, percent; ///< the thrust-matched point, percent of full-throttle thrust
};

class DeckPathIndependence : public ::testing::TestWithParam<PurityCase> {};

TEST_P(DeckPathIndependence, AloneAfterASeriesAfterAHookAndOnAnotherThread) {
    const PurityCase pc = GetParam();
    ProjectData p = loadEngine(pc.file);
    const DeckConditions full = conditionsAt(p, pc.mach, pc.altitude);
    const DeckResult max = runEngineDeck(p.engine, full);
    ASSERT_TRUE(max.converged) << max.failureText();
    DeckConditions matched = full;
    matched.throttleMode = 2;
    matched.requiredThrust = max.F * pc.percent / 100.0f;
    const EngineData before = p.engine;
    const DeckResult alone = runEngineDeck(p.engine, matched);
    ASSERT_TRUE(alone.converged) << alone.failureText();
    EXPECT_EQ(alone.limit, kLimitThrust);

    // A series of other points in between.
    for (float mach = 0; mach <= 1.2f; mach += 0.3f) runEngineDeck(p.engine, conditionsAt(p, mach, 20000));
    expectSameDigits(alone, runEngineDeck(p.engine, matched), "after a series");

    // The throttle hook and the engine series through the project.
    std::string messages;
    calculateThrottleHook(p, 0.8f, 30000, 0, messages);
    expectSameDigits(alone, runEngineDeck(p.engine, matched), "after a hook");
    p.engine.test.seriesVariable = 3;
    p.engine.test.seriesMin = 0.2f;
    p.engine.test.seriesMax = 0.8f;
    p.engine.test.seriesStep = 0.2f;
    std::string report;
    engineSeriesReport(p, report);
    expectSameDigits(alone, runEngineDeck(before, matched), "after a series report");

    DeckResult threaded;
    std::thread t([&] { threaded = runEngineDeck(before, matched); });
    t.join();
    expectSameDigits(alone, threaded, "on another thread");
}

INSTANTIATE_TEST_SUITE_P(BundledEngines, DeckPathIndependence,
                         ::testing::Values(PurityCase{"fighter_ab.REF", 0.9f, 30000, 30},
                                           PurityCase{"turbofan_mixed.REF", 0.8f, 35000, 20},
                                           PurityCase{"turbofan_hbp.REF", 0.8f, 35000, 40},
                                           PurityCase{"turbojet.REF", 0.5f, 10000, 50},
                                           PurityCase{"turboprop.REF", 0.4f, 10000, 60}));

TEST(DeckCall, AFailureComesBackAsDataWithItsMessageLines) {
    ProjectData p = loadEngine("turbojet.REF");
    EngineData broken = p.engine;
    broken.setup[kSetupEngineType] = 9;
    const DeckResult r = runEngineDeck(broken, conditionsAt(p, 0.5f, 10000));
    EXPECT_FALSE(r.converged);
    EXPECT_TRUE(r.failed());
    EXPECT_EQ(r.limit, kLimitNoSolution);
    ASSERT_EQ(r.failure.size(), 1u);
    EXPECT_EQ(r.failure[0], "Engine type 9 is not computed by this deck.");
    EXPECT_EQ(r.failureText(), "     Engine type 9 is not computed by this deck.\r\n");

    // The project-array door writes the same line into the results text.
    std::string text;
    EngineDeckResults cycle;
    float F = 1, S = 0, m0 = 0, A0 = 0, A9 = 0, Tt4 = 0, Tt7 = 0, scale = 1;
    int16_t ab = 0, code = 0;
    RunEngineDeck(broken, p.units, cycle, text, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
    EXPECT_EQ(code, kLimitNoSolution);
    EXPECT_EQ(text, r.failureText());
}

TEST(DeckCall, ConvergedCallCountsItsEvaluationsAndHasNoFailureLines) {
    ProjectData p = loadEngine("fighter_ab.REF");
    const DeckResult r = runEngineDeck(p.engine, conditionsAt(p, 0.9f, 30000));
    EXPECT_TRUE(r.converged);
    EXPECT_TRUE(r.failure.empty());
    EXPECT_GT(r.evaluations, 0);
    EXPECT_LE(r.evaluations, kCycleEvaluationLimit);
    EXPECT_GT(r.F, 0.0f);
}

TEST(InstalledEngine, SizingAndLapseLeaveTheProjectAsItWas) {
    ProjectData p = loadEngine("fighter_ab.REF");
    p.seaLevelThrust = 30000;
    p.engine.setup[kSetupEngineCount] = 2;
    const InstalledEngine e = InstalledEngine::of(p);
    const EngineSizing s = sizeEngine(e);
    ASSERT_TRUE(s.ok) << s.messages;
    // Two engines of the sized scale give the aircraft's sea-level thrust.
    InstalledEngine sized = e;
    sized.thrustScale = s.thrustScale;
    sized.lossModel = 0; // the sizing uses the uninstalled thrust
    FlightCondition sl;
    atmosphere(sl, p.units);
    const DeckRating r = installedLapse(sized, sl, 1);
    EXPECT_FALSE(r.failed);
    test::expectNear(r.alpha, 1.0, 1e-5, "sea-level static lapse of the sized engine");
    EXPECT_EQ(p.engine.thrustScale, 1.0f); // nothing written back
}

/// Points where the pressure-ratio limit of the fighter holds at full throttle, with the thrust an
/// independent calculation gives there [lbf].
struct LimitPoint {
    float mach, altitude, thrust;
};

class PressureRatioLimit : public ::testing::TestWithParam<LimitPoint> {};

TEST_P(PressureRatioLimit, IsMetAtTheIndependentThrust) {
    const LimitPoint lp = GetParam();
    ProjectData p = loadEngine("fighter_ab.REF");
    DeckConditions c = conditionsAt(p, lp.mach, lp.altitude);
    c.tt4 = 3200;
    c.tt7 = 3600;
    c.compressorRatioMax = 30;
    c.pt3Max = 450;
    c.tt3Max = 1660;
    c.lowSpoolMax = 105;
    c.highSpoolMax = 105;
    const DeckResult r = runEngineDeck(p.engine, c);
    ASSERT_TRUE(r.converged) << r.failureText();
    EXPECT_EQ(r.limit, kLimitCompressorRatio);
    // Met to the resolution of the cycle and never above the limit by more than its tolerance.
    // The mass flow settles relative to its ratio at altitude, so pi_c has no steps of tenths from one
    // Tt4 to the next and the limit is met closely at every point.
    EXPECT_LE(r.cycle.piC, 30.001f);
    EXPECT_GT(r.cycle.piC, 29.98f);
    test::expectNear(r.F, lp.thrust, 0.001, "thrust at the pressure-ratio limit");
    EXPECT_LT(r.evaluations, 200);
}

INSTANTIATE_TEST_SUITE_P(Fighter, PressureRatioLimit,
                         ::testing::Values(LimitPoint{0.4205f, 15100, 17900},
                                           LimitPoint{0.4070f, 14800, 18007},
                                           LimitPoint{0.9570f, 47000, 6891},
                                           LimitPoint{0.30990106f, 58000, 2679}));

TEST(MixedFlowMixer, FindsTheMatchWhenTheSearchStartsWithASupersonicBypassEntry) {
    // At Mach 2.2 at sea level the first mixer passes see M5' > 1; the match lies between the thrusts of
    // the neighbouring Mach numbers.
    ProjectData p = loadEngine("turbofan_mixed.REF");
    auto thrustAt = [&](float mach) {
        DeckConditions c = conditionsAt(p, mach, 0);
        c.compressorRatioMax = c.pt3Max = c.tt3Max = c.lowSpoolMax = c.highSpoolMax = 0;
        const DeckResult r = runEngineDeck(p.engine, c);
        EXPECT_TRUE(r.converged) << mach << ": " << r.failureText();
        return r.F;
    };
    const float below = thrustAt(2.1f), at = thrustAt(2.2f), above = thrustAt(2.3f);
    EXPECT_GT(at, 0.98f * std::min(below, above));
    EXPECT_LT(at, 1.02f * std::max(below, above));
}

struct MatchCase {
    const char* file;
    float mach, altitude, percent;
    int maxEvaluations; ///< passes of the whole call, full-throttle pass included (Tt4 steps of at most
                        ///< 250 R make the ramjet's long way down the longest)
};

class ThrustMatch : public ::testing::TestWithParam<MatchCase> {};

// The secant on the throttled temperature settles the thrust within 2 lbf in a few passes, and where a
// deep-throttle step lands on a pass without cycle solution it steps back instead of failing.
TEST_P(ThrustMatch, SettlesWithinTwoPoundsInAFewPasses) {
    const MatchCase mc = GetParam();
    ProjectData p = loadEngine(mc.file);
    DeckConditions c = conditionsAt(p, mc.mach, mc.altitude);
    const int16_t type = p.engine.setup[kSetupEngineType];
    if (type == 2 || type == 5) c.tt7 = p.engine.engine.reference[6];
    const DeckResult full = runEngineDeck(p.engine, c);
    ASSERT_TRUE(full.converged) << full.failureText();
    c.throttleMode = 2;
    c.requiredThrust = full.F * mc.percent / 100.0f;
    const DeckResult r = runEngineDeck(p.engine, c);
    ASSERT_TRUE(r.converged) << mc.file << " " << r.failureText();
    EXPECT_EQ(r.limit, kLimitThrust);
    EXPECT_NEAR(r.F, c.requiredThrust, 2.0f) << mc.file;
    EXPECT_LE(r.evaluations, mc.maxEvaluations) << mc.file;
}

INSTANTIATE_TEST_SUITE_P(
    BundledEngines, ThrustMatch,
    ::testing::Values(
        MatchCase{"turbojet.REF", 0.9f, 30000, 60, 10}, MatchCase{"turbojet_ab.REF", 0.9f, 30000, 60, 10},
        MatchCase{"turbofan_hbp.REF", 0.9f, 30000, 60, 8},
        MatchCase{"turbofan_mixed.REF", 0.9f, 30000, 60, 8}, MatchCase{"fighter_ab.REF", 0.9f, 30000, 60, 8},
        MatchCase{"turboprop.REF", 0.5f, 20000, 60, 8}, MatchCase{"ramjet.REF", 2.0f, 40000, 60, 24},
        // Deep throttle, where the old damped steps ran into a mixer without match.
        MatchCase{"turbofan_mixed.REF", 0.0f, 50000, 25, 30},
        MatchCase{"turbofan_hbp.REF", 0.0f, 50000, 10, 30}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.')) + "_" + std::to_string(info.index);
    });

TEST(ThrustMatch, AfterburnerStaysLitWhenItsThrustRangeHoldsTheMatch) {
    // A thrust just above what the afterburner gives at a Tt7 a little above its inlet temperature: the
    // secant must not step below the inlet temperature and put the afterburner out.
    ProjectData p = loadEngine("fighter_ab.REF");
    DeckConditions c = conditionsAt(p, 1.6f, 36000);
    c.tt7 = p.engine.engine.reference[6];
    const DeckResult full = runEngineDeck(p.engine, c);
    ASSERT_TRUE(full.converged);
    DeckConditions low = c;
    low.tt7 = full.cycle.Tt6 + 10.0f;
    const DeckResult atLow = runEngineDeck(p.engine, low);
    ASSERT_TRUE(atLow.converged);
    ASSERT_EQ(atLow.afterburnerState, 0);
    c.throttleMode = 2;
    c.requiredThrust = atLow.F;
    const DeckResult r = runEngineDeck(p.engine, c);
    ASSERT_TRUE(r.converged) << r.failureText();
    EXPECT_EQ(r.afterburnerState, 0);
    EXPECT_EQ(r.Tt4, full.Tt4);
    EXPECT_NEAR(r.Tt7, low.tt7, 1.0f);
    EXPECT_NEAR(r.F, c.requiredThrust, 2.0f);
}

TEST(ThrottleHook, FiftyPercentLineIsTheSingleFiftyPercentRun) {
    for (const char* file : {"turbojet_ab.REF", "turbofan_hbp.REF", "turbofan_mixed.REF", "fighter_ab.REF"}) {
        ProjectData p = loadEngine(file);
        const int16_t type = p.engine.setup[kSetupEngineType];
        p.afterburner = (type == 2 || type == 5) ? 1 : 0;
        std::string messages;
        std::vector<ThrottleHookRow> rows;
        calculateThrottleHook(p, 0.8f, 30000, 0, messages, &rows);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(kHookLines)) << file;
        // The hook left its operating condition in the project's controls.
        DeckConditions c = DeckConditions::fromControls(p.engine, p.units, 1.0f);
        c.throttleMode = 1;
        const DeckResult full = runEngineDeck(p.engine, c);
        ASSERT_TRUE(full.converged) << file;
        c.throttleMode = 2;
        c.requiredThrust = full.F * 50.0f / 100.0f;
        const DeckResult half = runEngineDeck(p.engine, c);
        const ThrottleHookRow& line = rows[(kHookFirstPercent - 50) / kHookPercentStep];
        EXPECT_EQ(line.thrust, half.F) << file;
        EXPECT_EQ(line.tsfc, half.S) << file;
        EXPECT_EQ(line.massFlow, half.m0) << file;
        EXPECT_EQ(line.tt4, half.Tt4) << file;
        EXPECT_EQ(line.tt7, half.Tt7) << file;
        EXPECT_EQ(line.afterburnerOn, half.afterburnerState == 0) << file;
    }
}

} // namespace
} // namespace vededa
