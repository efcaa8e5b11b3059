#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vededa {

/// Drag polar coefficients at one Mach number: CD = K1 CL^2 + K2 CL + CD0 (+ CDR, added by the caller).
struct PolarCoefficients {
    float k1 = 0, k2 = 0, cd0 = 0;
};

/// The flight-condition models the analyses need (mission legs, contour points), bound to the project's
/// current model selections. The algebraic engine models give the installed thrust lapse alpha (never below
/// 0.001) and the TSFC coefficient C in the project's units (1/hr, or mg/(N s) in SI); `userLapse` is the
/// leg's own thrust lapse for the "User Input Values" thrust model.
struct AnalysisModels {
    std::function<PolarCoefficients(float mach)> polar;
    std::function<float(float mach, float theta, float delta, int16_t afterburner, float userLapse)>
        thrustLapse;
    std::function<float(float mach, int16_t afterburner)> tsfcCoefficient;
};

} // namespace vededa
