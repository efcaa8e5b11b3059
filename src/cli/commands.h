#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace vededa::cli {

/// Adds every subcommand to `app`; each runs from its callback.
void registerCommands(CLI::App& app);

/// The exit status the subcommand that ran has set (0 on success).
int exitCode();

/// Sets the exit status of the run.
void setExitCode(int code);

} // namespace vededa::cli

namespace vededa {
struct ProjectData;
}

namespace vededa::cli {

/// Initializes `project` and reads the project file at `path` into it; on failure prints the reader's
/// message (file, line, what was expected) and sets exit status 2.
bool loadProject(ProjectData& project, const std::string& path);

/// Writes report text (CRLF line ends) to standard output unchanged.
void writeReport(const std::string& text);

} // namespace vededa::cli
