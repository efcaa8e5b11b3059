#pragma once

#include "app/project_data.h"
#include "output/report.h"

#include <string>

namespace vededa {

/// The header of the mission report and summary: title with the date, file name, model numbers, the
/// throttle ratio (algebraic models) or the engine block (cycle deck). `engineFileLabel` is the label of
/// the engine file line ("Engine File Name: ", or "Egine File Name: " on the summary's engine page).
void missionHeaderTop(ReportBuffer& out, const ProjectData& project,
                      const std::string& engineFileLabel = "Engine File Name: ");

/// "Current Selection:" and the six aircraft data lines of the header.
void missionCurrentSelection(ReportBuffer& out, const ProjectData& project);

/// The opening of a leg page: the leg number and name, the type name, and the input echo of the fields
/// the leg type shows in the Mission window (with the installation loss line of the cycle deck's
/// constant and per-leg loss models).
void missionLegHeading(ReportBuffer& out, const ProjectData& project, int leg);

/// The closing line of a leg page: "Beta i = beta[i]" and "Beta i+1 = beta[i+1]", with one more blank
/// before the equals sign for numbers below 10 so that the values line up.
std::string missionBetaLine(int leg, float betaStart, float betaEnd);

/// The mission summary: page 1 (table of the legs computed so far and the mission weights) or page 2
/// (engine data per leg, cycle deck only).
std::string missionSummary(const ProjectData& project, int page);

/// Unit texts of the mission report.
std::string speedUnit(const ProjectData& project);

} // namespace vededa
