#pragma once

#include "app/project_data.h"
#include "constraint/constraint_calculation.h"

#include <string>

namespace vededa {

/// The report page of one calculated constraint: the heading with the date, the file name and the
/// page number, the inputs of the constraint's type, the engine and aircraft model numbers, the thrust
/// lapse of the flight condition, the column heads in the project's unit system and one row per grid
/// point (with the text lines of the calculation in their place). Lines end with CRLF.
std::string constraintReport(const ProjectData& project, const ConstraintOutcome& outcome);

/// The type heading of a constraint page (" : TYPE A - CONSTANT ALTITUDE/SPEED CRUISE" ...).
const char* constraintTypeHeading(int16_t type);

} // namespace vededa
