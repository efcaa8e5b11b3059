// The on-design cycle with variable gas properties: compressors, turbines and nozzles on enthalpy and the
// entropy function, burners on sensible enthalpies, the mixer on enthalpy and momentum.
#include "engine/design_cycle.h"
#include "engine/gas_dynamics.h"
#include "engine/real_gas_flow.h"

#include <algorithm>
#include <cmath>

namespace vededa {

namespace {

/// Rounds to single precision: the deck holds these values as floats.
double f32(double v) {
    return static_cast<float>(v);
}

/// Bisection steps of the mixer exit state search.
constexpr int kBisectionSteps = 80;
/// Fixed-point passes of the turboprop's power-turbine exit temperature and its relative tolerance.
constexpr int kPowerTurbinePasses = 50;
constexpr double kPowerTurbineTolerance = 1e-12;

/// The temperature after a compressor of pressure ratio `pi` on air with efficiency `eta`, isentropic or
/// (`polytropic`) that of every small stage, where dh = v·dp/eta lets the entropy function rise by
/// R·ln(pi)/eta. `isentropicEta` gets the isentropic efficiency of the compression.
double compressorExit(const GasModel& g, double Tin, double pi, double eta, bool polytropic,
                      double& isentropicEta) {
    const double hin = g.h(Tin, 0);
    const double Tideal = g.isentropicTemperature(Tin, 0, pi);
    const double hIdeal = g.h(Tideal, 0);
    isentropicEta = eta;
    if (!polytropic) return g.temperatureFromEnthalpy(hin + (hIdeal - hin) / eta, 0);
    const double T = g.temperatureFromPhi(g.phi(Tin, 0) + g.R(0) * std::log(pi) / eta, 0, Tideal);
    const double hout = g.h(T, 0);
    if (pi > 1 && hout > hin) isentropicEta = (hIdeal - hin) / (hout - hin);
    return T;
}

/// A turbine that gives the enthalpy drop `drop` per unit of its gas from `Tin`: its exit temperature,
/// pressure ratio and isentropic efficiency with the efficiency `eta`, isentropic or (`polytropic`) that
/// of every small stage, where dh = eta·v·dp lets the entropy function fall by eta·R·ln(1/pi);
/// "" or why it cannot.
std::string turbine(const GasModel& g, double Tin, double f, double drop, double eta, bool polytropic,
                    double& Tout, double& pi, double& isentropicEta) {
    const double hin = g.h(Tin, f);
    const double hout = hin - drop;
    if (!(hout > 0 && hout < hin)) return "out of range";
    isentropicEta = eta;
    if (polytropic) {
        Tout = g.temperatureFromEnthalpy(hout, f);
        pi = std::exp((g.phi(Tout, f) - g.phi(Tin, f)) / (eta * g.R(f)));
        const double hIdeal = g.h(g.isentropicTemperature(Tin, f, pi), f);
        if (hin > hIdeal) isentropicEta = drop / (hin - hIdeal);
        return "";
    }
    const double hIdeal = hin - drop / eta;
    if (!(hIdeal > 0)) return "no ideal expansion";
    Tout = g.temperatureFromEnthalpy(hout, f);
    pi = g.isentropicPressureRatio(Tin, g.temperatureFromEnthalpy(hIdeal, f), f);
    return "";
}

} // namespace

std::string realGasCycle(const EngineDesign& d, const GasModel& gm, const DesignConditions& k, double alpha,
                         double CTOL, double CTOH, DesignCycle& c, DesignGas& g) {
    const double T0 = k.T0, M0 = k.M0, J = k.jgc;
    const bool mixed = d.type == 4 || d.type == 5;
    const bool afterburner = (d.type == 2 || d.type == 5) && d.Tt7 > 0;
    const bool prop = d.type == 6, duct = d.type == 7, separate = d.type == 3;
    const RealGasFlow flow(gm, J);
    if (prop || duct) alpha = 0;

    // Inlet: the ram rise of the enthalpy, at the speed the deck flies.
    const double h0 = gm.h(T0, 0);
    c.V0 = M0 * k.aSL * std::sqrt(T0 / k.TSL);
    const double Tt2 = gm.temperatureFromEnthalpy(h0 + c.V0 * c.V0 / (2.0 * J), 0);
    c.tauR = f32(Tt2 / T0);
    c.piR = f32(gm.isentropicPressureRatio(T0, Tt2, 0));
    c.piD = f32(d.pidmax * ramRecovery(static_cast<float>(M0)));

    // Compressors and burner.
    const bool polytropic = d.efficiencies == kPolytropicEfficiencies;
    c.etaFan = d.etacp;
    c.etaHpc = d.etacH;
    c.etaTH = d.etatH;
    c.etaTL = d.etatL;
    const double T25 = prop || duct ? Tt2 : compressorExit(gm, Tt2, d.pifan, d.etacp, polytropic, c.etaFan);
    const double T3 = duct ? Tt2 : compressorExit(gm, T25, d.pihpc, d.etacH, polytropic, c.etaHpc);
    c.tauFan = f32(T25 / Tt2);
    c.tauHpc = f32(T3 / T25);
    c.f = gm.burnerFuelAirRatio(T3, d.Tt4, 0, d.hPR, d.etab);
    if (!(c.f > 0))
        return duct ? "no positive fuel/air ratio: Tt4 is too low for the ram temperature"
                    : "no positive fuel/air ratio: Tt4 is too low for the compressor exit temperature";
    const double h2 = gm.h(Tt2, 0), h25 = gm.h(T25, 0), h3 = gm.h(T3, 0), h4 = gm.h(d.Tt4, c.f);
    c.tauLambda = h4 / h0;

    // Per unit of core air: bleed behind the compressor, cooling air mixed in ahead of each turbine.
    const double core = duct ? 1.0 - d.beta : 1.0 - d.beta - d.eps1 - d.eps2;
    const double eps1 = duct ? 0.0 : d.eps1, eps2 = duct ? 0.0 : d.eps2;
    const double hot = core * (1.0 + c.f);
    const double f1 = core * c.f / (core + eps1), f2 = core * c.f / (core + eps1 + eps2);
    const double m45 = hot + eps1 + eps2;
    double T45 = d.Tt4, T5 = d.Tt4, h45 = h4;
    c.tauM1 = c.tauTH = c.piTH = c.tauM2 = c.X = c.tauTL = c.piTL = 1;
    if (!duct) {
        const double hm1 = (hot * h4 + eps1 * h3) / (hot + eps1);
        const double Tm1 = gm.temperatureFromEnthalpy(hm1, f1);
        c.tauM1 = Tm1 / d.Tt4;
        // The high-pressure turbine drives the compressor and (except in the turboprop, whose power turbine
        // gives every take-off) the high-spool take-off.
        const double workH = (h3 - h25) + (prop ? 0.0 : (1.0 + alpha) * CTOH * h0 / d.etamPH);
        double T44 = 0, piTH = 0;
        const std::string why =
            turbine(gm, Tm1, f1, workH / (d.etamH * (hot + eps1)), d.etatH, polytropic, T44, piTH, c.etaTH);
        if (why == "no ideal expansion") return "the high-pressure turbine cannot give the compressor work";
        if (!why.empty()) return "the high-pressure turbine temperature ratio is out of range";
        c.tauTH = T44 / Tm1;
        c.piTH = piTH;
        h45 = ((hot + eps1) * gm.h(T44, f1) + eps2 * h3) / m45;
        T45 = gm.temperatureFromEnthalpy(h45, f2);
        c.tauM2 = T45 / T44;
        c.X = T45 / d.Tt4;
        if (!prop) {
            const double workL = (1.0 + alpha) * ((h25 - h2) + CTOL * h0 / d.etamPL);
            double piTL = 0;
            const std::string why =
                turbine(gm, T45, f2, workL / (d.etamL * m45), d.etatL, polytropic, T5, piTL, c.etaTL);
            if (!why.empty() || !(workL > 0))
                return why == "no ideal expansion"
                           ? "the low-pressure turbine cannot give the fan work"
                           : "the low-pressure turbine temperature ratio is out of range (an engine whose "
                             "low-pressure turbine does no work cannot be run by the deck)";
            c.tauTL = T5 / T45;
            c.piTL = piTL;
        }
    }
    const double Rc = gm.R(0) * J;

    // Turboprop: the power turbine expands the gas to the core-nozzle exit Mach number at ambient pressure.
    if (prop) {
        if (!(d.M9 >= 0.1f && d.M9 <= 1.0f))
            return "the core-nozzle exit Mach number M9 must lie between 0.1 and 1";
        c.M9 = d.M9;
        StaticState exit;
        double Tt9 = T45;
        for (int i = 0; i < kPowerTurbinePasses; ++i) {
            exit = flow.atMach(Tt9, f2, c.M9);
            c.piTL = exit.ptOverP / (c.piD * c.piR * d.pihpc * d.pib * c.piTH * d.pin);
            if (!(c.piTL < 1)) return "no expansion is left for the power turbine";
            const double TIdeal = gm.isentropicTemperature(T45, f2, c.piTL);
            const double hIdeal = gm.h(TIdeal, f2);
            // A polytropic power turbine: the entropy function falls by etatL·R·ln(1/piTL).
            const double T =
                polytropic ? gm.temperatureFromPhi(gm.phi(T45, f2) + d.etatL * gm.R(f2) * std::log(c.piTL),
                                                   f2, TIdeal)
                           : gm.temperatureFromEnthalpy(h45 - d.etatL * (h45 - hIdeal), f2);
            if (polytropic && h45 > hIdeal) c.etaTL = (h45 - gm.h(T, f2)) / (h45 - hIdeal);
            const bool settled = std::fabs(T - Tt9) <= kPowerTurbineTolerance * T;
            Tt9 = T;
            if (settled) break;
        }
        exit = flow.atMach(Tt9, f2, c.M9);
        T5 = Tt9;
        c.tauTL = T5 / T45;
        c.pt9p9 = c.pt9p0 = exit.ptOverP;
        c.p0p9 = 1;
        c.M8 = c.M9;
        c.Tt6 = c.Tt9 = T5;
        c.tauLambdaAB = gm.h(T5, f2) / h0;
        c.piABUse = 1;
        c.T9T0 = exit.T / T0;
        c.V9V0 = exit.V / c.V0;
        c.fO = core * c.f;
        c.m9m0 = 1.0 + c.fO - d.beta;
        const double shaft =
            c.m9m0 * d.etamL * (h45 - gm.h(T5, f2)) / h0 - (CTOH / d.etamPH + CTOL / d.etamPL);
        if (!(shaft > 0)) return "the power turbine gives no power to the propeller";
        const double Cprop = propellerEfficiency(M0, d.etaprop) * d.etagear * shaft;
        c.specificThrust = (c.V0 / k.gc) * (c.m9m0 * c.V9V0 - 1.0) + Cprop * J * h0 / (c.V0 * k.gc);
        c.R6 = c.R9 = gm.R(f2) * J;
        c.cp6 = c.cp9 = gm.cp(T5, f2);
        c.gamma6 = c.gamma9 = gm.gamma(exit.T, f2);
        g = {gm.cp(T0, 0),
             gm.cp(0.5 * (d.Tt4 + T5), f2),
             c.cp9,
             gm.gamma(T0, 0),
             gm.gamma(0.5 * (d.Tt4 + T5), f2),
             c.gamma9,
             Rc,
             c.R9,
             c.R9,
             J};
        if (!(c.specificThrust > 0)) return "the engine gives no thrust at the design point";
        c.S = k.tsfcFactor * c.fO / c.specificThrust;
        return "";
    }

    // Mixer (types 4, 5): static pressures matched at the inlets, constant-area mixing on enthalpy and
    // momentum. Pressures are per unit of the core static pressure at the mixer inlet.
    double f6 = f2, Tt6 = T5;
    if (mixed) {
        c.alphaP = alpha / m45;
        c.pt5Ratio = d.pinp / (d.pihpc * d.pib * c.piTH * c.piTL);
        c.M5 = d.M5;
        const StaticState s5 = flow.atMach(T5, f2, c.M5);
        const double pt5pOverP5 = c.pt5Ratio * s5.ptOverP;
        if (!(pt5pOverP5 > 1))
            return "the bypass stream cannot enter the mixer (Pt5' below the core static pressure)";
        const StaticState s5p = flow.expand(T25, 0, pt5pOverP5);
        c.M5p = s5p.M;
        if (c.M5p > 1) return "the bypass stream enters the mixer supersonic";
        const double R5 = gm.R(f2) * J;
        const double A5 = m45 * R5 * s5.T / s5.V, A5p = alpha * Rc * s5p.T / s5p.V;
        c.A5Ratio = A5p / A5;
        float m5 = static_cast<float>(c.M5);
        c.areaRatio5 = AreaRatioFromMach(static_cast<float>(gm.gamma(s5.T, f2)), m5);
        const double m6 = m45 + alpha;
        f6 = core * c.f / (1.0 + alpha - d.beta);
        const double ht6 = (m45 * gm.h(T5, f2) + alpha * h25) / m6;
        Tt6 = gm.temperatureFromEnthalpy(ht6, f6);
        c.tauM = Tt6 / T5;
        const double R6 = gm.R(f6) * J;
        const double impulse = m45 * s5.V + alpha * s5p.V + A5 + A5p;
        // m6·V6 + P6·A6 = m6·(V6 + R6·T6/V6) falls from infinity at rest to its least value at M6 = 1.
        auto exitImpulse = [&](double T) {
            const double V = std::sqrt(2.0 * J * (ht6 - gm.h(T, f6)));
            return m6 * (V + R6 * T / V);
        };
        const StaticState sonic = flow.atMach(Tt6, f6, 1.0);
        if (impulse < exitImpulse(sonic.T)) return "the mixer exit Mach number is imaginary";
        double lo = sonic.T, hi = Tt6 * (1.0 - 1e-12);
        for (int i = 0; i < kBisectionSteps; ++i) {
            const double mid = 0.5 * (lo + hi);
            (exitImpulse(mid) > impulse ? hi : lo) = mid;
        }
        const double T6 = 0.5 * (lo + hi);
        const double V6 = std::sqrt(2.0 * J * (ht6 - gm.h(T6, f6)));
        c.M6 = V6 / flow.speedOfSound(T6, f6);
        const double P6 = m6 * R6 * T6 / ((A5 + A5p) * V6);
        c.piMIdeal = P6 * gm.isentropicPressureRatio(T6, Tt6, f6) / s5.ptOverP;
        c.piM = d.piMmax * c.piMIdeal;
    }

    // Afterburner on sensible enthalpies: the mixed stream already carries the fuel/air ratio f6.
    double f9 = f6, Tt9 = Tt6;
    if (duct) {
        f9 = c.f;
        Tt9 = Tt6 = T5 = d.Tt4;
    }
    c.fAB = 0;
    if (afterburner) {
        if (!(d.Tt7 > Tt6)) return "Tt7 is not above the afterburner inlet temperature";
        Tt9 = d.Tt7;
        f9 = gm.burnerFuelAirRatio(Tt6, d.Tt7, f6, d.hPR, d.etaAB);
        c.fAB = f9 - f6;
        if (!(c.fAB > 0)) return "no positive afterburner fuel/air ratio";
        c.piABUse = d.piAB;
    } else {
        // An afterburning type designed dry carries the afterburner duct with half its loss.
        c.piABUse = (d.type == 2 || d.type == 5) ? 1.0 - (1.0 - d.piAB) / 2.0 : d.piAB;
    }
    if (duct) c.piABUse = 1;
    c.Tt6 = Tt6;
    c.Tt9 = Tt9;
    c.tauLambdaAB = gm.h(Tt9, f9) / h0;
    c.R6 = gm.R(f6) * J;
    c.cp6 = gm.cp(Tt6, f6);
    c.R9 = gm.R(f9) * J;
    c.cp9 = gm.cp(Tt9, f9);
    c.gamma9 = gm.gamma(Tt9, f9);

    StaticState exit, throat;
    if (separate) {
        // Convergent core and fan nozzles: ambient exit pressure while unchoked, sonic throat when choked.
        c.pt9p0 = c.piD * c.piR * d.pifan * d.pihpc * d.pib * c.piTH * c.piTL * d.pin;
        const StaticState full = flow.expand(Tt9, f9, std::max(c.pt9p0, 1.0));
        if (full.M < 0.1) return "the core nozzle has almost no expansion (exit Mach number below 0.1)";
        exit = full.M < 1.0 ? full : flow.atMach(Tt9, f9, 1.0);
        c.M9 = c.M8 = std::min(1.0, full.M);
        c.pt9p9 = exit.ptOverP;
        c.p0p9 = c.pt9p9 / c.pt9p0;
        throat = exit;
        const double pt19p0 = c.piD * c.piR * d.pifan * d.pinp;
        const StaticState fanFull = flow.expand(T25, 0, std::max(pt19p0, 1.0));
        if (fanFull.M < 0.1) return "the fan nozzle has almost no expansion (exit Mach number below 0.1)";
        const StaticState fanExit = fanFull.M < 1.0 ? fanFull : flow.atMach(T25, 0, 1.0);
        c.M19 = std::min(1.0, fanFull.M);
        c.pt19p19 = fanExit.ptOverP;
        c.p0p19 = c.pt19p19 / pt19p0;
        c.T19T0 = fanExit.T / T0;
        c.V19V0 = fanExit.V / c.V0;
        c.T9T0 = exit.T / T0;
        c.V9V0 = exit.V / c.V0;
        c.coreExit = 1.0 - d.beta + core * c.f;
        c.fO = core * c.f / (1.0 + alpha);
        c.m9m0 = c.coreExit / (1.0 + alpha);
        const double coreThrust = (c.V0 / k.gc) * (c.coreExit * c.V9V0 - 1.0) +
                                  c.coreExit * c.R9 * exit.T * (1.0 - c.p0p9) / (exit.V * k.gc);
        const double fanThrust =
            (c.V0 / k.gc) * (c.V19V0 - 1.0) + Rc * fanExit.T * (1.0 - c.p0p19) / (fanExit.V * k.gc);
        c.specificThrust = (coreThrust + alpha * fanThrust) / (1.0 + alpha);
    } else {
        c.pt9p0 =
            duct ? c.piR * c.piD * d.pib * d.pin
                 : c.piD * c.piR * d.pifan * d.pihpc * d.pib * c.piTH * c.piTL * c.piM * c.piABUse * d.pin;
        const StaticState full = flow.expand(Tt9, f9, std::max(c.pt9p0, 1.0));
        c.M8 = std::min(1.0, full.M);
        throat = full;
        if (c.M8 < 1.0) {
            c.p0p9 = 1.0;
        } else {
            throat = flow.atMach(Tt9, f9, 1.0);
            c.p0p9 = d.P0P9 < 0 ? std::min(1.0, throat.ptOverP / c.pt9p0) : d.P0P9;
        }
        c.pt9p9 = c.p0p9 * c.pt9p0;
        if (!(c.pt9p9 > 1)) return "the nozzle has no expansion (Pt9/P9 not above 1)";
        exit = flow.expand(Tt9, f9, c.pt9p9);
        c.M9 = exit.M;
        c.T9T0 = exit.T / T0;
        c.V9V0 = exit.V / c.V0;
        c.fO = duct ? core * c.f : (core * c.f + (1.0 + alpha - d.beta) * c.fAB) / (1.0 + alpha);
        c.m9m0 = duct ? 1.0 + c.fO - d.beta : 1.0 + c.fO - d.beta / (1.0 + alpha);
        c.specificThrust = (c.V0 / k.gc) * (c.m9m0 * c.V9V0 - 1.0) +
                           c.m9m0 * c.R9 * exit.T * (1.0 - c.p0p9) / (exit.V * k.gc);
    }
    // The gamma at the nozzle throat, and representative constant-cp properties for the listing and the
    // component constants: air at T0, the turbine gas at its mean temperature, the nozzle gas at Tt9.
    c.gamma6 = gm.gamma(throat.T, f9);
    const double turbineMean = 0.5 * (d.Tt4 + T5);
    g = {gm.cp(T0, 0),
         gm.cp(turbineMean, f2),
         c.cp9,
         gm.gamma(T0, 0),
         gm.gamma(turbineMean, f2),
         c.gamma9,
         Rc,
         gm.R(f2) * J,
         c.R9,
         J};
    if (!(c.specificThrust > 0)) return "the engine gives no thrust at the design point";
    c.S = k.tsfcFactor * c.fO / c.specificThrust;
    return "";
}

} // namespace vededa
