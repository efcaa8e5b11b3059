// Variable gas properties: the cost of the property functions, and of one on-design calculation with the
// variable gas against the same calculation with two constant-cp gases.
#include "app/project_data.h"
#include "engine/engine_deck.h"
#include "engine/engine_design.h"
#include "engine/gas_properties.h"
#include "engine/reference_file.h"
#include "models/atmosphere.h"

#include <benchmark/benchmark.h>

#include <chrono>
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

/// A deck ready to call: an engine loaded into a project with its flight condition and throttle set.
struct DeckSetUp {
    ProjectData p;
    EngineDeckResults cycle;
    std::string report;
    float F = 0;
    int16_t code = 0;
    bool ok = false;

    void call() {
        float S = 0, m0 = 0, A0 = 0, A9 = 0, Tt4 = 0, Tt7 = 0, scale = 1;
        int16_t ab = 0;
        report.clear();
        RunEngineDeck(p.engine, p.units, cycle, report, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
    }
    /// Loads `made` and flies it at Mach `M0` and `altitude` in the standard atmosphere, full throttle.
    void load(const DesignResult& made, float M0, float altitude) {
        initializeProject(p);
        ok = made.ok && readReferenceText(p, referenceFileText(made.engine), "bench.REF").ok;
        if (!ok) return;
        FlightCondition fc;
        fc.altitude = altitude;
        atmosphere(fc, p.units);
        p.engine.controls[1] = M0;
        p.engine.controls[2] = fc.altitude;
        p.engine.controls[3] = fc.temperature;
        p.engine.controls[4] = fc.pressure / p.units.pressureConstant;
        p.engine.setup[kSetupThrottleMode] = 1;
    }
};

/// A two-spool turbojet (type 1), a separate-exhaust turbofan (type 3, bypass ratio 5) or a mixed-exhaust
/// turbofan (type 4, bypass ratio for equal mixer pressures) with bleed, cooling air and take-offs,
/// designed at Mach 0.8 and 30,000 ft with the gas model `gas`, at full throttle without limits: at the
/// design condition or off design at Mach 0.5 and 10,000 ft.
void setUpDesignedEngine(DeckSetUp& s, int gas, bool offDesign, int type) {
    EngineDesign d;
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
    d.gas = static_cast<int16_t>(gas);
    d.type = static_cast<int16_t>(type);
    if (d.type == 3) {
        d.pifan = 1.6f;
        d.alpha = 5;
    }
    if (d.type == 4) {
        d.pifan = 3;
        d.alpha = -1;
        d.pt5ratio = 1;
    }
    s.load(designEngine(d), offDesign ? 0.5f : 0.8f, offDesign ? 10000.0f : 30000.0f);
    for (int k = 11; k <= 15; ++k) s.p.engine.controls[k] = 0;
}

/// A bundled engine (0 turbojet, 1 high-bypass turbofan, 2 mixed turbofan, 3 turboprop) designed again
/// with the gas model `gas`, run as a mission or a contour plot runs it at Mach 0.9 and 30,000 ft (the
/// turboprop at Mach 0.5): at full throttle within the limits its file sets, or matched to 60 % of that
/// thrust. These calls step Tt4 and start each pass from the last converged state.
void setUpBundledEngine(DeckSetUp& s, int gas, int engine, bool matched) {
    const char* names[] = {"turbojet", "turbofan_hbp", "turbofan_mixed", "turboprop"};
    std::ifstream in(std::string(VEDEDA_DATA_DIR) + "/" + names[engine] + ".design");
    std::stringstream text;
    text << in.rdbuf();
    const DesignReadResult design =
        readEngineDesign(text.str() + (gas == kVariableGas ? "\ngas = variable\n" : "\n"));
    s.load(design.ok ? designEngine(design.design) : DesignResult{}, engine == 3 ? 0.5f : 0.9f, 30000);
    if (!s.ok || !matched) return;
    s.call();
    s.p.engine.controls[10] = 0.6f * s.F;
    s.p.engine.setup[kSetupThrottleMode] = 2;
}

/// One full-throttle deck call of a designed engine (see `setUpDesignedEngine`): argument 0 the gas model
/// (0 constant, 1 variable), argument 1 off design (1) or at the design condition (0), argument 2 the type.
void BM_DeckCallByGasModel(benchmark::State& state) {
    DeckSetUp s;
    setUpDesignedEngine(s, static_cast<int>(state.range(0)), state.range(1) == 1,
                        static_cast<int>(state.range(2)));
    if (!s.ok) {
        state.SkipWithError("design failed");
        return;
    }
    for (auto _ : state) {
        s.call();
        benchmark::DoNotOptimize(s.F);
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

/// A bundled engine's deck call (see `setUpBundledEngine`): argument 0 the gas model, argument 1 the engine,
/// argument 2 matched (1) or full throttle (0).
void BM_BundledEngineByGasModel(benchmark::State& state) {
    DeckSetUp s;
    setUpBundledEngine(s, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                       state.range(2) == 1);
    if (!s.ok) {
        state.SkipWithError("design failed");
        return;
    }
    for (auto _ : state) {
        s.call();
        benchmark::DoNotOptimize(s.F);
    }
    state.counters["limit_code"] = s.code;
    state.counters["evaluations"] = s.cycle.cycleEvaluations;
}
BENCHMARK(BM_BundledEngineByGasModel)
    ->ArgsProduct({{kConstantGas, kVariableGas}, {0, 1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

/// The cost of a variable-gas deck call against the same call of the constant-gas engine, timed in
/// alternating batches so that the machine's drift in speed falls on both alike: counter `ratio`.
/// Argument 0 < 8: bundled engine `arg / 2`, matched when odd (see `setUpBundledEngine`); 8-11: a designed
/// engine (see `setUpDesignedEngine`) at its design condition (type 1) or off design (types 1, 3, 4).
void BM_VariableGasCostRatio(benchmark::State& state) {
    const int k = static_cast<int>(state.range(0));
    DeckSetUp constant, variable;
    for (int gas : {kConstantGas, kVariableGas}) {
        DeckSetUp& s = gas == kConstantGas ? constant : variable;
        if (k < 8) {
            setUpBundledEngine(s, gas, k / 2, k % 2 == 1);
        } else {
            const int designed[4][2] = {{0, 1}, {1, 1}, {1, 3}, {1, 4}};
            setUpDesignedEngine(s, gas, designed[k - 8][0] == 1, designed[k - 8][1]);
        }
    }
    if (!constant.ok || !variable.ok) {
        state.SkipWithError("design failed");
        return;
    }
    constexpr int kBatch = 20;
    using Clock = std::chrono::steady_clock;
    Clock::duration constantTime{}, variableTime{};
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        for (int i = 0; i < kBatch; ++i) constant.call();
        const Clock::time_point t1 = Clock::now();
        for (int i = 0; i < kBatch; ++i) variable.call();
        const Clock::time_point t2 = Clock::now();
        constantTime += t1 - t0;
        variableTime += t2 - t1;
        benchmark::DoNotOptimize(constant.F + variable.F);
    }
    const double calls = static_cast<double>(state.iterations()) * kBatch;
    const double constantNs = std::chrono::duration<double, std::nano>(constantTime).count() / calls,
                 variableNs = std::chrono::duration<double, std::nano>(variableTime).count() / calls;
    state.counters["constant_ns"] = constantNs;
    state.counters["variable_ns"] = variableNs;
    state.counters["ratio"] = variableNs / constantNs;
}
BENCHMARK(BM_VariableGasCostRatio)->DenseRange(0, 11)->Unit(benchmark::kMicrosecond);

} // namespace
