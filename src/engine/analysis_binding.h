#pragma once

#include "app/project_data.h"
#include "models/analysis_models.h"

namespace vededa {

/// The drag polar and the engine models of the project's current selections, for the mission and
/// contour calculations. The binding keeps its own immutable copy of the settings taken now, so bind
/// right before a calculation; the bound functions may be called from several threads at once. With the
/// "User Input Values" thrust model the lapse is the caller's `userLapse` (the mission leg's own value),
/// raised to the 0.001 floor. With the cycle deck the engine is first sized to the aircraft (the
/// project's thrust scale is set), and the installed-engine figures are bound; their failures come back
/// in `DeckRating::failed` and `DeckRating::failure`.
AnalysisModels bindAnalysisModels(ProjectData& project);

} // namespace vededa
