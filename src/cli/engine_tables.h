#pragma once

#include "engine/engine_series.h"
#include "engine/throttle_hook.h"
#include "output/data_table.h"

#include <string>
#include <vector>

namespace vededa::cli {

/// The throttle hook's rows as a table of the computed numbers: thrust, TSFC, mass flows, pressure ratios,
/// Tt4, Tt7 with their units, the afterburner state ("On"/"Off") and the limit.
DataTable throttleHookTable(const std::vector<ThrottleHookRow>& rows, bool si);

/// The engine series' rows as a table of the computed numbers: the varied quantity `variable` (its option
/// name) with its unit, then thrust, TSFC, mass flow, pi_c, pi_fan, bypass ratio, Pt9/P9, tau_tL, Tt4 and the
/// limit.
DataTable engineSeriesTable(const std::vector<SeriesRow>& rows, const std::string& variable, bool si);

} // namespace vededa::cli
