#pragma once

#include "app/project_data.h"
#include "output/data_table.h"
#include "sizing/sizing_chart.h"

namespace vededa {

/// The sizing chart as a table, one row per grid point (W/S fastest, then T/W): `ws` [psf or Pa],
/// `tw`, `flown` (1 or 0), `fuel_fraction`, `feasible` (1 or 0), `wto` [lbf or N] and one `margin_N`
/// per constraint (T/W available minus required; landing types: W/S allowed minus W/S [psf or Pa]).
/// A figure that does not exist (the mission failed, the weights do not close, the constraint gave no
/// value there) is an empty text cell, never a number.
DataTable sizingGridTable(const ProjectData& project, const SizingChart& chart);

} // namespace vededa
