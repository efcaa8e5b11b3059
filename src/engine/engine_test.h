#pragma once

#include "app/project_data.h"
#include "engine/engine_deck.h"

#include <cstdint>
#include <string>

namespace vededa {

/// One deck run of the engine test, series or throttle hook: the deck's ten outputs and its cycle state.
struct EngineTestPoint {
    float F = 0;                  ///< uninstalled thrust [lbf or N]
    float S = 0;                  ///< uninstalled specific fuel consumption [(lbm/hr)/lbf or mg/(N s)]
    float m0 = 0;                 ///< air mass flow [lbm/s or kg/s]
    float A0 = 0;                 ///< capture area [ft^2 or m^2]
    float A9 = 0;                 ///< nozzle exit area [ft^2 or m^2]
    float Tt4 = 0;                ///< burner exit temperature reached [R or K]
    float Tt7 = 0;                ///< afterburner exit temperature reached [R or K]
    int16_t afterburnerState = 0; ///< 0 lit, 1 put out or throttled
    int16_t limit = kLimitNoSolution;
    EngineDeckResults cycle;
    bool failed() const { return limit > 10; }
};

/// Runs the deck once with the engine's current `EngineControls` and `EngineSetup` at thrust scale 1 (the
/// reference engine as the engine test shows it). Deck messages are appended to `report`. A thrust or
/// fuel consumption that is not a finite number ends the run with limit code 11 and a report line.
EngineTestPoint runEngineTestDeck(ProjectData& project, std::string& report);

/// The limit column of the engine reports: the limit name of `code` (10 characters), " Didn't converge"
/// for a negative code.
std::string limitColumn(const ProjectData& project, int16_t code);

/// The limit column's text without its leading and trailing blanks ("Didn't converge", "NoSolution", ...),
/// for tables that hold it as a value.
std::string limitText(const ProjectData& project, int16_t code);

/// Sets the engine test's operating condition as its fields store it: Mach number and altitude into
/// `EngineControls[1]` and `[2]`, T0 and P0 [psia or Pa] of the table atmosphere at that altitude into
/// `[3]` and `[4]`, then the typed ambient temperature `T0` [R or K] into `[3]` when it is positive.
void setEngineTestCondition(ProjectData& project, float mach, float altitude, float T0);

/// What Reset leaves: the dry and maximum full-throttle thrusts and the last full-throttle run.
struct EngineTestReset {
    float maxThrust = 0; ///< F_max [lbf or N]
    float dryThrust = 0; ///< F_dry [lbf or N]
    EngineTestPoint fullThrottle;
};

/// Reset: throttle mode 1 (full throttle), `EngineControls[5]` = Tt4 max setting, thrust scale 1, and the
/// deck at the operating condition of `EngineControls[1..4]`: with the project's afterburner selected,
/// first dry (`EngineControls[6]` = 0, F_dry = F unless the code is negative) and then with
/// `EngineControls[6]` = Tt7 max setting (F_max = F); otherwise once dry with F_max = F_dry = F. The
/// selected series variable is kept.
EngineTestReset engineTestReset(ProjectData& project, std::string& report);

/// The fields Reset fills: Tt4 and F_max without decimals, S with 4 (report number format), and the test
/// thrust and TSFC cleared to "0".
struct EngineResetFields {
    std::string tt4, maxThrust, tsfc, testThrust = "0", testTsfc = "0";
};
EngineResetFields engineResetFields(const EngineTestReset& reset);

/// The values the engine test window shows after "Test".
struct EngineTestResult {
    EngineTestReset reset;   ///< the full-throttle runs of Reset
    EngineTestPoint run;     ///< the run matched to the requested percent of F_max
    float shownThrust = 0;   ///< F, or F_max at exactly 100 percent [lbf or N]
    float shownTsfc = 0;     ///< S, or the full-throttle S at exactly 100 percent
    std::string afterburner; ///< "On" when the afterburner state is 0, "Off" otherwise
    std::string limitName;   ///< the limit column of the run
};

/// "Test": clears the series variable, sets `EngineControls[6]` from the project's afterburner selection,
/// stores the operating condition (`setEngineTestCondition`), runs Reset, then matches
/// F_max·percent/100 (throttle mode 2, `EngineControls[10]`) and runs the deck. When the full-throttle run
/// of Reset failed, its result (code 11) is the run and no thrust is matched.
EngineTestResult runEngineTest(ProjectData& project, float mach, float altitude, float T0, float percent,
                               std::string& report);

/// The window's numbers as "Test" shows them: thrust 0, TSFC 4, mass flow 2, Tt4 0 and Tt7 0 decimals.
struct EngineTestFields {
    std::string thrust, tsfc, massFlow, tt4, tt7, afterburner, limit;
    std::string fanRatio, hpcRatio, lowSpool, highSpool, bypassRatio, mc2, mc25, pic, pt9p9;
};
EngineTestFields engineTestFields(const EngineTestResult& result);

} // namespace vededa
