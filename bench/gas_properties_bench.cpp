// Variable gas properties: the cost of the property functions, and of one on-design calculation with the
// variable gas against the same calculation with two constant-cp gases.
#include "app/project_data.h"
#include "engine/engine_deck.h"
#include "engine/engine_design.h"
#include "engine/gas_properties.h"
#include "engine/reference_file.h"
#include "models/atmosphere.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace vededa;

void BM_GasEnthalpy(benchmark::State& state) {
    const GasModel g(1);
    double T = 1000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(g.h(T, 0.02));
        T = T < 3900 ? T + 1.7 : 500;
    }
}
BENCHMARK(BM_GasEnthalpy);

void BM_GasEntropyFunction(benchmark::State& state) {
    const GasModel g(1);
    double T = 1000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(g.phi(T, 0.02));
        T = T < 3900 ? T + 1.7 : 500;
    }
}
BENCHMARK(BM_GasEntropyFunction);

/// Argument: fuel/air ratio in thousandths (0: air, a tabulated mixture; 20: a mixture between them).
void BM_GasTemperatureFromEnthalpy(benchmark::State& state) {
    const GasModel g(1);
    const double f = 0.001 * state.range(0), h = g.h(2000, f);
    for (auto _ : state) benchmark::DoNotOptimize(g.temperatureFromEnthalpy(h, f));
}
BENCHMARK(BM_GasTemperatureFromEnthalpy)->Arg(0)->Arg(20);

void BM_GasIsentropicTemperature(benchmark::State& state) {
    const GasModel g(1);
    for (auto _ : state) benchmark::DoNotOptimize(g.isentropicTemperature(2000, 0.02, 0.3));
}
BENCHMARK(BM_GasIsentropicTemperature);

/// The sea-level-static turbojet sized for 11800 lbf; argument 0 constant gas, 1 variable gas.
void BM_DesignTurbojet(benchmark::State& state) {
    EngineDesign d;
    d.type = 1;
    d.Tt4 = 2370;
    d.pifan = 1.0001f;
    d.pihpc = 13.5f / 1.0001f;
    d.etacp = d.etacH = 0.83f;
    d.etatH = d.etatL = 0.86f;
    d.thrust = 11800;
    d.gas = static_cast<int16_t>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(designEngine(d).ok);
}
BENCHMARK(BM_DesignTurbojet)->Arg(kConstantGas)->Arg(kVariableGas);

