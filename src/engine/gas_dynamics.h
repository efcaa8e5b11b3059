#pragma once

#include <cmath>
#include <cstdint>

namespace vededa {

/// One-dimensional perfect-gas relations shared by the engine deck, the installation losses, the
/// component interfaces and the on-design generator. Powers are taken in double precision and the
/// results stored back to single precision.

/// base^exponent in double precision as exp(exponent·ln base): the cycle's powers have a positive base
/// and results stored to single precision, where this gives the same digits as std::pow at about two
/// thirds of its cost. A base of 0 gives 0 (positive exponent); a negative base gives NaN, as std::pow
/// does for a fractional exponent.
inline double cyclePower(double base, double exponent) {
    return std::exp(exponent * std::log(base));
}

/// The smallest Mach number `AreaRatioFromMach` works with.
inline constexpr float kSmallestAreaMach = 0.001f;

/// A/A* = (1/M)·[(2/(gamma+1))·(1 + ((gamma-1)/2)·M²)]^((gamma+1)/(2(gamma-1))). A Mach number below
/// 0.001 is raised to 0.001 in the caller's variable first.
float AreaRatioFromMach(float gamma, float& mach);

/// Pass limit of `MachFromAreaRatio`.
inline constexpr int16_t kMachFromAreaPassLimit = 500;
/// Convergence of `MachFromAreaRatio` on the change of the Mach number.
inline constexpr float kMachFromAreaTolerance = 0.0001f;

/// The outcome of `MachFromAreaRatio`.
struct MachSolution {
    float mach = 0;         ///< the last iterate
    bool converged = false; ///< false when the pass limit was reached or an iterate was not finite
    int16_t passes = 0;
};

/// The subsonic Mach number of the area ratio A/A* by the fixed-point iteration
/// M_new = [(2/(gamma+1))·(1 + ((gamma-1)/2)·M²)]^((gamma+1)/(2(gamma-1))) / (A/A*) from `startMach`,
/// until |M_new - M| <= 0.0001, at most `kMachFromAreaPassLimit` passes.
MachSolution MachFromAreaRatio(float startMach, float areaRatio, float gamma);

/// Mass-flow parameter m·sqrt(Tt)/(Pt·A) = sqrt(gamma·gc/R)·(2/(gamma+1))^((gamma+1)/(2(gamma-1)))/(A/A*)
/// [in the units of gc and R; R in (ft/s)² per R or J/(kg K)]. Uses `AreaRatioFromMach` (Mach at least
/// 0.001).
float MassFlowParameter(float mach, float gamma, float gasConstant, float gc);

/// M² of an isentropic expansion to the static-to-total pressure ratio P/Pt:
/// (2/(gamma-1))·[(Pt/P)^((gamma-1)/gamma) - 1].
float MachSquaredFromPressureRatio(float gamma, float staticToTotal);

/// Gas constant R = ((gamma-1)/gamma)·cp·Jgc [(ft/s)²/R or J/(kg K)] of a gas with cp [BTU/(lbm R) or
/// kJ/(kg K)].
float gasConstant(float gamma, float cp, float jgc);

/// Inlet ram recovery eta_R of the flight Mach number: 1 up to M0 = 1, 1 - 0.075·(M0 - 1)^1.35 up to
/// M0 = 5, 800/(M0^4 + 935) above.
float ramRecovery(float mach);

/// Corrected mass flows at the fan face and the high-pressure compressor face.
struct CorrectedFlows {
    float fanFace = 0;        ///< m_c2 [lbm/s or kg/s]
    float compressorFace = 0; ///< m_c25 [lbm/s or kg/s]
};

/// m_c2 = m0·sqrt(Tt2/T_SL)/(Pt2/P_SL) with Tt2 = T0·tau_r and Pt2 = P0·pi_r·pi_d·pressure factor;
/// m_c25 = m_c2 when pi_c' is 1, otherwise (m0/(1 + alpha))·sqrt(tau_c'·Tt2/T_SL)/(pi_c'·Pt2/P_SL).
/// T0 [R or K], P0 [psia or Pa], T_SL [R or K], P_SL [psf or Pa].
CorrectedFlows correctedMassFlows(float m0, float T0, float P0, float tauR, float piR, float piD, float alpha,
                                  float tauFan, float piFan, float pressureFactor, float TSL, float PSL);

} // namespace vededa
