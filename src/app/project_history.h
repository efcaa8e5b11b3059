#pragma once

#include "app/project_data.h"

#include <string>

namespace vededa {

/// The project text exactly as a save would write it now: the temperature limit settings are taken into
/// the engine controls first, as the writer does. Comparing it with the text of the last save or open
/// tells whether the project differs from its file.
std::string savedProjectText(const ProjectData& project);

/// Everything the user can set, saved in the file or not (the engine test and contour settings, the
/// afterburner flag, the plot line width): two projects with the same fingerprint hold the same inputs.
/// Navigation (the constraint and leg shown) and results are not part of it.
std::string inputFingerprint(const ProjectData& project);

/// What is carried over from the project when its inputs are put back.
enum class KeepNavigation {
    No, ///< the constraint and leg shown come from `inputs` (undo shows where the change was)
    Yes ///< they stay as they are (a calculation pages through the set)
};

/// Puts the inputs of `inputs` into `project`: the model choices, units, constraints, legs, aircraft,
/// engine data and settings. Results (with their plot-made flags), working values, the file path, the
/// report clock and the print buffer stay those of `project`.
void restoreInputs(ProjectData& project, const ProjectData& inputs, KeepNavigation navigation);

} // namespace vededa
