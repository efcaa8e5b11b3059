#pragma once

#include "app/project_data.h"

#include <string>

namespace vededa {

/// The drag status text: "Drag: " + model number + the model's suffix; empty for no model chosen
/// (the window then keeps its caption "Aircraft Drag:").
std::string dragStatusText(const ProjectData& project);

/// The engine status text of the main window: "Engine: File - " + reference file name for the cycle
/// deck; otherwise the thrust text with the afterburner and TR parts, "," and a line break, and the
/// TSFC text.
std::string engineStatusText(const ProjectData& project);

/// "Units: English" or "Units: SI Metric".
std::string unitsStatusText(const ProjectData& project);

/// The engine model suffix shared by thrust and TSFC texts (" - High BP Tfan" ...); empty for 0 and 7.
std::string engineModelSuffix(int model);

} // namespace vededa
