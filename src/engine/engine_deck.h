#pragma once

#include "app/project_data.h"

#include <cstdint>
#include <string>

namespace vededa {

/// Limit codes of the deck (index the limit names at code + 1).
enum LimitCode : int16_t {
    kLimitTt4 = 0, ///< no limit other than Tt4 max
    kLimitCompressorRatio = 1,
    kLimitPt3 = 2,
    kLimitTt3 = 3,
    kLimitLowSpool = 4,
    kLimitHighSpool = 5,
    kLimitTt4Max = 6,      ///< Tt4 above its maximum
    kLimitTt7Max = 7,      ///< afterburner lit and Tt7 above its maximum
    kLimitThrust = 8,      ///< throttled to the required thrust
    kLimitTt4Set = 9,      ///< Tt4 brought down to a requested value below the reference
    kLimitEngineSize = 10, ///< the required thrust is more than the engine gives
    kLimitNoSolution = 11, ///< failure
};

/// Pass limits and tolerances of the deck's iterations.
inline constexpr int16_t kMassFlowPassLimit = 25;        ///< mass-flow passes (jet engines)
inline constexpr int16_t kAlphaPassLimit = 100;          ///< bypass-ratio repetitions
inline constexpr int16_t kMixerStepLimit = 100;          ///< tau_tL steps within one bypass pass
inline constexpr int16_t kMixerRestartLimit = 100;       ///< consecutive restarts with a supersonic bypass
inline constexpr int16_t kMixerBypassRescueLimit = 20;   ///< bypass ratios re-set for a mixer without a match
inline constexpr int16_t kMixerEntryRestartLimit = 2000; ///< restarts while the bypass cannot enter the mixer
inline constexpr int16_t kPowerTurbinePassLimit = 100;   ///< turboprop pi_tL passes
inline constexpr int16_t kFanPassLimit = 50;             ///< separate-exhaust turbofan tau_c' secant steps
inline constexpr int16_t kLowTurbineUpdateLimit = 100;   ///< separate-exhaust turbofan tau_tL updates
inline constexpr int16_t kFanMassFlowPassLimit = 50;     ///< separate-exhaust turbofan mass-flow passes
inline constexpr int16_t kThrottleStepLimit = 500;       ///< thrust-matching steps
inline constexpr int16_t kCycleEvaluationLimit = 3000;   ///< cycle evaluations within one call

/// The cycle state of the last call that other windows read (engine test, component interfaces,
/// throttle hook). Values keep those of the last pass that computed them.
struct EngineDeckResults {
    float piC = 0;   ///< overall compressor pressure ratio
    float piFan = 0; ///< fan / low-pressure compressor pressure ratio pi_c'
    float piHpc = 0; ///< high-pressure compressor pressure ratio pi_cH
    float tauFan = 0, tauHpc = 0;
    float alpha = 0; ///< bypass ratio
    float tauTL = 0, piTL = 0;
    float pt9p9 = 0; ///< nozzle Pt9/P9
    float p0p9 = 0;  ///< nozzle P0/P9
    float M5 = 0, M5p = 0, M6 = 0, M9 = 0;
    float Tt3 = 0; ///< [R or K]
    float Pt3 = 0; ///< [psia or Pa]
    float Tt6 = 0; ///< afterburner inlet temperature [R or K]
    float f = 0, fAB = 0, fO = 0;
    float pctNL = 0, pctNH = 0; ///< spool speeds, percent of the reference
    float mc2 = 0, mc25 = 0;    ///< corrected mass flows [lbm/s or kg/s]
    float tauR = 1, piR = 1, piD = 1, M0 = 0;
    int16_t cycleEvaluations = 0; ///< cycle evaluations of the last call
};

/// One complete throttled off-design calculation of the reference engine in `engine` at the flight
/// condition and limits of its `EngineControls`, in the unit system of `units`. The ten by-reference
/// arguments are those of the deck: thrust F [lbf or N], S [(lbm/hr)/lbf or mg/(N s)], m0 [lbm/s or
/// kg/s], A0 and A9 [ft² or m²], Tt4 and Tt7 (overwritten with `EngineControls[5]` and `[6]` on entry,
/// returned throttled) [R or K], the afterburner state (0, or 1 when the afterburner is out or the
/// throttle moved), the limit code (0..11) and the thrust scale (in). A failure appends five blanks and
/// its message to `resultsText` and returns code 11; the other outputs then keep their last values.
/// Writes `engine.airMassFlow` and `results`.
void RunEngineDeck(EngineData& engine, const UnitConstants& units, EngineDeckResults& results,
                   std::string& resultsText, float& F, float& S, float& m0, float& A0, float& A9, float& Tt4,
                   float& Tt7, int16_t& afterburnerState, int16_t& limitCode, float& thrustScale);

/// The thrust-matching temperature step from the thrust error [lbf or N] and the slope dF/dT: 0.7 of the
/// secant step on Tt7 with the afterburner lit, cut to ±500 R (±277.78 K); 0.5 of it on Tt4 otherwise, cut
/// to ±100 R (±55.55 K).
float throttleStep(float thrustError, float slope, bool afterburnerLit, bool english);

/// Whether the deck computes engine type `type`.
bool deckSupportsType(int16_t type);

} // namespace vededa