/// One full-throttle deck call of a two-spool turbojet (argument 2 = 1), a separate-exhaust turbofan
/// (argument 2 = 3, bypass ratio 5) or a mixed-exhaust turbofan (argument 2 = 4, bypass ratio for equal
/// mixer pressures) with bleed, cooling air and take-offs designed
/// at Mach 0.8 and 30,000 ft with the gas model of argument 0 (0 constant, 1 variable): at the design
/// condition (argument 1 = 0) or off design at Mach 0.5 and 10,000 ft (argument 1 = 1).
void BM_DeckCallByGasModel(benchmark::State& state) {
    EngineDesign d;
    d.type = 1;
    d.M0 = 0.8f;
    d.alt = 30000;
    d.Tt4 = 2970;
    d.pifan = 2;
    d.pihpc = 7;
    d.mdot = 100;
    d.beta = 0.01f;
    d.eps1 = 0.03f;
    d.eps2 = 0.02f;
    d.CTOL = 0.001f;
    d.CTOH = 0.003f;
    d.piAB = 1;
    d.gas = static_cast<int16_t>(state.range(0));
    d.type = static_cast<int16_t>(state.range(2));
    if (d.type == 3) {
        d.pifan = 1.6f;
        d.alpha = 5;
    }
    if (d.type == 4) {
        d.pifan = 3;
        d.alpha = -1;
        d.pt5ratio = 1;
    }
    const DesignResult made = designEngine(d);
    ProjectData p;
    initializeProject(p);
    if (!made.ok || !readReferenceText(p, referenceFileText(made.engine), "bench.REF").ok) {
        state.SkipWithError("design failed");
        return;
    }
    p.engine.setup[kSetupThrottleMode] = 1;
    for (int k = 11; k <= 15; ++k) p.engine.controls[k] = 0;
    const bool offDesign = state.range(1) == 1;
    FlightCondition fc;
    fc.altitude = offDesign ? 10000 : 30000;
    atmosphere(fc, p.units);
    p.engine.controls[1] = offDesign ? 0.5f : 0.8f;
    p.engine.controls[2] = fc.altitude;
    p.engine.controls[3] = fc.temperature;
    p.engine.controls[4] = fc.pressure / p.units.pressureConstant;
    EngineDeckResults cycle;
    std::string text;
    for (auto _ : state) {
        float F = 0, S = 0, m0 = 0, A0 = 0, A9 = 0, Tt4 = 0, Tt7 = 0, scale = 1;
        int16_t ab = 0, code = 0;
        text.clear();
        RunEngineDeck(p.engine, p.units, cycle, text, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
        benchmark::DoNotOptimize(F);
    }
}
BENCHMARK(BM_DeckCallByGasModel)
    ->Args({kConstantGas, 0, 1})
    ->Args({kVariableGas, 0, 1})
    ->Args({kConstantGas, 1, 1})
    ->Args({kVariableGas, 1, 1})
    ->Args({kConstantGas, 1, 3})
    ->Args({kVariableGas, 1, 3})
    ->Args({kConstantGas, 1, 4})
    ->Args({kVariableGas, 1, 4});

/// The bundled engines (argument 1: 0 turbojet, 1 high-bypass turbofan, 2 mixed turbofan, 3 turboprop)
/// designed again with the gas model of argument 0, run as a mission or a contour plot runs them at Mach
/// 0.9 and 30,000 ft (the turboprop at Mach 0.5): at full throttle within the limits their files set
/// (argument 2 = 0), or matched to 60 % of that thrust (argument 2 = 1). These calls step Tt4 and start
/// each pass from the last converged state.
void BM_BundledEngineByGasModel(benchmark::State& state) {
    const char* names[] = {"turbojet", "turbofan_hbp", "turbofan_mixed", "turboprop"};
    std::ifstream in(std::string(VEDEDA_DATA_DIR) + "/" + names[state.range(1)] + ".design");
    std::stringstream text;
    text << in.rdbuf();
    const DesignReadResult design =
        readEngineDesign(text.str() + (state.range(0) == kVariableGas ? "\ngas = variable\n" : "\n"));
    const DesignResult made = design.ok ? designEngine(design.design) : DesignResult{};
    ProjectData p;
    initializeProject(p);
    if (!made.ok || !readReferenceText(p, referenceFileText(made.engine), "bench.REF").ok) {
        state.SkipWithError("design failed");
        return;
    }
    FlightCondition fc;
    fc.altitude = 30000;
    atmosphere(fc, p.units);
    p.engine.controls[1] = state.range(1) == 3 ? 0.5f : 0.9f;
    p.engine.controls[2] = fc.altitude;
    p.engine.controls[3] = fc.temperature;
    p.engine.controls[4] = fc.pressure / p.units.pressureConstant;
    p.engine.setup[kSetupThrottleMode] = 1;
    EngineDeckResults cycle;
    std::string report;
    float F = 0, S = 0, m0 = 0, A0 = 0, A9 = 0, Tt4 = 0, Tt7 = 0, scale = 1;
    int16_t ab = 0, code = 0;
    RunEngineDeck(p.engine, p.units, cycle, report, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
    if (state.range(2) == 1) {
        p.engine.controls[10] = 0.6f * F;
        p.engine.setup[kSetupThrottleMode] = 2;
    }
    for (auto _ : state) {
        report.clear();
        RunEngineDeck(p.engine, p.units, cycle, report, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
        benchmark::DoNotOptimize(F);
    }
    state.counters["limit_code"] = code;
    state.counters["evaluations"] = cycle.cycleEvaluations;
}
BENCHMARK(BM_BundledEngineByGasModel)
    ->ArgsProduct({{kConstantGas, kVariableGas}, {0, 1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
