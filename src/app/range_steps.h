#pragma once

#include <cstdint>

namespace vededa {

/// Relative tolerance within which the last point of a range counts as reaching the maximum.
inline constexpr double kRangeEndTolerance = 1e-4;

/// The number of whole increments from `min` to `max`, counted in double so that no count overflows:
/// the points of the range are min + i * increment for i = 0 .. count, and the last one is kept when
/// it lies within a relative 1e-4 of the maximum (of the larger of |max| and |increment| when the
/// maximum is 0). Negative when the range runs against the increment; not finite when the increment
/// is 0 or any value is not finite. Callers compare it with their limit before converting it.
double rangeIncrementCount(float min, float max, float increment);

/// Point `i` of a range: min + i * increment, computed in double and stored in single precision.
float rangePoint(float min, float increment, int i);

} // namespace vededa
