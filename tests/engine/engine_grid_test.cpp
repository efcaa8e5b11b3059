// The bundled engines over a flight envelope: full throttle and thrust matched at part power, Mach 0 to 2,
// sea level to 40,000 ft. Every point of each engine's operating envelope must give a solution.
#include "engine/engine_deck.h"
#include "engine/engine_design.h"
#include "engine/reference_file.h"
#include "models/atmosphere.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

namespace vededa {
namespace {

/// Where an engine is expected to run: its Mach range and a dynamic-pressure ceiling that keeps the
/// supersonic corners inside a flight envelope (about Mach 1.2 at sea level) [psf].
struct GridCase {
    const char* file;
    float machMin, machMax;
    float qMax;
    bool variableGas = false; ///< the engine designed again from its design file with `gas = variable`
};

/// The engine of `gc` in an English project: the bundled reference file, or its design with variable gas.
ProjectData gridEngine(const GridCase& gc) {
    ProjectData p = test::freshProject();
    p.unitSystem = kEnglish;
    setupUnits(p);
    if (!gc.variableGas) {
        EXPECT_TRUE(ReadReferenceFile(p, test::dataPath(gc.file)).ok);
        return p;
    }
    const std::string name = std::string(gc.file).substr(0, std::string(gc.file).find('.'));
    const DesignReadResult design =
        readEngineDesign(test::readFile(test::dataPath(name + ".design")) + "\ngas = variable\n");
    EXPECT_TRUE(design.ok) << name;
    const DesignResult generated = designEngine(design.design);
    EXPECT_TRUE(generated.ok) << name << ": " << generated.message;
    EXPECT_TRUE(readReferenceText(p, referenceFileText(generated.engine), name + ".REF").ok);
    return p;
}

struct GridPoint {
    float mach, altitude, percent; ///< percent = 100: full throttle
};

struct GridFailure {
    GridPoint point;
    bool inEnvelope;
    std::string message;
};

std::vector<GridFailure> runGrid(const GridCase& gc, int& points, int& envelopePoints) {
    ProjectData p = gridEngine(gc);
    EngineData& e = p.engine;
    std::vector<GridFailure> failures;
    points = envelopePoints = 0;
    for (float mach = 0; mach <= 2.001f; mach += 0.25f) {
        for (float alt = 0; alt <= 40000; alt += 10000) {
            FlightCondition fc;
            fc.altitude = alt;
            atmosphere(fc, p.units);
            e.controls[1] = mach;
            e.controls[2] = alt;
            e.controls[3] = fc.temperature;
            e.controls[4] = fc.pressure / p.units.pressureConstant;
            const float q = 0.7f * fc.pressure * mach * mach;
            const bool inEnvelope = mach >= gc.machMin - 1e-4f && mach <= gc.machMax + 1e-4f && q <= gc.qMax;
            EngineDeckResults cycle;
            float F = 0, S = 0, m0 = 0, A0 = 0, A9 = 0, Tt4 = 0, Tt7 = 0, scale = 1;
            int16_t ab = 0, code = 0;
            e.setup[kSetupThrottleMode] = 1;
            std::string text;
            RunEngineDeck(e, p.units, cycle, text, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
            ++points;
            envelopePoints += inEnvelope;
            if (code > 10) {
                failures.push_back({{mach, alt, 100}, inEnvelope, text});
                continue;
            }
            const float fullThrust = F;
            for (float percent : {75.0f, 50.0f, 30.0f}) {
                e.setup[kSetupThrottleMode] = 2;
                e.controls[10] = percent / 100 * fullThrust;
                text.clear();
                RunEngineDeck(e, p.units, cycle, text, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
                ++points;
                envelopePoints += inEnvelope;
                if (code > 10) {
                    failures.push_back({{mach, alt, percent}, inEnvelope, text});
                } else if (code == kLimitThrust) {
                    EXPECT_NEAR(F, e.controls[10], 2.0f) << gc.file << " M " << mach << " alt " << alt;
                }
            }
        }
    }
    return failures;
}

class EngineGrid : public ::testing::TestWithParam<GridCase> {};

TEST_P(EngineGrid, EveryOperatingPointOfTheEnvelopeHasASolution) {
    int points = 0, envelopePoints = 0;
    const std::vector<GridFailure> failures = runGrid(GetParam(), points, envelopePoints);
    std::ostringstream list;
    int inside = 0;
    for (const GridFailure& f : failures) {
        inside += f.inEnvelope;
        list << (f.inEnvelope ? "  in envelope: " : "  outside:     ") << "M " << f.point.mach << ", "
             << f.point.altitude << " ft, " << f.point.percent << " %: " << f.message;
    }
    RecordProperty("failures", static_cast<int>(failures.size()));
    std::cout << GetParam().file << (GetParam().variableGas ? " (variable gas)" : "") << ": "
              << failures.size() << " of " << points << " points fail, " << inside << " of " << envelopePoints
              << " in the envelope\n"
              << list.str();
    EXPECT_GT(envelopePoints, 0);
    EXPECT_EQ(inside, 0) << GetParam().file;
}

INSTANTIATE_TEST_SUITE_P(
    BundledEngines, EngineGrid,
    ::testing::Values(GridCase{"turbojet.REF", 0, 2, 2200}, GridCase{"turbojet_ab.REF", 0, 2, 2200},
                      GridCase{"turbofan_hbp.REF", 0, 0.9f, 1e9f}, GridCase{"turbofan_mixed.REF", 0, 2, 2200},
                      GridCase{"fighter_ab.REF", 0, 2, 2200}, GridCase{"turboprop.REF", 0, 0.75f, 1e9f},
                      GridCase{"ramjet.REF", 1, 2, 2200}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

// The same envelopes with the engines designed again with variable gas properties (the fighter's
// bypass stream cannot enter its mixer with real gas at its design bypass ratio, so it is left out).
INSTANTIATE_TEST_SUITE_P(VariableGas, EngineGrid,
                         ::testing::Values(GridCase{"turbojet.REF", 0, 2, 2200, true},
                                           GridCase{"turbojet_ab.REF", 0, 2, 2200, true},
                                           GridCase{"turbofan_hbp.REF", 0, 0.9f, 1e9f, true},
                                           GridCase{"turbofan_mixed.REF", 0, 2, 2200, true},
                                           GridCase{"turboprop.REF", 0, 0.75f, 1e9f, true},
                                           GridCase{"ramjet.REF", 1, 2, 2200, true}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

/// Points that once had no solution: deep throttle of the mixed-flow engines, where the full-throttle
/// bypass ratio is far from the match; the fighter at full throttle beyond its dynamic-pressure limit, where
/// the starting bypass ratio admits no mixer match; the high-bypass fan at part power and altitude.
struct HardPoint {
    const char* file;
    float mach, altitude, percent;
};
class HardPoints : public ::testing::TestWithParam<HardPoint> {};

TEST_P(HardPoints, HaveASolution) {
    const HardPoint& h = GetParam();
    ProjectData p = test::freshProject();
    p.unitSystem = kEnglish;
    setupUnits(p);
    ASSERT_TRUE(ReadReferenceFile(p, test::dataPath(h.file)).ok);
    EngineData& e = p.engine;
    FlightCondition fc;
    fc.altitude = h.altitude;
    atmosphere(fc, p.units);
    e.controls[1] = h.mach;
    e.controls[2] = h.altitude;
    e.controls[3] = fc.temperature;
    e.controls[4] = fc.pressure / p.units.pressureConstant;
    e.setup[kSetupThrottleMode] = 1;
    EngineDeckResults cycle;
    std::string text;
    float F = 0, S = 0, m0 = 0, A0 = 0, A9 = 0, Tt4 = 0, Tt7 = 0, scale = 1;
    int16_t ab = 0, code = 0;
    RunEngineDeck(e, p.units, cycle, text, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
    ASSERT_LT(code, kLimitNoSolution) << text;
    if (h.percent >= 100) {
        EXPECT_TRUE(text.empty()) << text;
        return;
    }
    const float fullTt4 = Tt4;
    e.setup[kSetupThrottleMode] = 2;
    e.controls[10] = h.percent / 100 * F;
    RunEngineDeck(e, p.units, cycle, text, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
    ASSERT_EQ(code, kLimitThrust) << text;
    EXPECT_NEAR(F, e.controls[10], 2.0f);
    EXPECT_LT(Tt4, fullTt4);
    EXPECT_GT(cycle.alpha, 0.0f);
    EXPECT_TRUE(text.empty()) << text;
}

INSTANTIATE_TEST_SUITE_P(BundledEngines, HardPoints,
                         ::testing::Values(HardPoint{"fighter_ab.REF", 0, 0, 30},
                                           HardPoint{"fighter_ab.REF", 1.75f, 0, 100},
                                           HardPoint{"fighter_ab.REF", 2, 10000, 100},
                                           HardPoint{"turbofan_mixed.REF", 0, 0, 30},
                                           HardPoint{"turbofan_mixed.REF", 1.5f, 40000, 30},
                                           HardPoint{"turbofan_mixed.REF", 1, 0, 30},
                                           HardPoint{"turbofan_hbp.REF", 0, 20000, 30}));

/// The bundled mixed-flow turbofan designed again in SI units: thrust matched to 30 % at Mach 2 and
/// 30,000 ft (9144 m), where the first converged pass is too far from the match for the mixer.
TEST(HardPointsSI, MixedTurbofanDeepThrottleAtMachTwo) {
    EngineDesign d;
    d.type = 4;
    d.units = 2;
    d.Tt4 = 1666.7f;
    d.pifan = 3;
    d.pihpc = 8;
    d.alpha = 1.5f;
    d.M5 = 0.5f;
    d.piAB = 1;
    d.thrust = 53379;
    d.P0P9 = -1;
    d.beta = 0.01f;
    d.eps1 = 0.04f;
    d.eps2 = 0.03f;
    d.CTOL = 0.002f;
    d.CTOH = 0.006f;
    d.hPR = 42800;
    d.cpc = 1.004f;
    d.cpt = 1.235f;
    d.cpAB = 1.235f;
    const DesignResult made = designEngine(d);
    ASSERT_TRUE(made.ok) << made.message;
    ProjectData p = test::freshProject();
    p.unitSystem = kSI;
    setupUnits(p);
    ASSERT_TRUE(readReferenceText(p, referenceFileText(made.engine), "mixed.REF").ok);
    EngineData& e = p.engine;
    FlightCondition fc;
    fc.altitude = 9144;
    atmosphere(fc, p.units);
    e.controls[1] = 2;
    e.controls[2] = fc.altitude;
    e.controls[3] = fc.temperature;
    e.controls[4] = fc.pressure / p.units.pressureConstant;
    e.setup[kSetupThrottleMode] = 1;
    EngineDeckResults cycle;
    std::string text;
    float F = 0, S = 0, m0 = 0, A0 = 0, A9 = 0, Tt4 = 0, Tt7 = 0, scale = 1;
    int16_t ab = 0, code = 0;
    RunEngineDeck(e, p.units, cycle, text, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
    ASSERT_EQ(code, kLimitTt4) << text;
    e.setup[kSetupThrottleMode] = 2;
    e.controls[10] = 0.3f * F;
    RunEngineDeck(e, p.units, cycle, text, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
    ASSERT_EQ(code, kLimitThrust) << text;
    EXPECT_NEAR(F, e.controls[10], 2.0f);
    EXPECT_TRUE(text.empty()) << text;
}

} // namespace
} // namespace vededa
