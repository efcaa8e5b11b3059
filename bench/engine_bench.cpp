// Engine deck timing: one full-throttle call and one thrust-matched call per engine type at M 0.9, 30 kft.
#include "app/project_data.h"
#include "engine/engine_deck.h"
#include "engine/reference_file.h"
#include "models/atmosphere.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace vededa;

struct Loaded {
    ProjectData project;
    bool ok = false;
};

Loaded load(const std::string& name) {
    Loaded l;
    initializeProject(l.project);
    l.ok = ReadReferenceFile(l.project, std::string(VEDEDA_DATA_DIR) + "/" + name).ok;
    ProjectData& p = l.project;
    p.unitSystem = p.engine.referenceUnitFlag == kEnglish ? kEnglish : kSI;
    setupUnits(p);
    FlightCondition fc;
    fc.altitude = p.unitSystem == kEnglish ? 30000.0f : 9144.0f;
    atmosphere(fc, p.units);
    p.engine.controls[1] = 0.9f;
    p.engine.controls[2] = fc.altitude;
    p.engine.controls[3] = fc.temperature;
    p.engine.controls[4] = fc.pressure / p.units.pressureConstant;
    return l;
}

void runDeck(benchmark::State& state, const char* file, bool matched) {
    Loaded l = load(file);
    if (!l.ok) {
        state.SkipWithError("reference file not found");
        return;
    }
    EngineData& e = l.project.engine;
    EngineDeckResults results;
    std::string text;
    float F = 0, S = 0, m0 = 0, A0 = 0, A9 = 0, Tt4 = 0, Tt7 = 0, scale = 1;
    int16_t ab = 0, code = 0;
    e.setup[kSetupThrottleMode] = 1;
    RunEngineDeck(e, l.project.units, results, text, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
    if (matched) {
        e.controls[10] = 0.6f * F;
        e.setup[kSetupThrottleMode] = 2;
    }
    for (auto _ : state) {
        text.clear();
        RunEngineDeck(e, l.project.units, results, text, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
        benchmark::DoNotOptimize(F);
    }
    state.counters["limit_code"] = code;
    state.counters["evaluations"] = results.cycleEvaluations;
}

} // namespace

BENCHMARK_CAPTURE(runDeck, type1_full, "turbojet.REF", false);
BENCHMARK_CAPTURE(runDeck, type1_matched, "turbojet.REF", true);
BENCHMARK_CAPTURE(runDeck, type2_full, "turbojet_ab.REF", false);
BENCHMARK_CAPTURE(runDeck, type2_matched, "turbojet_ab.REF", true);
BENCHMARK_CAPTURE(runDeck, type3_full, "turbofan_hbp.REF", false);
BENCHMARK_CAPTURE(runDeck, type3_matched, "turbofan_hbp.REF", true);
BENCHMARK_CAPTURE(runDeck, type4_full, "turbofan_mixed.REF", false);
BENCHMARK_CAPTURE(runDeck, type4_matched, "turbofan_mixed.REF", true);
BENCHMARK_CAPTURE(runDeck, type5_full, "fighter_ab.REF", false);
BENCHMARK_CAPTURE(runDeck, type5_matched, "fighter_ab.REF", true);
BENCHMARK_CAPTURE(runDeck, type6_full, "turboprop.REF", false);
BENCHMARK_CAPTURE(runDeck, type6_matched, "turboprop.REF", true);
BENCHMARK_CAPTURE(runDeck, type7_full, "ramjet.REF", false);
BENCHMARK_CAPTURE(runDeck, type7_matched, "ramjet.REF", true);
