// Off-design passes of engines designed with variable gas properties.
#include "engine/real_gas_deck.h"

#include "engine/gas_dynamics.h"
#include "engine/real_gas_flow.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace vededa {

namespace {

/// Passes of the gas-generator iteration (compressor exit, fan exit and mass-flow ratio) and its relative
/// tolerance.
constexpr int kGasGeneratorPassLimit = 200;
/// The results are stored in single precision: a few units of its last digit are enough.
constexpr double kGasGeneratorTolerance = 2e-7;
/// A gas generator without bypass stream (jets, turboprops) contracts strongly: the compressor exit acts
/// on itself only through the burner's fuel/air ratio and the cooling air. When its second pass changes
/// the state by at most this share of the first pass's change, the contraction ratio is known well enough
/// to bound what the state still lacks, and a state that lacks less than `kAheadShare` of the tolerance
/// is taken without a pass to confirm it. (The turbofans' bypass match settles with half steps: they keep
/// the confirming pass.)
constexpr double kStrongContraction = 0.05;
/// Share of the tolerance a state taken on the contraction bound may lack: its thrust and fuel
/// consumption then lie within some 5e-7 of a tightly converged engine (a few units of the last digit
/// they are stored with).
constexpr double kAheadShare = 0.5;
/// A pass starts on the straight line through two earlier states only for a step from the last one of at
/// most this many times their distance.
constexpr double kSlopeReach = 20.0;
/// A pass started from one earlier state at a burner exit temperature at most this share away (a limit
/// search's probe, a hundredth of a degree) scales the spool work with Tt4 itself: the turbines' work
/// grows some 10 % faster, which leaves the compressor exit within 1e-6 of where the work would put it.
constexpr double kNearbyTt4 = 1e-5;
/// Largest change a pass makes to the low-pressure turbine's pressure ratio of a separate-exhaust
/// turbofan. Throttled far back, its core nozzle barely passes the core flow (exit pressure near ambient):
/// there the ratio the nozzle asks for swings far past 1 and back, and unchecked half steps circle
/// without settling.
constexpr double kTurbineMatchStepCap = 0.1;

/// The bleed air share and the two cooling-air shares of the engine (the ramjet has no cooling air),
/// and the core air share they leave to the burner.
struct AirShares {
    double beta, eps1, eps2, core;
};
AirShares airShares(const RealGasPassInput& in) {
    const auto& c = *in.component;
    const double beta = c[26], eps1 = in.type == 7 ? 0.0 : c[27], eps2 = in.type == 7 ? 0.0 : c[28];
    return {beta, eps1, eps2, 1.0 - beta - eps1 - eps2};
}

/// Sonic flow function sqrt(gamma/R)·(2/(gamma+1))^((gamma+1)/(2(gamma-1))) of the gas at `Tt` with
/// the local gamma: the choked flow m·sqrt(Tt)/(Pt·A) up to the unit constant.
double chokedFlowFunction(const GasModel& g, double Tt, double f) {
    const double R = g.R(f), cp = g.cp(Tt, f), gamma = cp / (cp - R);
    return std::sqrt(gamma / R) * cyclePower(2.0 / (gamma + 1.0), (gamma + 1.0) / (2.0 * (gamma - 1.0)));
}

/// The flow function m·sqrt(Tt)/(Pt·A) (up to the unit constant) of a throat in the static state `s`.
double throatFlowFunction(const GasModel& g, double Tt, double f, const StaticState& s) {
    return s.V * std::sqrt(Tt) / (s.ptOverP * g.R(f) * s.T);
}

/// The ram state of a flight condition, as the generator forms it.
struct Inlet {
    double V0, Tt2, piR;
};
Inlet inlet(const GasModel& g, const UnitConstants& u, double T0, double M0) {
    Inlet in;
    in.V0 = M0 * u.aSL * std::sqrt(T0 / u.TSL);
    in.Tt2 = g.temperatureFromEnthalpy(g.h(T0, 0) + in.V0 * in.V0 / (2.0 * u.jgc), 0);
    in.piR = static_cast<float>(g.isentropicPressureRatio(T0, in.Tt2, 0));
    return in;
}

/// The throat and exit of a nozzle fed at `pt9p0` with the exit pressure ratio `chokedP0P9` of the file
/// while choked (never an exit pressure above the sonic one). A choked nozzle with a ratio of at least 1,
/// or one that puts the exit pressure below every sonic pressure, expands to it whatever its throat: its
/// sonic throat is found only when `throatNeeded` (otherwise the throat is left empty). `sonicRatio`: static
/// to total temperature of a similar sonic throat, where its search starts (0: none).
struct Nozzle {
    StaticState throat, exit;
    double p0p9 = 1, pt9p9 = 1;
};
Nozzle nozzle(const RealGasFlow& flow, double Tt, double f, double pt9p0, double chokedP0P9,
              bool throatNeeded = true, double sonicRatio = 0) {
    Nozzle n;
    // Well above the critical pressure ratio the throat is sonic without trying the full expansion.
    const bool surelyChoked = pt9p0 >= kSurelyChokedPressureRatio;
    const StaticState full = surelyChoked ? StaticState{} : flow.expand(Tt, f, std::max(pt9p0, 1.0));
    n.throat = full;
    bool exitAtThroat = false;
    if (surelyChoked || full.M >= 1.0) {
        if (chokedP0P9 >= 1) {
            n.p0p9 = chokedP0P9;
            if (throatNeeded) n.throat = flow.atMach(Tt, f, 1.0, sonicRatio * Tt);
        } else if (!throatNeeded && chokedP0P9 * pt9p0 >= kSurelyChokedPressureRatio) {
            // The file's exit ratio leaves the exit pressure below the sonic pressure of every gas here:
            // the exit pressure is the file's, whatever the throat.
            n.p0p9 = chokedP0P9;
        } else {
            n.throat = flow.atMach(Tt, f, 1.0, sonicRatio * Tt);
            const double throatRatio = n.throat.ptOverP / pt9p0;
            n.p0p9 = std::min(1.0, std::max<double>(chokedP0P9, throatRatio));
            exitAtThroat = n.p0p9 == throatRatio;
        }
    }
    n.pt9p9 = n.p0p9 * pt9p0;
    // The exit is the full expansion while the nozzle expands to ambient, and the throat where a
    // convergent nozzle ends at it; otherwise its own expansion.
    if (n.pt9p9 > 1)
        n.exit = exitAtThroat ? n.throat : n.p0p9 == 1 && !surelyChoked ? full : flow.expand(Tt, f, n.pt9p9);
    return n;
}

/// Points of the power-turbine pressure-ratio search and its relative tolerance.
constexpr int kPowerTurbineSearchSteps = 100;
constexpr double kPowerTurbineTolerance = 1e-9;
/// Secant steps of the power turbine's match from the last ratio found, and how far (relative to the
/// first point) the second point they start from may lie.
constexpr int kPowerTurbineSecantSteps = 12;
constexpr double kPowerTurbineSecantStart = 0.1;
/// The slowest core-nozzle exit the turboprop keeps (Mach 0.1, as the constant-cp deck).
constexpr double kSlowestCoreExitMach = 0.1;
/// Passes that settle the power turbine's expansion to the slowest core exit (its gas properties follow
/// the turbine exit temperature, which follows the expansion: a weak coupling).
constexpr int kSlowExitPasses = 3;

/// The turboprop behind its gas generator: the power turbine's pressure ratio matches its choked inlet
/// throat to the core nozzle's exit flow, then the core jet and the propeller give the thrust.
std::string powerTurbine(const GasModel& g, const RealGasFlow& flow, const RealGasPassInput& in,
                         const Inlet& now, double T45, double f, double mRatio, double flowR, double h0R,
                         RealGasPassResult& out) {
    const auto& c = *in.component;
    const auto& r = *in.reference;
    const UnitConstants& u = *in.units;
    const double J = u.jgc, T0 = in.T0;
    const auto [beta, eps1, eps2, core] = airShares(in);
    const double f2 = core * f / (core + eps1 + eps2);
    const double T45R = r[5] * r[35], T5R = T45R * r[18];
    const double h45 = g.h(T45, f2);
    const double upstream = now.piR * out.piD * out.piHpc * c[2] * c[6] * c[4];
    const double logUpstream = std::log(upstream);
    const double inletFlow = chokedFlowFunction(g, T45, f2);
    // The turbine's ideal and actual exit temperatures and the core exit's static temperature, where the
    // next search starts (0: a tabulated search): the match evaluates one turbine expansion after another
    // at ratios that close in on each other.
    double idealExitNear = 0, turbineExitNear = 0, coreExitNear = 0;
    double h5 = h45;
    const double phi45 = g.phi(T45, f2);
    auto turbineExit = [&](double logPi) {
        h5 = h45 - c[16] * (h45 - g.isentropicEnthalpyNear(T45, f2, logPi, idealExitNear, phi45));
        return turbineExitNear = g.temperatureFromEnthalpyNear(h5, f2, turbineExitNear);
    };
    // The last two of those states: a search at another ratio starts on the straight line through them
    // in ln(pi), for a step of at most kSlopeReach times their distance (the secant steps close in on the
    // root, so the line lies far closer than either state).
    struct Seen {
        double logPi, idealExit, turbineExit, coreExit;
    };
    std::array<Seen, 2> seen{};
    int seenCount = 0;
    auto startNear = [&](double logPi) {
        if (seenCount < 2 || seen[1].logPi == seen[0].logPi) return;
        const double w = (logPi - seen[1].logPi) / (seen[1].logPi - seen[0].logPi);
        if (!(std::fabs(w) <= kSlopeReach)) return;
        auto along = [w](double a, double b) {
            return a > 0 && b > 0 ? std::max(0.0, b + w * (b - a)) : 0.0;
        };
        idealExitNear = along(seen[0].idealExit, seen[1].idealExit);
        turbineExitNear = along(seen[0].turbineExit, seen[1].turbineExit);
        coreExitNear = along(seen[0].coreExit, seen[1].coreExit);
    };

    // The state behind the power turbine at pressure ratio pi (Pt5/Pt45): a convergent core nozzle with
    // an ambient exit while unchoked and a sonic one when choked.
    double T5 = T45, p0p9 = 1, pt9p9 = 1;
    StaticState exit;
    auto behind = [&](double pi) {
        const double logPi = std::log(pi);
        startNear(logPi);
        T5 = turbineExit(logPi);
        const double pt9p0 = upstream * pi;
        exit = pt9p0 > 1 ? flow.expandNear(T5, f2, pt9p0, logUpstream + logPi, h5, coreExitNear)
                         : flow.expand(T5, f2, 1.0, h5);
        seen[0] = seen[1];
        seen[1] = {logPi, idealExitNear, turbineExitNear, pt9p0 > 1 ? coreExitNear : 0.0};
        seenCount = std::min(2, seenCount + 1);
        if (exit.M > 1) {
            exit = flow.atMach(T5, f2, 1.0);
            pt9p9 = exit.ptOverP;
            p0p9 = pt9p9 / pt9p0;
        } else {
            pt9p9 = std::max(pt9p0, 1.0);
            p0p9 = 1;
        }
    };
    // How far the turbine's choked inlet throat, passing the flow the core nozzle passes, moves pi.
    auto mismatch = [&](double pi) {
        behind(pi);
        const double next = r[17] * std::sqrt((T5 / T45) / (T5R / T45R)) /
                            (throatFlowFunction(g, T5, f2, exit) / inletFlow / flowR);
        return next - pi;
    };
    // The same match as a residual (pi/next)² - 1 that runs nearly straight. Unchoked, next/pi is a
    // constant times T9/V9 of the core exit, so the residual follows V9², which grows with the logarithm
    // of the nozzle pressure ratio; the mismatch has V9 in its denominator and bends sharply where the
    // exit is slow.
    auto residual = [&](double pi) {
        const double ratio = pi / (pi + mismatch(pi));
        return ratio * ratio - 1.0;
    };
    // The residual's slope in pi at the state `behind` left, from local properties. The turbine exit
    // moves by dT5 = eta·R·T5s/cp per unit of ln(pi) (the ideal exit's enthalpy by exactly R·T5s).
    // Unchoked, the exit expands isentropically to ambient: T9 follows T5 and the nozzle pressure ratio,
    // V9² the enthalpy drop. Choked, next grows with sqrt(T5). Not finite without exit flow. The same
    // slopes give the searches of the next ratio their start: a state one unit of ln(pi) below.
    auto residualSlope = [&](double pi, double q) {
        const double RJ = g.R(f2) * J, T9 = exit.T, V9 = exit.V, M9 = exit.M;
        const double gamma9 = V9 * V9 / (M9 * M9 * RJ * T9), cpJ = gamma9 / (gamma9 - 1.0) * RJ;
        const double dT5 = c[16] * RJ * idealExitNear / cpJ, dlnT9 = dT5 / T5 - RJ / cpJ;
        const double growth = p0p9 == 1 ? 2.0 * cpJ * (dT5 - T9 * dlnT9) / (V9 * V9) - 2.0 * dlnT9
                                        : 2.0 - dT5 / T5; // d ln(q + 1) / d ln(pi)
        const Seen below{seen[1].logPi - 1.0, seen[1].idealExit * (1.0 - RJ / cpJ), seen[1].turbineExit - dT5,
                         seen[1].coreExit * (1.0 - dlnT9)};
        if (seenCount == 1 && std::isfinite(below.idealExit + below.turbineExit + below.coreExit)) {
            seen[0] = below;
            seenCount = 2;
        }
        return (q + 1.0) * growth / pi;
    };

    // First, secant steps on the residual from the ratio the same call found last (or the reference
    // ratio): it is smooth near its root, and they settle within a few evaluations. They step in the
    // cube root of pi: the residual bends one way in pi and the other in ln(pi), and runs straightest in
    // between (over the envelopes of the bundled and the test turboprops, a cold match then takes 4.5
    // evaluations instead of 5.5, a warm one 3.1-3.4 instead of 4). A root they settle on with the core
    // exit faster than its slowest Mach number lies between the slowest exit and no expansion, where the
    // match has its one root (the one the bracketed search below finds).
    double piTL = 0;
    bool matched = false;
    const double hint =
        in.start && in.start->valid && in.start->piTL > 0 && in.start->piTL < 1 ? in.start->piTL : r[17];
    // The second point is where the first one's residual points along its local slope (without one:
    // near the ratio the core nozzle asks for there), held inside the interval.
    const double x0 = hint;
    double q0 = residual(x0);
    // The state `behind` left at the point before the newest one.
    struct Behind {
        double x, T5, p0p9, pt9p9;
        StaticState exit;
    } before{x0, T5, p0p9, pt9p9, exit};
    double slope = residualSlope(x0, q0);
    if (!(std::isfinite(slope) && slope > 0)) slope = 2.0 * (q0 + 1.0) / x0;
    double y0 = std::cbrt(x0);
    const double yFirst = y0 - q0 / (slope * 3.0 * y0 * y0);
    double x1 = std::clamp(yFirst * yFirst * yFirst, x0 * (1.0 - kPowerTurbineSecantStart),
                           std::min(1.0, x0 * (1.0 + kPowerTurbineSecantStart))),
           y1 = std::cbrt(x1), q1 = residual(x1);
    for (int i = 0; i < kPowerTurbineSecantSteps && std::isfinite(q0) && std::isfinite(q1) && q1 != q0; ++i) {
        const double y2 = y1 - q1 * (y1 - y0) / (q1 - q0), x2 = y2 * y2 * y2;
        // The secant step from the newest point bounds how far that point lies from the root (they
        // converge faster than linearly): within the tolerance, the newest point is the match.
        if (std::fabs(x2 - x1) <= kPowerTurbineTolerance * x1) {
            matched = exit.M > kSlowestCoreExitMach;
            break;
        }
        if (!(x2 > 0 && x2 < 1)) break;
        // The secant steps' error shrinks with the product of the last two: the new point x2 lies within
        // some |x2 - x1|·|x2 - x0| of the root (x0 the point before x1), and the states at x0 and x1,
        // carried along the straight line through them to x2, within as little of the state there. Within the
        // tolerance (and with the core nozzle choked at both points or at neither), that is the match,
        // without evaluating the engine there once more.
        if (std::fabs(x2 - x1) * std::fabs(x2 - before.x) <= kPowerTurbineTolerance * x1 * x1 &&
            (before.p0p9 == 1) == (p0p9 == 1) && x1 != before.x) {
            const double w = (x2 - x1) / (x1 - before.x);
            auto along = [w](double a, double b) { return b + w * (b - a); };
            T5 = along(before.T5, T5);
            p0p9 = along(before.p0p9, p0p9);
            pt9p9 = along(before.pt9p9, pt9p9);
            exit = {along(before.exit.T, exit.T), along(before.exit.V, exit.V), along(before.exit.M, exit.M),
                    along(before.exit.ptOverP, exit.ptOverP)};
            x1 = x2;
            matched = exit.M > kSlowestCoreExitMach;
            break;
        }
        y0 = y1;
        q0 = q1;
        before = {x1, T5, p0p9, pt9p9, exit};
        x1 = x2;
        y1 = y2;
        q1 = residual(x1);
    }
    if (matched) piTL = x1;

    // Otherwise the most the turbine may expand: to the slowest core exit (the turbine exit temperature
    // and the exit state settle together).
    double slowest = r[17];
    if (!matched) {
        T5 = turbineExit(std::log(slowest));
        for (int k = 0; k < kSlowExitPasses; ++k) {
            slowest = flow.atMach(T5, f2, kSlowestCoreExitMach).ptOverP / upstream;
            T5 = turbineExit(std::log(slowest));
        }
        piTL = slowest;
        const double atSlowest = slowest < 1 ? mismatch(slowest) : 0;
        if (!std::isfinite(atSlowest)) return "Unable to converge on a solution for Pi tL.";
        if (atSlowest <= 0) {
            // The match asks for still more expansion than the slowest exit leaves: the exit is held at its
            // slowest Mach number and the power turbine takes what remains.
            exit = flow.atMach(T5, f2, kSlowestCoreExitMach);
            pt9p9 = exit.ptOverP;
            p0p9 = 1;
        } else {
            // The match lies between the slowest exit and no expansion at all: a bracketed search, whose
            // answer depends on the operating point only (never on the path of earlier passes).
            const double atNone = mismatch(1.0);
            if (!(atNone < 0)) return "Unable to converge on a solution for Pi tL.";
            piTL = bracketedRoot(mismatch, slowest, atSlowest, 1.0, atNone, kPowerTurbineTolerance,
                                 kPowerTurbineSearchSteps);
            if (!std::isfinite(piTL)) return "Unable to converge on a solution for Pi tL.";
            behind(piTL);
        }
    }
    out.piTL = static_cast<float>(piTL);
    out.converged.piTL = piTL; // where the next pass of the call starts its secant steps
    out.tauTL = static_cast<float>(T5 / T45);
    out.f = static_cast<float>(f);
    out.fAB = 0;
    out.fO = static_cast<float>(core * f);
    out.m9m0 = 1 + out.fO - static_cast<float>(beta);
    out.Tt6 = out.Tt7 = static_cast<float>(T5);
    out.pt9p0 = static_cast<float>(upstream * piTL);
    out.pt9p9 = static_cast<float>(pt9p9);
    out.p0p9 = static_cast<float>(p0p9);
    out.M9 = static_cast<float>(exit.M);
    out.T9T0 = static_cast<float>(exit.T / T0);
    out.V9V0 = static_cast<float>(exit.V / now.V0);
    out.mRatio = static_cast<float>(mRatio);
    const float etaR = r[41];
    const float M0 = in.M0;
    const double etaProp = M0 <= 0.1f ? 10 * M0 * etaR : M0 <= 0.7f ? etaR : (1 - (M0 - 0.7f) / 3) * etaR;
    const double shaft =
        out.m9m0 * c[11] * (h45 - g.h(T5, f2)) - (r[33] / c[13] + r[32] / c[12]) * h0R / mRatio;
    const double R9 = g.R(f2) * J, Rc = g.R(0) * J;
    double Fm0 = (now.V0 / u.gc) * (out.m9m0 * exit.V / now.V0 - 1.0) +
                 out.m9m0 * R9 * exit.T * (1.0 - p0p9) / (exit.V * u.gc) +
                 etaProp * c[30] * shaft * J / (now.V0 * u.gc);
    if (!(Fm0 > 0)) Fm0 = 0.1;
    out.Fm0 = static_cast<float>(Fm0);
    out.S = u.deckRateConstant * out.fO / out.Fm0;
    out.m0 = in.thrustScale * r[25] * out.mRatio;
    out.F = out.Fm0 * out.m0;
    const double rho0 = in.P0 * u.pressureConstant / (Rc * T0);
    out.A0 = static_cast<float>(out.m0 / (now.V0 * rho0 * u.gc));
    out.A9 = static_cast<float>(out.A0 * out.m9m0 * p0p9 * (R9 / Rc) * exit.T * now.V0 / (T0 * exit.V));
    out.pctNL = 0;
    return "";
}

/// The reference state of the mixer of a mixed-exhaust turbofan and its nozzle throat, in a frame where the
/// reference core static pressure at the mixer inlet is 1 and flows are per unit of reference core air.
struct MixerReference {
    double T5, f2, pt5p5, flow5, A5, A5p, pt5pRel, flow5p, T25;
    double Tt9, f9, flow8, m9, piMIdeal, piAB;
    double T5StaticRatio = 0; ///< static to total temperature of the core mixer inlet
    double M6 = 0;            ///< mixer exit Mach number
};

/// One evaluation of the mixer and the nozzle throat for the current bypass ratio and low-pressure turbine
/// expansion: the bypass ratio the bypass inlet passes and the turbine pressure ratio the throat asks for.
struct MixerState {
    double alphaNew = 0, piTLNew = 0, Tt6 = 0, f6 = 0, piMIdeal = 1, M5 = 0, M5p = 0, M6 = 0;
    double T5Static = 0,
           T6Static = 0;    ///< static temperatures of the last pass, where the next searches start
    double throatRatio = 0; ///< static to total temperature of the last pass's sonic nozzle throat
};

/// The subsonic state of flow function `target` (m·sqrt(Tt)/(Pt·A)), or the sonic one if it is above it.
/// The flow function rises from 0 at rest (T = Tt) to its sonic value: a bracketed search on T.
/// `hint` is the static temperature of a similar earlier search (0: none).
StaticState stateOfFlowFunction(const GasModel& g, const RealGasFlow& flow, double Tt, double f,
                                double target, double hint) {
    if (hint > 0 && hint < Tt && target > 0) {
        // Newton steps on ln(flow function) from the hint: d ln V/dT = -J·cp/V², d ln(Pt/P)/dT = -cp/(R·T).
        // A subsonic root is the only one, so it is the state sought.
        const GasModel::State t = g.state(Tt, f);
        const double R = g.R(f), J = flow.jgc(), lnTarget = std::log(target);
        const double T = newtonRoot(
            [&](double T) {
                const GasModel::State s = g.state(T, f);
                const double V2 = 2.0 * J * (t.h - s.h);
                const double lnFlow = 0.5 * std::log(V2 * Tt / (R * T * R * T)) - (t.phi - s.phi) / R;
                return std::pair{lnFlow - lnTarget, -J * s.cp / V2 + s.cp / (R * T) - 1.0 / T};
            },
            hint, 0.5 * hint, Tt, kNewtonLastStep, kNewtonSteps);
        if (T > 0) {
            const GasModel::State at = g.state(T, f);
            StaticState s;
            s.T = T;
            s.V = std::sqrt(std::max(0.0, 2.0 * J * (t.h - at.h)));
            s.M = s.V / std::sqrt(at.cp / (at.cp - R) * R * J * T);
            s.ptOverP = std::exp((t.phi - at.phi) / R);
            if (s.M < 1.0) return s;
        }
    }
    const StaticState sonic = flow.atMach(Tt, f, 1.0);
    if (target >= throatFlowFunction(g, Tt, f, sonic)) return sonic;
    const double T = bracketedRootNear(
        [&](double T) { return throatFlowFunction(g, Tt, f, flow.atTemperature(Tt, f, T)) - target; },
        sonic.T, Tt, hint, kHintWidth, kBracketedRootTolerance, kBracketedRootSteps);
    return flow.atTemperature(Tt, f, T);
}

/// Anderson mixing of depth 4 for a fixed-point iteration u <- u + step(u) in scaled variables: the next
/// state is the plain step corrected by the combination of the last steps' changes that best cancels the
/// current step (least squares). The history restarts when a step grows to twice the last one.
class AndersonMixing {
  public:
    static constexpr int kSize = 5;
    using State = std::array<double, kSize>;

