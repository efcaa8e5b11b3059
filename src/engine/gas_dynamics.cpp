// Perfect-gas relations of the engine deck.
#include "engine/gas_dynamics.h"

#include <cmath>

namespace vededa {

namespace {

/// [(2/(gamma+1))·(1 + ((gamma-1)/2)·M²)]^((gamma+1)/(2(gamma-1))), the numerator of A/A*.
double areaGroup(double gamma, double mach) {
    return cyclePower((2.0 / (gamma + 1.0)) * (1.0 + 0.5 * (gamma - 1.0) * mach * mach),
                      (gamma + 1.0) / (2.0 * (gamma - 1.0)));
}

} // namespace

float AreaRatioFromMach(float gamma, float& mach) {
    if (mach < kSmallestAreaMach) mach = kSmallestAreaMach;
    const float group = static_cast<float>(areaGroup(gamma, mach));
    return group / mach;
}

MachSolution MachFromAreaRatio(float startMach, float areaRatio, float gamma) {
    MachSolution s;
    float m = startMach;
    while (s.passes < kMachFromAreaPassLimit) {
        ++s.passes;
        const float next = static_cast<float>(areaGroup(gamma, m)) / areaRatio;
        if (!std::isfinite(next)) {
            s.mach = next;
            return s;
        }
        const float change = std::fabs(next - m);
        s.mach = next;
        m = next;
        if (change <= kMachFromAreaTolerance) {
            s.converged = true;
            return s;
        }
    }
    return s;
}

float MassFlowParameter(float mach, float gamma, float gasConstant, float gc) {
    const float ratio = AreaRatioFromMach(gamma, mach);
    const float sonic =
        static_cast<float>(std::sqrt(static_cast<double>(gamma) * gc / gasConstant) *
                           cyclePower(2.0 / (gamma + 1.0), (gamma + 1.0) / (2.0 * (gamma - 1.0))));
    return sonic / ratio;
}

float MachSquaredFromPressureRatio(float gamma, float staticToTotal) {
    const double e = (gamma - 1.0) / gamma;
    return static_cast<float>((2.0 / (gamma - 1.0)) * (std::pow(1.0 / staticToTotal, e) - 1.0));
}

float gasConstant(float gamma, float cp, float jgc) {
    return ((gamma - 1.0f) / gamma) * cp * jgc;
}

float ramRecovery(float mach) {
    if (mach <= 1.0f) return 1.0f;
    if (mach <= 5.0f) return 1.0f - 0.075f * static_cast<float>(std::pow(mach - 1.0, 1.35));
    return 800.0f / (static_cast<float>(std::pow(static_cast<double>(mach), 4.0)) + 935.0f);
}

CorrectedFlows correctedMassFlows(float m0, float T0, float P0, float tauR, float piR, float piD, float alpha,
                                  float tauFan, float piFan, float pressureFactor, float TSL, float PSL) {
    CorrectedFlows c;
    const float Tt2 = T0 * tauR;
    const float Pt2 = P0 * piR * piD * pressureFactor;
    c.fanFace = m0 * static_cast<float>(std::sqrt(static_cast<double>(Tt2) / TSL)) / (Pt2 / PSL);
    if (piFan == 1.0f)
        c.compressorFace = c.fanFace;
    else
        c.compressorFace = (m0 / (1.0f + alpha)) *
                           static_cast<float>(std::sqrt(static_cast<double>(tauFan) * Tt2 / TSL)) /
                           (piFan * Pt2 / PSL);
    return c;
}

} // namespace vededa
