#include "app/startup.h"

#include <filesystem>
#include <system_error>

namespace vededa {

std::string defaultProjectPath(const std::string& directory, char separator) {
    std::string path = directory;
    if (path.empty() || path.back() != separator) path += separator;
    return path + kDefaultProjectName;
}

std::string defaultPicturePath(const std::string& directory, char separator) {
    return directory + separator + kDefaultPictureName;
}

std::string missingProjectMessage(const std::string& directory) {
    return std::string("Your default Vededa Data file (") + kDefaultProjectName +
           ") is not in current directory (" + directory +
           ") !!!  Click the OK button to continue and find this file.";
}

std::string missingPictureMessage(const std::string& directory) {
    return std::string("Your image file (") + kDefaultPictureName + ") is not in current directory (" +
           directory + ") !!!  Click the OK button to continue and find this file.";
}

int splashTargetSecond(int now) {
    int target = now + 5;
    if (target > 59) target -= 60;
    return target;
}

std::string currentDirectory() {
    std::error_code ec;
    const auto dir = std::filesystem::current_path(ec);
    return ec ? std::string(".") : dir.string();
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace vededa
