// Sizing chart of the bundled projects: the 41 x 41 default grid with the optimum, on 1 and 2 threads,
// and one design-point update as the side panel needs it while the design point is dragged.
#include "app/project_data.h"
#include "app/project_file.h"
#include "sizing/sizing_chart.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<vededa::ProjectData> load(const char* name) {
    auto project = std::make_unique<vededa::ProjectData>();
    vededa::initializeProject(*project);
    if (!vededa::readProject(*project, std::string(VEDEDA_DATA_DIR) + "/" + name)) return nullptr;
    return project;
}

void chart(benchmark::State& state, const char* file) {
    auto project = load(file);
    if (!project) {
        state.SkipWithError("cannot read the project");
        return;
    }
    const vededa::SizingSettings settings = vededa::effectiveSizingSettings(*project);
    vededa::SizingRunOptions options;
    options.threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        vededa::SizingChart c = vededa::calculateSizingChart(*project, settings, options);
        benchmark::DoNotOptimize(c);
    }
    state.counters["points"] = settings.wsCount * settings.twCount;
}

void BM_SizingChartAlgebraic(benchmark::State& state) {
    chart(state, "Vededa.RUZ");
}
BENCHMARK(BM_SizingChartAlgebraic)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SizingChartCycleDeck(benchmark::State& state) {
    chart(state, "Vededa_deck.RUZ");
}
BENCHMARK(BM_SizingChartCycleDeck)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

void BM_SizingDesignPointUpdate(benchmark::State& state) {
    auto project = load("Vededa.RUZ");
    if (!project) {
        state.SkipWithError("cannot read data/Vededa.RUZ");
        return;
    }
    const vededa::SizingSettings settings = vededa::effectiveSizingSettings(*project);
    float ws = 40;
    for (auto _ : state) {
        vededa::SizingPoint p = vededa::evaluateSizingPoint(*project, settings, ws, 1.25f);
        benchmark::DoNotOptimize(p);
        ws = ws < 100 ? ws + 1.0f : 40.0f;
    }
}
BENCHMARK(BM_SizingDesignPointUpdate)->Unit(benchmark::kMillisecond);

} // namespace
