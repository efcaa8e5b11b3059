// The on-design generator with variable gas properties.
#include "app/project_data.h"
#include "engine/engine_deck.h"
#include "engine/engine_design.h"
#include "engine/gas_properties.h"
#include "engine/real_gas_deck.h"
#include "engine/reference_file.h"
#include "models/atmosphere.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

namespace vededa {
namespace {

/// A sea-level-static single-spool turbojet: pressure ratio 13.5, compressor (isentropic) efficiency 0.83,
/// Tt4 2370 R, turbine (isentropic) efficiency 0.86, 3 % burner pressure loss, no other losses, fully
/// expanded nozzle, fuel of 18400 BTU/lbm, sized for 11800 lbf.
EngineDesign publishedTurbojet() {
    EngineDesign d;
    d.type = 1;
    d.spools = 1;
    d.efficiencies = kIsentropicEfficiencies;
    d.Tt4 = 2370;
    d.pihpc = 13.5f;
    d.etacH = 0.83f;
    d.etatH = 0.86f;
    d.pidmax = 1;
    d.pib = 0.97f;
    d.piAB = d.pin = 1;
    d.etab = d.etamH = 1;
    d.P0P9 = 1;
    d.hPR = 18400;
    d.thrust = 11800;
    d.gas = kVariableGas;
    return d;
}

TEST(RealGasDesign, PublishedTurbojetAirflowAndFuelConsumption) {
    const DesignResult v = designEngine(publishedTurbojet());
    ASSERT_TRUE(v.ok) << v.message;
    const auto& r = v.engine.reference;
    test::expectNear(r[25], 147.3, 0.02, "air flow [lbm/s]");
    // The published cycle gives 0.7985 (lbm/h)/lbf; f = 0.0182 against the 0.0178 its figures imply.
    test::expectNear(r[23], 0.7985, 0.03, "TSFC [(lbm/h)/lbf]");
    test::expectNear(r[20], 0.01822, 0.002, "f");
    // The constant-cp generator is far above it: the gap the variable gas closes.
    EngineDesign c = publishedTurbojet();
    c.gas = kConstantGas;
    const DesignResult k = designEngine(c);
    ASSERT_TRUE(k.ok);
    EXPECT_GT(k.engine.reference[23], 1.15f * 0.7985f);
    EXPECT_EQ(r[55], 1.0f);
    EXPECT_EQ(r[56], 2.0f);
    EXPECT_EQ(k.engine.reference[55], 0.0f);
    EXPECT_EQ(k.engine.reference[56], 0.0f);
}

TEST(RealGasDesign, SameEngineInBothUnitSystems) {
    EngineDesign si = publishedTurbojet();
    si.units = 2;
    si.Tt4 = 2370 / 1.8f;
    si.thrust = 11800 * 4.4482216f;
    si.hPR = 18400 * 2.326f;
    const DesignResult e = designEngine(publishedTurbojet()), s = designEngine(si);
    ASSERT_TRUE(e.ok && s.ok) << s.message;
    test::expectNear(s.engine.reference[25] / 0.45359237, e.engine.reference[25], 2e-4, "air flow");
    test::expectNear(s.engine.reference[23] / 28.325, e.engine.reference[23], 5e-4, "TSFC");
    test::expectNear(s.engine.reference[20], e.engine.reference[20], 2e-4, "f");
    // Dimensionless positions agree.
    for (int i : {14, 16, 17, 18, 35, 51})
        test::expectNear(s.engine.reference[i], e.engine.reference[i], 2e-4,
                         "reference " + std::to_string(i));
}

// An ideal compressor (efficiency 1) keeps the entropy: phi rises by R·ln(pi) exactly. With a polytropic
// efficiency e every small step loses the same share, so phi rises by R·ln(pi)/e in a compressor and
// falls by e·R·ln(1/pi) in a turbine.
TEST(RealGasDesign, EntropyRiseOfCompressorsAndTurbines) {
    struct Row {
        int16_t efficiencies;
        float eta;
    };
    for (const Row& row : {Row{kIsentropicEfficiencies, 1.0f}, Row{kPolytropicEfficiencies, 1.0f},
                           Row{kPolytropicEfficiencies, 0.85f}}) {
        EngineDesign d = publishedTurbojet();
        d.spools = 2;
        d.efficiencies = row.efficiencies;
        d.etacp = d.etacH = d.etatH = d.etatL = row.eta;
        d.pifan = 2.5f;
        d.pihpc = 6;
        const DesignResult made = designEngine(d);
        ASSERT_TRUE(made.ok) << made.message;
        const auto& r = made.engine.reference;
        const auto& k = made.engine.component;
        const GasModel g(1);
        const double Tt2 = r[54] * 518.69, T25 = Tt2 * r[14], T3 = T25 * r[16];
        const double rise = g.R(0) / row.eta;
        test::expectNear(g.phi(T25, 0) - g.phi(Tt2, 0), rise * std::log(2.5), 1e-6, "fan");
        test::expectNear(g.phi(T3, 0) - g.phi(T25, 0), rise * std::log(6.0), 1e-6, "compressor");
        // Low-pressure turbine (no cooling air): from Tt4.5 = X·Tt4 by tau_tL at the burner's f.
        const double T45 = r[35] * d.Tt4, T5 = T45 * r[18], f = r[20];
        test::expectNear(g.phi(T45, f) - g.phi(T5, f), row.eta * g.R(f) * std::log(1.0 / r[17]), 2e-5,
                         "low-pressure turbine");
        // The file holds isentropic efficiencies: below the polytropic one for compressors, above it for
        // turbines, equal for an ideal machine.
        if (row.eta < 1) {
            EXPECT_LT(k[14], row.eta);
            EXPECT_LT(k[15], row.eta);
            EXPECT_GT(k[16], row.eta);
            EXPECT_GT(r[40], row.eta);
        } else {
            for (float e : {k[14], k[15], k[16], r[40]}) EXPECT_NEAR(e, 1.0f, 2e-6f);
        }
        EXPECT_EQ(made.engine.designRecord[21], row.efficiencies == kPolytropicEfficiencies ? 1.0f : 0.0f);
    }
}

// Constant specific heats: a polytropic compressor has tau = pi^((gamma-1)/(gamma·e)) and a polytropic
// turbine pi = tau^(gamma/((gamma-1)·e)); the isentropic efficiencies written follow from them.
TEST(PolytropicEfficiencies, ConstantGasClosedForms) {
    EngineDesign d = publishedTurbojet();
    d.gas = kConstantGas;
    d.spools = 2;
    d.efficiencies = kPolytropicEfficiencies;
    d.pifan = 2.5f;
    d.pihpc = 6;
    d.etacp = 0.89f;
    d.etacH = 0.9f;
    d.etatH = 0.88f;
    d.etatL = 0.87f;
    const DesignResult made = designEngine(d);
    ASSERT_TRUE(made.ok) << made.message;
    const auto& r = made.engine.reference;
    const auto& k = made.engine.component;
    const double kc = 0.4 / 1.4, kt = 0.3 / 1.3;
    test::expectNear(r[14], std::pow(2.5, kc / 0.89), 1e-6, "tau fan");
    test::expectNear(r[16], std::pow(6.0, kc / 0.9), 1e-6, "tau compressor");
    test::expectNear(k[14], (std::pow(2.5, kc) - 1) / (r[14] - 1), 1e-5, "fan isentropic efficiency");
    test::expectNear(r[17], std::pow(r[18], 1.0 / (kt * 0.87)), 1e-5, "pi low-pressure turbine");
    test::expectNear(k[16], (1 - r[18]) / (1 - std::pow(r[17], kt)), 1e-5, "turbine isentropic efficiency");
    test::expectNear(k[6], std::pow(k[7], 1.0 / (kt * 0.88)), 1e-5, "pi high-pressure turbine");
}

TEST(PolytropicEfficiencies, DesignFileKey) {
    const std::string base = "type = 1\nTt4 = 2500\nmdot = 100\npifan = 2\npihpc = 6\n";
    struct Row {
        const char* lines;
        bool ok;
        int16_t efficiencies;
    };
    for (const Row& row : {Row{"", true, kIsentropicEfficiencies},
                           Row{"efficiencies = Polytropic\n", true, kPolytropicEfficiencies},
                           Row{"efficiencies = isentropic\n", true, kIsentropicEfficiencies},
                           Row{"efficiencies = 1\n", true, kPolytropicEfficiencies},
                           Row{"efficiencies = stage\n", false, 0}}) {
        const DesignReadResult r = readEngineDesign(base + row.lines);
        EXPECT_EQ(r.ok, row.ok) << row.lines << r.message;
        if (!row.ok) {
            EXPECT_NE(r.message.find("line 6"), std::string::npos) << r.message;
            continue;
        }
        EXPECT_EQ(r.design.efficiencies, row.efficiencies) << row.lines;
    }
}

// The bundled fighter's bypass ratio (0.7) leaves its bypass total pressure 6 % above the core static
// pressure with constant specific heats; with variable gas both turbines expand less, the core static
// pressure at the mixer comes out above the bypass total pressure, and the refusal says what to change.
TEST(RealGasDesign, ABypassStreamThatCannotEnterTheMixerSaysWhatToChange) {
    const std::string text = test::readFile(test::dataPath("fighter_ab.design")) + "\ngas = variable\n";
    const DesignReadResult read = readEngineDesign(text);
    ASSERT_TRUE(read.ok) << read.message;
    const DesignResult refused = designEngine(read.design);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.message.find("cannot enter the mixer"), std::string::npos) << refused.message;
    EXPECT_NE(refused.message.find("'pt5ratio' instead of 'alpha'"), std::string::npos) << refused.message;
    EngineDesign solved = read.design;
    solved.alpha = -1;
    solved.pt5ratio = 1.02f;
    const DesignResult made = designEngine(solved);
    ASSERT_TRUE(made.ok) << made.message;
    EXPECT_GT(made.engine.reference[19], 0.7f);
    solved.pt5ratio = 0.5f; // far below anything the mixer takes
    const DesignResult low = designEngine(solved);
    EXPECT_FALSE(low.ok);
    EXPECT_NE(low.message.find("larger 'pt5ratio'"), std::string::npos) << low.message;
}

// Each spool's turbine gives its compressor's work, its take-off and its mechanical loss, with bleed,
// both cooling flows and the mixing ahead of each turbine, for the jet types and the turboprop.
struct SpoolCase {
    int16_t type, units;
};
class SpoolBalance : public ::testing::TestWithParam<SpoolCase> {};

TEST_P(SpoolBalance, TurbineWorkEqualsCompressorWorkAtTheReferencePoint) {
    EngineDesign d;
    d.type = GetParam().type;
    d.units = GetParam().units;
    const bool si = d.units == 2;
    d.M0 = 0.8f;
    d.alt = si ? 9000 : 30000;
    d.Tt4 = si ? 1650 : 2970;
    d.pifan = d.type == 6 ? 1.0f : 3;
    d.pihpc = 8;
    d.alpha = d.type == 3 ? 1.2f : 0;
    if (d.type == 4) {
        d.alpha = -1; // solved for equal total pressures at the mixer
        d.pt5ratio = 1;
    }
    d.mdot = 100;
    d.beta = 0.01f;
    d.eps1 = 0.04f;
    d.eps2 = 0.03f;
    d.CTOL = d.type == 6 ? 0 : 0.002f;
    d.CTOH = 0.004f;
    d.etamH = 0.98f;
    d.etamL = 0.97f;
    d.P0P9 = -1;
    if (si) {
        d.hPR = 42800;
        d.cpc = 1.004f;
        d.cpt = d.cpAB = 1.235f;
    }
    d.gas = kVariableGas;
    const DesignResult made = designEngine(d);
    ASSERT_TRUE(made.ok) << made.message;
    const auto& r = made.engine.reference;
    const auto& k = made.engine.component;
    const GasModel g(d.units);
    const double T0 = r[2], Tt2 = r[54] * (si ? 518.69 / 1.8 : 518.69), T25 = Tt2 * r[14], T3 = T25 * r[16];
    const double f = r[20], alpha = r[19], core = 1 - d.beta - d.eps1 - d.eps2, hot = core * (1 + f);
    const double f1 = core * f / (core + d.eps1), f2 = core * f / (core + d.eps1 + d.eps2);
    const double Tm1 = d.Tt4 * k[31], T44 = Tm1 * k[7], T45 = d.Tt4 * r[35], T5 = T45 * r[18];
    const double h0 = g.h(T0, 0);
    const double hpTurbine = d.etamH * (hot + d.eps1) * (g.h(Tm1, f1) - g.h(T44, f1));
    const double hpLoad = g.h(T3, 0) - g.h(T25, 0) + (d.type == 6 ? 0 : (1 + alpha) * d.CTOH * h0);
    test::expectNear(hpTurbine, hpLoad, 5e-6, "high-pressure spool");
    // The cooling mixers conserve enthalpy.
    test::expectNear((hot + d.eps1) * g.h(Tm1, f1), hot * g.h(d.Tt4, f) + d.eps1 * g.h(T3, 0), 1e-6,
                     "mixer 1");
    if (d.type != 6) {
        const double lpTurbine = d.etamL * (hot + d.eps1 + d.eps2) * (g.h(T45, f2) - g.h(T5, f2));
        const double lpLoad = (1 + alpha) * (g.h(T25, 0) - g.h(Tt2, 0) + d.CTOL * h0);
        test::expectNear(lpTurbine, lpLoad, 5e-6, "low-pressure spool");
    }
}
INSTANTIATE_TEST_SUITE_P(Types, SpoolBalance,
                         ::testing::Values(SpoolCase{1, 1}, SpoolCase{3, 1}, SpoolCase{4, 2}, SpoolCase{6, 1},
                                           SpoolCase{6, 2}));

TEST(RealGasDesign, EveryTypeDesignsWithVariableGas) {
    for (const char* name :
         {"turbojet", "turbojet_ab", "turbofan_hbp", "turbofan_mixed", "turboprop", "ramjet"}) {
        DesignReadResult read = readEngineDesign(
            test::readFile(test::dataPath(std::string(name) + ".design")) + "\ngas = variable\nHC = 1.9\n");
        ASSERT_TRUE(read.ok) << name << ": " << read.message;
        const DesignResult made = designEngine(read.design);
        ASSERT_TRUE(made.ok) << name << ": " << made.message;
        EXPECT_EQ(made.engine.reference[55], 1.0f) << name;
        EXPECT_FLOAT_EQ(made.engine.reference[56], 1.9f) << name;
        // The variable gas burns less fuel than two constant-cp gases charged from absolute zero.
        read.design.gas = kConstantGas;
        const DesignResult constant = designEngine(read.design);
        ASSERT_TRUE(constant.ok);
        EXPECT_LT(made.engine.reference[23], constant.engine.reference[23]) << name;
    }
}

TEST(RealGasDesign, DesignFileKeysForTheGasModel) {
    const std::string base = "type = 1\nTt4 = 2500\nmdot = 100\npifan = 2\npihpc = 6\n";
    struct Row {
        const char* lines;
        bool ok;
        int16_t gas;
        float HC;
    };
    for (const Row& row : {Row{"", true, kConstantGas, 2}, Row{"gas = Variable\n", true, kVariableGas, 2},
                           Row{"gas = constant\nHC = 1.8\n", true, kConstantGas, 1.8f},
                           Row{"gas = 1\n", true, kVariableGas, 2}, Row{"gas = real\n", false, 0, 0},
                           Row{"HC = 0\n", false, 0, 0}, Row{"HC = 5\n", false, 0, 0}}) {
        const DesignReadResult r = readEngineDesign(base + row.lines);
        EXPECT_EQ(r.ok, row.ok) << row.lines << r.message;
        if (!row.ok) {
            EXPECT_NE(r.message.find("line"), std::string::npos);
            continue;
        }
        EXPECT_EQ(r.design.gas, row.gas) << row.lines;
        EXPECT_FLOAT_EQ(r.design.HC, row.HC) << row.lines;
    }
}

struct DeckCall {
    float F = 0, S = 0, m0 = 0, A0 = 0, A9 = 0, Tt4 = 0, Tt7 = 0;
    int16_t ab = 0, code = 0;
    EngineDeckResults cycle;
    std::string text;
};
DeckCall runDeck(ProjectData& p) {
    DeckCall r;
    float scale = 1;
    RunEngineDeck(p.engine, p.units, r.cycle, r.text, r.F, r.S, r.m0, r.A0, r.A9, r.Tt4, r.Tt7, r.ab, r.code,
                  scale);
    return r;
}
ProjectData loaded(const EngineDesign& d) {
    const DesignResult made = designEngine(d);
    EXPECT_TRUE(made.ok) << made.message;
    ProjectData p = test::freshProject();
    p.unitSystem = d.units == 2 ? kSI : kEnglish;
    setupUnits(p);
    EXPECT_TRUE(readReferenceText(p, referenceFileText(made.engine), "engine.REF").ok);
    p.engine.setup[kSetupThrottleMode] = 1;
    for (int k = 11; k <= 15; ++k) p.engine.controls[k] = 0;
    return p;
}

/// Puts the engine controls of `p` at Mach `M0` and `altitude` in the standard atmosphere.
void flyAt(ProjectData& p, float M0, float altitude) {
    FlightCondition fc;
    fc.altitude = altitude;
    atmosphere(fc, p.units);
    p.engine.controls[1] = M0;
    p.engine.controls[2] = altitude;
    p.engine.controls[3] = fc.temperature;
    p.engine.controls[4] = fc.pressure / p.units.pressureConstant;
}

/// One variable-gas pass of the engine of `p` (of type `type`) at Mach `M0` and `altitude` in the standard
/// atmosphere; the caller sets Tt4 and the start.
RealGasPassInput passInput(const ProjectData& p, int16_t type, float M0, float altitude) {
    FlightCondition fc;
    fc.altitude = altitude;
    atmosphere(fc, p.units);
    RealGasPassInput in;
    in.component = &p.engine.engine.component;
    in.reference = &p.engine.engine.reference;
    in.units = &p.units;
    in.type = type;
    in.M0 = std::max(M0, 0.01f);
    in.T0 = fc.temperature;
    in.P0 = fc.pressure / p.units.pressureConstant;
    return in;
}

/// Variable-gas designs of the types the deck computes with variable gas, with bleed, cooling air and
/// take-offs where the type has them.
EngineDesign variableDesign(int16_t type, int16_t units) {
    EngineDesign d;
    d.type = type;
    d.units = units;
    const bool si = units == 2;
    d.gas = kVariableGas;
    d.M0 = type == 7 ? 2.5f : type == 6 ? 0.5f : 0.8f;
    d.alt = si ? 9000 : 30000;
    d.Tt4 = si ? 1650 : 2970;
    d.Tt7 = type == 2 || type == 5 ? (si ? 2000 : 3600) : 0;
    d.pifan = type == 7 || type == 6 ? 1 : type == 3 ? 1.6f : 2;
    d.alpha = type == 3 ? 5 : 0;
    if (type == 4 || type == 5) {
        d.pifan = 3;
        d.alpha = -1; // solved for equal total pressures at the mixer
        d.pt5ratio = 1;
    }
    d.pihpc = type == 7 ? 1 : 7;
    d.mdot = 100;
    d.P0P9 = type == 2 || type == 5 ? -1 : 1;
    if (type != 7) {
        d.beta = 0.01f;
        d.eps1 = 0.03f;
        d.eps2 = 0.02f;
        d.CTOL = type == 6 ? 0.0f : 0.001f;
        d.CTOH = 0.003f;
    }
    if (type == 1) d.piAB = 1;
    if (si) {
        d.hPR = 42800;
        d.cpc = 1.004f;
        d.cpt = d.cpAB = 1.235f;
    }
    return d;
}

struct VariableCase {
    int16_t type, units;
};
class VariableGasKeystone : public ::testing::TestWithParam<VariableCase> {};

TEST_P(VariableGasKeystone, DeckAtTheReferenceConditionReproducesTheReferencePoint) {
    ProjectData p = loaded(variableDesign(GetParam().type, GetParam().units));
    const auto& ref = p.engine.engine.reference;
    p.engine.controls[5] = ref[5];
    p.engine.controls[6] = ref[6];
    const DeckCall r = runDeck(p);
    ASSERT_EQ(r.code, kLimitTt4) << r.text;
    const double tol = 1e-4;
    test::expectNear(r.F, ref[27], tol, "thrust");
    test::expectNear(r.S, ref[23], tol, "S");
    test::expectNear(r.m0, ref[25], tol, "m0");
    test::expectNear(r.A9, ref[43], tol, "A9");
    test::expectNear(r.cycle.f, ref[20], tol, "f");
    if (GetParam().type != 7) {
        test::expectNear(r.cycle.piHpc, ref[15], tol, "pi_cH");
        test::expectNear(r.cycle.tauTL, ref[18], tol, "tau_tL");
        test::expectNear(r.cycle.pctNH, 100, tol, "%N_H");
    }
    if (GetParam().type < 6) {
        test::expectNear(r.cycle.piFan, ref[13], tol, "pi_c'");
        test::expectNear(r.cycle.pctNL, 100, tol, "%N_L");
    }
    if (GetParam().type == 4 || GetParam().type == 5) {
        // The mixer Mach numbers of the results record: the reference mixer inlets and exit.
        test::expectNear(r.cycle.M5, ref[7], tol, "M5");
        test::expectNear(r.cycle.M5p, ref[34], tol, "M5'");
        test::expectNear(r.cycle.M6, ref[50], tol, "M6");
    } else {
        EXPECT_EQ(r.cycle.M5, 0.0f);
        EXPECT_EQ(r.cycle.M6, 0.0f);
    }
    EXPECT_TRUE(r.text.empty()) << r.text;
}
INSTANTIATE_TEST_SUITE_P(Types, VariableGasKeystone,
                         ::testing::Values(VariableCase{1, 1}, VariableCase{1, 2}, VariableCase{2, 1},
                                           VariableCase{3, 1}, VariableCase{3, 2}, VariableCase{4, 1},
                                           VariableCase{4, 2}, VariableCase{5, 1}, VariableCase{5, 2},
                                           VariableCase{2, 2}, VariableCase{6, 1}, VariableCase{6, 2},
                                           VariableCase{7, 1}, VariableCase{7, 2}));

TEST(VariableGasDeck, ThrustAndFuelFlowFallSmoothlyWithAltitude) {
    ProjectData p = loaded(variableDesign(1, 1));
    float lastF = 1e30f;
    for (float alt = 0; alt <= 50000; alt += 5000) {
        flyAt(p, 0.8f, alt);
        const DeckCall r = runDeck(p);
        ASSERT_LE(r.code, kLimitEngineSize) << alt << r.text;
        EXPECT_LT(r.F, lastF) << alt;
        EXPECT_GT(r.S, 0.5f * p.engine.engine.reference[23]) << alt;
        EXPECT_LT(r.S, 1.5f * p.engine.engine.reference[23]) << alt;
        lastF = r.F;
    }
}

// Over a flight envelope, the variable-gas deck fails nowhere that the constant-cp deck computes the same
// bundled engine.
TEST(VariableGasDeck, NoNewFailuresOverTheEnvelopeOfTheBundledEngines) {
    for (const char* name :
         {"turbojet", "turbojet_ab", "turbofan_hbp", "turbofan_mixed", "turboprop", "ramjet"}) {
        const std::string text = test::readFile(test::dataPath(std::string(name) + ".design"));
        DesignReadResult constant = readEngineDesign(text),
                         variable = readEngineDesign(text + "\ngas = variable\n");
        ASSERT_TRUE(constant.ok && variable.ok) << name;
        ProjectData pc = loaded(constant.design), pv = loaded(variable.design);
        int compared = 0;
        for (float M0 : {0.0f, 0.5f, 0.9f, 1.6f, 2.5f}) {
            for (float alt : {0.0f, 20000.0f, 40000.0f}) {
                flyAt(pc, M0, alt);
                flyAt(pv, M0, alt);
                const DeckCall c = runDeck(pc);
                if (c.code > kLimitEngineSize) continue;
                const DeckCall v = runDeck(pv);
                EXPECT_LE(v.code, kLimitEngineSize) << name << " M0 " << M0 << " alt " << alt << v.text;
                EXPECT_GT(v.F, 0.0f) << name << " M0 " << M0 << " alt " << alt;
                ++compared;
            }
        }
        EXPECT_GT(compared, 3) << name;
    }
}

// The passes keep what they need of an engine's reference point from one call to the next. Engines run in
// turn, an engine whose file changed by one component value (one the reference mixer depends on), and the
// same engine on a thread of its own must each give what they give alone.
TEST(VariableGasDeck, EnginesRunInTurnGiveWhatTheyGiveAlone) {
    auto at = [](ProjectData p, float M0, float alt) {
        flyAt(p, M0, alt);
        return p;
    };
    std::vector<ProjectData> engines;
    for (int16_t type : {1, 3, 4, 6, 7}) {
        engines.push_back(at(loaded(variableDesign(type, 1)), 0.6f, 10000));
        if (type != 4) continue;
        engines.push_back(engines.back());
        engines.back().engine.engine.component[17] *= 1.02f; // mixer bypass inlet area
    }
    engines.push_back(at(loaded(variableDesign(4, 2)), 0.6f, 3048));
    std::vector<DeckCall> alone(engines.size());
    for (std::size_t i = 0; i < engines.size(); ++i) {
        std::thread([&, i] { alone[i] = runDeck(engines[i]); }).join();
        ASSERT_LE(alone[i].code, kLimitEngineSize) << i << alone[i].text;
    }
    EXPECT_NE(alone[2].F, alone[3].F); // the changed area shows
    for (int round = 0; round < 2; ++round)
        for (std::size_t i = 0; i < engines.size(); ++i) {
            const DeckCall now = runDeck(engines[i]);
            EXPECT_EQ(now.F, alone[i].F) << i;
            EXPECT_EQ(now.S, alone[i].S) << i;
            EXPECT_EQ(now.m0, alone[i].m0) << i;
            EXPECT_EQ(now.A9, alone[i].A9) << i;
        }
}

// A gas generator the deck reports as settled is a fixed point of its passes: started again from its own
// converged state, the pass of a jet or a turboprop settles at once and gives the same engine, over flight
// conditions and throttle settings far from the reference point (where the first guess starts far off and the
// state may be taken on the contraction bound, before a pass confirms it). A probe next to it gives what a
// fresh start there gives.
TEST(VariableGasDeck, ASettledGasGeneratorIsAFixedPointOfItsPasses) {
    for (int16_t type : {1, 2, 6})
        for (int16_t units : {1, 2}) {
            const ProjectData p = loaded(variableDesign(type, units));
            const auto gas = GasModel::shared(p.units.system, p.engine.engine.reference[56]);
            const float lengthScale = units == 2 ? 0.3048f : 1.0f;
            for (float M0 : {0.0f, 0.3f, 0.5f, 0.7f, 0.9f, 1.2f, 1.6f})
                for (float altitude : {0.0f, 5000.0f, 10000.0f, 20000.0f, 30000.0f, 40000.0f})
                    for (float throttle : {1.0f, 0.9f, 0.8f, 0.65f}) {
                        RealGasPassInput in = passInput(p, type, M0, altitude * lengthScale);
                        in.Tt4 = throttle * p.engine.engine.reference[5];
                        const std::string where = "type " + std::to_string(type) + ", units " +
                                                  std::to_string(units) + ", M " + std::to_string(M0) + ", " +
                                                  std::to_string(altitude) + " ft, Tt4 x " +
                                                  std::to_string(throttle);
                        RealGasPassResult cold, again;
                        ASSERT_EQ(realGasPass(*gas, in, cold), "") << where;
                        in.start = &cold.converged;
                        ASSERT_EQ(realGasPass(*gas, in, again), "") << where;
                        EXPECT_NEAR(again.Tt3, cold.Tt3, 2.5e-7 * cold.Tt3) << where;
                        EXPECT_NEAR(again.mRatio, cold.mRatio, 2.5e-7 * cold.mRatio) << where;
                        EXPECT_NEAR(again.F, cold.F, 4e-7 * cold.F) << where;
                        EXPECT_NEAR(again.S, cold.S, 4e-7 * cold.S) << where;
                        // A limit search's probe a hundredth of a degree away, started from the settled
                        // state (which it may take as settled after one pass, on the contraction ratio the
                        // state measured), against a fresh start there.
                        in.Tt4 -= 0.01f;
                        RealGasPassResult probe, fresh;
                        ASSERT_EQ(realGasPass(*gas, in, probe), "") << where;
                        in.start = nullptr;
                        ASSERT_EQ(realGasPass(*gas, in, fresh), "") << where;
                        EXPECT_NEAR(probe.mRatio, fresh.mRatio, 4e-7 * fresh.mRatio) << where;
                        EXPECT_NEAR(probe.F, fresh.F, 4e-7 * fresh.F) << where;
                        EXPECT_NEAR(probe.S, fresh.S, 4e-7 * fresh.S) << where;
                    }
        }
}

// The limit and throttle searches step Tt4 and start each pass from the last converged state (with two
// of them, from the straight line through both): the engine at each Tt4 must be the one a pass started
// afresh finds there.
TEST(VariableGasDeck, ThrottleStepsFromEarlierStatesGiveTheEngineOfAFreshStart) {
    for (int16_t type : {1, 4, 6})
        for (int16_t units : {1, 2}) {
            const ProjectData p = loaded(variableDesign(type, units));
            const auto gas = GasModel::shared(p.units.system, p.engine.engine.reference[56]);
            RealGasPassInput in = passInput(p, type, 0.6f, units == 2 ? 6096.0f : 20000.0f);
            RealGasPassResult chained;
            for (int step = 0; step <= 15; ++step) {
                in.Tt4 = (1.0f - 0.02f * static_cast<float>(step)) * p.engine.engine.reference[5];
                const std::string where = "type " + std::to_string(type) + ", units " +
                                          std::to_string(units) + ", step " + std::to_string(step);
                RealGasPassResult fresh;
                in.start = nullptr;
                ASSERT_EQ(realGasPass(*gas, in, fresh), "") << where;
                const RealGasStart earlier = chained.converged;
                in.start = &earlier;
                ASSERT_EQ(realGasPass(*gas, in, chained), "") << where;
                // The mixed turbofan's bypass match settles with half steps, and stops within some 1e-6.
                const double within = type == 4 ? 1e-6 : 4e-7;
                EXPECT_NEAR(chained.mRatio, fresh.mRatio, within * fresh.mRatio) << where;
                EXPECT_NEAR(chained.F, fresh.F, within * fresh.F) << where;
                EXPECT_NEAR(chained.S, fresh.S, within * fresh.S) << where;
            }
        }
}

// The turboprop's thrust rises smoothly with Tt4 down to deep throttle: where the power turbine's match
// once met the slowest core exit on its way, the thrust jumped by 5 % and part-power matching missed.
TEST(VariableGasDeck, TurbopropThrustRisesSmoothlyWithTt4) {
    const std::string text = test::readFile(test::dataPath("turboprop.design"));
    const DesignReadResult design = readEngineDesign(text + "\ngas = variable\n");
    ASSERT_TRUE(design.ok);
    ProjectData p = loaded(design.design);
    flyAt(p, 0.5f, 30000);
    float previousF = 0, previousRise = 0;
    for (float Tt4 = 1400; Tt4 <= 2600; Tt4 += 20) {
        p.engine.controls[5] = Tt4;
        const DeckCall c = runDeck(p);
        ASSERT_LE(c.code, kLimitEngineSize) << "Tt4 " << Tt4 << c.text;
        if (previousF > 0) {
            const float rise = c.F - previousF;
            EXPECT_GT(rise, 0) << "Tt4 " << Tt4;
            if (previousRise > 0) {
                EXPECT_LT(rise, 1.2f * previousRise) << "Tt4 " << Tt4;
            }
            previousRise = rise;
        }
        previousF = c.F;
    }
}

// A high-bypass separate-exhaust turbofan throttled far back at low speed, where its core nozzle barely
// passes the core flow: the turbine match once swung far past a pressure ratio of 1 there and circled
// without settling ("will not converge" at Mach 0.5 and 0.9 from Tt4 1595 R up). Every point now has its
// engine, and the thrust rises with Tt4.
TEST(VariableGasDeck, SeparateTurbofanThrottledFarBackAtLowSpeedFindsItsMatch) {
    const std::string text = test::readFile(test::dataPath("turbofan_hbp.design"));
    const DesignReadResult design = readEngineDesign(text + "\ngas = variable\n");
    ASSERT_TRUE(design.ok);
    ProjectData p = loaded(design.design);
    const float Tt4Max = p.engine.engine.reference[5];
    for (float M0 : {0.0f, 0.5f, 0.9f})
        for (float altitude : {0.0f, 20000.0f}) {
            flyAt(p, M0, altitude);
            float previousF = 0;
            for (float share = 0.55f; share <= 0.751f; share += 0.015f) {
                p.engine.controls[5] = share * Tt4Max;
                const DeckCall c = runDeck(p);
                ASSERT_LE(c.code, kLimitEngineSize)
                    << "M " << M0 << ", " << altitude << " ft, Tt4 " << p.engine.controls[5] << c.text;
                EXPECT_GT(c.F, previousF)
                    << "M " << M0 << ", " << altitude << " ft, Tt4 " << p.engine.controls[5];
                previousF = c.F;
            }
        }
}

// The nozzle throat of an afterburning engine opens with the afterburner, so that the engine ahead of it
// runs the same lit or dry: with the throat held at its lit area, a dry mixed-flow engine found no match
// anywhere.
TEST(VariableGasDeck, AnAfterburningTurbofanRunsDryWithTheSameGasGenerator) {
    for (int16_t units : {1, 2}) {
        ProjectData p = loaded(variableDesign(5, units));
        const auto& ref = p.engine.engine.reference;
        p.engine.controls[5] = ref[5];
        p.engine.controls[6] = ref[6];
        const DeckCall lit = runDeck(p);
        ASSERT_EQ(lit.code, kLimitTt4) << lit.text;
        p.engine.controls[6] = 0;
        const DeckCall dry = runDeck(p);
        ASSERT_LE(dry.code, kLimitEngineSize) << dry.text;
        EXPECT_LT(dry.F, 0.8f * lit.F);
        EXPECT_LT(dry.S, lit.S);
        // The dry duct loses less pressure, so the match moves a little, not more.
        test::expectNear(dry.cycle.piHpc, lit.cycle.piHpc, 0.01, "pi_cH");
        test::expectNear(dry.cycle.alpha, lit.cycle.alpha, 0.05, "bypass ratio");
        test::expectNear(dry.m0, lit.m0, 0.02, "air flow");
    }
}

// A limit search steps Tt4 on the gas generator alone and evaluates the nozzle only on the pass it settles
// on: the thrust, fuel consumption and nozzle it reports are those of the engine at the Tt4 it reports, lit
// or dry, as a fresh pass at that Tt4 gives them.
TEST(VariableGasDeck, ALimitedCallReportsTheNozzleOfThePassItSettlesOn) {
    for (int16_t type : {1, 2, 5})
        for (int16_t units : {1, 2}) {
            ProjectData p = loaded(variableDesign(type, units));
            const auto& ref = p.engine.engine.reference;
            const float M0 = 0.9f, altitude = units == 2 ? 3000.0f : 10000.0f;
            flyAt(p, M0, altitude);
            p.engine.controls[5] = ref[5];
            p.engine.controls[6] = ref[6];
            const DeckCall free = runDeck(p);
            ASSERT_LE(free.code, kLimitEngineSize) << free.text;
            const auto gas = GasModel::shared(p.units.system, ref[56]);
            for (int limit : {11, 13}) {
                const std::string where = "type " + std::to_string(type) + ", units " +
                                          std::to_string(units) + ", limit " + std::to_string(limit);
                p.engine.controls[limit] = 0.97f * (limit == 11 ? free.cycle.piC : free.cycle.Tt3);
                const DeckCall limited = runDeck(p);
                p.engine.controls[limit] = 0;
                ASSERT_EQ(limited.code, limit == 11 ? kLimitCompressorRatio : kLimitTt3)
                    << where << limited.text;
                ASSERT_LT(limited.Tt4, ref[5]) << where;
                RealGasPassInput in = passInput(p, type, M0, altitude);
                in.Tt4 = limited.Tt4;
                in.afterburnerLit = ref[6] > 0;
                in.Tt7 = ref[6];
                in.piAB = in.afterburnerLit ? p.engine.engine.component[3] : 1.0f;
                in.chokedP0P9 = p.engine.controls[7];
                RealGasPassResult fresh;
                ASSERT_EQ(realGasPass(*gas, in, fresh), "") << where;
                EXPECT_NEAR(limited.F, fresh.F, 1e-6 * fresh.F) << where;
                EXPECT_NEAR(limited.S, fresh.S, 1e-6 * fresh.S) << where;
                EXPECT_NEAR(limited.A9, fresh.A9, 1e-6 * fresh.A9) << where;
                EXPECT_NEAR(limited.cycle.M9, fresh.M9, 1e-6 * fresh.M9) << where;
                EXPECT_EQ(limited.Tt7, fresh.Tt7) << where;
                EXPECT_LT(limited.F, free.F) << where;
            }
        }
}

TEST(VariableGasDeck, ThrustMatchingThrottlesTheAfterburnerFirst) {
    ProjectData p = loaded(variableDesign(2, 1));
    const auto& ref = p.engine.engine.reference;
    p.engine.controls[5] = ref[5];
    p.engine.controls[6] = ref[6];
    p.engine.setup[kSetupThrottleMode] = 2;
    p.engine.controls[10] = 0.6f * ref[27];
    const DeckCall r = runDeck(p);
    ASSERT_EQ(r.code, kLimitThrust) << r.text;
    EXPECT_NEAR(r.F, 0.6f * ref[27], 2.0f);
    EXPECT_LT(r.Tt7, ref[6]); // the afterburner came down first
}

TEST(RealGasDesign, TheListingNamesTheGasModelOfAVariableGasEngineOnly) {
    for (int16_t gas : {kConstantGas, kVariableGas}) {
        EngineDesign d = publishedTurbojet();
        d.gas = gas;
        const DesignResult made = designEngine(d);
        ASSERT_TRUE(made.ok);
        ProjectData p = test::freshProject();
        ASSERT_TRUE(readReferenceText(p, referenceFileText(made.engine), "jet.REF").ok);
        const std::string listing = referenceListing(p.engine, false, ListingLabels::AfterRead);
        EXPECT_EQ(listing.find("Gas Model") != std::string::npos, gas == kVariableGas) << listing;
        if (gas == kVariableGas) {
            EXPECT_NE(listing.find("Fuel H/C                 2.0000"), std::string::npos);
        }
    }
}

} // namespace
// A design with polytropic efficiencies runs in the deck on the isentropic efficiencies written into the
// file: the deck at the reference condition reproduces the reference point, for either gas model.
struct PolytropicCase {
    int16_t type, gas;
};
class PolytropicKeystone : public ::testing::TestWithParam<PolytropicCase> {};

