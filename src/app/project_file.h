#pragma once

#include "app/project_data.h"

#include <string>
#include <string_view>

namespace vededa {

/// Outcome of reading or writing a project file. On failure `message` names the file, the line and
/// what was expected there.
struct FileResult {
    bool ok = true;
    std::string message;
    int line = 0; ///< line of the failure (reading), 0 when not tied to a line
    explicit operator bool() const { return ok; }
};

/// Reads the project file at `path` into `project`. All or nothing: the file is parsed into a copy of
/// the project, and only a complete, valid file replaces it; on failure `project` is left exactly as
/// it was. On success the derived values are recomputed (S, T_SL), the temperature limit settings are
/// taken from the engine controls when the cycle deck is the thrust model, the plot-made flags are
/// cleared, the units are set up, and the project path becomes `path`.
FileResult readProject(ProjectData& project, const std::string& path);

/// The same reader on text already in memory; `name` is used in the messages.
FileResult readProjectText(ProjectData& project, std::string_view text, const std::string& name);

/// Writes the project to `path`. The file is written beside the target under a temporary name and
/// renamed over the target only after a complete write, so a failed save leaves the old file intact.
/// Copies the temperature limit settings into `EngineControls[5]` and `[6]` first when the cycle deck is
/// the thrust model.
FileResult writeProject(ProjectData& project, const std::string& path);

/// The text `writeProject` writes (CRLF line ends).
std::string projectText(const ProjectData& project);

} // namespace vededa
