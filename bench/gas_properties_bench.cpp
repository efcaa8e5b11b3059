// Variable gas properties: the cost of the property functions, and of one on-design calculation with the
// variable gas against the same calculation with two constant-cp gases.
#include "engine/engine_design.h"
#include "engine/gas_properties.h"

#include <benchmark/benchmark.h>

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

void BM_GasTemperatureFromEnthalpy(benchmark::State& state) {
    const GasModel g(1);
    const double h = g.h(2000, 0.02);
    for (auto _ : state) benchmark::DoNotOptimize(g.temperatureFromEnthalpy(h, 0.02));
}
BENCHMARK(BM_GasTemperatureFromEnthalpy);

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

} // namespace
