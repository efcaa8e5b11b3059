// End-to-end tests of vededa-cli's foundation commands on the bundled project.
#include "app/project_data.h"
#include "app/project_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace vededa {
namespace {

using test::runCli;

auto cli = [](const std::string& args) { return runCli(args); };

TEST(Cli, AtmosphereInBothUnitSystems) {
    const test::CliResult english = cli("atmosphere 36500");
    EXPECT_EQ(english.status, 0);
    EXPECT_NE(english.out.find("T = 390.25\n"), std::string::npos) << english.out;
    EXPECT_NE(english.out.find("P = 465\n"), std::string::npos) << english.out;
    const test::CliResult si = cli("atmosphere 10000 --si");
    EXPECT_EQ(si.status, 0);
    EXPECT_NE(si.out.find("hk = 32.808\n"), std::string::npos) << si.out;
}

TEST(Cli, ShowListsTheProject) {
    const test::CliResult r = cli("show " + test::dataPath("Vededa.RUZ"));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Drag: 6 - Current Fighter"), std::string::npos);
    EXPECT_NE(r.out.find(" 1     A     "), std::string::npos);
    EXPECT_NE(r.out.find("\n10       L         "), std::string::npos) << r.out; // aligned with legs 1..9
    // The leg list has the column heads the Mission window shows over it.
    EXPECT_NE(r.out.find("\nMission legs\nLeg      Type      Name\n1        I         Warm-up\n"),
              std::string::npos)
        << r.out;
}

TEST(Cli, ConvertToSiAndBackKeepsTheNumbers) {
    const std::string dir = test::tempDir();
    const std::string si = dir + "/si.RUZ", back = dir + "/back.RUZ";
    ASSERT_EQ(cli("convert " + test::dataPath("Vededa.RUZ") + " --units si -o " + si).status, 0);
    ASSERT_EQ(cli("convert " + si + " --units english -o " + back).status, 0);
    ProjectData original = test::freshProject(), siProject = test::freshProject(),
                returned = test::freshProject();
    ASSERT_TRUE(readProject(original, test::dataPath("Vededa.RUZ")));
    ASSERT_TRUE(readProject(siProject, si));
    ASSERT_TRUE(readProject(returned, back));
    EXPECT_EQ(siProject.unitSystem, kSI);
    EXPECT_NEAR(siProject.takeoffWeight(), original.takeoffWeight() * 4.44822f, 0.1f);
    for (int k = 1; k <= original.constraintCount; ++k)
        for (int i = 1; i <= kConstraintParameters; ++i) {
            const float a = returned.constraints[static_cast<std::size_t>(k)].p[i];
            const float b = original.constraints[static_cast<std::size_t>(k)].p[i];
            EXPECT_NEAR(a, b, 4e-7f * std::max(1.0f, std::fabs(b)))
                << "constraint " << k << " parameter " << i;
        }
    for (int j = 1; j <= original.legCount; ++j)
        for (int i = 1; i <= kLegParameters; ++i) {
            const float a = returned.legs[static_cast<std::size_t>(j)].p[i];
            const float b = original.legs[static_cast<std::size_t>(j)].p[i];
            EXPECT_NEAR(a, b, 4e-7f * std::max(1.0f, std::fabs(b))) << "leg " << j << " parameter " << i;
        }
    std::filesystem::remove_all(dir);
}

TEST(Cli, MisuseAndDamagedFilesFail) {
    EXPECT_NE(cli("").status, 0);
    EXPECT_NE(cli("atmosphere").status, 0);
    EXPECT_NE(cli("convert " + test::dataPath("Vededa.RUZ") + " --units metric -o /tmp/x.RUZ").status, 0);
    const std::string dir = test::tempDir();
    std::string text = test::readFile(test::dataPath("Vededa.RUZ"));
    text.replace(text.find("Supercruise"), 0, "");
    text.replace(text.find(" 30000 "), 7, " 3OOOO ");
    test::writeFile(dir + "/bad.RUZ", text);
    const test::CliResult r = cli("show " + dir + "/bad.RUZ");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("bad.RUZ, line 12"), std::string::npos) << r.out;
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace vededa

namespace vededa {
namespace {

TEST(Cli, MissionPrintsEveryLegAndTheSummary) {
    const std::string dir = test::tempDir();
    const test::CliResult r =
        test::runCli("mission " + test::dataPath("Vededa.RUZ") + " --date 12/8/2026 --svg " + dir + "/m.svg");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("          Mission Analysis (Version 1.26)    Date:12/8/2026\r\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("     Mission Leg #13          Name: "), std::string::npos);
    EXPECT_NE(r.out.find("Summary of Mission Weights"), std::string::npos);
    EXPECT_EQ(r.out.find("not computed"), std::string::npos) << "every leg of the bundled mission flies";
    EXPECT_NE(test::readFile(dir + "/m.svg").find("<svg"), std::string::npos);
    std::filesystem::remove_all(dir);
}

TEST(Cli, ContourGridAndPlot) {
    const std::string dir = test::tempDir();
    const test::CliResult r = test::runCli("contour " + test::dataPath("Vededa.RUZ") +
                                           " --quantity ps --grid --svg " + dir + "/ps.svg");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Maximum Value = "), std::string::npos);
    EXPECT_NE(r.out.find("alt\\vel\t100\t150"), std::string::npos) << r.out.substr(0, 300);
    EXPECT_NE(test::readFile(dir + "/ps.svg").find("Ps  (min ="), std::string::npos);
    EXPECT_NE(test::runCli("contour " + test::dataPath("Vededa.RUZ") + " --quantity nope").status, 0);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace vededa