    State next(const State& u, const State& step) {
        const double size = norm(step);
        if (stored > 0 && size > 2.0 * lastSize) stored = 0;
        lastSize = size;
        if (stored == kDepth + 1) {
            for (int i = 0; i < kDepth; ++i) {
                us[i] = us[i + 1];
                fs[i] = fs[i + 1];
            }
            --stored;
        }
        us[stored] = u;
        fs[stored] = step;
        ++stored;
        State out;
        for (int j = 0; j < kSize; ++j) out[j] = u[j] + step[j];
        const int m = stored - 1;
        if (m == 0) return out;
        // Columns: differences of consecutive steps and states, newest last.
        State dF[kDepth], dU[kDepth];
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < kSize; ++j) {
                dF[i][j] = fs[i + 1][j] - fs[i][j];
                dU[i][j] = us[i + 1][j] - us[i][j];
            }
        double A[kDepth][kDepth] = {}, b[kDepth] = {}, gamma[kDepth] = {};
        for (int i = 0; i < m; ++i) {
            b[i] = dot(dF[i], step);
            for (int k = 0; k <= i; ++k) A[i][k] = A[k][i] = dot(dF[i], dF[k]);
        }
        // A·gamma = b: A is a Gram matrix (symmetric, not negative), so elimination in order is stable; a
        // column whose pivot vanishes against the largest diagonal (a step change repeating earlier ones)
        // is left out.
        double scale = 0;
        for (int i = 0; i < m; ++i) scale = std::max(scale, A[i][i]);
        bool used[kDepth] = {};
        for (int col = 0; col < m; ++col) {
            if (!(A[col][col] > 1e-12 * scale)) continue;
            used[col] = true;
            for (int row = col + 1; row < m; ++row) {
                const double factor = A[row][col] / A[col][col];
                for (int k = col; k < m; ++k) A[row][k] -= factor * A[col][k];
                b[row] -= factor * b[col];
            }
        }
        for (int col = m - 1; col >= 0; --col) {
            if (!used[col]) continue;
            double sum = b[col];
            for (int k = col + 1; k < m; ++k) sum -= A[col][k] * gamma[k];
            gamma[col] = sum / A[col][col];
        }
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < kSize; ++j) out[j] -= (dU[i][j] + dF[i][j]) * gamma[i];
        return out;
    }
    void reset() { stored = 0; }

  private:
    static constexpr int kDepth = 4;
    static double dot(const State& a, const State& b) {
        double s = 0;
        for (int j = 0; j < kSize; ++j) s += a[j] * b[j];
        return s;
    }
    static double norm(const State& a) { return std::sqrt(dot(a, a)); }
    State us[kDepth + 1], fs[kDepth + 1]; // written before they are read (`stored` counts them)
    int stored = 0;
    double lastSize = 0;
};

