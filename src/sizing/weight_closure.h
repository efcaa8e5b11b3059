#pragma once

#include <cstdint>
#include <string>

namespace vededa {

/// Bisection passes of the take-off weight that closes the weights at one fuel fraction.
inline constexpr int16_t kClosureBisectionPasses = 200;
/// The bisection ends when the bracket is this narrow relative to W_TO.
inline constexpr double kClosureTolerance = 1e-7;
/// The search for W_TO spans the fixed weight up to this many times it.
inline constexpr double kClosureWeightSpan = 1e4;

/// What closing the weights at one fuel fraction gave.
struct ClosureSolution {
    float wto = 0;           ///< take-off weight that closes [lbf or N]
    float emptyFraction = 0; ///< We/W_TO at that weight
    bool converged = false;  ///< the weights close
    int16_t passes = 0;      ///< bisection passes used
    double residual = 0;     ///< 1 - fuel - empty - fixed/W_TO at the answer
    std::string failure;     ///< why the weights do not close (a report line)
};

/// The take-off weight W_TO with W_TO = W_fixed + We + W_fuel, that is
///     1 - fuelFraction - A W_TO^C - fixedWeight / W_TO = 0,
/// solved by bisection between W_fixed and `kClosureWeightSpan` W_fixed (the left side grows with W_TO
/// for C <= 0). When no W_TO in that span closes, the answer is not converged and `failure` says so:
/// fuel fraction + empty-weight fraction >= 1 leaves nothing for the crew and the payload.
ClosureSolution closeWeights(float fuelFraction, float a, float c, float fixedWeight);

} // namespace vededa
