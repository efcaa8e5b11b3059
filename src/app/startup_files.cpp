#include "app/startup_files.h"

#include "app/startup.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace vededa {

bool isReferenceEngineFile(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension == ".REF";
}

namespace {

std::string bundled(const std::string& examplesDirectory, const char* name) {
    if (examplesDirectory.empty()) return {};
    const std::string path = (std::filesystem::path(examplesDirectory) / name).string();
    return fileExists(path) ? path : std::string();
}

} // namespace

StartupFiles chooseStartupFiles(const StartupSources& sources) {
    StartupFiles files;
    std::string requestedProject;
    if (!sources.requestedFile.empty()) {
        if (isReferenceEngineFile(sources.requestedFile))
            files.referenceEngine = sources.requestedFile;
        else
            requestedProject = sources.requestedFile;
    }

    if (!requestedProject.empty()) {
        files.project = requestedProject;
    } else {
        for (const std::string& recent : sources.recentProjects) {
            if (!recent.empty() && fileExists(recent)) {
                files.project = recent;
                break;
            }
        }
        if (files.project.empty()) {
            const std::string here = defaultProjectPath(sources.directory);
            files.project = fileExists(here) ? here : bundled(sources.examplesDirectory, kDefaultProjectName);
        }
    }

    const std::string picture = defaultPicturePath(sources.directory);
    files.picture = fileExists(picture) ? picture : bundled(sources.examplesDirectory, kDefaultPictureName);
    return files;
}

} // namespace vededa
