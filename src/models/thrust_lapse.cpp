#include "models/thrust_lapse.h"

#include <cmath>

namespace vededa {

float totalTemperatureRatio(const FlightCondition& fc) {
    return fc.theta * (1.0f + 0.2f * fc.mach * fc.mach);
}

float totalPressureRatio(const FlightCondition& fc) {
    const double ram = 1.0 + 0.2 * static_cast<double>(fc.mach) * fc.mach;
    return static_cast<float>(fc.delta * std::pow(ram, 3.5));
}

bool isAlgebraicThrustModel(int16_t model) {
    return model >= kEngineHighBypass && model <= kEngineUserValues;
}

void ThrustLapseModel(EngineModelValues& values, const FlightCondition& fc, const ProjectData& project) {
    if (!isAlgebraicThrustModel(project.thrustModel)) return;

    const float m0 = fc.mach;
    const float theta0 = totalTemperatureRatio(fc);
    const float delta0 = totalPressureRatio(fc);
    const float tr = project.throttleRatio;
    const bool afterburner = project.afterburner == 1;
    // theta0 > TR means the throttle ratio is exceeded; at theta0 = TR the lower branch holds.
    const bool aboveTr = theta0 > tr;
    float ab = 1.0f; // alpha / delta0

    switch (project.thrustModel) {
    case kEngineHighBypass:
        ab = 1.0f - 0.49f * std::sqrt(m0);
        if (aboveTr) ab -= 3.0f * (theta0 - tr) / (1.5f + m0);
        break;
    case kEngineLowBypassMixed:
        if (afterburner)
            ab = aboveTr ? 1.0f - 3.5f * (theta0 - tr) / (theta0 * theta0) : 1.0f;
        else
            ab = aboveTr ? 0.6f * (1.0f - 3.8f * (theta0 - tr) / std::pow(theta0, 1.6f)) : 0.6f;
        break;
    case kEngineTurbojet:
        if (afterburner) {
            ab = 1.0f - 0.3f * (theta0 - 1.0f) - 0.1f * std::sqrt(m0);
            if (aboveTr) ab -= 1.5f * (theta0 - tr) / (theta0 * theta0);
        } else {
            ab = 0.8f * (1.0f - 0.16f * std::sqrt(m0));
            if (aboveTr) ab -= 19.2f * (theta0 - tr) / ((9.0f + m0) * theta0 * theta0);
        }
        break;
    case kEngineTurboprop:
        // At low speed the propeller gives full static thrust, without the throttle-ratio term.
        if (m0 > 0.1f) {
            ab = 1.0f - 0.96f * std::pow(m0 - 0.1f, 0.25f);
            if (aboveTr) ab -= 3.0f * (theta0 - tr) / (8.13f * (m0 - 0.1f) + 1.0f);
        }
        break;
    case kEngineUserEquation: {
        const OneBased<float, 4>& u = project.userThrust; // A, B, C, D
        if (aboveTr) ab = u[1] + u[2] * std::pow(theta0 - tr, u[3]) / std::pow(theta0, u[4]);
        break;
    }
    default:
        break;
    }

    float alpha;
    if (project.thrustModel == kEngineUserValues) {
        const int16_t item = project.resultsItem;
        alpha = item >= 1 && item <= kMaxConstraints
                    ? project.constraints[static_cast<std::size_t>(item)].p[22]
                    : values.alpha;
    } else {
        alpha = delta0 * ab;
    }
    if (alpha <= kMinimumLapse) alpha = kMinimumLapse;
    values.alpha = alpha;
}

} // namespace vededa
