#pragma once

#include <string>

namespace vededa {

/// The file names the start-up looks for in the current directory.
inline constexpr const char* kDefaultProjectName = "Vededa.RUZ";
inline constexpr const char* kDefaultPictureName = "R119ize.ROZ";

/// The separator the start-up joins directories with.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

/// The default project file: the directory, a separator unless the directory already ends in one (a
/// drive or file-system root), and "Vededa.RUZ".
std::string defaultProjectPath(const std::string& directory, char separator = kPathSeparator);

/// The picture looked for at start: the directory, always a separator, and "R119ize.ROZ". The picture
/// path stored in a project file is not used at start.
std::string defaultPicturePath(const std::string& directory, char separator = kPathSeparator);

/// The message shown when the default project file is missing from `directory`.
std::string missingProjectMessage(const std::string& directory);
inline constexpr const char* kMissingProjectTitle = "Data File Not Found";

/// The message shown when the picture is missing from `directory`.
std::string missingPictureMessage(const std::string& directory);
inline constexpr const char* kMissingPictureTitle = "Image File Not Found";

/// File dialog filters of the start-up and the File menu.
inline constexpr const char* kProjectOpenFilter =
    "Vededa Files (*.RUZ)|*.RUZ|Data Files (*.DAT)|*.DAT|Any Files (*.*)|*.*";
inline constexpr const char* kProjectSaveFilter = "Vededa Files (*.RUZ)|*.RUZ";
inline constexpr const char* kPictureFilter =
    "Bit Mapped Picture Files (*.BMP)|*.BMP|JPG Picture Files (*.JPG)|*.JPG";

/// The splash wait: the wall-clock seconds field (0..59) at which the splash closes when it was
/// shown at second `now` (five seconds later, wrapping at the minute).
int splashTargetSecond(int now);

/// The directory the program was started in.
std::string currentDirectory();

/// Whether a regular file exists at `path`.
bool fileExists(const std::string& path);

} // namespace vededa
