#pragma once

#include "app/project_data.h"

#include <string>
#include <vector>

namespace vededa {

/// Grid points of the sizing chart when the project sets none: this many along each axis.
inline constexpr int16_t kDefaultSizingPoints = 41;
/// A W/S of 0 has no lift coefficient; the grid uses this W/S instead [psf or Pa], as the diagram does.
inline constexpr float kSizingZeroWingLoading = 0.01f;

/// The W/S x T/W grid of the sizing chart: `ws[i]` = W/S min + i step, `tw[j]` = T/W min + j step.
struct SizingGrid {
    std::vector<float> ws; ///< W/S [psf or Pa]
    std::vector<float> tw; ///< T_SL/W_TO
};

/// The settings a sizing chart of `project` uses: its own when it has them, otherwise the constraint
/// diagram's axis ranges with 41 x 41 points and the default closure values in the project's units.
SizingSettings effectiveSizingSettings(const ProjectData& project);

/// The default closure values (A, C and the fixed weights) in the unit system `unitSystem`.
void setDefaultClosure(SizingSettings& settings, int16_t unitSystem);

/// The number of grid points from a range and a step: round((max - min) / step) + 1.
int gridPointCount(float min, float max, float step);

/// `count` values min + i (max - min) / (count - 1), i = 0 .. count - 1, in single precision.
std::vector<float> gridValues(float min, float max, int count);

/// The grid of `settings`; a W/S of 0 becomes `kSizingZeroWingLoading`.
SizingGrid sizingGrid(const SizingSettings& settings);

/// Why `settings` cannot make a chart ("" when they can): ranges not finite, negative, empty or reversed,
/// fewer than 2 or more than `kMaxSizingPoints` points, closure values that are not finite.
std::string sizingSettingsProblem(const SizingSettings& settings);

} // namespace vededa
