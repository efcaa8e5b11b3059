#include "app/install_layout.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vededa {

namespace fs = std::filesystem;

namespace {

bool isDirectory(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool isFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

/// `p` without "." and ".." steps, symbolic links left as they are (so a program started through a
/// link in another bin/ folder still finds the share/ folder of its own prefix).
std::string tidy(const fs::path& p) {
    return p.lexically_normal().string();
}

} // namespace

std::string runningExecutablePath(const char* argv0) {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty()) return self.string();
    if (!argv0 || !*argv0) return {};
    const fs::path given(argv0);
    const fs::path absolute = fs::absolute(given, ec);
    return ec ? given.string() : tidy(absolute);
}

std::string dataDirectoryFor(const std::string& executablePath) {
    if (const char* overridden = std::getenv(kDataDirectoryVariable); overridden && *overridden) {
        if (isDirectory(overridden)) return tidy(overridden);
    }
    if (executablePath.empty()) return {};
    const fs::path candidate = fs::path(executablePath).parent_path() / kDataFolderFromBin;
    return isDirectory(candidate) ? tidy(candidate) : std::string();
}

std::string examplesDirectoryOf(const std::string& dataDirectory) {
    if (dataDirectory.empty()) return {};
    return tidy(fs::path(dataDirectory) / kExamplesFolder);
}

std::string manualPathOf(const std::string& dataDirectory) {
    if (dataDirectory.empty()) return {};
    const fs::path doc = fs::path(dataDirectory) / kDocFolderFromData;
    for (const char* name : {"manual.html", "manual.md"})
        if (isFile(doc / name)) return tidy(doc / name);
    return {};
}

} // namespace vededa
