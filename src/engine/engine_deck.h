#pragma once

#include "app/project_data.h"

#include <cstdint>
#include <string>
#include <vector>

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
inline constexpr int16_t kThrottleRetryLimit = 8;        ///< thrust-matching steps cut short by a failed pass
inline constexpr int16_t kCycleEvaluationLimit = 3000;   ///< cycle evaluations within one call

/// The cycle state of a call that the engine windows read (engine test, component interfaces, throttle
/// hook). Values are those of the last pass that computed them.
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
    int16_t cycleEvaluations = 0; ///< cycle evaluations of the call
};

/// The conditions of one deck call: flight condition, temperature settings, limits, throttle mode, thrust
/// to match and engine size. Everything the deck reads besides the reference engine itself.
struct DeckConditions {
    UnitConstants units;          ///< the unit system the engine data and these values are in
    float mach = 0;               ///< flight Mach number (raised to 0.01)
    float altitude = 0;           ///< [ft or m]; for the reports only, T0 and P0 carry the atmosphere
    float T0 = 0;                 ///< ambient temperature [R or K]
    float P0 = 0;                 ///< ambient pressure [psia or Pa]
    float tt4 = 0;                ///< burner exit temperature setting (its maximum) [R or K]
    float tt7 = 0;                ///< afterburner exit temperature setting, 0 = afterburner off [R or K]
    float exitPressureRatio = 1;  ///< P0/P9 of a choked nozzle
    float compressorRatioMax = 0; ///< limits; 0 = not tested
    float pt3Max = 0;             ///< [psia or Pa]
    float tt3Max = 0;             ///< [R or K]
    float lowSpoolMax = 0;        ///< percent of the reference speed
    float highSpoolMax = 0;       ///< percent of the reference speed
    int16_t throttleMode = 1;     ///< 2: match `requiredThrust`; any other value: full throttle at the limits
    float requiredThrust = 0;     ///< thrust per engine to match [lbf or N]
    float thrustScale = 1;        ///< multiplies the reference mass flow

    /// The conditions stored in the project's `EngineControls` (1..7, 10..15) and throttle mode.
    static DeckConditions fromControls(const EngineData& engine, const UnitConstants& units,
                                       float thrustScale);
};

/// What one deck call gives.
struct DeckResult {
    float F = 0;                      ///< uninstalled thrust per engine [lbf or N]; 0 after a failure
    float S = 0;                      ///< uninstalled specific fuel consumption [(lbm/hr)/lbf or mg/(N s)]
    float m0 = 0;                     ///< air mass flow [lbm/s or kg/s]
    float A0 = 0;                     ///< free-stream capture area [ft^2 or m^2]
    float A9 = 0;                     ///< nozzle exit area [ft^2 or m^2]
    float Tt4 = 0;                    ///< burner exit temperature reached [R or K]
    float Tt7 = 0;                    ///< afterburner exit temperature reached [R or K]
    int16_t afterburnerState = 0;     ///< 0 lit as asked; 1 put out or throttled
    int16_t limit = kLimitNoSolution; ///< limit code 0..11
    EngineDeckResults cycle;          ///< cycle state for the engine windows and reports
    bool converged = false;           ///< false: the call failed (limit code 11), see `failure`
    int evaluations = 0;              ///< cycle evaluations spent
    std::vector<std::string> failure; ///< message lines of a failure, without indentation or line ends

    bool failed() const { return !converged; }
    /// The failure lines as the reports append them: five blanks, the text, CRLF each.
    std::string failureText() const;
};

/// One complete throttled off-design calculation of the reference engine `engine` under `conditions`.
/// Pure: it reads only its arguments, keeps nothing between calls and writes nothing else, so the same
/// conditions give the same digits whatever ran before and on whichever thread.
DeckResult runEngineDeck(const EngineData& engine, const DeckConditions& conditions);

/// The deck run on the project's stored `EngineControls` and throttle mode (the engine windows and
/// reports): the ten by-reference arguments of the deck (thrust F, S, m0, A0, A9, the throttled Tt4 and
/// Tt7, the afterburner state, the limit code and the thrust scale, in), with the cycle state into
/// `results` and failure lines (five blanks, text, CRLF) appended to `resultsText`. Writes
/// `engine.airMassFlow`, the project's record of the deck's current mass flow.
void RunEngineDeck(EngineData& engine, const UnitConstants& units, EngineDeckResults& results,
                   std::string& resultsText, float& F, float& S, float& m0, float& A0, float& A9, float& Tt4,
                   float& Tt7, int16_t& afterburnerState, int16_t& limitCode, float& thrustScale);

/// The thrust-matching temperature step from the thrust error [lbf or N] and the slope dF/dT: the secant
/// step, cut to ±500 R (±277.78 K) on Tt7 with the afterburner lit and to ±250 R (±138.89 K) on Tt4. The
/// deck keeps the steps inside the bracket of a pass short of the thrust and one above it, and steps back
/// from a pass without cycle solution.
float throttleStep(float thrustError, float slope, bool afterburnerLit, bool english);

/// Whether the deck computes engine type `type`.
bool deckSupportsType(int16_t type);

} // namespace vededa
