#pragma once

#include <string>
#include <vector>

namespace vededa {

/// What the start-up can open: the file named on the command line, the projects used before and the
/// bundled examples.
struct StartupSources {
    /// The directory the program was started in.
    std::string directory;
    /// The file named on the command line (a project, or a reference engine file), or "".
    std::string requestedFile;
    /// The projects opened or saved before, most recent first.
    std::vector<std::string> recentProjects;
    /// The bundled examples folder, or "" when the program has none.
    std::string examplesDirectory;
};

/// The files the start-up reads. An empty project or picture means none was found, so the start-up
/// says so and asks for one.
struct StartupFiles {
    std::string project;
    /// A reference engine file named on the command line: read after the project, which makes the
    /// cycle deck the engine model.
    std::string referenceEngine;
    std::string picture;
};

/// Whether `path` names a reference engine file (extension ".REF" in any letter case).
bool isReferenceEngineFile(const std::string& path);

/// Chooses the start-up files.
/// Project: a project named on the command line (read even when missing, so the refusal names it);
/// else the most recent project that still exists; else the default project in the start directory;
/// else the default project of the bundled examples; else none.
/// Picture: the default picture in the start directory, else the bundled one, else none.
StartupFiles chooseStartupFiles(const StartupSources& sources);

} // namespace vededa
