#pragma once

#include "app/one_based.h"
#include "app/units.h"
#include "mission/mission_results.h"
#include "models/atmosphere.h"
#include "output/report_clock.h"

#include <array>
#include <cstdint>
#include <string>

namespace vededa {

inline constexpr int16_t kMaxConstraints = 30;
inline constexpr int16_t kMaxLegs = 30;
inline constexpr int16_t kMaxDragPoints = 11;
inline constexpr int16_t kConstraintParameters = 23; ///< stored parameters 1..23 of a constraint
inline constexpr int16_t kLegParameters = 21;        ///< stored parameters 1..21 of a mission leg

/// Angle constants of the calculations, in single precision as the calculations use them.
inline constexpr float kDegreesPerRadian = 57.29578f;
inline constexpr float kPi = 3.1415927f;

/// One performance constraint. Positions 1..23 are the stored parameters (meanings by type in the
/// constraint window); positions 0, 24 and 25 are working positions that are never saved.
struct Constraint {
    std::string type = "A"; ///< one letter "A".."J"
    std::string name;
    OneBased<float, 25> p;
};

/// The boundary of one calculated constraint: (W/S, T/W) pairs at positions 1..count.
struct ConstraintPoints {
    static constexpr int16_t kMaxPoints = 51;
    int16_t count = 0;
    OneBased<float, kMaxPoints> wingLoading;   ///< W_TO/S [psf or Pa]
    OneBased<float, kMaxPoints> thrustLoading; ///< T_SL/W_TO
};

/// One mission leg. Positions 1..21 are the stored parameters; position 0 is unused.
struct MissionLeg {
    std::string type; ///< one letter "A".."M"
    std::string name;
    OneBased<float, 21> p;
};

/// Positions of the aircraft record.
inline constexpr int kAircraftTakeoffWeight = 3;     ///< W_TO [lbf or N]
inline constexpr int kAircraftDeckThrottleRatio = 4; ///< throttle ratio used with the cycle deck

/// A user drag table: Mach numbers and coefficient values at positions 1..count.
struct DragTable {
    int16_t count = 0;
    OneBased<float, kMaxDragPoints> mach;
    OneBased<float, kMaxDragPoints> value;
};

/// The reference engine of the cycle deck, addressed by the positions of the reference engine file.
struct ReferenceEngine {
    OneBased<float, 32> component; ///< component constants 1..32
    OneBased<float, 56> reference; ///< reference (on-design) point and results 1..56
};

/// Positions of `EngineSetup`.
inline constexpr int kSetupEngineType = 6;   ///< engine type 1..7
inline constexpr int kSetupThrottleMode = 7; ///< 1 full throttle at the limits, 2 throttle to a thrust
inline constexpr int kSetupEngineCount = 8;  ///< number of engines (at least 1)
inline constexpr int kSetupLossModel = 9;    ///< installation-loss model 1..3

/// The Engine Test and Component Interfaces windows' own settings (not saved in the project file).
struct EngineTestSettings {
    float percent = 100;          ///< percent of the maximum thrust of a test run
    int16_t seriesVariable = 0;   ///< series variable 3 M0, 4 alt, 5 T0, 6 P0, 7 Tt4, 8 Tt7, 9 P0/P9; 0 none
    float seriesMin = 0;          ///< series range minimum [the variable's unit]
    float seriesMax = 0;          ///< series range maximum
    float seriesStep = 0;         ///< series step size
    float interfaceMach1 = 0.5f;  ///< Mach number at the engine face (station 1)
    float interfaceMach2 = 0.45f; ///< Mach number at the compressor face (station 2)
    float interfaceMach7 = 0.4f;  ///< Mach number at the afterburner exit (station 7)
};

/// The cycle-deck engine data of the project.
struct EngineData {
    OneBased<int16_t, 9> setup;    ///< `EngineSetup`, positions 6..9 used
    ReferenceEngine engine;        ///< `ReferenceEngine`
    OneBased<float, 18> controls;  ///< `EngineControls` 0..18: operating condition and limits
    float tt4MaxSetting = 0;       ///< maximum burner exit temperature the user set [R or K]
    float tt7MaxSetting = 0;       ///< maximum afterburner exit temperature the user set [R or K]
    float thrustScale = 1;         ///< thrust scale factor of the sized engine
    int16_t referenceUnitFlag = 1; ///< 1 English, any other value SI
    float airMassFlow = 0;         ///< the deck's current air mass flow [lbm/s or kg/s]
    std::string fileName;          ///< reference engine file name
    EngineTestSettings test;       ///< engine test, series and interface settings
};

/// The contour plot settings.
struct ContourSettings {
    OneBased<float, 3> velocity; ///< minimum, maximum, increment [ft/s or m/s]
    OneBased<float, 3> altitude; ///< minimum, maximum, increment [kft or km]
    float beta = 0;              ///< weight fraction
    float loadFactor = 1;        ///< number of g
    float clMax = 2;             ///< maximum lift coefficient
    float qMax = 2133;           ///< maximum dynamic pressure [psf or Pa]; reset by the unit setup
    float thrustFraction = 1;    ///< fraction of maximum thrust
    int16_t afterburner = 0;     ///< 1 on, 0 off
    int16_t quantity = 1;        ///< selected contour quantity 1..7
    int16_t theta0Lines = 0;     ///< 1: draw lines of constant theta0
    int16_t lineWidth = 2;       ///< printer plot line width 1..4
    float levelMin = 0;          ///< contour levels: minimum, maximum and increment
    float levelMax = 0;
    float levelIncrement = 0;
};

/// Most grid points along one axis of the sizing chart.
inline constexpr int16_t kMaxSizingPoints = 401;

/// The sizing chart settings: the W/S x T/W grid and the weight closure. Saved in an optional block
/// of the project file only when `stored`; a project without them charts the constraint diagram's
/// axis ranges with 41 x 41 points and no closure.
struct SizingSettings {
    bool stored = false;          ///< the project carries its own sizing settings
    float wsMin = 0, wsMax = 0;   ///< W/S range of the grid [psf or Pa]
    int16_t wsCount = 41;         ///< grid points along W/S (at least 2)
    float twMin = 0, twMax = 0;   ///< T/W range of the grid
    int16_t twCount = 41;         ///< grid points along T/W (at least 2)
    bool closure = false;         ///< solve W_TO so that the weights close
    float emptyA = 1.6f;          ///< A of the empty-weight fraction We/W_TO = A W_TO^C [W_TO in lbf or N]
    float emptyC = -0.1f;         ///< C of the empty-weight fraction
    float crewWeight = 200;       ///< crew [lbf or N]
    float payloadKept = 1800;     ///< payload carried through the mission [lbf or N]
    float payloadReleased = 1200; ///< payload released during the mission [lbf or N]
};

/// The one project of the program: the aircraft, the model selections, the constraints, the mission,
/// the engine data and the plot settings, with the unit-dependent constants and label tables.
struct ProjectData {
    // Identification and files
    std::string fileIdentification = "Vededa"; ///< first line of a project file, written back as read
    int16_t fileVersion = 126;                 ///< second line of a project file
    std::string projectPath;                   ///< current project file
    std::string picturePath;                   ///< main-window picture, saved in the project file

