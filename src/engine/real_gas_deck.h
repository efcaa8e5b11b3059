#pragma once

#include "app/one_based.h"
#include "app/units.h"
#include "engine/gas_properties.h"

#include <array>
#include <cstdint>
#include <string>

namespace vededa {

/// Whether the deck computes engine type `type` designed with variable gas properties.
bool realGasDeckSupportsType(int16_t type);

/// The converged gas-generator state of a pass, from which a later pass of the same deck call starts.
struct RealGasStart {
    bool valid = false;
    double T25 = 0, T3 = 0; ///< fan and compressor exit temperatures [R or K]
    /// Air-flow ratio m0/m0R, bypass ratio, and the low-pressure turbine's pressure ratio (a turboprop's:
    /// its power turbine's).
    double mRatio = 1, alpha = 0, piTL = 1;
    double Tt4 = 0, Tt2 = 0; ///< burner exit and compressor face temperatures of the state [R or K]
    /// The converged state the pass started from, at another Tt4 (earlierTt4 0: none): with it a later
    /// pass starts from the straight line through both in Tt4.
    double earlierTt4 = 0, earlierT25 = 0, earlierT3 = 0, earlierMRatio = 1, earlierAlpha = 0,
           earlierPiTL = 1;
    /// The contraction ratios of a gas generator without bypass stream measured on the way to the state,
    /// per unit change of its compressor exit and of its air flow (0: none).
    std::array<double, 2> contraction{};
    /// The ram state of the call's flight condition (Mach number and ambient temperature as given).
    float ramM0 = -1, ramT0 = -1;
    double V0 = 0, piR = 1;
    /// Static to total temperature of the last sonic nozzle throat (0: none).
    double throatRatio = 0;
    /// Temperature ratios of the state, where a later pass starts its Newton searches (0: none): the
    /// high-pressure turbine's mixed inlet and the low-pressure turbine's inlet to Tt4; each turbine's
    /// ideal exit to its inlet; the low-pressure turbine's exit to its inlet.
    std::array<double, 5> searchRatios{};
};

/// What one off-design pass of a variable-gas engine reads: the reference engine, the flight condition
/// and the throttle state the deck's limit and throttle logic sets.
struct RealGasPassInput {
    const OneBased<float, 32>* component = nullptr;
    const OneBased<float, 56>* reference = nullptr;
    const UnitConstants* units = nullptr;
    int16_t type = 1;
    float M0 = 0.01f;       ///< flight Mach number (at least 0.01)
    float T0 = 0, P0 = 0;   ///< ambient state [R or K], [psia or Pa]
    float Tt4 = 0, Tt7 = 0; ///< burner and afterburner exit temperatures [R or K]
    bool afterburnerLit = false;
    float piAB = 1;       ///< afterburner duct pressure ratio in use
    float chokedP0P9 = 1; ///< P0/P9 of the file for a choked nozzle (`EngineControls[7]`)
    float thrustScale = 1;
    /// A converged state of an earlier pass of the same call to start from (none: the reference point's
    /// spool work scaled to this condition).
    const RealGasStart* start = nullptr;
};

/// The results of one pass, in the deck's names and units.
struct RealGasPassResult {
    float tauR = 1, piR = 1, piD = 1, V0 = 0;
    float mRatio = 1; ///< m0/m0R
    float tauFan = 1, piFan = 1, tauHpc = 1, piHpc = 1, piC = 1, tauC = 1;
    float Tt3 = 0, Pt3 = 0; ///< [R or K], [psia or Pa]
    float f = 0, fAB = 0, fO = 0;
    float tauTL = 1, piTL = 1;
    float alpha = 0;        ///< bypass ratio (separate exhausts)
    float Tt6 = 0, Tt7 = 0; ///< afterburner inlet and exit [R or K]
    float pt9p0 = 1, pt9p9 = 1, p0p9 = 1, M9 = 0, T9T0 = 0, V9V0 = 0, m9m0 = 1;
    float Fm0 = 0, S = 0, m0 = 0, F = 0, A0 = 0, A9 = 0; ///< as the deck's outputs
    float pctNL = 0, pctNH = 0;
    float M5 = 0, M5p = 0, M6 = 0; ///< mixer core and bypass inlet and exit Mach numbers (mixed types)
    RealGasStart converged;        ///< the gas generator's converged state (not valid for the ramjet)
};

/// What the afterburner, the nozzle and the performance of a pass read from its gas generator (types 1,
/// 2, 4, 5 and 7; the other types evaluate their exhausts within the gas generator's pass).
struct RealGasNozzleInput {
    bool pending = false;                    ///< the gas generator has left them to `realGasNozzle`
    double f = 0, f6 = 0;                    ///< burner and afterburner-inlet fuel/air ratios
    double Tt6 = 0;                          ///< afterburner inlet [R or K]
    double piM = 1;                          ///< mixer total pressure ratio
    double Pt4 = 0, Pt4R = 0, ductFlowR = 1; ///< the ramjet's air flow through its nozzle throat
    double V0 = 0;                           ///< flight velocity [ft/s or m/s]
    double throatRatio = 0; ///< static to total temperature where the sonic throat search starts (0: none)
};

/// One off-design pass of an engine designed with variable gas properties (every type): the same
/// scaling laws as the constant-cp deck (choked turbine and nozzle throats hold the turbine pressure
/// ratios, constant component efficiencies), every component on enthalpy and the entropy function of
/// the actual gas. At the reference condition it gives the reference point back. Returns "" or the
/// failure message.
std::string realGasPass(const GasModel& gas, const RealGasPassInput& in, RealGasPassResult& out);

/// The same pass in two parts, so that a caller that needs only the gas generator's state (a limit search
/// stepping Tt4) can leave the nozzle out: the gas generator, which for types 1, 2, 4, 5 and 7 leaves
/// their afterburner, nozzle and performance pending in `behind`, and those from it.
std::string realGasGasGenerator(const GasModel& gas, const RealGasPassInput& in, RealGasPassResult& out,
                                RealGasNozzleInput& behind);
std::string realGasNozzle(const GasModel& gas, const RealGasPassInput& in, const RealGasNozzleInput& behind,
                          RealGasPassResult& out);

} // namespace vededa
