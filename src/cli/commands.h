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

/// A parse-time check of a number option: the whole text must be a finite number that fits in single
/// precision ("nan", "inf", "1e300", "abc" and "0x10" are refused with status 2).
const CLI::Validator& finiteNumber();

/// Checks the value of a number option against its physical range (`findFieldRange(key)`) in the
/// unit system `si`; prints the reason and sets exit status 2 when it is refused.
bool optionInRange(const char* key, double value, bool si);

/// Writes report text (CRLF line ends) to standard output unchanged.
void writeReport(const std::string& text);

/// Adds `--format text|csv|json` to a subcommand: text (the default) is the report; csv and json give
/// the numbers as a table instead.
void addFormatOption(CLI::App* command, std::string& format);

/// True when `format` asks for a table rather than the text report.
bool tableFormat(const std::string& format);

} // namespace vededa::cli

namespace vededa {
struct DataTable;
class SvgCanvas;
} // namespace vededa

namespace vededa::cli {

/// Writes `table` to standard output as CSV or JSON by `format`.
void writeTable(const DataTable& table, const std::string& format);

/// Writes the SVG document of `canvas` to `path`; when the file cannot be written, says so and sets
/// exit status 3.
bool writeSvg(const std::string& path, const SvgCanvas& canvas);

} // namespace vededa::cli
