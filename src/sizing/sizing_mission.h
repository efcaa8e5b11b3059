#pragma once

#include "app/project_data.h"
#include "models/analysis_models.h"

#include <string>

namespace vededa {

/// The mission flown at one design point.
struct MissionAtPoint {
    bool flown = false;     ///< every leg computed without a failure or an "Engine Too Small" line
    float fuelFraction = 0; ///< fuel burnt over the mission / W_TO (payload releases excluded)
    std::string failure;    ///< the first failure line, with its leg number, when not flown
};

/// Flies the mission of `work` (a working copy of the project, changed by the call) with the aircraft's
/// W/S and T/W replaced by `ws` and `tw` and W_TO by `wto`; S and T_SL follow as the Mission window keeps
/// them. `models` are the project's bound models for the algebraic engines (they do not depend on the
/// design point); with the cycle deck pass nullptr: the engine is then sized to this point's T_SL.
MissionAtPoint flyMissionAt(ProjectData& work, const AnalysisModels* models, float ws, float tw, float wto);

/// The fuel fraction of a mission already computed in `project`: the weight lost by every leg except the
/// payload releases (type L), as a fraction of W_TO.
float missionFuelFraction(const ProjectData& project);

} // namespace vededa
