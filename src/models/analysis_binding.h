#pragma once

#include "app/project_data.h"
#include "models/analysis_models.h"

namespace vededa {

/// The drag polar and the algebraic engine models of the project's current selections, for the mission
/// and contour calculations. The binding keeps its own copy of the model settings taken now, so bind
/// right before a calculation. With the "User Input Values" thrust model the lapse is the caller's
/// `userLapse` (the mission leg's own value), raised to the 0.001 floor. With the cycle deck the engine is
/// first sized to the aircraft (the project's thrust scale is set), and the deck figures are bound.
AnalysisModels bindAnalysisModels(ProjectData& project);

} // namespace vededa
