#pragma once

namespace vededa {

/// The program version ("1.26"): the one version number of the build, shown by `--version`, the
/// About box, the window titles and the package.
const char* programVersion();

/// The revision of the source tree the program was built from, "unknown" when the build had none.
const char* buildRevision();

} // namespace vededa
