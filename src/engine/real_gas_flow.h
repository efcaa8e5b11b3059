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

/// Newton passes of the static-state search at a Mach number and their relative tolerance.
inline constexpr int kStaticStatePasses = 30;
/// Newton converges quadratically: after a step below this share of T the error is some 1e-12 of T.
inline constexpr double kStaticStateTolerance = 1e-6;

/// Isentropic flow relations of one gas model [velocities in ft/s or m/s with jgc].
class RealGasFlow {
  public:
    RealGasFlow(const GasModel& gas, double jgc) : g_(gas), jgc_(jgc) {}

    double speedOfSound(double T, double f) const { return std::sqrt(g_.gamma(T, f) * g_.R(f) * jgc_ * T); }

    /// The state after an isentropic expansion from total to static pressure by `ptOverP` (at least 1).
    StaticState expand(double Tt, double f, double ptOverP) const {
        StaticState s;
        s.ptOverP = ptOverP;
        s.T = g_.isentropicTemperature(Tt, f, 1.0 / ptOverP);
        s.V = std::sqrt(std::max(0.0, 2.0 * jgc_ * (g_.h(Tt, f) - g_.h(s.T, f))));
        s.M = s.V / speedOfSound(s.T, f);
        return s;
    }

    /// The state at Mach number `M` (0 < M <= 1): 2·(h(Tt) - h(T)) = M²·gamma(T)·R·T, by Newton steps on
    /// T from the constant-gamma value (the derivative taken at constant gamma).
    StaticState atMach(double Tt, double f, double M) const {
        const double ht = g_.h(Tt, f), R = g_.R(f);
        double T = Tt / (1.0 + 0.5 * (g_.gamma(Tt, f) - 1.0) * M * M);
        for (int i = 0; i < kStaticStatePasses; ++i) {
            const double gamma = g_.gamma(T, f);
            const double residual = 2.0 * (ht - g_.h(T, f)) - M * M * gamma * R * T;
            const double step = residual / (2.0 * g_.cp(T, f) + M * M * gamma * R);
            T += step;
            if (std::fabs(step) <= kStaticStateTolerance * T) break;
        }
        StaticState s;
        s.T = T;
        s.V = std::sqrt(std::max(0.0, 2.0 * jgc_ * (ht - g_.h(T, f))));
        s.M = s.V / speedOfSound(T, f);
        s.ptOverP = g_.isentropicPressureRatio(T, Tt, f);
        return s;
    }

  private:
    const GasModel& g_;
    double jgc_;
};

} // namespace vededa
