#pragma once

#include "app/one_based.h"

#include <cstdint>
#include <string>

namespace vededa {

struct ProjectData;
struct EngineData;

/// Unit system codes.
inline constexpr int16_t kEnglish = 1; ///< ft, lbf, lbm, R, psia/psf, nautical miles
inline constexpr int16_t kSI = 2;      ///< m, N, kg, K, kPa/Pa, km

/// Unit-dependent constants of the current unit system, written by `setupUnits`.
struct UnitConstants {
    int16_t system = kEnglish; ///< the unit system these constants belong to
    float g0 = 32.174f;        ///< gravitational acceleration [ft/s^2 or m/s^2]
    float gc = 32.174f;        ///< force-mass constant [lbm ft/(lbf s^2) or 1]
    float jgc = 25036.52f;     ///< energy per unit mass to velocity squared [ft^2/s^2 per BTU/lbm, or 1000]
    float rateConstant = 3600.0f;      ///< rate constant of the mission and contour calculations
    float deckRateConstant = 3600.0f;  ///< rate constant of the engine deck
    float lengthPerDistance = 6080.0f; ///< ft per nautical mile or m per km
    float aSL = 1116.4f;               ///< sea-level speed of sound [ft/s or m/s]
    float rhoSL = 0.0023768f;          ///< sea-level density [slug/ft^3 or kg/m^3]
    float TSL = 518.69f;               ///< sea-level temperature [R or K]
    float PSL = 2116.224f;             ///< sea-level pressure [psf or Pa]
    float maxAltitude = 100000.0f;     ///< highest altitude of the best-cruise search [ft or m]
    float contourQmax = 2133.0f;       ///< table value of the contour maximum dynamic pressure [psf or Pa]
    float pressureConstant = 144.0f;   ///< psf per psia (1 in SI)
};

/// Report unit suffixes, texts exactly as the reports append them.
struct ReportSuffixes {
    std::string tsfc, area, length, temperature, distance, weight;
};

/// Unit texts of the windows, set by the unit setup.
struct WindowUnitLabels {
    std::string wingLoadingAxis;    ///< constraint window W/S range caption
    std::string pressure;           ///< "psf" / "Pa" (contour and mission wing loading, contour Qmax)
    std::string velocityRange;      ///< "(ft/sec)" / "(m/sec)"
    std::string altitudeRange;      ///< "(k ft)" / "(km)"
    std::string weight;             ///< "lb" / "N"
    std::string wingArea;           ///< "sf" / "m^2"
    std::string temperature;        ///< "R" / "K"
    std::string pressureLimit;      ///< "psia" / "Pa"
    std::string area;               ///< "ft^2" / "m^2"
    std::string length;             ///< "ft" / "m"
    std::string thrust;             ///< "lbf" / "N"
    std::string tsfc;               ///< "lbm/(lbf-hr)" / "mg/(N-sec)"
    std::string massFlow;           ///< "lbm/sec" / "kg/sec"
    std::string lengthHeading;      ///< "(ft)" / "(m)"
    std::string temperatureHeading; ///< "(R)" / "(K)"
    std::string pressureHeading;    ///< "(psia)" / "(Pa)"
};

/// Every caption table of the program: the fixed ones are filled once at start, the unit-dependent
/// entries by `setupUnits`.
struct LabelTables {
    OneBased<std::string, 10> constraintTypeNames; ///< "A - Constant Altitude/Speed Cruise" ...
    OneBased<std::string, 13> legTypeNames;        ///< "A - Constant Speed Climb" ...
    OneBased<std::string, 27> constraintLabels;    ///< 30 characters each
    OneBased<std::string, 34> legLabels;           ///< 32 characters each
    OneBased<std::string, 12> limitNames;          ///< 10 characters each, indexed by limit code + 1
    ReportSuffixes suffixes;
    WindowUnitLabels window;
};

/// Fills the unit-independent label tables (constraint and leg type names, the fixed parameter labels,
/// the engine limit names).
void buildLabelTables(LabelTables& labels);

/// Writes the constants, labels and suffixes of the project's current unit system. Touches no stored
/// value except the contour Qmax, which it resets to the table value, and the reference-data unit flag.
void setupUnits(ProjectData& project);

/// Converts every stored dimensional value from the other unit system into the current one. Call only
/// after the unit system has been switched: it reads the new system to decide the direction.
void convertProjectUnits(ProjectData& project);

/// Converts the stored values of a reference engine (component constants, reference point, air mass
/// flow, temperature limits and engine controls) from the other unit system into English units
/// (`toEnglish`) or SI units, with the factors of a project's unit switch.
void convertEngineUnits(EngineData& engine, bool toEnglish);

/// A reference engine read from a file of the other unit system is converted into the project's units,
/// and its unit flag becomes the project's: the deck, the engine test and the project file then all
/// work in one system (a project file keeps no unit flag of its own for the engine). Returns whether
/// the engine was converted.
bool adoptProjectUnits(ProjectData& project);

/// Switches the project to `system` (kEnglish or kSI): sets the unit system, runs `setupUnits` and
/// `convertProjectUnits`. Does nothing when the project is already in that system. Returns whether
/// anything changed.
bool switchUnits(ProjectData& project, int16_t system);

} // namespace vededa
