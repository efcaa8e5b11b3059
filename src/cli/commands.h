#pragma once

#include <CLI/CLI.hpp>

namespace vededa::cli {

/// Adds every subcommand to `app`; each runs from its callback.
void registerCommands(CLI::App& app);

/// The exit status the subcommand that ran has set (0 on success).
int exitCode();

/// Sets the exit status of the run.
void setExitCode(int code);

} // namespace vededa::cli
