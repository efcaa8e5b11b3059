#pragma once

#include <string>

namespace vededa {

/// The folders of an installed Vededa, relative to the prefix it is installed in:
///   bin/vededa, bin/vededa-cli        the programs
///   share/vededa/examples/            the bundled projects, reference engines, design files, picture
///   share/doc/vededa/                 the manual and the file-format documents
/// The build tree mirrors the same layout (build/bin, build/share/...), so a program finds its data
/// the same way whether it runs installed or from its build folder.
inline constexpr const char* kDataFolderFromBin = "../share/vededa";
inline constexpr const char* kDocFolderFromData = "../doc/vededa";
inline constexpr const char* kExamplesFolder = "examples";

/// The environment variable that points the programs at another data folder (it wins when it names
/// an existing folder).
inline constexpr const char* kDataDirectoryVariable = "VEDEDA_DATA_DIR";

/// The path of the running program: the link /proc/self/exe where the system has it, else `argv0`
/// made absolute.
std::string runningExecutablePath(const char* argv0);

/// The data folder of the program at `executablePath`: the environment override when it names a
/// folder, else share/vededa beside the program's bin/ folder when it exists, else "" (the program
/// then runs without bundled data and asks for files, as it does without a default project).
std::string dataDirectoryFor(const std::string& executablePath);

/// The bundled examples folder of a data folder, or "" when `dataDirectory` is "".
std::string examplesDirectoryOf(const std::string& dataDirectory);

/// The user manual of a data folder: the HTML manual when it was built, else the Markdown one, else
/// "" when neither is installed.
std::string manualPathOf(const std::string& dataDirectory);

} // namespace vededa
