#pragma once

#include "app/units.h"

#include <array>
#include <cstdint>
#include <string>

namespace vededa {

/// The shared flight-condition working values. A caller sets the inputs, calls a model, and reads the
/// outputs; a model leaves every value it does not assign as it was.
struct FlightCondition {
    float altitude = 0;    ///< input altitude [ft or m]; replaced by the table top when above it
    float hk = 0;          ///< altitude in thousands of feet used for the lookup
    int16_t index = 0;     ///< table row below the altitude
    float temperature = 0; ///< ambient static temperature [R or K]
    float pressure = 0;    ///< ambient static pressure [psf or Pa]
    float theta = 1;       ///< temperature ratio T/T_SL
    float delta = 1;       ///< pressure ratio P/P_SL
    float sigma = 1;       ///< density ratio delta/theta
    float soundSpeed = 0;  ///< speed of sound [ft/s or m/s]
    float mach = 0;        ///< flight Mach number M0
    float velocity = 0;    ///< true airspeed [ft/s or m/s]
    /// Output of `atmosphere`: the input altitude lay above the table top (100,000 ft), whose state
    /// is used instead. Reports say so.
    bool aboveTable = false;
};

/// The report line that says an altitude was above the atmosphere table and its top was used.
std::string atmosphereClampLine(float requestedAltitude, bool si);

/// The standard atmosphere as stored: temperature [R] and pressure [psf] every 1000 ft from sea level
/// to 100,000 ft. The values are the table's own, not a formula's.
struct AtmosphereTable {
    std::array<float, 101> temperature; ///< [R], index = thousands of feet
    std::array<float, 101> pressure;    ///< [psf], index = thousands of feet
};

/// The one atmosphere table of the program.
const AtmosphereTable& atmosphereTable();

/// Ambient state at `fc.altitude` (ft in English units, m in SI). Linear interpolation between the
/// 1000-ft rows; below sea level the sea-level state (the altitude is left as it is); at or above
/// 100,000 ft the table-top state, and the altitude is replaced by the table top (100000 ft, or
/// 30473.48 m in SI). Writes hk, index, temperature, pressure, theta, delta, sigma, soundSpeed; the
/// dimensional outputs are converted to SI last. Mach and velocity are not touched.
void atmosphere(FlightCondition& fc, const UnitConstants& units);

} // namespace vededa
