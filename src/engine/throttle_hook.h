#pragma once

#include "app/project_data.h"

#include <cstdint>
#include <string>

namespace vededa {

/// The throttle hook's percentages of the maximum thrust: 100, 98, ... down to 10.
inline constexpr int16_t kHookFirstPercent = 100;
inline constexpr int16_t kHookLastPercent = 10;
inline constexpr int16_t kHookPercentStep = 2;
/// Lines of the throttle hook table (100 % to 10 % in steps of 2).
inline constexpr int16_t kHookLines = (kHookFirstPercent - kHookLastPercent) / kHookPercentStep + 1;

/// The throttle hook table of the reference engine (thrust scale 1) at the operating condition in
/// `EngineControls[1..4]`, with `maxThrust` [lbf or N] the full-throttle thrust of Reset: for each
/// percentage p from 100 down to 10 in steps of 2 the deck is matched to maxThrust·p/100 and one line
/// is written (a failed run writes its line with "NoSolution" and the hook goes on). Returns the report
/// (header and 46 lines, CRLF); the deck's failure messages are appended to `messages`. Without a positive
/// `maxThrust` (the full-throttle run failed) the header is followed by one line saying so.
std::string throttleHookReport(ProjectData& project, float maxThrust, std::string& messages);

/// "Calculate Throttle Hook" from the engine test window: the operating condition is stored as "Test"
/// stores it, Reset runs, and the hook follows. Returns the Throttle Hook window's text.
std::string calculateThrottleHook(ProjectData& project, float mach, float altitude, float T0,
                                  std::string& messages);

} // namespace vededa
