#pragma once

#include "app/project_data.h"
#include "engine/engine_deck.h"
#include "models/analysis_models.h"
#include "models/thrust_lapse.h"

#include <functional>
#include <string>

namespace vededa {

/// One run of the engine deck at a flight condition (the deck's result).
using DeckRun = DeckResult;

/// Installation losses of one operating point.
struct InstallationLosses {
    float inlet = 0, nozzle = 0;
    float afterbodyParameter = 0, afterbodyDrag = 0; ///< nozzle data of the afterbody correlation
    float total() const { return inlet + nozzle; }
};

/// The installed engine of the cycle-deck model as the analyses see it: the reference engine with the
/// project's limits and inlet/afterbody geometry, the number of engines, the installation-loss model, the
/// aircraft's sea-level static thrust and the engine size. A copy taken from the project, so that the
/// analyses, windows and threads that use it read nothing else and write nothing into the project.
struct InstalledEngine {
    EngineData engine;
    UnitConstants units;
    int16_t unitSystem = kEnglish;
    int16_t engineCount = 1;  ///< at least 1
    int16_t lossModel = 0;    ///< installation-loss model (`EngineSetup[9]`)
    float seaLevelThrust = 0; ///< the aircraft's total sea-level static thrust T_SL [lbf or N]
    float thrustScale = 1;    ///< engine size: multiplies the reference mass flow

    /// The installed engine of `project` at the project's thrust scale.
    static InstalledEngine of(const ProjectData& project);
    /// The deck conditions at Mach `mach`, `altitude`, ambient `T0` [R or K] and `P0` [psia or Pa] with the
    /// temperature settings `tt4` and `tt7` (0 = afterburner off), at full throttle, with the project's
    /// limits and exit pressure ratio at this engine's size.
    DeckConditions conditions(float mach, float altitude, float T0, float P0, float tt4, float tt7) const;
    /// The loss of the constant loss model (`EngineControls[8]`), 0 for the others.
    float constantLoss() const;
};

/// The sizing of the engine to the aircraft: the deck at sea-level static conditions, full throttle, with
/// the Tt4 limit and, for the afterburning engine types, the Tt7 limit; scale = T_SL / (F N).
struct EngineSizing {
    float thrustScale = 1; ///< 1 when the sizing failed
    bool ok = false;
    DeckResult deck;
    std::string messages; ///< report lines of a failure
};
EngineSizing sizeEngine(const InstalledEngine& engine);

/// One installed-engine run: the deck with the installation loss, either at full throttle or throttled to
/// a required installed thrust (with the correlated loss model iterated: relaxation 0.5, tolerance 0.0005,
/// at most `kLossIterationPasses` passes keeping the last phi).
struct InstalledRun {
    DeckResult deck;
    InstallationLosses losses;   ///< the correlated model's last losses
    float phi = 0;               ///< installation loss used
    float perEngineRequired = 0; ///< the last uninstalled thrust asked of one engine [lbf or N]
    int lossPasses = 0;
    bool lossConverged = true;
    std::string messages; ///< report lines: inlet warnings, deck failure lines
    bool failed() const { return deck.failed(); }
    /// Installed thrust of all engines (1 - phi) F N [lbf or N].
    float installedThrust(int16_t engineCount) const {
        return (1.0f - phi) * deck.F * static_cast<float>(engineCount);
    }
};

inline constexpr int kLossIterationPasses = 50; ///< passes of the installation-loss throttling loop

/// Full throttle under `conditions` with the loss `phi` (the correlated model computes its own after the
/// run).
InstalledRun installedFullThrottle(const InstalledEngine& engine, const DeckConditions& conditions,
                                   float phi);

/// The engine throttled to the installed thrust `required` (all engines) under `conditions`, starting from
/// the loss `phi` (the correlated model iterates it). `fullThrottle` keeps the engine at full throttle while
/// still asking for `required` (the caller knows it cannot be supplied). `onPass` is told the uninstalled
/// thrust asked of one engine and the loss of every pass before its run and returns a report line for it
/// (empty for none), which goes into the run's messages in order with the pass's own lines.
InstalledRun installedMatched(const InstalledEngine& engine, const DeckConditions& conditions, float required,
                              float phi, bool fullThrottle,
                              const std::function<std::string(float perEngine, float phi)>& onPass = nullptr);

/// The inlet and nozzle losses of the correlated loss model at the operating point of `run`; inlet
/// warnings are appended to `report`.
InstallationLosses correlatedLosses(const InstalledEngine& engine, const DeckResult& run, float M0, float T0,
                                    std::string& report);
InstallationLosses correlatedLosses(const ProjectData& project, const DeckResult& run, float M0, float T0,
                                    std::string& report);

/// Thrust lapse of the cycle deck (thrust model 7) with the installed engine: full throttle at the flight
/// condition `fc` (Mach, altitude, theta, delta) with the afterburner `afterburner`; alpha = (1 - phi) F N /
/// T_SL, C = S / (1 - phi) / sqrt(theta). A deck failure gives alpha = 0.001, C = 0.5 and `failed`.
DeckRating installedLapse(const InstalledEngine& engine, const FlightCondition& fc, int16_t afterburner);

/// TSFC of the cycle deck (TSFC model 7): the engine throttled to `dragRequired` (total installed thrust) at
/// `fc` (full throttle when `fullThrottle`). alpha is the lapse at the matched setting.
DeckRating installedTsfc(const InstalledEngine& engine, const FlightCondition& fc, int16_t afterburner,
                         float dragRequired, bool fullThrottle);

/// Runs the deck at Mach `M0`, `altitude`, ambient `T0` [R or K] and `P0` [psia or Pa] with the
/// temperature limits `tt4` and `tt7` (0 = afterburner off), in throttle mode `mode` (1 full throttle, 2
/// matched to `thrustPerEngine`) at the project's thrust scale. Deck failure lines are appended to
/// `report`. Writes nothing into the project.
DeckRun runDeckAt(const ProjectData& project, float M0, float altitude, float T0, float P0, float tt4,
                  float tt7, int16_t mode, float thrustPerEngine, std::string& report);

/// Sizes the engine to the aircraft (`sizeEngine`) and stores the thrust scale in the project. Returns
/// false (and stores scale 1) when the deck fails there.
bool sizeEngineToAircraft(ProjectData& project, std::string& report);

/// The project's thrust-lapse evaluation of model 7 (`installedLapse`), which also sets the project's
/// throttle ratio to the reference engine's; the deck's failure lines are appended to `report`.
DeckRun cycleDeckLapse(EngineModelValues& values, const FlightCondition& fc, ProjectData& project,
                       int16_t afterburner, std::string& report);

/// The project's TSFC evaluation of model 7 (`installedMatched`). Writes values.c and, when
/// `matchedLapse`, values.alpha at the matched setting.
DeckRun cycleDeckTsfc(EngineModelValues& values, const FlightCondition& fc, ProjectData& project,
                      int16_t afterburner, float dragRequired, bool fullThrottle, bool matchedLapse,
                      std::string& report);

} // namespace vededa