/// The thrust of the separate-exhaust turbofan from its core and fan nozzle exits. (Kept out of line, as
/// the reference point: code the other types never run stays out of the gas generator's instruction
/// cache lines.)
[[gnu::noinline]] std::string separateExhausts(const GasModel& g, const RealGasPassInput& in,
                                               const Inlet& now, double f, double alpha, double T5,
                                               const StaticState& coreExit, const StaticState& fanExit,
                                               RealGasPassResult& out) {
    const auto& c = *in.component;
    const UnitConstants& u = *in.units;
    const double J = u.jgc, T0 = in.T0, beta = c[26];
    const double core = 1.0 - beta - c[27] - c[28];
    const double f2 = core * f / (1.0 - beta);
    const double R9 = g.R(f2) * J, Rc = g.R(0) * J;
    out.f = static_cast<float>(f);
    out.fAB = 0;
    out.Tt6 = out.Tt7 = static_cast<float>(T5);
    const double pt9p0 = now.piR * out.piD * out.piC * c[2] * c[6] * out.piTL * c[4];
    const double pt19p0 = now.piR * out.piD * out.piFan * c[5];
    out.pt9p0 = static_cast<float>(pt9p0);
    out.pt9p9 = static_cast<float>(coreExit.ptOverP);
    const double p0p9 = std::min(1.0, coreExit.ptOverP / pt9p0),
                 p0p19 = std::min(1.0, fanExit.ptOverP / pt19p0);
    out.p0p9 = static_cast<float>(p0p9);
    out.M9 = static_cast<float>(coreExit.M);
    out.T9T0 = static_cast<float>(coreExit.T / T0);
    out.V9V0 = static_cast<float>(coreExit.V / now.V0);
    const double coreOut = 1.0 - beta + core * f;
    out.fO = static_cast<float>(core * f / (1.0 + alpha));
    out.m9m0 = static_cast<float>(coreOut / (1.0 + alpha));
    const double coreThrust = (now.V0 / u.gc) * (coreOut * coreExit.V / now.V0 - 1.0) +
                              coreOut * R9 * coreExit.T * (1.0 - p0p9) / (coreExit.V * u.gc);
    const double fanThrust =
        (now.V0 / u.gc) * (fanExit.V / now.V0 - 1.0) + Rc * fanExit.T * (1.0 - p0p19) / (fanExit.V * u.gc);
    double Fm0 = (coreThrust + alpha * fanThrust) / (1.0 + alpha);
    if (!(Fm0 > 0)) Fm0 = 0.1;
    out.Fm0 = static_cast<float>(Fm0);
    out.S = u.deckRateConstant * out.fO / out.Fm0;
    out.m0 = in.thrustScale * (*in.reference)[25] * out.mRatio;
    out.F = out.Fm0 * out.m0;
    const double rho0 = in.P0 * u.pressureConstant / (Rc * T0);
    out.A0 = static_cast<float>(out.m0 / (now.V0 * rho0 * u.gc));
    out.A9 =
        static_cast<float>(out.A0 * out.m9m0 * p0p9 * (R9 / Rc) * coreExit.T * now.V0 / (T0 * coreExit.V));
    return "";
}

