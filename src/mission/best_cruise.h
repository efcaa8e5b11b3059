#pragma once

#include "app/project_data.h"
#include "models/analysis_models.h"
#include "output/report.h"

namespace vededa {

/// Result of a best-cruise search: the lift and drag coefficients at maximum L/D, the altitude or Mach
/// number found, and the number of report lines written (3 per message, for page counting).
struct BestCruise {
    float cl = 0, cd = 0;
    float altitude = 0; ///< best-cruise altitude [ft or m] (altitude search)
    float mach = 0;     ///< best-cruise Mach number (Mach search)
    int16_t lines = 0;
    FlightCondition atmosphere; ///< the atmosphere at the altitude found (altitude search)
};

inline constexpr int kBestAltitudePasses = 100; ///< secant steps of the altitude search
inline constexpr int kBestMachPasses = 100;     ///< passes of the Mach search

/// The altitude at which the aircraft flies at maximum L/D at Mach `mach` with weight fraction `beta`:
/// secant steps on the table atmosphere's pressure ratio from 35000 ft (10000 m), ending at the table top
/// or within 0.0001 of the required pressure ratio. A required pressure ratio above sea level's ends the
/// search at sea level with a report line.
BestCruise bestCruiseAltitude(const ProjectData& project, const AnalysisModels& models, float beta,
                              float mach, ReportBuffer& report);

/// The Mach number at which the aircraft flies at maximum L/D at the static pressure ratio `delta` and
/// pressure `pressure` (atmosphere already at the leg altitude), iterated to a change below 0.001.
/// `cdr` enters only the drag of the fallback for a polar without induced drag.
BestCruise bestCruiseMach(const ProjectData& project, const AnalysisModels& models, float beta, float delta,
                          float pressure, float cdr, ReportBuffer& report);

} // namespace vededa
