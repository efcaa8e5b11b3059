// Benchmarks of the mission and contour calculations on the bundled project.
#include "app/project_data.h"
#include "app/project_file.h"
#include "constraint/constraint_calculation.h"
#include "contour/conrec.h"
#include "contour/contour_grid.h"
#include "contour/contour_overlays.h"
#include "engine/analysis_binding.h"
#include "mission/mission_calculation.h"
#include "mission/mission_report.h"
#include "output/plot_frame.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace vededa;

std::unique_ptr<ProjectData> bundledProject() {
    auto p = std::make_unique<ProjectData>();
    initializeProject(*p);
    readProject(*p, std::string(VEDEDA_DATA_DIR) + "/Vededa.RUZ");
    return p;
}

void BM_MissionWithReports(benchmark::State& state) {
    auto p = bundledProject();
    for (auto _ : state) {
        const AnalysisModels models = bindAnalysisModels(*p);
        std::string text = computeMission(*p, models);
        text += missionSummary(*p, 1);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_MissionWithReports)->Unit(benchmark::kMicrosecond);

/// The largest grid: 100 altitude increments and 100 velocity increments (101 x 102 points).
ProjectData& fullGridProject(ProjectData& p, int16_t quantity) {
    p.contour.velocity[1] = 0;
    p.contour.velocity[2] = 2000;
    p.contour.velocity[3] = 20;
    p.contour.altitude[1] = 0;
    p.contour.altitude[2] = 60;
    p.contour.altitude[3] = 0.6f;
    p.contour.quantity = quantity;
    return p;
}

void BM_ContourPsGridAlgebraic(benchmark::State& state) {
    auto p = bundledProject();
    fullGridProject(*p, kContourPs);
    const AnalysisModels models = bindAnalysisModels(*p);
    const PlotFrame frame = plotAreaOf(kPlotPictureWidth, kPlotPictureHeight);
    for (auto _ : state) {
        const ContourCalculation calc = calculateContourGrid(*p, models, frame);
        benchmark::DoNotOptimize(calc.maximum);
    }
}
BENCHMARK(BM_ContourPsGridAlgebraic)->Unit(benchmark::kMillisecond);

void BM_ContourTracing51Levels(benchmark::State& state) {
    auto p = bundledProject();
    fullGridProject(*p, kContourPs);
    const ContourCalculation calc =
        calculateContourGrid(*p, bindAnalysisModels(*p), plotAreaOf(kPlotPictureWidth, kPlotPictureHeight));
    const ContourLevels levels =
        contourLevels(calc.minimum, calc.maximum, (calc.maximum - calc.minimum) / 50.0f);
    for (auto _ : state) {
        int segments = 0;
        contourGrid(calc.grid, levels.levels, [&](const ContourSegment&) { ++segments; });
        benchmark::DoNotOptimize(segments);
    }
}
BENCHMARK(BM_ContourTracing51Levels)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

using namespace vededa;

std::unique_ptr<ProjectData> deckProject() {
    auto p = std::make_unique<ProjectData>();
    initializeProject(*p);
    readProject(*p, std::string(VEDEDA_DATA_DIR) + "/Vededa_deck.RUZ");
    return p;
}

void BM_DeckMissionWithReports(benchmark::State& state) {
    auto p = deckProject();
    for (auto _ : state) {
        const AnalysisModels models = bindAnalysisModels(*p);
        std::string text = computeMission(*p, models);
        text += missionSummary(*p, 1) + missionSummary(*p, 2);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_DeckMissionWithReports)->Unit(benchmark::kMillisecond);

void BM_DeckConstraintSet(benchmark::State& state) {
    auto p = deckProject();
    for (auto _ : state) {
        std::string text;
        for (int16_t n = 1; n <= p->constraintCount; ++n) text += ConstraintCalculation(*p, n);
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_DeckConstraintSet)->Unit(benchmark::kMillisecond);

/// The grid through the deck on `threads` threads (1: the one-core figure; 0: every core).
void deckGrid(benchmark::State& state, int16_t quantity, unsigned threads) {
    auto p = deckProject();
    fullGridProject(*p, quantity);
    const AnalysisModels models = bindAnalysisModels(*p);
    const PlotFrame frame = plotAreaOf(kPlotPictureWidth, kPlotPictureHeight);
    for (auto _ : state) {
        const ContourCalculation calc = calculateContourGrid(*p, models, frame, nullptr, threads);
        benchmark::DoNotOptimize(calc.maximum);
    }
}
void BM_DeckContourPsGrid(benchmark::State& state) {
    deckGrid(state, kContourPs, 1);
}
void BM_DeckContourPsGridAllCores(benchmark::State& state) {
    deckGrid(state, kContourPs, 0);
}
void BM_DeckContourRangeFactorGrid(benchmark::State& state) {
    deckGrid(state, kContourRangeFactor, 1);
}
BENCHMARK(BM_DeckContourPsGrid)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_DeckContourPsGridAllCores)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_DeckContourRangeFactorGrid)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
