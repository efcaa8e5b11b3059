#include "sizing/weight_closure.h"

#include "output/number_format.h"

#include <cmath>

namespace vededa {

ClosureSolution closeWeights(float fuelFraction, float a, float c, float fixedWeight) {
    ClosureSolution sol;
    if (!std::isfinite(fuelFraction) || !std::isfinite(a) || !std::isfinite(c) ||
        !std::isfinite(fixedWeight)) {
        sol.failure = "Weights do not close: a closure value is not a number";
        return sol;
    }
    if (fixedWeight <= 0.0f) {
        sol.failure = "Weights do not close: no fixed weight (crew and payload) to carry";
        return sol;
    }
    if (a <= 0.0f) {
        sol.failure = "Weights do not close: the empty-weight coefficient A must be above 0";
        return sol;
    }
    const double ff = fuelFraction, A = a, C = c, wf = fixedWeight;
    auto empty = [&](double w) { return A * std::pow(w, C); };
    auto left = [&](double w) { return 1.0 - ff - empty(w) - wf / w; };
    double lo = wf, hi = wf * kClosureWeightSpan;
    const double atTop = left(hi);
    if (!(atTop > 0.0)) {
        sol.failure = "Weights do not close: fuel fraction" + Str(fuelFraction) + " + empty-weight fraction" +
                      Str(static_cast<float>(empty(hi))) + " >= 1 up to W_TO =" + Str(static_cast<float>(hi));
        return sol;
    }
    // left(lo) = -ff - A lo^C < 0 and left(hi) > 0: a root lies between.
    while (sol.passes < kClosureBisectionPasses && hi - lo > kClosureTolerance * hi) {
        ++sol.passes;
        const double mid = 0.5 * (lo + hi);
        if (left(mid) > 0.0)
            hi = mid;
        else
            lo = mid;
    }
    const double w = 0.5 * (lo + hi);
    sol.wto = static_cast<float>(w);
    sol.emptyFraction = static_cast<float>(empty(w));
    sol.residual = left(w);
    sol.converged = std::isfinite(sol.wto) && hi - lo <= kClosureTolerance * hi;
    if (!sol.converged) sol.failure = "Weights do not close: the W_TO search did not converge";
    return sol;
}

} // namespace vededa
