#pragma once

// Isentropic flow of a gas with variable specific heats: static states from a pressure ratio or a Mach
// number, shared by the on-design generator and the off-design passes.

#include "engine/gas_properties.h"

#include <algorithm>
#include <cmath>

namespace vededa {

/// The static state of an isentropic flow of total temperature `Tt` and fuel/air ratio `f`.
struct StaticState {
    double T = 0;       ///< static temperature [R or K]
    double V = 0;       ///< velocity [ft/s or m/s]
    double M = 0;       ///< Mach number
    double ptOverP = 1; ///< total-to-static pressure ratio
};

/// Newton passes of the static-state search at a Mach number and the relative step after which it stops:
/// the steps follow gamma's change with temperature, so they converge quadratically and the state after
/// that step is within some 1e-10 of T.
inline constexpr int kStaticStatePasses = 30;
inline constexpr double kStaticStateTolerance = 3e-5;

/// A root of `g` between `a` and `b`, where ga = g(a) and gb = g(b) differ in sign: regula falsi with the
/// Illinois modification (the end point kept twice has its value halved), which keeps the root bracketed
/// like bisection but converges superlinearly. Stops once a new point moves by at most
/// `tolerance`·|point| or after `steps` points.
template <class G>
double bracketedRoot(G g, double a, double ga, double b, double gb, double tolerance, int steps) {
    if (ga == 0) return a;
    if (gb == 0) return b;
    double c = a;
    int kept = 0; // +1: a was kept last time, -1: b was
    for (int i = 0; i < steps; ++i) {
        double next = (a * gb - b * ga) / (gb - ga);
        if (!(next > std::min(a, b) && next < std::max(a, b))) next = 0.5 * (a + b);
        const bool settled = std::fabs(next - c) <= tolerance * std::fabs(next);
        c = next;
        const double gc = g(c);
        if (gc == 0 || settled) break;
        if ((gc > 0) == (gb > 0)) {
            b = c;
            gb = gc;
            if (kept == 1) ga *= 0.5;
            kept = 1;
        } else {
            a = c;
            ga = gc;
            if (kept == -1) gb *= 0.5;
            kept = -1;
        }
    }
    return c;
}

/// The same, first within `width`·hint of `hint` (the root of a similar earlier search) when that
/// narrower interval inside [a, b] brackets a root, otherwise on [a, b] itself. `hint` 0: no hint.
template <class G>
double bracketedRootNear(G g, double a, double b, double hint, double width, double tolerance, int steps) {
    const double lo = std::min(a, b), hi = std::max(a, b);
    if (hint > lo && hint < hi) {
        const double nearLo = std::max(lo, hint * (1.0 - width)), nearHi = std::min(hi, hint * (1.0 + width));
        const double gLo = g(nearLo), gHi = g(nearHi);
        if ((gLo > 0) != (gHi > 0) || gLo == 0 || gHi == 0)
            return bracketedRoot(g, nearLo, gLo, nearHi, gHi, tolerance, steps);
    }
    return bracketedRoot(g, lo, g(lo), hi, g(hi), tolerance, steps);
}

/// A root of `g` (returning its value and derivative) by Newton steps from `start`, while they stay
/// strictly between `lo` and `hi`: stops once a step moves by at most `tolerance`·|point|. 0 when a step
/// leaves the interval, the derivative vanishes or the steps do not settle within `steps`.
template <class G> double newtonRoot(G g, double start, double lo, double hi, double tolerance, int steps) {
    double x = start;
    for (int i = 0; i < steps; ++i) {
        const auto [value, slope] = g(x);
        if (!std::isfinite(value) || !std::isfinite(slope) || slope == 0) return 0;
        const double step = -value / slope;
        x += step;
        if (!(x > lo && x < hi)) return 0;
        if (std::fabs(step) <= tolerance * std::fabs(x)) return x;
    }
    return 0;
}

/// Newton steps of the flow-state searches from a nearby earlier state, and the relative step after which
/// they stop: Newton converges quadratically, so the point after that step is within some 1e-10 of the
/// root (the bracketed searches' tolerance).
inline constexpr int kNewtonSteps = 12;
inline constexpr double kNewtonLastStep = 1e-5;

/// Points and relative tolerance of the bracketed searches of the flow states.
inline constexpr int kBracketedRootSteps = 100;
inline constexpr double kBracketedRootTolerance = 1e-10;
/// Half-width of the first interval around a hint, relative to the hint.
inline constexpr double kHintWidth = 1e-3;

/// A total-to-static pressure ratio above the critical one of any gas with gamma up to 1.45.
inline constexpr double kSurelyChokedPressureRatio = 1.95;

/// Isentropic flow relations of one gas model [velocities in ft/s or m/s with jgc].
class RealGasFlow {
  public:
    RealGasFlow(const GasModel& gas, double jgc) : g_(gas), jgc_(jgc) {}