/// What the passes of an engine need of its reference point. It depends on the reference record, the
/// component values, the type, the unit constants and the gas only, so it is computed once for the engine
/// last run on each thread and reused while those stay the same (bit for bit).
struct ReferencePoint {
    Inlet inlet{};
    double h0R = 0, h2R = 0, h25R = 0, h3R = 0;
    double flowR = 1;     ///< choked flow function of the high-pressure turbine throat
    double coreFlowR = 1; ///< separate exhausts: core nozzle against low-pressure turbine throat
    double fanFlowR = 1;  ///< separate exhausts: fan nozzle flow function
    double propFlowR = 1; ///< turboprop: core nozzle against power-turbine throat
    double ductFlowR = 1; ///< ramjet: nozzle throat flow function
    /// The high-pressure turbine's inlet (burner exit and cooling air mixed) against the burner exit, and
    /// each turbine's isentropic end temperature against its inlet: where the first pass's searches start.
    double mixedInletRatio = 1, highIdealRatio = 1, lowIdealRatio = 1;
    /// Logarithms of the turbines' reference pressure ratios.
    double logPiTH = 0, logPiTL = 0;
    MixerReference mr{};
};

struct ReferenceKey {
    OneBased<float, 32> component;
    OneBased<float, 56> reference;
    int16_t type = 0, gasUnits = 0, units = 0;
    float jgc = 0, aSL = 0, TSL = 0;
    double hc = 0;
};

[[gnu::noinline]] ReferencePoint computeReferencePoint(const GasModel& g, const RealGasPassInput& in,
                                                       const RealGasFlow& flow) {
    const auto& c = *in.component;
    const auto& r = *in.reference;
    const double J = in.units->jgc;
    const auto [beta, eps1, eps2, core] = airShares(in);
    const double T0R = r[2], Tt4R = r[5], fR = r[20];
    ReferencePoint p;
    p.inlet = inlet(g, *in.units, T0R, std::max(r[1], 0.01f));
    p.h0R = g.h(T0R, 0);
    if (in.type == 7) {
        const double pt9p0R = p.inlet.piR * r[12] * c[2] * c[4];
        p.ductFlowR = throatFlowFunction(g, Tt4R, fR, nozzle(flow, Tt4R, fR, pt9p0R, r[9]).throat);
        return p;
    }
    const double T25R = p.inlet.Tt2 * r[14], T3R = T25R * r[16];
    p.h2R = g.h(p.inlet.Tt2, 0);
    p.h25R = g.h(T25R, 0);
    p.h3R = g.h(T3R, 0);
    p.flowR = chokedFlowFunction(g, Tt4R, fR);
    const double f2R = core * fR / (core + eps1 + eps2);
    const double T45R = Tt4R * r[35], T5R = T45R * r[18];
    const double hotR = core * (1.0 + fR), f1R = core * fR / (core + eps1);
    const double Tm1R = g.temperatureFromEnthalpy((hotR * g.h(Tt4R, fR) + eps1 * p.h3R) / (hotR + eps1), f1R);
    p.mixedInletRatio = Tm1R / Tt4R;
    p.logPiTH = std::log(c[6]);
    p.logPiTL = std::log(r[17]);
    p.highIdealRatio = g.isentropicTemperature(Tm1R, f1R, c[6]) / Tm1R;
    p.lowIdealRatio = g.isentropicTemperature(T45R, f2R, r[17]) / T45R;
    if (in.type == 3) {
        p.coreFlowR =
            throatFlowFunction(g, T5R, f2R, flow.atMach(T5R, f2R, r[36])) / chokedFlowFunction(g, T45R, f2R);
        p.fanFlowR = throatFlowFunction(g, T25R, 0, flow.atMach(T25R, 0, r[38]));
    }
    if (in.type == 6)
        p.propFlowR =
            throatFlowFunction(g, T5R, f2R, flow.expand(T5R, f2R, r[8])) / chokedFlowFunction(g, T45R, f2R);
    if (in.type == 4 || in.type == 5) {
        // The reference mixer inlets (core static pressure 1) and nozzle throat.
        MixerReference& mr = p.mr;
        const double alphaR = r[19], m45R = core * (1.0 + fR) + eps1 + eps2;
        const StaticState s5R = flow.atMach(T5R, f2R, r[7]);
        mr.T5 = T5R;
        mr.pt5p5 = s5R.ptOverP;
        mr.flow5 = throatFlowFunction(g, T5R, f2R, s5R);
        mr.T5StaticRatio = s5R.T / T5R;
        mr.M6 = r[50];
        mr.A5 = m45R * g.R(f2R) * J * s5R.T / s5R.V;
        mr.A5p = c[17] * mr.A5;
        mr.pt5pRel = r[30] * mr.pt5p5;
        mr.T25 = T25R;
        mr.flow5p = throatFlowFunction(g, T25R, 0, flow.expand(T25R, 0, mr.pt5pRel / 1.0));
        const double f6R = core * fR / (1.0 + alphaR - beta);
        const bool abR = in.type == 5 && r[6] > 0;
        // The nozzle throat opens with the afterburner so that the engine ahead of it keeps its match:
        // the throat scales with the mixed stream, lit or not, as in the constant-cp deck.
        mr.f9 = f6R;
        mr.Tt9 = Tt4R * r[35] * r[18] * r[29];
        mr.piMIdeal = r[28];
        mr.piAB = abR || in.type == 4 ? c[3] : 1.0f - (1.0f - c[3]) / 2;
        const double pt9p0R =
            p.inlet.piR * r[12] * r[13] * r[15] * c[2] * c[6] * r[17] * c[25] * mr.piMIdeal * mr.piAB * c[4];
        mr.flow8 =
            throatFlowFunction(g, mr.Tt9, mr.f9, flow.throat(mr.Tt9, mr.f9, std::max(pt9p0R, 1.0 + 1e-9)));
        mr.m9 = m45R + alphaR;
    }
    return p;
}

const ReferencePoint& referencePoint(const GasModel& g, const RealGasPassInput& in, const RealGasFlow& flow) {
    struct Kept {
        bool valid = false;
        ReferenceKey key;
        ReferencePoint point;
    };
    thread_local Kept kept;
    const UnitConstants& u = *in.units;
    ReferenceKey& k = kept.key;
    // Compared bit for bit: the same inputs (whatever they hold) give the same reference point.
    const bool same = kept.valid && std::memcmp(&k.component, in.component, sizeof(k.component)) == 0 &&
                      std::memcmp(&k.reference, in.reference, sizeof(k.reference)) == 0 &&
                      k.type == in.type && k.gasUnits == g.unitSystem() && k.units == u.system &&
                      k.jgc == u.jgc && k.aSL == u.aSL && k.TSL == u.TSL && k.hc == g.hydrogenCarbonRatio();
    if (!same) {
        kept.valid = false;
        kept.point = computeReferencePoint(g, in, flow);
        k.component = *in.component;
        k.reference = *in.reference;
        k.type = in.type;
        k.gasUnits = g.unitSystem();
        k.units = u.system;
        k.jgc = u.jgc;
        k.aSL = u.aSL;
        k.TSL = u.TSL;
        k.hc = g.hydrogenCarbonRatio();
        kept.valid = true;
    }
    return kept.point;
}

} // namespace

bool realGasDeckSupportsType(int16_t type) {
    return type >= 1 && type <= 7;
}

