#pragma once

#include "app/project_data.h"
#include "output/data_table.h"

#include <string>

namespace vededa {

/// The results of the computed legs, one row per leg: number, type, name, weight fraction at the start
/// (beta) and of the leg (pi), time [s], distance [nm or km], Mach number, altitude [ft or m], installed
/// thrust required and available [lbf or N] and the installed TSFC.
DataTable missionLegsTable(const ProjectData& project);

/// The same as CSV text.
std::string missionLegsCsv(const ProjectData& project);

} // namespace vededa
