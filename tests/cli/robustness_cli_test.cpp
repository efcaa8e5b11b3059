// Every reproducer and bundled file through every command: no NaN or Infinity text in any output, a
// refused input or a failed figure ends with a non-zero status, and misused options end with status 2.
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace vededa {
namespace {

namespace fs = std::filesystem;

bool mentionsNonFinite(const std::string& text) {
    static const std::regex word(R"((^|[^A-Za-z0-9_])(nan|inf|infinity)([^A-Za-z0-9_]|$))",
                                 std::regex::icase);
    return std::regex_search(text, word);
}

std::vector<std::string> inputFiles() {
    std::vector<std::string> files;
    for (const char* dir : {VEDEDA_REPRODUCER_DIR, VEDEDA_TEST_DATA_DIR})
        for (const auto& e : fs::directory_iterator(dir)) {
            const std::string ext = e.path().extension().string();
            if (ext == ".RUZ" || ext == ".REF") files.push_back(e.path().string());
        }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(RobustnessCli, EveryFileThroughEveryCommandPrintsNoNonFiniteText) {
    const std::string dir = test::tempDir();
    for (const std::string& file : inputFiles()) {
        // Outputs are read from files named neutrally, so a file name cannot match the search.
        test::writeFile(dir + "/in" + fs::path(file).extension().string(), test::readFile(file));
        const std::string in = dir + "/in" + fs::path(file).extension().string();
        std::vector<std::string> commands;
        if (fs::path(file).extension() == ".RUZ") {
            commands = {"show " + in, "constraints " + in + " --date 1/1/2026 --svg " + dir + "/c.svg",
                        "mission " + in + " --date 1/1/2026 --svg " + dir + "/m.svg",
                        "contour " + in + " --grid --svg " + dir + "/k.svg",
                        "convert " + in + " --units si -o " + dir + "/out.RUZ"};
        } else {
            commands = {"engine " + in + " --mach 0.8 --alt 30000", "engine " + in + " --hook",
                        "engine " + in + " --interfaces", "engine " + in + " --series mach 0 2 0.5"};
        }
        for (const std::string& command : commands) {
            fs::remove(dir + "/c.svg"), fs::remove(dir + "/m.svg"), fs::remove(dir + "/k.svg");
            const test::CliResult r = test::runCli(command);
            EXPECT_FALSE(mentionsNonFinite(r.out)) << fs::path(file).filename() << ": " << command << "\n"
                                                   << r.out;
            static const std::regex notComputed(R"((^|[^*])\*{7}([^*]|$))");
            // The command's closing complaint names the ******* mark itself: look at the output without it.
            static const std::regex complaint(R"([^\n]*could not be computed[^\n]*)");
            const std::string shown = std::regex_replace(r.out, complaint, "");
            if (std::regex_search(shown, notComputed)) {
                EXPECT_NE(r.status, 0) << "a figure was not computed, yet the status is 0: " << command;
            } else {
                // The converse: no figure shown as not computed, so no such complaint.
                EXPECT_EQ(r.out.find("could not be computed"), std::string::npos)
                    << fs::path(file).filename() << ": " << command << "\n"
                    << r.out;
            }
            for (const char* svg : {"/c.svg", "/m.svg", "/k.svg"}) {
                if (fs::exists(dir + svg)) {
                    EXPECT_FALSE(mentionsNonFinite(test::readFile(dir + svg))) << command;
                }
            }
        }
    }
    fs::remove_all(dir);
}

TEST(RobustnessCli, MissionReproducersSayWhyALegCannotBeComputed) {
    // Seven asterisks alone stand for a figure that could not be computed (longer runs are banners).
    static const std::regex notComputed(R"((^|[^*])\*{7}([^*]|$))");
    // The last four were found by fuzzing: an installation loss of 1, a deck run without solution that
    // leaves the nozzle area without a value, a drag that overflows before the thrust check, and a deck
    // that returns a negative fuel flow (the weight fraction would grow without bound).
    for (const char* name : {"mission_nan_deck_zero_velocity.RUZ", "mission_nan_deck_after_nosolution.RUZ",
                             "mission_nan_ramjet_deck.RUZ", "mission_deck_installation_loss_one.RUZ",
                             "mission_deck_nozzle_area_not_computed.RUZ", "mission_deck_drag_overflow.RUZ",
                             "mission_deck_negative_fuel_flow.RUZ"}) {
        const test::CliResult r =
            test::runCli(std::string("mission ") + VEDEDA_REPRODUCER_DIR + "/" + name + " --date 1/1/2026");
        EXPECT_FALSE(std::regex_search(r.out, notComputed)) << name << "\n" << r.out;
        EXPECT_NE(r.out.find(" not computed"), std::string::npos) << name;
        // A weight fraction never grows beyond all bounds.
        EXPECT_EQ(r.out.find("E+3"), std::string::npos) << name;
    }
}

TEST(RobustnessCli, OptionsThatAreNotFiniteOrOutOfRangeEndWithStatusTwo) {
    const std::string ref = test::dataPath("turbojet.REF");
    for (const std::string& args :
         {std::string("atmosphere nan"), std::string("atmosphere 1e300"), std::string("atmosphere 1e30"),
          "engine " + ref + " --mach 1e300 --alt 0", "engine " + ref + " --mach 11 --alt 0",
          "engine " + ref + " --hook --mach 1e300", "engine " + ref + " --series mach nan 2 .1",
          "engine " + ref + " --series mach 0 2 abc", "engine " + ref + " --mach 0.5 --alt 0 --scale -1",
          "engine " + ref + " --mach 0.5 --alt 0 --tt4 inf", "engine " + ref + " --series alt 0 1e9 1000",
          std::string("show /dev/zero"), std::string("engine /dev/zero --mach 0 --alt 0"),
          std::string("show /tmp")}) {
        const test::CliResult r = test::runCli(args);
        EXPECT_EQ(r.status, 2) << args << "\n" << r.out;
        EXPECT_FALSE(mentionsNonFinite(r.out)) << args << "\n" << r.out;
    }
    const test::CliResult top = test::runCli("atmosphere 150000");
    EXPECT_EQ(top.status, 0);
    EXPECT_NE(top.out.find("above the atmosphere table"), std::string::npos) << top.out;
}

} // namespace
} // namespace vededa
