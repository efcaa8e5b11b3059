#pragma once

#include "app/project_data.h"

#include <string>
#include <vector>

namespace vededa {

/// The flow state at one station of the reference engine, sized by the thrust scale factor.
struct InterfaceStation {
    std::string name;      ///< the station name as printed (" 0", " 3'", "MB fuel ", ...)
    bool fuelOnly = false; ///< a fuel line: only the mass flow is printed
    float massFlow = 0;    ///< [lbm/s or kg/s]
    float gamma = 1.4f;    ///< ratio of specific heats
    float gasConstant = 0; ///< [ft lbf/(lbm R) or J/(kg K)]
    float Pt = 0;          ///< total pressure [psia or Pa]
    float Tt = 0;          ///< total temperature [R or K]
    float P = 0;           ///< static pressure [psia or Pa]
    float mach = 0;
    float velocity = 0;  ///< [ft/s or m/s]
    float area = 0;      ///< flow area [ft^2 or m^2]
    float sonicArea = 0; ///< A* [ft^2 or m^2]
    float impulse = 0;   ///< stream impulse P A (1 + gamma M^2) [lbf or N]
    /// Every value is a finite number (a reference engine with, say, gamma = 1 or a zero pressure has
    /// no flow state here).
    bool finite = true;
};

/// The stations of the reference engine of `engine` at its reference point with the air mass flow
/// thrust scale × `reference[25]`, and the three window Mach numbers of `engine.test` (stations 1, 2
/// and 7). Every engine type gets 0, 1, 2, 3, 3a, the main-burner fuel, 4, 4a, 4b, 4c, 5, 7, 8 and 9;
/// engines with a fan (types 3 to 5) also the fan exit 3' with its core and bypass lines; mixed-flow
/// engines (4, 5) the bypass stream at the mixer 5p and the mixer exit 6; afterburning engines (2, 5)
/// the afterburner fuel; the separate-exhaust turbofan (3) the fan-nozzle exit 9p.
std::vector<InterfaceStation> componentInterfaces(const EngineData& engine, const UnitConstants& units);

/// The Component Interfaces report ("Calculate"): header with the project and reference file names and
/// the thrust scale, the column heads in the project's units, and one line per station (CRLF). A station
/// without a finite flow state ends the table with a line that names it. A station
/// without a finite flow state ends the table with a line that names it.
std::string componentInterfacesReport(const ProjectData& project);

/// Stores a typed interface Mach number as the window does: only a positive value that differs from the
/// stored one replaces it. Returns whether it was stored.
bool commitInterfaceMach(float& stored, float typed);

} // namespace vededa
