#include "engine/gas_properties.h"
#include "engine/real_gas_flow.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace vededa {
namespace {

constexpr int16_t kEnglishUnits = 1, kSIUnits = 2;

/// Isentropic flow of `g` with its unit system's energy-to-velocity constant (the project's jgc).
RealGasFlow flowOf(const GasModel& g) {
    return RealGasFlow(g, g.unitSystem() == kSIUnits ? 1000.0 : 25036.52);
}

// Ideal-gas air table (Keenan and Kaye, as reproduced in the usual engineering tables):
// T [K], h [kJ/kg], s° [kJ/(kg K)]. Datums differ between tables, so differences from 300 K are compared.
struct AirRow {
    double T, h, s;
};
constexpr AirRow kAir300{300, 300.19, 1.70203};

class AirTable : public ::testing::TestWithParam<AirRow> {};

TEST_P(AirTable, EnthalpyAndEntropyFunctionRiseAsTheTableInBothUnitSystems) {
    const AirRow row = GetParam();
    const GasModel si(kSIUnits);
    test::expectNear(si.h(row.T, 0) - si.h(kAir300.T, 0), row.h - kAir300.h, 1e-3, "h - h(300 K)");
    test::expectNear(si.phi(row.T, 0) - si.phi(kAir300.T, 0), row.s - kAir300.s, 1e-3, "phi - phi(300 K)");
    // English units: R, BTU/lbm, BTU/(lbm R).
    const GasModel en(kEnglishUnits);
    test::expectNear(en.h(1.8 * row.T, 0) - en.h(1.8 * kAir300.T, 0), (row.h - kAir300.h) / 2.326, 1e-3,
                     "h in BTU/lbm");
    test::expectNear(en.phi(1.8 * row.T, 0) - en.phi(1.8 * kAir300.T, 0), (row.s - kAir300.s) / 4.1868, 1e-3,
                     "phi in BTU/(lbm R)");
}
INSTANTIATE_TEST_SUITE_P(KeenanKaye, AirTable,
                         ::testing::Values(AirRow{1000, 1046.04, 2.96770}, AirRow{1500, 1635.97, 3.44516},
                                           AirRow{2000, 2252.1, 3.7994}));

TEST(GasModel, SpecificHeatsOfAirAndItsGasConstant) {
    const GasModel si(kSIUnits);
    test::expectNear(si.cp(300, 0), 1.005, 1e-3, "cp(300 K)");
    test::expectNear(si.cp(500, 0), 1.029, 1e-3, "cp(500 K)");
    test::expectNear(si.R(0), 0.28704, 1e-3, "R of air");
    test::expectNear(si.gamma(300, 0), 1.400, 1e-3, "gamma(300 K)");
    const GasModel en(kEnglishUnits);
    test::expectNear(en.cp(540, 0), 1.005 / 4.1868, 1e-3, "cp(540 R)");
    test::expectNear(en.R(0) * 778.169, 53.34, 1e-3, "R of air [ft lbf/(lbm R)]");
}

// The products of burning CH2 stoichiometrically in air, per mole of air: N2 0.78084, Ar 0.00934,
// CO2 0.14000, H2O 0.13964, 30.924 g. cp of the species from the JANAF tables [J/(mol K)].
TEST(GasModel, StoichiometricProductsOfKeroseneAgainstTheSpeciesTables) {
    const GasModel si(kSIUnits);
    test::expectNear(si.stoichiometricFuelAirRatio(), 1.95867 / 28.9654, 1e-4, "fs");
    const double fs = si.stoichiometricFuelAirRatio();
    // At 1000 K: cp [J/(mol K)] and H - H(298.15 K) [kJ/mol] of N2, Ar, CO2, H2O.
    const double cp = (0.78084 * 32.698 + 0.00934 * 20.786 + 0.14000 * 54.308 + 0.13964 * 41.268) / 30.924;
    test::expectNear(si.cp(1000, fs), cp, 1e-3, "cp of the products at 1000 K");
    const double dh = (0.78084 * 21.460 + 0.00934 * 14.590 + 0.14000 * 33.405 + 0.13964 * 25.993) / 30.924;
    test::expectNear(si.h(1000, fs) - si.h(298.15, fs), 1000 * dh, 1e-3, "h - h(298.15 K) of the products");
    test::expectNear(si.R(fs), 8.314462618 * (0.78084 + 0.00934 + 0.14 + 0.13964) / 30.924, 1e-4, "R");
    // Richer than stoichiometric is computed as the stoichiometric products.
    EXPECT_DOUBLE_EQ(si.cp(1500, 2 * fs), si.cp(1500, fs));
    // A lean mixture lies between air and the products.
    EXPECT_GT(si.cp(1500, fs / 2), si.cp(1500, 0));
    EXPECT_LT(si.cp(1500, fs / 2), si.cp(1500, fs));
}

struct GasCase {
    int16_t units;
    double fShare; // share of the stoichiometric fuel/air ratio
};
class GasConsistency : public ::testing::TestWithParam<GasCase> {};

TEST_P(GasConsistency, EntropyFunctionAndEnthalpyFollowTheSpecificHeat) {
    const GasModel g(GetParam().units);
    const double f = GetParam().fShare * g.stoichiometricFuelAirRatio();
    const double scale = GetParam().units == kEnglishUnits ? 1.8 : 1.0;
    for (double TK : {180.0, 250.0, 400.0, 800.0, 1200.0, 1800.0, 2200.0}) {
        const double T = TK * scale, dT = 0.01 * scale;
        const double dphi = (g.phi(T + dT, f) - g.phi(T - dT, f)) / (2 * dT);
        const double dh = (g.h(T + dT, f) - g.h(T - dT, f)) / (2 * dT);
        test::expectNear(dphi, g.cp(T, f) / T, 1e-6, "dphi/dT at " + std::to_string(T));
        test::expectNear(dh, g.cp(T, f), 1e-6, "dh/dT at " + std::to_string(T));
        // The specific heat's own slope, evaluated with h and cp (the sonic-state search steps on it).
        double h = 0, cp = 0, cpSlope = 0;
        g.enthalpyAndSpecificHeat(T, f, h, cp, cpSlope);
        const double dcp = (g.cp(T + dT, f) - g.cp(T - dT, f)) / (2 * dT);
        EXPECT_NEAR(cpSlope, dcp, 1e-6 * std::fabs(dcp) + 1e-12) << "dcp/dT at " << T;
        EXPECT_EQ(h, g.h(T, f));
        EXPECT_EQ(cp, g.cp(T, f));
    }
}

TEST_P(GasConsistency, InverseFunctionsReturnTheTemperature) {
    const GasModel g(GetParam().units);
    const double f = GetParam().fShare * g.stoichiometricFuelAirRatio();
    const double scale = GetParam().units == kEnglishUnits ? 1.8 : 1.0;
    for (double TK : {170.0, 288.15, 999.0, 1001.0, 1650.0, 2200.0}) {
        const double T = TK * scale;
        EXPECT_NEAR(g.temperatureFromEnthalpy(g.h(T, f), f), T, 1e-7 * T);
        EXPECT_NEAR(g.temperatureFromPhi(g.phi(T, f), f), T, 1e-7 * T);
    }
    // An isentropic compression by 20 and the expansion back.
    const double T1 = 288.15 * scale;
    const double T2 = g.isentropicTemperature(T1, f, 20.0);
    EXPECT_NEAR(g.isentropicPressureRatio(T1, T2, f), 20.0, 1e-9);
    EXPECT_NEAR(g.reducedPressure(T2, f) / g.reducedPressure(T1, f), 20.0, 1e-9);
    EXPECT_NEAR(g.isentropicTemperature(T2, f, 1.0 / 20.0), T1, 1e-7 * T1);
}

// The inverses start from tables at a set of products shares and finish with Newton steps: mixtures
// between the tabulated shares, temperatures next to the table's nodes and ends, and temperatures beyond
// it (where the steps start from a rougher guess) all come back to the temperature.
TEST(GasModel, InversesHoldBetweenAndBeyondTheirTables) {
    for (int16_t units : {kEnglishUnits, kSIUnits}) {
        const GasModel g(units);
        const double scale = units == kEnglishUnits ? 1.8 : 1.0, fs = g.stoichiometricFuelAirRatio();
        for (double share : {0.0, 0.004, 0.37, 0.5, 0.9921, 1.0, 1.3}) {
            const double f = share * fs;
            for (double TK : {100.0, 119.9, 120.0, 121.3, 517.0, 999.99, 1000.0, 1000.01, 2345.6, 3599.9,
                              3600.0, 3600.2, 4500.0}) {
                const double T = TK * scale;
                const std::string where = "share " + std::to_string(share) + ", " + std::to_string(TK) + " K";
                EXPECT_NEAR(g.temperatureFromEnthalpy(g.h(T, f), f), T, 1e-9 * T) << where;
                EXPECT_NEAR(g.temperatureFromPhi(g.phi(T, f), f), T, 1e-9 * T) << where;
            }
            // Isentropic changes across the whole table, with the pressure ratio they were asked for.
            for (double ratio : {0.02, 0.3, 1.0, 4.0, 40.0}) {
                const double T1 = 700.0 * scale, T2 = g.isentropicTemperature(T1, f, ratio);
                EXPECT_NEAR(g.isentropicPressureRatio(T1, T2, f), ratio, 1e-9 * ratio)
                    << "share " << share << ", ratio " << ratio;
                // The end state's enthalpy, taken along from the last Newton step.
                EXPECT_NEAR(g.isentropicEnthalpy(T1, f, ratio), g.h(T2, f), 1e-10 * g.h(T2, f))
                    << "share " << share << ", ratio " << ratio;
            }
        }
    }
}

// Air's entropy function read at an enthalpy gives the compressors' pressure ratios without their
// temperatures: it must agree with phi at the temperature of that enthalpy closely enough that a pressure
// ratio moves by no more than 1e-9 (node temperatures, the run joint at 1000 K, the table's ends and
// beyond them), and a value that is not a number stays one.
TEST(GasModel, AirEntropyFunctionAtAnEnthalpyGivesThePressureRatio) {
    for (int16_t units : {kEnglishUnits, kSIUnits}) {
        const GasModel g(units);
        const double scale = units == kEnglishUnits ? 1.8 : 1.0, R = g.R(0);
        for (double TK : {100.0, 120.0, 120.01, 216.65, 288.15, 517.0, 999.99, 1000.0, 1000.01, 1873.4,
                          3599.9, 3600.0, 4500.0}) {
            const double T = TK * scale;
            EXPECT_NEAR(g.airEntropyFunctionAtEnthalpy(g.h(T, 0)), g.phi(T, 0), 1e-9 * R) << TK << " K";
        }
        const double T1 = 288.15 * scale, T2 = g.isentropicTemperature(T1, 0, 30.0);
        EXPECT_NEAR(std::exp((g.airEntropyFunctionAtEnthalpy(g.h(T2, 0)) -
                              g.airEntropyFunctionAtEnthalpy(g.h(T1, 0))) /
                             R),
                    30.0, 30.0 * 1e-9);
        EXPECT_TRUE(std::isnan(g.airEntropyFunctionAtEnthalpy(std::nan(""))));
    }
}

// The searches from a nearby temperature end where the tabulated ones do: from close and rough starts,
// from no start (0) and from one too far to settle, for air, mixtures and the products, on both sides of
// the fits' joint; the isentropic one also returns the end temperature it found.
TEST(GasModel, SearchesFromANearbyTemperatureEndAsTheTabulatedOnes) {
    for (int16_t units : {kEnglishUnits, kSIUnits}) {
        const GasModel g(units);
        const double scale = units == kEnglishUnits ? 1.8 : 1.0, fs = g.stoichiometricFuelAirRatio();
        for (double f : {0.0, 0.37 * fs, fs})
            for (double TK : {250.0, 995.0, 1003.0, 1700.0})
                for (double start : {1.0001, 0.97, 1.2, 0.0, 40.0}) {
                    const double T = TK * scale;
                    const std::string where = "f " + std::to_string(f) + ", " + std::to_string(TK) +
                                              " K, start " + std::to_string(start);
                    EXPECT_NEAR(g.temperatureFromEnthalpyNear(g.h(T, f), f, start * T), T, 1e-9 * T) << where;
                    for (double ratio : {0.3, 4.0}) {
                        const double end = g.isentropicTemperature(T, f, ratio);
                        double near = start * end;
                        const double hEnd = g.isentropicEnthalpyNear(T, f, std::log(ratio), near);
                        EXPECT_NEAR(hEnd, g.h(end, f), 1e-10 * g.h(end, f)) << where << ", ratio " << ratio;
                        EXPECT_NEAR(near, end, 1e-9 * end) << where << ", ratio " << ratio;
                        // The same with the start's entropy function given.
                        double nearGiven = start * end;
                        EXPECT_NEAR(g.isentropicEnthalpyNear(T, f, std::log(ratio), nearGiven, g.phi(T, f)),
                                    hEnd, 1e-12 * hEnd)
                            << where << ", ratio " << ratio;
                    }
                }
    }
}

// An expansion searched from a nearby static temperature (or from none) ends where the tabulated one
// does, and leaves that temperature for the next search.
TEST(RealGasFlow, ExpansionFromANearbyStateEndsAsTheTabulatedOne) {
    for (int16_t units : {kEnglishUnits, kSIUnits}) {
        const GasModel g(units);
        const double scale = units == kEnglishUnits ? 1.8 : 1.0, fs = g.stoichiometricFuelAirRatio();
        const RealGasFlow flow = flowOf(g);
        for (double f : {0.0, fs})
            for (double TK : {400.0, 1100.0})
                for (double ratio : {1.05, 1.8, 6.0})
                    for (double start : {0.0, 0.98, 1.0}) {
                        const double Tt = TK * scale;
                        const StaticState tabulated = flow.expand(Tt, f, ratio);
                        double near = start * tabulated.T;
                        const StaticState s =
                            flow.expandNear(Tt, f, ratio, std::log(ratio), g.h(Tt, f), near);
                        const std::string where = "f " + std::to_string(f) + ", " + std::to_string(TK) +
                                                  " K, ratio " + std::to_string(ratio) + ", start " +
                                                  std::to_string(start);
                        EXPECT_NEAR(s.T, tabulated.T, 1e-9 * tabulated.T) << where;
                        EXPECT_NEAR(s.V, tabulated.V, 1e-7 * tabulated.V) << where;
                        EXPECT_NEAR(s.M, tabulated.M, 1e-7 * tabulated.M) << where;
                        EXPECT_EQ(s.ptOverP, ratio) << where;
                        EXPECT_EQ(near, s.T) << where;
                    }
    }
}

// A passage fed above the pressure ratio where the deck takes the throat as sonic without trying the
// full expansion must indeed be choked there, for the coldest air and the hottest products alike; below
// it the throat is the full expansion while that stays subsonic.
TEST(RealGasFlow, ThroatIsSonicWhereverItIsTakenAsSonic) {
    for (int16_t units : {kEnglishUnits, kSIUnits}) {
        const GasModel g(units);
        const double scale = units == kEnglishUnits ? 1.8 : 1.0, fs = g.stoichiometricFuelAirRatio();
        const RealGasFlow flow = flowOf(g);
        for (double f : {0.0, 0.5 * fs, fs})
            for (double TK : {150.0, 300.0, 900.0, 1500.0, 2500.0}) {
                const double Tt = TK * scale;
                const std::string where = "f " + std::to_string(f) + ", " + std::to_string(TK) + " K";
                EXPECT_GT(flow.expand(Tt, f, kSurelyChokedPressureRatio).M, 1.0) << where;
                const StaticState sonic = flow.atMach(Tt, f, 1.0);
                EXPECT_NEAR(sonic.M, 1.0, 1e-6) << where;
                // From a rough start the sonic search ends within its tolerance of the same state.
                for (double ratio : {kSurelyChokedPressureRatio, 3.0}) {
                    const StaticState t = flow.throat(Tt, f, ratio, 0.8);
                    EXPECT_NEAR(t.T, sonic.T, 1e-8 * Tt) << where << ", ratio " << ratio;
                    EXPECT_NEAR(t.ptOverP, sonic.ptOverP, 1e-7 * sonic.ptOverP)
                        << where << ", ratio " << ratio;
                }
                // Subsonic below the critical ratio: the full expansion itself.
                const StaticState low = flow.throat(Tt, f, 1.5);
                EXPECT_LT(low.M, 1.0) << where;
                EXPECT_EQ(low.T, flow.expand(Tt, f, 1.5).T) << where;
            }
    }
}

// The state at a Mach number satisfies its energy equation 2·(h(Tt) - h(T)) = M²·gamma(T)·R·T to
// round-off, from its own start and from a rough one, on both sides of the fits' joint at 1000 K; the
// velocity and Mach number carried along its last step are those of the temperature it found.
TEST(RealGasFlow, StateAtMachSatisfiesItsEnergyEquation) {
    for (int16_t units : {kEnglishUnits, kSIUnits}) {
        const GasModel g(units);
        const double scale = units == kEnglishUnits ? 1.8 : 1.0, fs = g.stoichiometricFuelAirRatio();
        const RealGasFlow flow = flowOf(g);
        const double jgc = flow.jgc();
        for (double f : {0.0, 0.37 * fs, fs})
            for (double TK : {150.0, 900.0, 1100.0, 2500.0})
                for (double M : {0.1, 0.6, 1.0})
                    for (double start : {0.0, 0.7}) {
                        const double Tt = TK * scale;
                        const StaticState s = flow.atMach(Tt, f, M, start * Tt);
                        const std::string where = "f " + std::to_string(f) + ", " + std::to_string(TK) +
                                                  " K, M " + std::to_string(M) + ", start " +
                                                  std::to_string(start);
                        // Round-off here is that of the total enthalpy the kinetic energy is taken from.
                        const double ht = g.h(Tt, f), V2 = 2.0 * jgc * (ht - g.h(s.T, f));
                        const double roundOff = 1e-10 * 2.0 * jgc * ht;
                        EXPECT_NEAR(V2, M * M * g.gamma(s.T, f) * g.R(f) * jgc * s.T, roundOff) << where;
                        EXPECT_NEAR(s.V * s.V, V2, roundOff) << where;
                        EXPECT_NEAR(s.M, M, 1e-7) << where;
                        EXPECT_NEAR(s.ptOverP, g.isentropicPressureRatio(s.T, Tt, f), 1e-12 * s.ptOverP)
                            << where;
                    }
    }
}

// A deck pass that has gone wrong hands on an enthalpy that is not a number: the inverse says so and
// never indexes its first-guess table with it (found by fuzzing under the address sanitizer).
TEST(GasModel, EnthalpyThatIsNotANumberHasNoTemperature) {
    const GasModel g(kSIUnits);
    const double f = 0.5 * g.stoichiometricFuelAirRatio();
    for (double h : {std::nan(""), static_cast<double>(INFINITY), -static_cast<double>(INFINITY)})
        EXPECT_TRUE(std::isnan(g.temperatureFromEnthalpy(h, f))) << h;
    EXPECT_TRUE(std::isnan(g.temperatureFromEnthalpy(g.h(1000.0, f), std::nan(""))));
    // Far outside the table the guess is clamped to its ends and the Newton steps still converge.
    EXPECT_NEAR(g.temperatureFromEnthalpy(g.h(3000.0, f), f), 3000.0, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(UnitsAndMixtures, GasConsistency,
                         ::testing::Values(GasCase{kEnglishUnits, 0}, GasCase{kSIUnits, 0},
                                           GasCase{kEnglishUnits, 0.5}, GasCase{kSIUnits, 1.0}));

TEST(GasModel, BurnerBalanceOnSensibleEnthalpies) {
    const GasModel si(kSIUnits), en(kEnglishUnits);
    // No temperature rise burns no fuel, whatever the stream already carries.
    EXPECT_NEAR(si.burnerFuelAirRatio(700, 700, 0, 42800, 0.99), 0.0, 1e-12);
    EXPECT_NEAR(si.burnerFuelAirRatio(1100, 1100, 0.02, 42800, 0.99), 0.02, 1e-12);
    // The same burner in both unit systems.
    const double f = si.burnerFuelAirRatio(660, 1320, 0, 42800, 1.0);
    EXPECT_NEAR(en.burnerFuelAirRatio(1188, 2376, 0, 42800 / 2.326, 1.0), f, 1e-9);
    // Energy: the heat released takes the products from the entry to the exit temperature.
    test::expectNear((1 + f) * (si.h(1320, f) - si.h(660, f)), f * 42800, 1e-9, "energy balance");
    // A second stage burns the stream it receives: its own balance holds with the stream's fuel.
    const double f1 = si.burnerFuelAirRatio(660, 1000, 0, 42800, 0.97);
    const double f2 = si.burnerFuelAirRatio(1000, 1320, f1, 42800, 0.97);
    test::expectNear((1 + f2) * (si.h(1320, f2) - si.h(1000, f2)), (f2 - f1) * 42800 * 0.97, 1e-9,
                     "second stage");
    // Its fuel arrives hotter than the first stage's, so the two stages burn slightly less than one.
    const double once = si.burnerFuelAirRatio(660, 1320, 0, 42800, 0.97);
    EXPECT_LT(f2, once);
    EXPECT_GT(f2, 0.98 * once);
    // The constant-cp balance charges the products from 0 K and burns more than 0.02 here.
    EXPECT_NEAR(f, 0.0182, 0.0005);
}

} // namespace
} // namespace vededa
