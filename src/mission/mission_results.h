#pragma once

#include "app/one_based.h"

#include <array>
#include <cstdint>
#include <string>

namespace vededa {

/// Per-leg results of the mission calculation, indexed by leg number 1..30, for the summary and the
/// plot. The weight fraction at the start of each leg is the project's `betaStart` (1..31).
struct MissionResults {
    int16_t lastLeg = 0;                 ///< number of the last leg computed
    OneBased<float, 30> pi;              ///< weight fraction of the leg W_end / W_start
    OneBased<float, 30> time;            ///< [s]
    OneBased<float, 30> distance;        ///< [nm or km]
    OneBased<float, 30> thrustRequired;  ///< installed thrust required [lbf or N]
    OneBased<float, 30> thrustAvailable; ///< installed thrust available or delivered [lbf or N]
    OneBased<float, 30> tsfc;            ///< installed TSFC used, C sqrt(theta)
    OneBased<float, 30> phi;             ///< total installation loss (cycle deck)
    OneBased<float, 30> mach;            ///< representative Mach number
    OneBased<float, 30> altitude;        ///< representative altitude [ft or m]
    OneBased<float, 30> inletArea;       ///< A0 or A0* of the deck [ft^2 or m^2]
    OneBased<float, 30> nozzleArea;      ///< A9 of the deck [ft^2 or m^2]
    std::array<std::string, 31> limit;   ///< limiting-parameter name of the deck per leg
    float takeoffSpeed = 0;              ///< V_TO of the last take-off acceleration leg [ft/s or m/s]
    float takeoffMach = 0;               ///< M_TO of the last take-off acceleration leg
};

} // namespace vededa
