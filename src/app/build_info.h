#pragma once

namespace vededa {

/// The program version ("1.26"): the one version number of the build (CMake's project version),
/// shown by `--version`, the About box, the window titles, the report headings and the package.
const char* programVersion();

/// The revision of the source tree the program was built from, "unknown" when the build had none.
/// Defined in the programs `vededa` and `vededa-cli` only, which are relinked when it changes.
const char* buildRevision();

} // namespace vededa
