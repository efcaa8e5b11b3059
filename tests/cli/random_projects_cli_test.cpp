// Many valid projects on a fixed seed through every command: no NaN or Infinity text, no figure that
// could not be computed behind a zero status, and every command ends in bounded time. The bundled
// projects are varied: every number of every constraint and leg, the aircraft and the axes is scaled
// at random, and now and then set to 0 or made negative. VEDEDA_RANDOM_PROJECTS sets the number of
// projects (default 16) and VEDEDA_RANDOM_SEED the seed, for longer audits by hand.
#include "app/project_data.h"
#include "app/project_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <regex>

namespace vededa {
namespace {

namespace fs = std::filesystem;

int fromEnvironment(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v ? std::atoi(v) : fallback;
}

/// Scales `v` at random, now and then to 0 or (when `negative`) to its negative.
void vary(float& v, std::mt19937& rng, bool negative = true) {
    std::uniform_real_distribution<float> scale(0.5f, 1.5f);
    std::uniform_int_distribution<int> rare(0, 99);
    const int r = rare(rng);
    if (r < 3)
        v = 0;
    else if (r < 5)
        v = negative ? -v : v;
    else
        v *= scale(rng);
}

TEST(RandomProjects, EveryCommandOnVariedProjectsPrintsOnlyNumbers) {
    const int count = fromEnvironment("VEDEDA_RANDOM_PROJECTS", 16);
    std::mt19937 rng(static_cast<unsigned>(fromEnvironment("VEDEDA_RANDOM_SEED", 2026)));
    const std::string dir = test::tempDir();
    static const std::regex word(R"((^|[^A-Za-z0-9_])(nan|inf|infinity)([^A-Za-z0-9_]|$))",
                                 std::regex::icase);
    static const std::regex notComputed(R"((^|[^*])\*{7}([^*]|$))");
    for (int k = 0; k < count; ++k) {
        ProjectData p = test::freshProject();
        const char* base = k % 2 == 0 ? "Vededa.RUZ" : "Vededa_deck.RUZ";
        ASSERT_TRUE(readProject(p, test::dataPath(base)).ok);
        for (int n = 1; n <= p.constraintCount; ++n)
            for (int i = 1; i <= kConstraintParameters; ++i)
                // A constraint's altitude stays in its physical range: a project file refuses
                // one far below sea level.
                if (i != 23) vary(p.constraints[static_cast<std::size_t>(n)].p[i], rng, i != 2);
        for (int n = 1; n <= p.legCount; ++n)
            for (int i = 1; i <= kLegParameters; ++i)
                if (i != 18) vary(p.legs[static_cast<std::size_t>(n)].p[i], rng);
        vary(p.wingLoading, rng);
        vary(p.thrustLoading, rng);
        vary(p.betaStart[1], rng);
        vary(p.wsAxis[1], rng);
        vary(p.twAxis[2], rng);
        const std::string file = dir + "/p" + std::to_string(k) + ".RUZ";
        const FileResult saved = writeProject(p, file);
        ASSERT_TRUE(saved.ok) << saved.message;
        for (const std::string& command :
             {"show " + file, "constraints " + file + " --date 1/1/2026",
              "mission " + file + " --date 1/1/2026", "contour " + file + " --grid"}) {
            // A bound far above the few seconds a command takes: a hang fails, it does not stall the run.
            const test::CliResult r = test::runCliWithin(command, 120);
            EXPECT_NE(r.status, 124) << "timed out: " << command;
            EXPECT_FALSE(std::regex_search(r.out, word)) << base << " seed project " << k << ": " << command;
            if (std::regex_search(r.out, notComputed)) {
                EXPECT_NE(r.status, 0) << "a figure was not computed, yet the status is 0: " << command;
            }
        }
    }
    fs::remove_all(dir);
}

} // namespace
} // namespace vededa
