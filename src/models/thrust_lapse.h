#pragma once

#include "app/project_data.h"
#include "models/atmosphere.h"

#include <cstdint>

namespace vededa {

/// Thrust-model selectors of the algebraic engine models and the cycle deck.
inline constexpr int16_t kEngineHighBypass = 1;
inline constexpr int16_t kEngineLowBypassMixed = 2;
inline constexpr int16_t kEngineTurbojet = 3;
inline constexpr int16_t kEngineTurboprop = 4;
inline constexpr int16_t kEngineUserEquation = 5;
inline constexpr int16_t kEngineUserValues = 6;
inline constexpr int16_t kEngineCycleDeck = 7;

/// The lapse never falls below this floor, so callers may divide by it.
inline constexpr float kMinimumLapse = 0.001f;

/// The engine-model outputs at one flight condition.
struct EngineModelValues {
    float alpha = 1; ///< installed full-throttle thrust over sea-level static thrust
    float c = 0;     ///< TSFC coefficient, TSFC = C sqrt(theta) [1/hr or mg/(N s)]
};

/// Total temperature ratio theta0 = theta (1 + 0.2 M0^2).
float totalTemperatureRatio(const FlightCondition& fc);
/// Total pressure ratio delta0 = delta (1 + 0.2 M0^2)^3.5.
float totalPressureRatio(const FlightCondition& fc);

/// Whether `ThrustLapseModel` evaluates the selected thrust model itself (models 1 to 6). The cycle
/// deck (7) is driven by the engine deck and has its own evaluation there.
bool isAlgebraicThrustModel(int16_t model);

/// The thrust lapse alpha of thrust models 1 to 6 at `fc.mach`, `fc.theta`, `fc.delta`, with the
/// afterburner flag `project.afterburner`, the throttle ratio `project.throttleRatio` and the user
/// coefficients. Models 1-5 give alpha = delta0 times the model's alpha/delta0; model 6 takes
/// parameter 22 of the constraint `project.resultsItem` unchanged. The result is at least 0.001.
/// Writes only `values.alpha`; for any other model (0, or the cycle deck) alpha is left as it was.
void ThrustLapseModel(EngineModelValues& values, const FlightCondition& fc, const ProjectData& project);

} // namespace vededa