TEST_P(PolytropicKeystone, DeckReproducesTheReferencePoint) {
    EngineDesign d = variableDesign(GetParam().type, 1);
    d.gas = GetParam().gas;
    d.efficiencies = kPolytropicEfficiencies;
    ProjectData p = loaded(d);
    const auto& ref = p.engine.engine.reference;
    p.engine.controls[5] = ref[5];
    p.engine.controls[6] = ref[6];
    const DeckCall r = runDeck(p);
    ASSERT_EQ(r.code, kLimitTt4) << r.text;
    test::expectNear(r.F, ref[27], 1e-4, "thrust");
    test::expectNear(r.S, ref[23], 1e-4, "S");
    test::expectNear(r.m0, ref[25], 1e-4, "m0");
    test::expectNear(r.cycle.tauTL, ref[18], 1e-4, "tau_tL");
}
INSTANTIATE_TEST_SUITE_P(Types, PolytropicKeystone,
                         ::testing::Values(PolytropicCase{1, kVariableGas}, PolytropicCase{3, kVariableGas},
                                           PolytropicCase{4, kVariableGas}, PolytropicCase{6, kVariableGas},
                                           PolytropicCase{1, kConstantGas}, PolytropicCase{4, kConstantGas},
                                           PolytropicCase{6, kConstantGas}));

} // namespace vededa
