// Throttle hook timing: one 46-line hook (Reset and 46 thrust-matched deck runs) at M 0.8, 30 kft.
#include "app/project_data.h"
#include "engine/reference_file.h"
#include "engine/throttle_hook.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace vededa;

void throttleHook(benchmark::State& state, const char* file) {
    ProjectData p;
    initializeProject(p);
    if (!ReadReferenceFile(p, std::string(VEDEDA_DATA_DIR) + "/" + file).ok) {
        state.SkipWithError("reference file not found");
        return;
    }
    const int16_t type = p.engine.setup[kSetupEngineType];
    p.afterburner = (type == 2 || type == 5) ? 1 : 0;
    for (auto _ : state) {
        std::string messages;
        std::string text = calculateThrottleHook(p, 0.8f, 30000.0f, 0.0f, messages);
        benchmark::DoNotOptimize(text);
    }
}

BENCHMARK_CAPTURE(throttleHook, turbojet_ab, "turbojet_ab.REF")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(throttleHook, turbofan_mixed, "turbofan_mixed.REF")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(throttleHook, fighter_ab, "fighter_ab.REF")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(throttleHook, turbofan_hbp, "turbofan_hbp.REF")->Unit(benchmark::kMillisecond);

} // namespace