std::string realGasGasGenerator(const GasModel& g, const RealGasPassInput& in, RealGasPassResult& out,
                                RealGasNozzleInput& behind) {
    behind.pending = false;
    const auto& c = *in.component;
    const auto& r = *in.reference;
    const UnitConstants& u = *in.units;
    const double J = u.jgc;
    const RealGasFlow flow(g, J);
    const double T0 = in.T0, P0 = in.P0, Tt4 = in.Tt4;
    const auto [beta, eps1, eps2, core] = airShares(in);
    const bool prop = in.type == 6, separate = in.type == 3, mixed = in.type == 4 || in.type == 5;

    // Flight condition and the reference point, the same way.
    // The ram state: the same for every pass of a call, so kept with its converged state.
    const RealGasStart* const earlier = in.start && in.start->valid ? in.start : nullptr;
    const Inlet now = earlier && earlier->ramM0 == in.M0 && earlier->ramT0 == in.T0
                          ? Inlet{earlier->V0, earlier->Tt2, earlier->piR}
                          : inlet(g, u, T0, in.M0);
    const ReferencePoint& refPoint = referencePoint(g, in, flow);
    const double P0R = r[3], Tt4R = r[5], fR = r[20], h0R = refPoint.h0R;
    const Inlet& ref = refPoint.inlet;
    out.V0 = static_cast<float>(now.V0);
    out.tauR = static_cast<float>(now.Tt2 / T0);
    out.piR = static_cast<float>(now.piR);
    out.piD = c[1] * ramRecovery(in.M0);
    const double Tt2 = now.Tt2, h2 = g.h(Tt2, 0), piR = out.piR, piD = out.piD;

    double f = 0, Tt6 = Tt4, f6 = 0, piM = 1;
    double Pt4 = 0, Pt4R = 0;
    if (in.type == 7) {
        f = g.burnerFuelAirRatio(Tt2, Tt4, 0, c[18], c[8]);
        if (!(f > 0)) return "No positive fuel/air ratio: Tt4 is below the ram temperature.";
        f6 = f;
        out.tauFan = out.piFan = out.tauHpc = out.piHpc = out.piC = out.tauC = 1;
        out.tauTL = out.piTL = 1;
        out.Tt3 = static_cast<float>(Tt2);
        out.Pt3 = static_cast<float>(P0 * piR * piD);
        out.pctNL = out.pctNH = 0;
        Pt4 = P0 * piR * piD * c[2];
        Pt4R = P0R * ref.piR * r[12] * c[2];
    } else {
        // The gas generator: the compressor and fan exit temperatures and the mass-flow ratio are iterated
        // together; the turbines keep their pressure ratios (choked throats behind them) and efficiencies.
        const double piTH = c[6], etaTH = r[40], piTL = r[17], etaTL = c[16];
        const double h2R = refPoint.h2R;
        const double T25R = ref.Tt2 * r[14], T3R = T25R * r[16];
        const double h25R = refPoint.h25R, h3R = refPoint.h3R;
        const double flowR = refPoint.flowR;
        // First guess: each spool's enthalpy rise scaled with Tt4/Tt4R from the reference point. The
        // turbines keep their pressure ratios, so their work per unit flow follows the burner exit
        // temperature, as the constant-cp spool balances give tau - 1 proportional to tau_lambda/tau_r,
        // a temperature rise proportional to Tt4.
        // A pass started from an earlier state of the same call takes that state instead; a jet refines
        // this guess below.
        const bool cold = !(in.start && in.start->valid);
        const bool withoutBypass = !separate && !mixed, jet = withoutBypass && !prop;
        const double workScale = Tt4 / Tt4R;
        const double h25Guess = h2 + (h25R - h2R) * workScale;
        const double h3Guess = h25Guess + (h3R - h25R) * workScale;
        const bool guessed = cold && !jet;
        double T25 = guessed ? g.temperatureFromEnthalpy(h25Guess, 0) : 0.0;
        double T3 = guessed ? g.temperatureFromEnthalpy(h3Guess, 0) : 0.0;
        // The enthalpies of the fan and compressor exit temperatures, kept with the temperature they
        // belong to while it stays the same (the temperatures come from enthalpies, which they return to
        // within some 1e-10).
        struct AirEnthalpy {
            double T = -1, h = 0;
        } fanExitAir{guessed ? T25 : -1.0, h25Guess}, compressorExitAir{guessed ? T3 : -1.0, h3Guess};
        auto enthalpyOf = [&g](AirEnthalpy& known, double T) {
            if (T != known.T) known = {T, g.h(T, 0)};
            return known.h;
        };
        double mRatio = 1;
        // The compressor pressure ratios of the fan and compressor exit enthalpies, and the core air flow
        // (relative to the reference) the choked high-pressure turbine throat passes with them.
        Pt4R = P0R * ref.piR * r[12] * r[13] * r[15] * c[2];
        // The burner's fuel/air ratio and the choked flow function of its exit gas, kept for the
        // compressor exit and the fuel/air ratio they were last evaluated at: the first guess's air-flow
        // estimate and the first pass share them.
        double burnerT3 = -1, burnerF = 0, flowF = -1, flowOfF = 0;
        auto burner = [&](double T3v) {
            if (T3v != burnerT3) {
                burnerT3 = T3v;
                burnerF = g.burnerFuelAirRatio(T3v, Tt4, 0, c[18], c[8]);
            }
            return burnerF;
        };
        auto burnerExitFlowFunction = [&](double fv) {
            if (fv != flowF) {
                flowF = fv;
                flowOfF = chokedFlowFunction(g, Tt4, fv);
            }
            return flowOfF;
        };
        const double phi2 = g.airEntropyFunctionAtEnthalpy(h2), Ra = g.R(0);
        // The logarithms of the two pressure ratios come out, and the overall ratio `piCNow`: the burner
        // pressure needs only their sum. `flowFunction`: the burner exit's flow function when given (0:
        // that of the fuel/air ratio `fv`).
        double piCNow = 1;
        auto compressorsAndCoreAir = [&](double h25v, double h3v, double fv, double& logPiFan,
                                         double& logPiHpc, double flowFunction = 0) {
            // Each ratio from air's entropy function at the inlet and at the ideal exit enthalpy.
            const double phi25 = g.airEntropyFunctionAtEnthalpy(h25v);
            logPiFan = prop ? 0.0 : (g.airEntropyFunctionAtEnthalpy(h2 + c[14] * (h25v - h2)) - phi2) / Ra;
            logPiHpc = (g.airEntropyFunctionAtEnthalpy(h25v + c[15] * (h3v - h25v)) - phi25) / Ra;
            piCNow = std::exp(logPiFan + logPiHpc);
            Pt4 = P0 * piR * piD * piCNow * c[2];
            return (Pt4 / Pt4R) * std::sqrt(Tt4R / Tt4) *
                   ((flowFunction > 0 ? flowFunction : burnerExitFlowFunction(fv)) / flowR) * (1.0 + fR) /
                   (1.0 + fv);
        };
        double T45 = 0, T5 = 0, h25 = 0, h3 = 0;
        // The jets need the low-pressure turbine's exit temperature only once the passes have settled.
        double h5Last = 0, f2Last = 0;
        const double logPiTH = refPoint.logPiTH, logPiTL = refPoint.logPiTL;
        // Where the turbines' Newton searches start: on the first pass the temperature ratios of the
        // state the pass starts from (an earlier one of the same call), or else the reference point's;
        // then what the same search found in the pass before.
        const std::array<double, 5> ratios =
            in.start && in.start->valid && in.start->searchRatios[0] > 0
                ? in.start->searchRatios
                : std::array<double, 5>{refPoint.mixedInletRatio, r[35], refPoint.highIdealRatio,
                                        refPoint.lowIdealRatio, r[18]};
        double TmNear = Tt4 * ratios[0], T45Near = Tt4 * ratios[1], T5Near = 0;
        double highEndNear = 0, lowEndNear = 0;
        // Separate exhausts: the bypass ratio follows the fan nozzle's flow against the core's, and the
        // low-pressure turbine's pressure ratio matches its choked inlet throat to the core nozzle's flow.
        const double alphaR = separate || mixed ? r[19] : 0.0;
        double alpha = alphaR, piTLNow = piTL;
        const RealGasStart* start = in.start && in.start->valid ? in.start : nullptr;
        // An earlier state of the same call (the same flight condition) at another burner exit
        // temperature, as the limit and throttle searches step Tt4.
        const bool otherTt4 = start && start->Tt4 != Tt4 && start->Tt4 > 0 && start->Tt2 == Tt2 && !separate;
        if (start) {
            T25 = start->T25;
            T3 = start->T3;
            mRatio = start->mRatio;
            alpha = start->alpha;
            piTLNow = start->piTL;
        }
        // Two earlier states give a slope only when they lie far enough apart against the step from the
        // last one: their own convergence (some 1e-7) would otherwise be magnified far beyond the step
        // (a limit search probes Tt4 a hundredth of a degree away, then steps by tens of degrees).
        const bool slope =
            otherTt4 && start->earlierTt4 > 0 && start->earlierTt4 != start->Tt4 &&
            std::fabs(Tt4 - start->Tt4) <= kSlopeReach * std::fabs(start->Tt4 - start->earlierTt4);
        if (slope) {
            // Two earlier states: the straight line through them in Tt4.
            const double w = (Tt4 - start->Tt4) / (start->Tt4 - start->earlierTt4);
            T25 += w * (start->T25 - start->earlierT25);
            T3 += w * (start->T3 - start->earlierT3);
            mRatio += w * (start->mRatio - start->earlierMRatio);
            alpha += w * (start->alpha - start->earlierAlpha);
            piTLNow += w * (start->piTL - start->earlierPiTL);
            if (!(T3 > T25 && T25 > 0 && mRatio > 0 && alpha >= 0 && piTLNow > 0.01 && piTLNow < 0.999)) {
                T25 = start->T25;
                T3 = start->T3;
                mRatio = start->mRatio;
                alpha = start->alpha;
                piTLNow = start->piTL;
            }
        } else if (otherTt4) {
            // One earlier state: its spool enthalpy rises scaled with the turbines' work per unit of core
            // air at the two burner exit temperatures: the burner gas (one plus the fuel/air ratio the
            // earlier compressor exit gives at each) times the isentropic enthalpy drop of the actual gas
            // through the turbines' pressure ratio (the gas generator's own for a turboprop). A ratio of
            // burner exit temperatures alone leaves the compressor exit some 1e-3 off for a step of 2 %.
            const double logRatio = refPoint.logPiTH + (prop ? 0.0 : refPoint.logPiTL);
            auto turbineWork = [&](double T, double fv) {
                return (1.0 + fv) * (g.h(T, fv) - g.isentropicEnthalpyAtLogRatio(T, fv, logRatio));
            };
            const double scale =
                std::fabs(Tt4 - start->Tt4) <= kNearbyTt4 * Tt4
                    ? Tt4 / start->Tt4
                    : turbineWork(Tt4, g.burnerFuelAirRatio(T3, Tt4, 0, c[18], c[8])) /
                          turbineWork(start->Tt4, g.burnerFuelAirRatio(T3, start->Tt4, 0, c[18], c[8]));
            const double h25s = g.h(T25, 0);
            const double h25Scaled = h2 + (h25s - h2) * scale,
                         h3Scaled = h25Scaled + (g.h(T3, 0) - h25s) * scale;
            if (std::isfinite(h25Scaled) && std::isfinite(h3Scaled) && h3Scaled > h25Scaled) {
                T25 = g.temperatureFromEnthalpy(h25Scaled, 0);
                T3 = g.temperatureFromEnthalpy(h3Scaled, 0);
            }
        }
        double logPiFan0 = 0, logPiHpc0 = 0;
        if ((guessed || otherTt4) && !prop) {
            // The air flow of a first guess, so that the take-off powers per unit of air flow start near
            // their final value (at the reference condition: the reference point itself); and of a state
            // moved to another Tt4, so that it starts as close as its compressor exits do (carried along a
            // slope it would keep that slope's own scatter). The turboprop's gas generator reads no air
            // flow: its power turbine gives every take-off.
            const double f0 = burner(T3);
            const double m0 = std::isfinite(f0) ? compressorsAndCoreAir(enthalpyOf(fanExitAir, T25),
                                                                        enthalpyOf(compressorExitAir, T3), f0,
                                                                        logPiFan0, logPiHpc0)
                                                : 1.0;
            if (std::isfinite(m0) && m0 > 0) mRatio = m0 * (1.0 + alpha) / (1.0 + alphaR);
        }
        const bool atReference =
            in.M0 == std::max(r[1], 0.01f) && in.T0 == r[2] && in.P0 == P0R && Tt4 == Tt4R;
        if (cold && jet && atReference) {
            // At the reference condition the reference point is the first guess itself.
            T25 = T25R;
            T3 = T3R;
            fanExitAir = {T25R, h25R};
            compressorExitAir = {T3R, h3R};
            mRatio = 1;
        } else if (cold && jet) {
            // A jet's first guess: the turbines' work per unit of core air scaled with Tt4, the take-off
            // powers per unit of air flow at the air flow the Tt4-scaled spool rises give (at the reference
            // fuel/air ratio), then the air flow of that guess. Far from the reference air flow (altitude),
            // the scaled spool rises alone leave the compressor exit some 1e-3 off; this some 2e-4, close
            // enough to settle in two passes. The air flow that sets the take-off powers passes the
            // reference burner exit's flow function: the take-offs are a small share of the spool work, so
            // the flow function's change with Tt4 (some 1e-3) moves the guess by far less than it lacks.
            const double lowWork = (h25R - h2R + r[32] * h0R / c[12]) * workScale,
                         highWork = (h3R - h25R + r[33] * h0R / c[13]) * workScale;
            const double m0 = compressorsAndCoreAir(h25Guess, h3Guess, fR, logPiFan0, logPiHpc0, flowR);
            const double h25Again = h2 + lowWork - r[32] * h0R / (m0 * c[12]),
                         h3Again = h25Again + highWork - r[33] * h0R / (m0 * c[13]);
            const bool again = std::isfinite(m0) && m0 > 0 && std::isfinite(h25Again) &&
                               std::isfinite(h3Again) && h3Again > h25Again && h25Again > h2;
            T25 = g.temperatureFromEnthalpy(again ? h25Again : h25Guess, 0);
            T3 = g.temperatureFromEnthalpy(again ? h3Again : h3Guess, 0);
            fanExitAir = {T25, again ? h25Again : h25Guess};
            compressorExitAir = {T3, again ? h3Again : h3Guess};
            const double f1 = burner(T3);
            const double m1 = std::isfinite(f1) ? compressorsAndCoreAir(fanExitAir.h, compressorExitAir.h, f1,
                                                                        logPiFan0, logPiHpc0)
                                                : 0.0;
            if (std::isfinite(m1) && m1 > 0) mRatio = m1;
        }
        const double T45R = Tt4R * r[35], T5R = T45R * r[18];
        const double coreFlowR = refPoint.coreFlowR, fanFlowR = refPoint.fanFlowR;
        const double pt19R = P0R * ref.piR * r[12] * r[13] * c[5];
        StaticState coreExit, fanExit;
        // Mixed exhausts: the reference mixer inlets (core static pressure 1) and nozzle throat.
        const double m45R = core * (1.0 + fR) + eps1 + eps2;
        const MixerReference& mr = refPoint.mr;
        MixerState mix{};
        out.piFan = r[13];
        out.piHpc = r[15];
        bool settled = false;
        double logPiFan = 0, logPiHpc = 0; // of the last pass
        // Settled by the contraction bound, the first pass's step it is measured against, and the ratio
        // measured (0: none).
        bool settledAhead = false;
        std::array<double, 2> rhoMeasured = start ? start->contraction : std::array<double, 2>{};
        std::array<double, 3> firstStep{};
        AndersonMixing mixing;
        for (int pass = 0; pass < kGasGeneratorPassLimit && !settled; ++pass) {
            h25 = enthalpyOf(fanExitAir, T25);
            h3 = enthalpyOf(compressorExitAir, T3);
            f = burner(T3);
            // A burner exit below the compressor exit burns no fuel; the limit and throttle logic passes
            // through such states on its way to a limit, as with constant specific heats.
            if (!std::isfinite(f)) return "Floating-point fault in the burner balance.";
            const double hot = core * (1.0 + f);
            const double f1 = core * f / (core + eps1), f2 = core * f / (core + eps1 + eps2);
            const double m45 = hot + eps1 + eps2;
            const double hm1 = (hot * g.h(Tt4, f) + eps1 * h3) / (hot + eps1);
            const double Tm1 = TmNear = g.temperatureFromEnthalpyNear(hm1, f1, TmNear);
            if (!(highEndNear > 0)) highEndNear = Tm1 * ratios[2];
            const double h44 = hm1 - etaTH * (hm1 - g.isentropicEnthalpyNear(Tm1, f1, logPiTH, highEndNear));
            const double h45 = ((hot + eps1) * h44 + eps2 * h3) / m45;
            T45 = T45Near = g.temperatureFromEnthalpyNear(h45, f2, T45Near);
            // Spool balances; the take-off powers stay those of the reference point. The turboprop's gas
            // generator has no fan, and its power turbine gives every take-off.
            double h25New = h2;
            double piTLNew = piTLNow;
            if (!prop) {
                if (!(lowEndNear > 0)) lowEndNear = T45 * ratios[3];
                const double h5 =
                    h45 -
                    etaTL * (h45 - g.isentropicEnthalpyNear(
                                       T45, f2, piTLNow == piTL ? logPiTL : std::log(piTLNow), lowEndNear));
                h5Last = h5;
                f2Last = f2;
                if (separate || mixed)
                    T5 = T5Near =
                        g.temperatureFromEnthalpyNear(h5, f2, T5Near > 0 ? T5Near : T45 * ratios[4]);
                h25New = h2 + c[11] * m45 * (h45 - h5) / (1.0 + alpha) - r[32] * h0R / (mRatio * c[12]);
                if (!(h25New > h2)) h25New = h2 + 0.001 * (h25R - h2R);
            }
            // The high-pressure spool works on the fan exit this pass gives (the low-pressure spool's
            // balance does not depend on it): the compressor exit then follows the fan exit in the same
            // pass instead of one pass later, which saves a pass. The separate-exhaust turbofan keeps the
            // fan exit the pass started from: its bypass match, settling with half steps, then stops
            // closer to its solution.
            const double h3New = (separate ? h25 : h25New) + c[10] * (hot + eps1) * (hm1 - h44) -
                                 (prop ? 0.0 : (1.0 + alpha) * r[33] * h0R / (mRatio * c[13]));
            if (separate) {
                // Convergent core nozzle: ambient exit while unchoked, sonic throat when choked.
                const double pt9p0 = piR * piD * out.piFan * out.piHpc * c[2] * piTH * piTLNow * c[4];
                coreExit = flow.throat(T5, f2, std::max(pt9p0, 1.0 + 1e-9));
                piTLNew = r[17] * std::sqrt((T5 / T45) / (T5R / T45R)) * coreFlowR /
                          (throatFlowFunction(g, T5, f2, coreExit) / chokedFlowFunction(g, T45, f2));
            }
            const double T3New = g.temperatureFromEnthalpy(h3New, 0);
            const double T25New = g.temperatureFromEnthalpy(h25New, 0);
            compressorExitAir = {T3New, h3New};
            fanExitAir = {T25New, h25New};
            if (!(T3New > T25New)) return "The high-pressure turbine cannot drive the compressor.";
            // Compressor pressure ratios from the efficiencies, and the air flow through the choked
            // high-pressure turbine throat.
            const double coreAir = compressorsAndCoreAir(h25New, h3New, f, logPiFan, logPiHpc);
            // The turbofans' streams need the ratios in the pass; the jets only those of the last one.
            const double piFan = withoutBypass ? 1.0 : std::exp(logPiFan),
                         piHpc = withoutBypass ? 1.0 : piCNow / piFan;
            double alphaNew = alpha;
            if (separate) {
                // Convergent fan nozzle, fed by the fan exit.
                const double pt19 = P0 * piR * piD * piFan * c[5];
                fanExit = flow.throat(T25New, 0, std::max(pt19 / P0, 1.0 + 1e-9));
                alphaNew = alphaR * (pt19 / pt19R) * (throatFlowFunction(g, T25New, 0, fanExit) / fanFlowR) *
                           std::sqrt(T25R / T25New) / coreAir;
            }
            if (mixed) {
                // Core mixer inlet from its flow function at the fixed area, the bypass stream at the same
                // static pressure, constant-area mixing, and the nozzle throat's demand on the turbine.
                const double m45 = core * (1.0 + f) + eps1 + eps2;
                const double f2 = core * f / (core + eps1 + eps2);
                const double relPt = (P0 * piR * piD * piFan * piHpc * piTLNow) /
                                     (P0R * ref.piR * r[12] * r[13] * r[15] * r[17]);
                const double m5 = coreAir * m45, m5p = coreAir * alpha;
                const StaticState s5 = stateOfFlowFunction(
                    g, flow, T5, f2, mr.flow5 * (m5 / m45R) * std::sqrt(T5 / mr.T5) / relPt,
                    mix.T5Static > 0 ? mix.T5Static : T5 * mr.T5StaticRatio);
                mix.T5Static = s5.T;
                const double P5 = relPt * mr.pt5p5 / s5.ptOverP;
                const double pt5p = (P0 * piR * piD * piFan) / (P0R * ref.piR * r[12] * r[13]) * mr.pt5pRel;
                StaticState s5p;
                double bypassFlow = 0;
                if (pt5p > P5 * (1.0 + 1e-9)) {
                    s5p = flow.throat(T25New, 0, pt5p / P5, 0.0, h25New);
                    alphaNew = alphaR * (pt5p / mr.pt5pRel) *
                               (throatFlowFunction(g, T25New, 0, s5p) / mr.flow5p) *
                               std::sqrt(mr.T25 / T25New) / coreAir;
                    bypassFlow = m5p;
                } else {
                    alphaNew = 0.5 * alpha; // the bypass stream cannot enter: less of it
                }
                const double m6 = m5 + bypassFlow;
                mix.f6 = core * f / (1.0 + alpha - beta);
                // Total enthalpies of the two streams: the turbine and fan exits' own.
                const double ht6 = (m5 * h5Last + bypassFlow * h25New) / m6;
                mix.Tt6 = g.temperatureFromEnthalpy(ht6, mix.f6);
                const double R6 = g.R(mix.f6) * J, A6 = mr.A5 + mr.A5p;
                const double impulse = m5 * s5.V + bypassFlow * s5p.V + P5 * A6;
                auto exitImpulse = [&](double T) {
                    const double V = std::sqrt(std::max(1e-12, 2.0 * J * (ht6 - g.h(T, mix.f6))));
                    return m6 * (V + R6 * T / V);
                };
                // The exit impulse falls from infinity at rest to its least value at M6 = 1. Newton steps
                // from the last pass's exit find the subsonic root when they stay subsonic (it is the only
                // one); otherwise a bracketed search between the sonic state and rest.
                double T6 = 0, h6 = 0, cp6 = 0;
                // The first pass starts from the reference exit Mach number at constant gamma.
                double start6 = mix.T6Static;
                if (!(start6 > 0) && mr.M6 > 0 && mr.M6 < 1)
                    start6 = mix.Tt6 / (1.0 + 0.5 * (g.gamma(mix.Tt6, mix.f6) - 1.0) * mr.M6 * mr.M6);
                if (start6 > 0 && start6 < mix.Tt6) {
                    T6 = newtonRoot(
                        [&](double T) {
                            double hT = 0, cpT = 0;
                            g.enthalpyAndSpecificHeat(T, mix.f6, hT, cpT);
                            const double V = std::sqrt(std::max(1e-12, 2.0 * J * (ht6 - hT)));
                            const double dV = -J * cpT / V;
                            return std::pair{m6 * (V + R6 * T / V) - impulse,
                                             m6 * (dV * (1.0 - R6 * T / (V * V)) + R6 / V)};
                        },
                        start6, 0.5 * start6, mix.Tt6, kNewtonLastStep, kNewtonSteps);
                    if (T6 > 0) {
                        g.enthalpyAndSpecificHeat(T6, mix.f6, h6, cp6);
                        const double V2 = 2.0 * J * (ht6 - h6);
                        if (!(V2 < cp6 / (cp6 - R6 / J) * R6 * T6)) T6 = 0; // not subsonic
                    }
                }
                if (!(T6 > 0)) {
                    const StaticState sonic6 = flow.atMach(mix.Tt6, mix.f6, 1.0);
                    T6 = impulse > exitImpulse(sonic6.T)
                             ? bracketedRootNear([&](double T) { return exitImpulse(T) - impulse; }, sonic6.T,
                                                 mix.Tt6 * (1.0 - 1e-12), mix.T6Static, kHintWidth,
                                                 kBracketedRootTolerance, kBracketedRootSteps)
                             : sonic6.T;
                    g.enthalpyAndSpecificHeat(T6, mix.f6, h6, cp6);
                }
                mix.T6Static = T6;
                const double V6 = std::sqrt(std::max(1e-12, 2.0 * J * (ht6 - h6)));
                const double P6 = m6 * R6 * T6 / (A6 * V6);
                mix.piMIdeal = P6 * g.isentropicPressureRatio(T6, mix.Tt6, mix.f6) / (P5 * s5.ptOverP);
                mix.M5 = s5.M;
                mix.M5p = s5p.M;
                mix.M6 = V6 / std::sqrt(cp6 / (cp6 - R6 / J) * R6 * T6);
                // The throat passes the mixed stream (its area follows the afterburner).
                const double pt9p0 =
                    piR * piD * piFan * piHpc * c[2] * piTH * piTLNow * c[25] * mix.piMIdeal * in.piAB * c[4];
                const StaticState throat =
                    flow.throat(mix.Tt6, mix.f6, std::max(pt9p0, 1.0 + 1e-9), mix.throatRatio);
                if (throat.M >= 1.0) mix.throatRatio = throat.T / mix.Tt6;
                const double m9 = coreAir * (m45 + alpha);
                const double relPt9 = relPt * (mix.piMIdeal / mr.piMIdeal) * (in.piAB / mr.piAB);
                const double q =
                    (m9 / mr.m9) / (relPt9 * (throatFlowFunction(g, mix.Tt6, mix.f6, throat) / mr.flow8) *
                                    std::sqrt(mr.Tt9 / mix.Tt6));
                piTLNew = std::min(piTLNow * q, 0.999);
            }
            const double mNew = coreAir * (1.0 + alphaNew) / (1.0 + alphaR);
            settled = std::fabs(T3New - T3) <= kGasGeneratorTolerance * T3 &&
                      std::fabs(T25New - T25) <= kGasGeneratorTolerance * T25 &&
                      std::fabs(mNew - mRatio) <= kGasGeneratorTolerance &&
                      std::fabs(alphaNew - alpha) <= kGasGeneratorTolerance * (1.0 + alpha) &&
                      std::fabs(piTLNew - piTLNow) <= kGasGeneratorTolerance;
            // Without a bypass stream, the second pass's step against the first's (a plain substitution step)
            // gives contraction ratios, and from them a bound on what the new state lacks. A pass reads only
            // two components of the state it starts from: the compressor exit (through the burner's
            // fuel/air ratio and the cooling air) and the air flow (through the take-off powers); the spool
            // balances give the fan exit anew. So the error of the next state is what the errors of those
            // two make of it. Not knowing how the first step's change divides between them, each one's ratio
            // is the largest change of any component in the second pass per unit of its own change in the
            // first, as if it alone had caused it, and the bound adds the two. (The turboprop's gas
            // generator reads only its compressor exit: its power turbine gives every take-off.) Measured in
            // the tolerance's own scales. A pass started from an earlier state of the same call (the same
            // flight condition, a Tt4 close by) may take the ratios that state measured for its own first
            // step.
            const std::array<double, 3> step{(T3New - T3) / T3, (T25New - T25) / T25, mNew - mRatio};
            const int drivers = prop ? 1 : 2;
            auto withinBound = [&](const std::array<double, 2>& rho) {
                double lacking = 0;
                for (int j = 0; j < drivers; ++j) {
                    const double driving = std::fabs(step[2 * j]);
                    if (driving > 0) lacking += rho[j] * driving;
                }
                return rho[0] <= kStrongContraction && rho[1] <= kStrongContraction &&
                       lacking <= kAheadShare * kGasGeneratorTolerance;
            };
            if (withoutBypass && !settled && pass == 1) {
                // A component that did not move in the first pass counts as not contracting.
                const double now = std::max({std::fabs(step[0]), std::fabs(step[1]), std::fabs(step[2])});
                for (int j = 0; j < drivers; ++j) {
                    const double first = std::fabs(firstStep[2 * j]);
                    rhoMeasured[j] = now > 0 ? (first > 0 ? now / first : HUGE_VAL) : 0.0;
                }
            }
            // The bound holds for every pass measured against the state it started from, however that state
            // was proposed.
            if (withoutBypass && !settled && pass >= 1) settled = settledAhead = withinBound(rhoMeasured);
            if (withoutBypass && !settled && pass == 0 && start && start->contraction[0] > 0 &&
                (prop || start->contraction[1] > 0))
                settled = settledAhead = withinBound(start->contraction);
            if (pass == 0) firstStep = step;
            // The bypass ratio and the turbine match settle with half steps, the rest by substitution.
            // Anderson mixing of the last steps proposes the next state (for the turbofans, whose match
            // circles in slowly, and for the jets, whose compressor exit and air flow pull on each other
            // through the take-off powers); it is taken while it stays physical and the steps keep
            // shrinking.
            const double T3Old = T3, T25Old = T25, mOld = mRatio, alphaOld = alpha, piTLOld = piTLNow;
            T3 = T3New;
            T25 = T25New;
            mRatio = mNew;
            if (separate || mixed) {
                alpha = 0.5 * (alpha + alphaNew);
                // The separate exhausts' turbine match moves by at most kTurbineMatchStepCap a pass.
                piTLNow = separate ? piTLNow + std::clamp(0.5 * (piTLNew - piTLNow), -kTurbineMatchStepCap,
                                                          kTurbineMatchStepCap)
                                   : 0.5 * (piTLNow + piTLNew);
            }
            if (!prop && !settled) {
                const double aS = 1.0 + alphaR;
                const AndersonMixing::State u{T3Old / T3R, T25Old / T25R, mOld, alphaOld / aS, piTLOld};
                const AndersonMixing::State step{(T3 - T3Old) / T3R, (T25 - T25Old) / T25R, mRatio - mOld,
                                                 (alpha - alphaOld) / aS, piTLNow - piTLOld};
                const AndersonMixing::State next = mixing.next(u, step);
                const double T3m = next[0] * T3R, T25m = next[1] * T25R, am = next[3] * aS;
                if (std::isfinite(T3m) && std::isfinite(T25m) && std::isfinite(next[2]) &&
                    std::isfinite(am) && std::isfinite(next[4]) && T3m > T25m && T25m > 0 && next[2] > 0 &&
                    am >= 0 && next[4] > 0.01 && next[4] < 0.999) {
                    T3 = T3m;
                    T25 = T25m;
                    mRatio = next[2];
                    alpha = am;
                    piTLNow = next[4];
                } else {
                    mixing.reset();
                }
            }
            if (!withoutBypass) {
                out.piFan = static_cast<float>(piFan);
                out.piHpc = static_cast<float>(piHpc);
            }
            if (!std::isfinite(T3) || !std::isfinite(T25) || !std::isfinite(mRatio))
                return "Floating-point fault in the gas-generator iteration.";
        }
        if (!settled) return "Solution for the gas generator will not converge.";
        if (withoutBypass) {
            const double piFan = std::exp(logPiFan);
            out.piFan = static_cast<float>(piFan);
            out.piHpc = static_cast<float>(piCNow / piFan);
        }
        // A state taken ahead of its confirming pass burns at its own compressor exit temperature (the
        // turbines' states move with it by far less than the tolerance).
        if (settledAhead) f = burner(T3);
        if (!separate && !mixed && !prop) T5 = g.temperatureFromEnthalpyNear(h5Last, f2Last, T45 * ratios[4]);
        out.converged = {true, T25, T3, mRatio, alpha, piTLNow, Tt4, Tt2};
        out.converged.searchRatios = {TmNear / Tt4, T45 / Tt4, highEndNear / TmNear, lowEndNear / T45,
                                      prop ? 0.0 : T5 / T45};
        out.converged.ramM0 = in.M0;
        out.converged.ramT0 = in.T0;
        out.converged.V0 = now.V0;
        out.converged.piR = now.piR;
        if (rhoMeasured[0] <= kStrongContraction && rhoMeasured[1] <= kStrongContraction)
            out.converged.contraction = rhoMeasured;
        if (otherTt4) {
            out.converged.earlierTt4 = start->Tt4;
            out.converged.earlierT25 = start->T25;
            out.converged.earlierT3 = start->T3;
            out.converged.earlierMRatio = start->mRatio;
            out.converged.earlierAlpha = start->alpha;
            out.converged.earlierPiTL = start->piTL;
        }
        out.mRatio = static_cast<float>(mRatio);
        h25 = enthalpyOf(fanExitAir, T25);
        h3 = enthalpyOf(compressorExitAir, T3);
        out.tauFan = static_cast<float>(T25 / Tt2);
        out.tauHpc = static_cast<float>(T3 / T25);
        out.piC = out.piFan * out.piHpc;
        out.tauC = out.tauFan * out.tauHpc;
        out.Tt3 = static_cast<float>(T3);
        out.Pt3 = static_cast<float>(P0 * piR * piD * out.piC);
        out.piTL = r[17];
        out.tauTL = static_cast<float>(T5 / T45);
        f6 = core * f / (1.0 - beta);
        Tt6 = T5;
        out.pctNL = static_cast<float>(100.0 * std::sqrt(std::max(0.0, (h25 - h2) / (h25R - h2R))));
        out.pctNH = static_cast<float>(100.0 * std::sqrt(std::max(0.0, (h3 - h25) / (h3R - h25R))));
        if (prop) return powerTurbine(g, flow, in, now, T45, f, mRatio, refPoint.propFlowR, h0R, out);
        out.piTL = static_cast<float>(piTLNow);
        out.alpha = static_cast<float>(alpha);
        if (separate) return separateExhausts(g, in, now, f, alpha, T5, coreExit, fanExit, out);
        if (mixed) {
            f6 = mix.f6;
            Tt6 = mix.Tt6;
            piM = c[25] * mix.piMIdeal;
            out.M5 = static_cast<float>(mix.M5);
            out.M5p = static_cast<float>(mix.M5p);
            out.M6 = static_cast<float>(mix.M6);
        }
    }
    // The afterburner's inlet, and its exit while lit above it: the deck's next pass reads them.
    out.Tt6 = static_cast<float>(Tt6);
    out.Tt7 = in.afterburnerLit && in.Tt7 > Tt6 ? in.Tt7 : static_cast<float>(Tt6);
    // The afterburner, the nozzle and the performance follow from these alone.
    behind = {
        true, f, f6, Tt6, piM, Pt4, Pt4R, refPoint.ductFlowR, now.V0, earlier ? earlier->throatRatio : 0};
    // Until the nozzle has been evaluated, a later pass starts its sonic throat search where this one would.
    out.converged.throatRatio = behind.throatRatio;
    return "";
}

