#pragma once

#include "app/project_data.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vededa {

/// The throttle hook's percentages of the maximum thrust: 100, 98, ... down to 10.
inline constexpr int16_t kHookFirstPercent = 100;
inline constexpr int16_t kHookLastPercent = 10;
inline constexpr int16_t kHookPercentStep = 2;
/// Lines of the throttle hook table (100 % to 10 % in steps of 2).
inline constexpr int16_t kHookLines = (kHookFirstPercent - kHookLastPercent) / kHookPercentStep + 1;

/// One line of the throttle hook as computed (the report prints these numbers rounded).
struct ThrottleHookRow {
    float thrust = 0;           ///< uninstalled thrust [lbf or N]
    float tsfc = 0;             ///< uninstalled specific fuel consumption [(lbm/hr)/lbf or mg/(N s)]
    float massFlow = 0;         ///< air mass flow [lbm/s or kg/s]
    float mc2 = 0;              ///< corrected mass flow at the fan face [lbm/s or kg/s]
    float piFan = 0;            ///< fan pressure ratio
    float mc25 = 0;             ///< corrected mass flow at the high-pressure compressor face [lbm/s or kg/s]
    float piH = 0;              ///< high-pressure compressor pressure ratio (pi_c / pi_fan; 0 without a fan)
    float tt4 = 0;              ///< burner exit temperature reached [R or K]
    float tt7 = 0;              ///< afterburner exit temperature reached [R or K]
    bool afterburnerOn = false; ///< the afterburner is lit
    std::string limit;          ///< the limit column's text without its leading blanks
};

/// The throttle hook table of the reference engine (thrust scale 1) at the operating condition in
/// `EngineControls[1..4]`, with `maxThrust` [lbf or N] the full-throttle thrust of Reset: for each
/// percentage p from 100 down to 10 in steps of 2 the deck is matched to maxThrust·p/100 and one line
/// is written (a failed run writes its line with "NoSolution" and the hook goes on). Returns the report
/// (header and 46 lines, CRLF); the deck's failure messages are appended to `messages`. Without a positive
/// `maxThrust` (the full-throttle run failed) the header is followed by one line saying so.
/// When `rows` is given, it receives one row per written line, as computed.
std::string throttleHookReport(ProjectData& project, float maxThrust, std::string& messages,
                               std::vector<ThrottleHookRow>* rows = nullptr);

/// "Calculate Throttle Hook" from the engine test window: the operating condition is stored as "Test"
/// stores it, Reset runs, and the hook follows. Returns the Throttle Hook window's text; `rows`, when
/// given, receives the lines as computed.
std::string calculateThrottleHook(ProjectData& project, float mach, float altitude, float T0,
                                  std::string& messages, std::vector<ThrottleHookRow>* rows = nullptr);

} // namespace vededa
