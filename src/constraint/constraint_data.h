#pragma once

#include "app/project_data.h"
#include "output/data_table.h"

namespace vededa {

/// The calculated boundary of constraints 1..`count`: one row per stored point with the constraint's
/// number, type and name, W/S [psf or Pa] and T/W.
DataTable constraintCurvesTable(const ProjectData& project, int16_t count);

} // namespace vededa
