// vededa-cli engine --series / --hook / --interfaces on reference files and on a cycle-deck project.
#include "app/project_data.h"
#include "app/project_file.h"
#include "engine/reference_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace vededa {
namespace {

using test::runCli;

std::size_t countLines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(EngineReportsCli, HookSeriesAndInterfacesOfAReferenceFile) {
    const std::string ref = test::dataPath("turbojet_ab.REF");
    const test::CliResult hook = runCli("engine " + ref + " --hook --mach 0.8 --alt 30000 --date 1/2/2027");
    EXPECT_EQ(hook.status, 0) << hook.out;
    EXPECT_EQ(countLines(hook.out), 50u);
    EXPECT_EQ(hook.out.rfind(" Vededa (Version 1.26)    Date:1/2/2027\r\n", 0), 0u);

    const test::CliResult series =
        runCli("engine " + ref + " --series alt 0 30000 10000 --mach 0.8 --date 1/2/2027");
    EXPECT_EQ(series.status, 0) << series.out;
    EXPECT_EQ(countLines(series.out), 11u);
    EXPECT_NE(series.out.find("   Alt   Thrust   TSFC"), std::string::npos);

    const test::CliResult faces =
        runCli("engine " + ref + " --interfaces --mach1 0.6 --mach2 0.5 --mach7 0.3 --date 1/2/2027");
    EXPECT_EQ(faces.status, 0) << faces.out;
    EXPECT_NE(faces.out.find("\r\n 1       170.00 1.4000  14.697  518.70  11.522  0.6000"), std::string::npos)
        << faces.out;
}

TEST(EngineReportsCli, RefusalsAndAProjectWithoutTheDeck) {
    const std::string ref = test::dataPath("turbojet.REF");
    EXPECT_NE(runCli("engine " + ref + " --series mach 1 0.5 0.1").status, 0);
    EXPECT_NE(runCli("engine " + ref + " --series speed 0 1 0.1").status, 0);
    EXPECT_NE(runCli("engine " + ref + " --hook --interfaces").status, 0);
    EXPECT_NE(runCli("engine " + ref).status, 0); // a single run needs --mach and --alt
    ProjectData p = test::freshProject();
    ASSERT_TRUE(readProject(p, test::dataPath("Vededa.RUZ")).ok);
    if (p.thrustModel != 7) {
        EXPECT_EQ(runCli("engine " + test::dataPath("Vededa.RUZ") + " --hook").status, 2);
    }
}

TEST(EngineReportsCli, CycleDeckProjectKeepsItsUnitsAndScale) {
    ProjectData p = test::freshProject();
    ASSERT_TRUE(readProject(p, test::dataPath("Vededa.RUZ")).ok);
    ASSERT_TRUE(ReadReferenceFile(p, test::dataPath("turbofan_mixed.REF")).ok);
    const std::string path = test::tempDir() + "/DECK.RUZ";
    ASSERT_TRUE(writeProject(p, path).ok);
    const test::CliResult faces = runCli("engine " + path + " --interfaces --scale 2 --date 1/2/2027");
    EXPECT_EQ(faces.status, 0) << faces.out;
    EXPECT_NE(faces.out.find("Thrust Scale Factor =  2.0000\r\n"), std::string::npos);
    EXPECT_NE(faces.out.find("Filename: " + path + "\r\n"), std::string::npos);
    const test::CliResult hook = runCli("engine " + path + " --hook --mach 0.9 --alt 30000 --date 1/2/2027");
    EXPECT_EQ(hook.status, 0) << hook.out;
    EXPECT_GE(countLines(hook.out), 50u);
}

} // namespace
} // namespace vededa
