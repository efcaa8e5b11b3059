// Constraint analysis of the bundled project: every constraint calculated with its report page.
#include "app/project_data.h"
#include "app/project_file.h"
#include "constraint/constraint_calculation.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

void BM_ConstraintSetWithReports(benchmark::State& state) {
    auto project = std::make_unique<vededa::ProjectData>();
    vededa::initializeProject(*project);
    if (!vededa::readProject(*project, std::string(VEDEDA_DATA_DIR) + "/Vededa.RUZ")) {
        state.SkipWithError("cannot read data/Vededa.RUZ");
        return;
    }
    project->clock.fixedDate = "12/8/2026";
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (int16_t n = 1; n <= project->constraintCount; ++n) {
            std::string page = vededa::ConstraintCalculation(*project, n);
            bytes += page.size();
            benchmark::DoNotOptimize(page);
        }
    }
    state.counters["constraints"] = project->constraintCount;
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_ConstraintSetWithReports)->Unit(benchmark::kMicrosecond);

} // namespace
