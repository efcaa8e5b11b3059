// Sizing chart of the bundled projects: the 41 x 41 default grid with the optimum, on 1 and 2 threads,
// and one design-point update as the side panel needs it while the design point is dragged.
#include "app/project_data.h"
#include "app/project_file.h"
#include "constraint/constraint_calculation.h"
#include "constraint/constraint_diagram.h"
#include "output/canvas.h"
#include "output/plot_frame.h"
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

/// One step of dragging the constraint diagram's design point, as the Plot window makes it on every mouse
/// move: the point evaluated afresh (constraint margins and, with `mission`, the mission) and the diagram
/// drawn anew with the point marked there.
void diagramDrag(benchmark::State& state, const char* file, bool mission) {
    auto project = load(file);
    if (!project) {
        state.SkipWithError("cannot read the project");
        return;
    }
    // The diagram's curves, as Plot computes them before it draws.
    for (int16_t n = 1; n <= project->constraintCount; ++n) vededa::ConstraintCalculation(*project, n);
    const vededa::SizingSettings settings = vededa::effectiveSizingSettings(*project);
    vededa::ConstraintDiagramLayout layout;
    layout.width = vededa::kPlotPictureWidth;
    layout.height = vededa::kPlotPictureHeight;
    layout.left = 1300, layout.right = 8000, layout.top = 600, layout.bottom = 6200;
    const float ws0 = project->wingLoading, tw0 = project->thrustLoading;
    int step = 0;
    for (auto _ : state) {
        // Back and forth across a fifth of the diagram around the design point.
        const float f = static_cast<float>(step % 20) / 20.0f - 0.5f;
        const float ws = ws0 * (1.0f + 0.2f * f), tw = tw0 * (1.0f - 0.2f * f);
        ++step;
        vededa::SizingPoint p = mission ? vededa::evaluateSizingPoint(*project, settings, ws, tw)
                                        : vededa::evaluateSizingMargins(*project, settings, ws, tw);
        vededa::RecordingCanvas canvas(layout.width, layout.height);
        vededa::drawConstraintDiagram(canvas, *project, project->constraintCount, layout, {ws, tw});
        benchmark::DoNotOptimize(p);
        benchmark::DoNotOptimize(canvas);
    }
}

void BM_ConstraintDiagramDragAlgebraic(benchmark::State& state) {
    diagramDrag(state, "Vededa.RUZ", true);
}
BENCHMARK(BM_ConstraintDiagramDragAlgebraic)->Unit(benchmark::kMillisecond);

void BM_ConstraintDiagramDragCycleDeckMargins(benchmark::State& state) {
    diagramDrag(state, "Vededa_deck.RUZ", false);
}
BENCHMARK(BM_ConstraintDiagramDragCycleDeckMargins)->Unit(benchmark::kMillisecond);

void BM_ConstraintDiagramDragCycleDeckWithMission(benchmark::State& state) {
    diagramDrag(state, "Vededa_deck.RUZ", true);
}
BENCHMARK(BM_ConstraintDiagramDragCycleDeckWithMission)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
