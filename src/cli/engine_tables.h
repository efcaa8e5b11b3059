#pragma once

#include "output/data_table.h"

#include <string>

namespace vededa::cli {

/// The throttle hook report's rows as a table: thrust, TSFC, mass flows, pressure ratios, Tt4, Tt7 with
/// their units, the afterburner state ("On"/"Off") and the limit.
DataTable throttleHookTable(const std::string& report, bool si);

/// The engine series report's rows as a table: the varied quantity `variable` (its option name) with its
/// unit, then thrust, TSFC, mass flow, pi_c, pi_fan, bypass ratio, Pt9/P9, tau_tL, Tt4 and the limit.
DataTable engineSeriesTable(const std::string& report, const std::string& variable, bool si);

} // namespace vededa::cli
