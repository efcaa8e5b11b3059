#pragma once

#include "app/project_data.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vededa {

/// Pass limit of the type J secant iteration on the acceleration time.
inline constexpr int16_t kAccelerationTimePasses = 100;
/// Tolerance of the type J iteration: the computed time meets the required one within this [s].
inline constexpr float kAccelerationTimeTolerance = 1.0f;
/// Type G: take-off speed ratios below this cannot transition to the climb.
inline constexpr float kMinimumTransitionKto = 1.12f;

/// One report row of a constraint: a grid point with its working values, or a text line.
struct ConstraintPointRow {
    bool isText = false;
    std::string text;        ///< the whole line when `isText`
    float wingLoading = 0;   ///< W/S [psf or Pa]
    float thrustLoading = 0; ///< T/W
    float cl = 0, cd = 0;    ///< types A-E
    float groundRoll = 0;    ///< sG [ft or m]
    float rotation = 0;      ///< sR
    float obstacle = 0;      ///< sOB
    float climb = 0;         ///< sCL
    float air = 0;           ///< sA (landing air distance)
    float freeRoll = 0;      ///< sFR
    float braking = 0;       ///< sB
    float velocity = 0;      ///< V_TO or touch-down speed [ft/s or m/s]
    int gridIndex = -1;      ///< position in the caller's own grid (`calculateConstraintAt`), else -1
};

/// What the calculation of one constraint produced.
struct ConstraintOutcome {
    int16_t number = 0; ///< constraint slot
    int16_t type = 0;   ///< type number 1..10
    float mach = 0;     ///< Mach number of the flight condition (initial Mach for type J)
    float alpha = 0;    ///< thrust lapse of the flight condition
    std::vector<ConstraintPointRow> rows;
    std::vector<std::string> warnings; ///< message boxes (type G take-off warning), one per point
    std::string failure;               ///< set when the calculation ended early (floating-point fault ...)
    std::string engineMessages;        ///< lines the engine deck wrote (cycle deck thrust model)
};

/// Calculates constraint `number` (1..count): the flight condition, then the grid of W/S (types A-G,
/// J) or T/W (types H, I); stores the points in `project.constraintPoints[number]`, sets
/// `project.constraintPlotMade` when more than one point was stored, keeps the last point's T/W in
/// `project.lastThrustLoading`, and sets the afterburner flag and the Results window's item. A
/// floating-point fault ends the constraint with `failure` set and the points computed so far kept.
ConstraintOutcome calculateConstraint(ProjectData& project, int16_t number);

/// Calculates constraint `number` at the caller's own grid: the W/S values `wingLoadings` (types A-G, J)
/// or the T/W values `thrustLoadings` (types H, I; a T/W at or below 0 becomes 0.001), each value used
/// exactly as given and without the 51-point limit. Each point row carries the position of its grid
/// value in `gridIndex`; a grid value that gives no point (an unsolvable landing row, no climb) has no
/// row. The project's stored diagram points are left as they were; the last point's T/W is kept in
/// `project.lastThrustLoading` as in the diagram calculation.
ConstraintOutcome calculateConstraintAt(ProjectData& project, int16_t number,
                                        const std::vector<float>& wingLoadings,
                                        const std::vector<float>& thrustLoadings);

/// `ConstraintCalculation`: calculates constraint `number` and returns its report page.
std::string ConstraintCalculation(ProjectData& project, int16_t number, ConstraintOutcome* outcome = nullptr);

} // namespace vededa
