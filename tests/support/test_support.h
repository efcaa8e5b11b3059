#pragma once

#include "app/project_data.h"
#include "output/canvas.h"

#include <gtest/gtest.h>

#include <string>

namespace vededa::test {

/// Expects |actual - expected| <= relTol * max(|expected|, tiny).
void expectNear(double actual, double expected, double relTol, const std::string& what = {});

/// A project after `initializeProject`.
ProjectData freshProject();

/// The bundled data folder.
std::string dataPath(const std::string& name);

/// A new empty temporary directory for one test.
std::string tempDir();

/// The whole content of a file ("" when it cannot be read).
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

/// Output (stdout and stderr) and exit status of one vededa-cli run.
struct CliResult {
    int status = -1;
    std::string out;
};

/// Runs the built vededa-cli with `args` (a shell-quoted argument string).
CliResult runCli(const std::string& args);

/// The same, ended after `seconds` (status 124 when it had to be ended).
CliResult runCliWithin(const std::string& args, int seconds);

/// Whether segment a-b passes through the rectangle centred on c, turned `degrees` anticlockwise on the
/// picture (whose y runs down), `halfLength` along the turn and `halfHeight` across it, each side moved in
/// by `margin` (segments that only graze the edge do not count).
bool segmentCrossesTurnedBox(CanvasPoint a, CanvasPoint b, CanvasPoint c, float degrees, float halfLength,
                             float halfHeight, float margin = 0.5f);

} // namespace vededa::test
