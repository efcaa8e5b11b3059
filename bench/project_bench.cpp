// Benchmarks of the foundation: the atmosphere lookup and a full project file read and write.
#include "app/project_data.h"
#include "app/project_file.h"
#include "models/atmosphere.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vededa;

void BM_Atmosphere(benchmark::State& state) {
    ProjectData p;
    initializeProject(p);
    FlightCondition fc;
    float h = 0;
    for (auto _ : state) {
        fc.altitude = h;
        atmosphere(fc, p.units);
        benchmark::DoNotOptimize(fc.soundSpeed);
        h += 997.0f;
        if (h > 110000.0f) h = -500.0f;
    }
}
BENCHMARK(BM_Atmosphere);

/// A project with 30 constraints, 30 legs, user drag tables and the cycle-deck block.
ProjectData fullProject() {
    ProjectData p;
    initializeProject(p);
    p.constraintCount = 30;
    p.legCount = 30;
    p.dragModel = 7;
    p.thrustModel = 7;
    p.tsfcModel = 7;
    for (int k = 1; k <= 30; ++k) {
        auto& c = p.constraints[static_cast<std::size_t>(k)];
        c.type = std::string(1, static_cast<char>('A' + k % 10));
        c.name = "Constraint number " + std::to_string(k);
        auto& leg = p.legs[static_cast<std::size_t>(k)];
        leg.type = std::string(1, static_cast<char>('A' + k % 13));
        leg.name = "Leg number " + std::to_string(k);
        for (int i = 1; i <= 21; ++i) leg.p[i] = 1.2345f * static_cast<float>(i * k);
    }
    p.k1Table.count = p.k2Table.count = p.cd0Table.count = 11;
    for (int i = 1; i <= 32; ++i) p.engine.engine.component[i] = 0.95f + 0.001f * static_cast<float>(i);
    for (int i = 1; i <= 56; ++i) p.engine.engine.reference[i] = 3.14159f * static_cast<float>(i);
    p.engine.setup[kSetupEngineType] = 5;
    p.engine.fileName = "fighter.REF";
    return p;
}

void BM_ProjectReadWrite(benchmark::State& state) {
    ProjectData p = fullProject();
    ProjectData q;
    initializeProject(q);
    for (auto _ : state) {
        const std::string text = projectText(p);
        const FileResult r = readProjectText(q, text, "bench.RUZ");
        benchmark::DoNotOptimize(r.ok);
    }
}
BENCHMARK(BM_ProjectReadWrite)->Unit(benchmark::kMicrosecond);

} // namespace
