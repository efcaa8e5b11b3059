#pragma once

// The on-design cycle record shared by the generator's two gas models; only the generator uses it.

#include "engine/engine_design.h"
#include "engine/gas_properties.h"

#include <string>

namespace vededa {

/// Everything one evaluation of the on-design cycle produces (ratios, station values per unit air,
/// the nozzle states and the performance), for either gas model.
struct DesignCycle {
    double tauR, piR, piD, tauLambda, tauFan, tauHpc, f;
    double tauM1, tauTH, piTH, tauM2, X, tauTL, piTL;
    double alphaP = 0, M5 = 0, M5p = 0, pt5Ratio = 0, A5Ratio = 0, areaRatio5 = 0, tauM = 1, piMIdeal = 1,
           piM = 1, M6 = 0;
    double cp6, R6, gamma6, Tt6, Tt9, cp9, R9, gamma9, tauLambdaAB, fAB = 0, piABUse;
    double pt9p0, M8, p0p9, pt9p9, M9, T9T0, V9V0, fO, m9m0, specificThrust, S, V0;
    double M19 = 0, pt19p19 = 0, p0p19 = 1, V19V0 = 0, T19T0 = 0, coreExit = 0;
    /// Isentropic efficiencies of the fan, the high-pressure compressor and the two turbines at the design
    /// point: the given ones, or those of the given polytropic efficiencies (what the deck keeps constant).
    double etaFan = 1, etaHpc = 1, etaTH = 1, etaTL = 1;
};

/// Gas properties of the constant-cp model, or the representative values the variable model writes into
/// the component constants: cp [BTU/(lbm R) or kJ/(kg K)], gamma, and R = ((gamma-1)/gamma)·cp·Jgc
/// [(ft/s)²/R or J/(kg K)] of the compression, turbine and afterburner gases.
struct DesignGas {
    double cpc, cpt, cpAB, gc, gt, gAB, Rc, Rt, RAB, jgc;
};

/// The flight condition and unit constants of one design evaluation.
struct DesignConditions {
    double T0;         ///< [R or K]
    double M0;         ///< at least 0.01
    double aSL, TSL;   ///< sea-level speed of sound [ft/s or m/s] and temperature [R or K]
    double tsfcFactor; ///< 3600 or 1e6
    double gc, jgc;    ///< unit constants
};

/// Propeller efficiency at the flight Mach number from the reference value: rising from 0 to the
/// reference value up to Mach 0.1, constant up to Mach 0.7, falling beyond.
double propellerEfficiency(double M0, double reference);

/// The on-design cycle of any engine type with the variable gas model: compressors, turbines and
/// nozzles on enthalpy and the entropy function, burners on sensible enthalpies, the mixer on enthalpy
/// and momentum. The take-off coefficients are powers per unit of m0·h(T0). Fills `c` and the
/// representative properties `g`; returns "" or why the design is infeasible.
std::string realGasCycle(const EngineDesign& d, const GasModel& model, const DesignConditions& k,
                         double alpha, double CTOL, double CTOH, DesignCycle& c, DesignGas& g);

} // namespace vededa
