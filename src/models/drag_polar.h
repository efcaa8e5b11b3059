#pragma once

#include "app/project_data.h"
#include "models/atmosphere.h"

#include <cstdint>
#include <string>

namespace vededa {

/// The working values of the drag polar CD = K1 CL^2 + K2 CL + CD0 + CDR. The caller sets the lift
/// coefficient and the additional drag coefficient; the polar writes the coefficients and CD.
struct DragPolar {
    float cl = 0;  ///< lift coefficient (input)
    float cdr = 0; ///< additional drag coefficient of stores, gear, brakes (input)
    float k1 = 0;  ///< induced-drag factor at the Mach number
    float k2 = 0;  ///< linear drag factor at the Mach number
    float cd0 = 0; ///< zero-lift drag coefficient at the Mach number
    float cd = 0;  ///< total drag coefficient
};

/// Evaluates the drag model `project.dragModel` at the Mach number `fc.mach` and the lift coefficient
/// `polar.cl`: writes K1, K2, CD0 and CD = K1 CL^2 + K2 CL + (CD0 + CDR). Models 1-4 are parabolic
/// with a displaced minimum and a wave-drag rise above Mach 0.8, models 5 and 6 piecewise-linear
/// fighter polars, model 7 the user tables. With no model chosen (0) K1, K2 and CD0 keep their
/// previous values and only CD is formed.
void evaluateDragPolar(DragPolar& polar, const FlightCondition& fc, const ProjectData& project);

/// The value of one user drag table at Mach `mach`: 0 for fewer than two points, otherwise linear
/// interpolation on the segment holding the Mach number. Below the first point the first segment is
/// extrapolated; at and above the last point the last segment is extrapolated (exactly the last value
/// at the last Mach number). No clamping here.
float dragTableValue(const DragTable& table, float mach);

/// The checks of the drag input window's "Done", in order; returns the message of the first failure,
/// or an empty string when the tables are acceptable.
std::string dragTablesCheck(const ProjectData& project);

/// The result of leaving a point-count box of the drag input window with `text` typed.
struct DragCountEdit {
    std::string warning;  ///< "Maximum number of points is 11" when the value exceeds 11, else empty
    bool changed = false; ///< whether the count was taken
    int16_t count = 0;    ///< the count after the edit
};

/// Applies a typed point count to `table`: values above 11 warn; values below 12 are rounded to the
/// nearest integer and taken when they lie in 0..11 (a value that rounds above 11 is not taken).
DragCountEdit editDragCount(DragTable& table, const std::string& text);

} // namespace vededa