    double jgc() const { return jgc_; }
    double speedOfSound(double T, double f) const { return std::sqrt(g_.gamma(T, f) * g_.R(f) * jgc_ * T); }

    /// The state after an isentropic expansion from total to static pressure by `ptOverP` (at least 1).
    StaticState expand(double Tt, double f, double ptOverP) const {
        return expand(Tt, f, ptOverP, g_.h(Tt, f));
    }
    /// The same for a flow whose total enthalpy `ht` (that of Tt) is known.
    StaticState expand(double Tt, double f, double ptOverP, double ht) const {
        StaticState s;
        s.ptOverP = ptOverP;
        s.T = g_.isentropicTemperature(Tt, f, 1.0 / ptOverP);
        velocityAndMach(ht, f, s);
        return s;
    }

    /// The same by Newton steps from a static temperature `near` close to the answer (0: a tabulated
    /// search), set to the answer; `logPtOverP` is the logarithm of `ptOverP`.
    StaticState expandNear(double Tt, double f, double ptOverP, double logPtOverP, double ht,
                           double& near) const {
        StaticState s;
        s.ptOverP = ptOverP;
        g_.isentropicEnthalpyNear(Tt, f, -logPtOverP, near);
        s.T = near;
        velocityAndMach(ht, f, s);
        return s;
    }

    /// The state of static temperature `T` (at most Tt) in the flow of total temperature `Tt`.
    StaticState atTemperature(double Tt, double f, double T) const {
        StaticState s;
        s.T = T;
        velocityAndMach(g_.h(Tt, f), f, s);
        s.ptOverP = g_.isentropicPressureRatio(T, Tt, f);
        return s;
    }

    /// The throat of a convergent passage fed at the total-to-static pressure ratio `ptOverP` (at least
    /// 1): the full expansion while it stays subsonic, the sonic state otherwise. Above the critical
    /// pressure ratio of every gas here (below 1.9) the throat is sonic without trying the expansion.
    /// `sonicRatio`: static to total temperature of a similar sonic throat, where its search starts (0:
    /// none); `ht`: the flow's total enthalpy when known (0: from Tt).
    StaticState throat(double Tt, double f, double ptOverP, double sonicRatio = 0, double ht = 0) const {
        if (ptOverP < kSurelyChokedPressureRatio) {
            const StaticState full = expand(Tt, f, ptOverP, ht != 0 ? ht : g_.h(Tt, f));
            if (full.M < 1.0) return full;
        }
        return atMach(Tt, f, 1.0, sonicRatio * Tt);
    }

    /// The state at Mach number `M` (0 < M <= 1): 2·(h(Tt) - h(T)) = M²·gamma(T)·R·T, by Newton steps on
    /// T from `start` when it lies below Tt, otherwise from the constant-gamma value.
    StaticState atMach(double Tt, double f, double M, double start = 0) const {
        const double R = g_.R(f), M2 = M * M;
        double ht = 0, cpt = 0;
        g_.enthalpyAndSpecificHeat(Tt, f, ht, cpt);
        double T = start > 0 && start < Tt ? start : Tt / (1.0 + 0.5 * (cpt / (cpt - R) - 1.0) * M2);
        double h = 0, cp = 0;
        for (int i = 0; i < kStaticStatePasses; ++i) {
            double cpSlope = 0;
            g_.enthalpyAndSpecificHeat(T, f, h, cp, cpSlope);
            // gamma = cp/(cp - R), so dgamma/dT = -R·(dcp/dT)/(cp - R)².
            const double perCv = 1.0 / (cp - R), gamma = cp * perCv;
            const double gammaSlope = -R * cpSlope * perCv * perCv;
            const double residual = 2.0 * (ht - h) - M2 * gamma * R * T;
            const double step = residual / (2.0 * cp + M2 * R * (gamma + T * gammaSlope));
            T += step;
            // The enthalpy and specific heat carried along the step (left out: terms in its square).
            h += cp * step;
            cp += cpSlope * step;
            if (std::fabs(step) <= kStaticStateTolerance * T) break;
        }
        StaticState s;
        s.T = T;
        s.V = std::sqrt(std::max(0.0, 2.0 * jgc_ * (ht - h)));
        s.M = s.V / std::sqrt(cp / (cp - R) * R * jgc_ * T);
        s.ptOverP = g_.isentropicPressureRatio(T, Tt, f);
        return s;
    }

  private:
    /// Velocity and Mach number of the static temperature in `s` in the flow of total enthalpy `ht`.
    void velocityAndMach(double ht, double f, StaticState& s) const {
        double h = 0, cp = 0;
        g_.enthalpyAndSpecificHeat(s.T, f, h, cp);
        const double R = g_.R(f);
        s.V = std::sqrt(std::max(0.0, 2.0 * jgc_ * (ht - h)));
        s.M = s.V / std::sqrt(cp / (cp - R) * R * jgc_ * s.T);
    }

    const GasModel& g_;
    double jgc_;
};

} // namespace vededa