std::string realGasNozzle(const GasModel& g, const RealGasPassInput& in, const RealGasNozzleInput& behind,
                          RealGasPassResult& out) {
    const auto& c = *in.component;
    const auto& r = *in.reference;
    const UnitConstants& u = *in.units;
    const double J = u.jgc;
    const RealGasFlow flow(g, J);
    const double T0 = in.T0, P0 = in.P0, Tt4 = in.Tt4;
    const auto [beta, eps1, eps2, core] = airShares(in);
    const double f = behind.f, f6 = behind.f6, Tt6 = behind.Tt6, piM = behind.piM, Pt4 = behind.Pt4,
                 Pt4R = behind.Pt4R, fR = r[20], Tt4R = r[5], V0 = behind.V0;
    const double piR = out.piR, piD = out.piD, Rc = g.R(0) * J;

    out.f = static_cast<float>(f);

    // Afterburner on sensible enthalpies, and the nozzle.
    double Tt9 = Tt6, f9 = f6;
    out.fAB = 0;
    if (in.afterburnerLit && in.Tt7 > Tt6) {
        Tt9 = in.Tt7;
        f9 = g.burnerFuelAirRatio(Tt6, Tt9, f6, c[18], c[9]);
        out.fAB = static_cast<float>(f9 - f6);
    }
    const double piTurbines = in.type == 7 ? 1.0 : c[6] * out.piTL;
    const double pt9p0 = in.type == 7 ? piR * piD * c[2] * c[4]
                                      : piR * piD * out.piC * c[2] * piTurbines * piM * in.piAB * c[4];
    out.pt9p0 = static_cast<float>(pt9p0);
    const Nozzle n = nozzle(flow, Tt9, f9, pt9p0, in.chokedP0P9, in.type == 7, behind.throatRatio);
    out.converged.throatRatio = n.throat.M >= 1.0 ? n.throat.T / Tt9 : 0;
    if (!(n.pt9p9 >= 1)) return "Exit Mach is imaginary";
    out.p0p9 = static_cast<float>(n.p0p9);
    out.pt9p9 = static_cast<float>(n.pt9p9);
    const StaticState exit = n.pt9p9 > 1 ? n.exit : flow.expand(Tt9, f9, 1.0 + 1e-9);
    out.M9 = static_cast<float>(exit.M);
    out.T9T0 = static_cast<float>(exit.T / T0);
    out.V9V0 = static_cast<float>(exit.V / V0);
    const double alpha = out.alpha;
    out.fO = static_cast<float>(in.type == 7 ? core * f
                                             : (core * f + (1.0 + alpha - beta) * (f9 - f6)) / (1.0 + alpha));
    out.m9m0 = in.type == 7 ? 1 + out.fO - static_cast<float>(beta)
                            : static_cast<float>(1.0 + out.fO - beta / (1.0 + alpha));

    if (in.type == 7) {
        // A fixed nozzle throat: Pt4·(flow function of the throat)/sqrt(Tt4) against the reference.
        const double m9m0R = 1.0 + (1.0 - beta) * fR - beta;
        out.mRatio = static_cast<float>((Pt4 / Pt4R) * std::sqrt(Tt4R / Tt4) *
                                        (throatFlowFunction(g, Tt4, f, n.throat) / behind.ductFlowR) * m9m0R /
                                        out.m9m0);
    }

    const double R9 = g.R(f9) * J;
    double Fm0 = (V0 / u.gc) * (out.m9m0 * exit.V / V0 - 1.0) +
                 out.m9m0 * R9 * exit.T * (1.0 - n.p0p9) / (exit.V * u.gc);
    if (!(Fm0 > 0)) Fm0 = 0.1;
    out.Fm0 = static_cast<float>(Fm0);
    out.S = u.deckRateConstant * out.fO / out.Fm0;
    out.m0 = in.thrustScale * r[25] * out.mRatio;
    out.F = out.Fm0 * out.m0;
    const double rho0 = P0 * u.pressureConstant / (Rc * T0);
    out.A0 = static_cast<float>(out.m0 / (V0 * rho0 * u.gc));
    out.A9 = static_cast<float>(out.A0 * out.m9m0 * n.p0p9 * (R9 / Rc) * exit.T * V0 / (T0 * exit.V));
    return "";
}

std::string realGasPass(const GasModel& g, const RealGasPassInput& in, RealGasPassResult& out) {
    RealGasNozzleInput behind;
    const std::string failure = realGasGasGenerator(g, in, out, behind);
    return failure.empty() && behind.pending ? realGasNozzle(g, in, behind, out) : failure;
}

} // namespace vededa
