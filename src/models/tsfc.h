#pragma once

#include "app/project_data.h"
#include "models/atmosphere.h"
#include "models/thrust_lapse.h"

namespace vededa {

/// mg/(N s) per 1/hr (lbm/(lbf hr)): the SI factor of the algebraic TSFC models.
inline constexpr float kTsfcSiFactor = 28.325f;

/// Whether `TsfcModel` evaluates the selected TSFC model itself (models 1 to 6).
bool isAlgebraicTsfcModel(int16_t model);

/// The TSFC coefficient C of TSFC models 1 to 6 at `fc.mach` with the afterburner flag
/// `project.afterburner` and the user coefficients (A, B, n, Mr); in 1/hr, multiplied by 28.325 to
/// mg/(N s) in SI units. Writes only `values.c`; for any other model (0, or the cycle deck) C is left
/// as it was.
void TsfcModel(EngineModelValues& values, const FlightCondition& fc, const ProjectData& project);

} // namespace vededa
