#pragma once

#include "app/project_data.h"
#include "contour/contour_grid.h"
#include "output/data_table.h"

namespace vededa {

/// The calculated grid inside the velocity range, one row per point: velocity [ft/s or m/s], altitude
/// [kft or km] and the plotted quantity under its own name and unit (ps, fs, rf, ef, ld, dt, alpha).
DataTable contourGridTable(const ProjectData& project, const ContourCalculation& calculation);

} // namespace vededa