    // Model selectors (0 = no model chosen yet)
    int16_t unitSystem = kEnglish;
    int16_t dragModel = 0;
    int16_t thrustModel = 0;
    int16_t tsfcModel = 0;
    int16_t afterburner = 0; ///< afterburner flag of the algebraic engine models

    // Constraints
    int16_t constraintCount = 0;
    int16_t currentConstraint = 1;
    std::array<Constraint, kMaxConstraints + 1> constraints; ///< slots 1..30
    OneBased<float, 3> wsAxis;       ///< constraint diagram W/S axis minimum, maximum, increment [psf or Pa]
    OneBased<float, 3> twAxis;       ///< constraint diagram T/W axis minimum, maximum, increment
    int16_t plotLineWidth = 2;       ///< printer plot line width 1..4
    bool constraintPlotMade = false; ///< constraint results are available for the diagram
    bool contourPlotMade = false;    ///< contour results are available for plotting

    // Constraint results
    std::array<ConstraintPoints, kMaxConstraints + 1>
        constraintPoints;        ///< calculated boundaries, slots 1..30
    float lastThrustLoading = 1; ///< T/W of the last computed constraint point (1 until one is computed)
    int16_t resultsItem = 1;     ///< the Results window's current item (constraint or leg being shown)

    // Mission
    int16_t legCount = 0;
    int16_t currentLeg = 1;
    std::array<MissionLeg, kMaxLegs + 1> legs; ///< slots 1..30
    OneBased<float, 31> betaStart;             ///< beta at the start of each leg; [1] is saved
    MissionResults missionResults;             ///< results of the legs computed so far (not saved)

    // Aircraft sizing
    float wingLoading = 0;       ///< take-off wing loading W/S [psf or Pa]
    float thrustLoading = 0;     ///< take-off thrust loading T_SL/W_TO
    OneBased<float, 4> aircraft; ///< [3] W_TO [lbf or N], [4] cycle-deck throttle ratio
    float wingArea = 0;          ///< S = W_TO / (W/S) [ft^2 or m^2], derived
    float seaLevelThrust = 0;    ///< T_SL = (T/W) W_TO [lbf or N], derived

    // Contour plots
    ContourSettings contour;

    // Sizing chart
    SizingSettings sizing;

    // Algebraic engine models
    float throttleRatio = 1;       ///< TR
    OneBased<float, 4> userThrust; ///< coefficients 1..4 of the user thrust model
    OneBased<float, 4> userTsfc;   ///< coefficients 1..4 of the user TSFC model

    // User drag tables
    DragTable k1Table, k2Table, cd0Table;

    // Cycle deck
    EngineData engine;

    // Output settings
    int16_t printBufferFlag = 0; ///< 1: plots are also drawn on a pending printer page
    ReportClock clock;           ///< the date of the report headings

    // Unit-dependent constants and label tables
    UnitConstants units;
    LabelTables labels;

    // Shared working values of the flight-condition models (not saved)
    FlightCondition flight;

    /// Takeoff weight W_TO [lbf or N].
    float& takeoffWeight() { return aircraft[kAircraftTakeoffWeight]; }
    float takeoffWeight() const { return aircraft[kAircraftTakeoffWeight]; }
};

/// The defaults of every constraint slot by parameter position, in English units.
extern const OneBased<float, kConstraintParameters> kConstraintDefaults;

/// Fills `project` with the start-up defaults and builds every fixed table (unit system English,
/// label tables, constraint defaults in all 31 slots, engine defaults), then sets up the units.
void initializeProject(ProjectData& project);

/// Recomputes the derived aircraft values: S = W_TO / (W/S) (left as it was when W/S is 0) and
/// T_SL = (T/W) W_TO.
void deriveAircraftValues(ProjectData& project);

} // namespace vededa
