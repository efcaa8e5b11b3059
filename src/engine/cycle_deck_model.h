#pragma once

#include "app/project_data.h"
#include "engine/engine_deck.h"
#include "models/thrust_lapse.h"

#include <string>

namespace vededa {

/// One run of the engine deck at a flight condition, with what the analyses read from it.
struct DeckRun {
    float F = 0;   ///< uninstalled thrust per engine [lbf or N]
    float S = 0;   ///< uninstalled specific fuel consumption [(lbm/hr)/lbf or mg/(N s)]
    float m0 = 0;  ///< air mass flow per engine [lbm/s or kg/s]
    float A0 = 0;  ///< free-stream capture area [ft^2 or m^2]
    float A9 = 0;  ///< nozzle exit area [ft^2 or m^2]
    float Tt4 = 0; ///< burner exit temperature reached [R or K]
    float Tt7 = 0; ///< afterburner exit temperature reached [R or K]
    int16_t afterburnerState = 0;
    int16_t limit = kLimitNoSolution;
    EngineDeckResults cycle;
    bool failed() const { return limit > 10; }
};

/// Installation losses of one operating point.
struct InstallationLosses {
    float inlet = 0, nozzle = 0;
    float afterbodyParameter = 0, afterbodyDrag = 0; ///< nozzle data of the afterbody correlation
    float total() const { return inlet + nozzle; }
};

/// Runs the deck at Mach `M0`, `altitude`, ambient `T0` [R or K] and `P0` [psia or Pa] with the
/// temperature limits `tt4` and `tt7` (0 = afterburner off), in throttle mode `mode` (1 full throttle, 2
/// matched to `thrustPerEngine`) at the project's thrust scale. Deck messages are appended to `report`.
DeckRun runDeckAt(ProjectData& project, float M0, float altitude, float T0, float P0, float tt4, float tt7,
                  int16_t mode, float thrustPerEngine, std::string& report);

/// Sizes the engine to the aircraft: the deck at sea-level static conditions, full throttle, with the
/// Tt4 limit and, for the afterburning engine types, the Tt7 limit; thrust scale = T_SL / (F N). Returns
/// false (and leaves the scale at 1) when the deck fails there.
bool sizeEngineToAircraft(ProjectData& project, std::string& report);

/// The inlet and nozzle losses of the correlated loss model at the operating point of `run`.
InstallationLosses correlatedLosses(const ProjectData& project, const DeckRun& run, float M0, float T0,
                                    std::string& report);

/// Thrust lapse of the cycle deck (thrust model 7): the deck at full throttle at the flight condition
/// `fc` (Mach, altitude, theta, delta) with the afterburner `afterburner`; alpha = (1 - phi) F N / T_SL
/// and C = S / (1 - phi) / sqrt(theta). A deck failure gives alpha = 0.001 and C = 0.5. Also sets the
/// project's throttle ratio to the reference engine's.
DeckRun cycleDeckLapse(EngineModelValues& values, const FlightCondition& fc, ProjectData& project,
                       int16_t afterburner, std::string& report);

inline constexpr int kLossIterationPasses = 50; ///< passes of the installation-loss throttling loop

/// TSFC of the cycle deck (TSFC model 7): the engine throttled to `dragRequired` (total installed
/// thrust) at the flight condition `fc`, with the installation loss iterated for the correlated loss
/// model (relaxation 0.5, tolerance 0.0005, at most `kLossIterationPasses` passes keeping the last phi).
/// `fullThrottle` keeps the engine at full throttle instead (the engine cannot supply the drag, or the
/// caller wants full-throttle figures). Writes values.c and, when `matchedLapse`, values.alpha at the
/// matched setting.
DeckRun cycleDeckTsfc(EngineModelValues& values, const FlightCondition& fc, ProjectData& project,
                      int16_t afterburner, float dragRequired, bool fullThrottle, bool matchedLapse,
                      std::string& report);

} // namespace vededa
