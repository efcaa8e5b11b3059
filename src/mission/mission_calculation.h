#pragma once

#include "app/project_data.h"
#include "models/analysis_models.h"

#include <string>

namespace vededa {

/// Computes mission leg `leg` (legs must be computed in order 1, 2, ...): its weight fraction, time,
/// distance and engine figures into `project.missionResults`, the weight fraction at the start of the
/// next leg into `project.betaStart`, and returns the leg's report page (preceded by the report header
/// for leg 1). A leg the calculation cannot fly (a turn at one g or less, an energy maneuver without
/// vertical speed, a level descent, a floating-point fault) is reported as refused and contributes a
/// weight fraction of 1 and no time or distance; the mission goes on.
std::string computeMissionLeg(ProjectData& project, const AnalysisModels& models, int leg);

/// Every leg of the mission in order, each page as the Results window shows it, followed by nothing
/// else (the summary is `missionSummary`).
std::string computeMission(ProjectData& project, const AnalysisModels& models);

} // namespace vededa
