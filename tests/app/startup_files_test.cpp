#include "app/install_layout.h"
#include "app/startup_files.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace vededa {
namespace {

namespace fs = std::filesystem;

/// A start directory, a bundled examples folder and two projects elsewhere, each file present only
/// where a case puts it.
struct StartupScene {
    std::string root = test::tempDir();
    std::string here = root + "/here";
    std::string examples = root + "/share/vededa/examples";
    std::string older = root + "/work/older.RUZ";
    std::string newer = root + "/work/newer.RUZ";

    StartupScene() {
        fs::create_directories(here);
        fs::create_directories(examples);
        fs::create_directories(root + "/work");
    }
    void put(const std::string& path) { test::writeFile(path, "Vededa\r\n126\r\n"); }
};

struct StartupCase {
    const char* name;
    bool hereProject, herePicture, bundled, newerExists, olderExists;
    const char* requested;   ///< "", "missing", "reference" or "older"
    const char* wantProject; ///< "", "requested", "older", "newer", "here", "bundled"
    const char* wantPicture; ///< "", "here", "bundled"
};

class ChooseStartupFiles : public ::testing::TestWithParam<StartupCase> {};

TEST_P(ChooseStartupFiles, ProjectAndPicture) {
    const StartupCase& c = GetParam();
    StartupScene s;
    if (c.hereProject) s.put(s.here + "/Vededa.RUZ");
    if (c.herePicture) s.put(s.here + "/R119ize.ROZ");
    if (c.bundled) {
        s.put(s.examples + "/Vededa.RUZ");
        s.put(s.examples + "/R119ize.ROZ");
    }
    if (c.newerExists) s.put(s.newer);
    if (c.olderExists) s.put(s.older);

    StartupSources sources;
    sources.directory = s.here;
    sources.recentProjects = {s.newer, "", s.older};
    sources.examplesDirectory = s.examples;
    const std::string requested = std::string(c.requested);
    const std::string reference = s.root + "/work/engine.ref";
    if (requested == "missing") sources.requestedFile = s.root + "/work/gone.RUZ";
    if (requested == "reference") sources.requestedFile = reference;
    if (requested == "older") sources.requestedFile = s.older;

    const StartupFiles files = chooseStartupFiles(sources);
    const std::string want = c.wantProject;
    const std::string wantProject = want == "requested" ? sources.requestedFile
                                    : want == "older"   ? s.older
                                    : want == "newer"   ? s.newer
                                    : want == "here"    ? s.here + "/Vededa.RUZ"
                                    : want == "bundled" ? s.examples + "/Vededa.RUZ"
                                                        : std::string();
    EXPECT_EQ(files.project, wantProject);
    EXPECT_EQ(files.referenceEngine, requested == "reference" ? reference : std::string());
    const std::string picture = c.wantPicture;
    EXPECT_EQ(files.picture, picture == "here"      ? s.here + "/R119ize.ROZ"
                             : picture == "bundled" ? s.examples + "/R119ize.ROZ"
                                                    : std::string());
}

INSTANTIATE_TEST_SUITE_P(
    Startup, ChooseStartupFiles,
    ::testing::Values(
        // name, here project, here picture, bundled, newer, older, requested, project, picture
        StartupCase{"NamedProjectWinsOverEverything", true, true, true, true, true, "older", "requested",
                    "here"},
        StartupCase{"NamedProjectMissingIsStillRead", true, false, true, true, true, "missing", "requested",
                    "bundled"},
        StartupCase{"LastUsedProjectFirst", true, true, true, true, true, "", "newer", "here"},
        StartupCase{"RecentProjectsThatAreGoneAreSkipped", false, false, true, false, true, "", "older",
                    "bundled"},
        StartupCase{"StartDirectoryDefaultWithoutRecentProjects", true, false, true, false, false, "", "here",
                    "bundled"},
        StartupCase{"BundledDefaultLast", false, false, true, false, false, "", "bundled", "bundled"},
        StartupCase{"NothingFoundAsksForBoth", false, false, false, false, false, "", "", ""},
        StartupCase{"ReferenceFileOpensTheLastProject", false, false, true, true, false, "reference", "newer",
                    "bundled"},
        StartupCase{"ReferenceFileWithNoProjectAnywhere", false, true, false, false, false, "reference", "",
                    "here"}),
    [](const ::testing::TestParamInfo<StartupCase>& info) { return std::string(info.param.name); });

TEST(StartupFiles, ReferenceEngineFilesByExtensionInAnyCase) {
    for (const char* yes : {"a.REF", "/x/y/engine.ref", "F404.Ref"})
        EXPECT_TRUE(isReferenceEngineFile(yes)) << yes;
    for (const char* no : {"a.RUZ", "REF", "/x/REF/a.RUZ", "a.REF.bak", "a.reference", ""})
        EXPECT_FALSE(isReferenceEngineFile(no)) << no;
}

/// Sets an environment variable for one scope and puts the previous value back.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        if (value)
            setenv(name, value->c_str(), 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable() {
        if (previous_)
            setenv(name_, previous_->c_str(), 1);
        else
            unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> previous_;
};

TEST(InstallLayout, DataFolderBesideTheProgramsBinFolder) {
    const ScopedVariable noOverride(kDataDirectoryVariable, std::nullopt);
    const std::string prefix = test::tempDir();
    fs::create_directories(prefix + "/bin");
    test::writeFile(prefix + "/bin/vededa", "");
    // Not installed: no share/vededa, no data folder (the program then asks for its files).
    EXPECT_EQ(dataDirectoryFor(prefix + "/bin/vededa"), "");
    EXPECT_EQ(dataDirectoryFor(""), "");
    fs::create_directories(prefix + "/share/vededa/examples");
    EXPECT_EQ(dataDirectoryFor(prefix + "/bin/vededa"), prefix + "/share/vededa");
    EXPECT_EQ(dataDirectoryFor(prefix + "/bin/../bin/vededa-cli"), prefix + "/share/vededa");
    EXPECT_EQ(examplesDirectoryOf(prefix + "/share/vededa"), prefix + "/share/vededa/examples");
    EXPECT_EQ(examplesDirectoryOf(""), "");
}

TEST(InstallLayout, EnvironmentOverrideOnlyWhenItNamesAFolder) {
    const std::string prefix = test::tempDir();
    fs::create_directories(prefix + "/bin");
    fs::create_directories(prefix + "/share/vededa");
    const std::string other = test::tempDir();
    {
        const ScopedVariable set(kDataDirectoryVariable, other);
        EXPECT_EQ(dataDirectoryFor(prefix + "/bin/vededa"), other);
    }
    {
        const ScopedVariable wrong(kDataDirectoryVariable, other + "/nowhere");
        EXPECT_EQ(dataDirectoryFor(prefix + "/bin/vededa"), prefix + "/share/vededa");
    }
    {
        const ScopedVariable empty(kDataDirectoryVariable, std::string());
        EXPECT_EQ(dataDirectoryFor(prefix + "/bin/vededa"), prefix + "/share/vededa");
    }
}

TEST(InstallLayout, ManualPrefersHtmlThenMarkdown) {
    const std::string prefix = test::tempDir();
    const std::string data = prefix + "/share/vededa";
    const std::string doc = prefix + "/share/doc/vededa";
    fs::create_directories(data);
    fs::create_directories(doc);
    EXPECT_EQ(manualPathOf(data), "");
    test::writeFile(doc + "/manual.md", "# Manual\n");
    EXPECT_EQ(manualPathOf(data), doc + "/manual.md");
    test::writeFile(doc + "/manual.html", "<html></html>");
    EXPECT_EQ(manualPathOf(data), doc + "/manual.html");
    EXPECT_EQ(manualPathOf(""), "");
}

TEST(InstallLayout, RunningProgramIsThisTest) {
    const std::string self = runningExecutablePath("ignored");
    EXPECT_TRUE(fs::is_regular_file(self)) << self;
    EXPECT_EQ(fs::path(self).filename(), "app_test");
}

} // namespace
} // namespace vededa
