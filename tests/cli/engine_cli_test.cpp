#include "app/project_data.h"
#include "engine/engine_design.h"
#include "engine/reference_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <sys/wait.h>

namespace vededa {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
};

CliRun cli(const std::string& args) {
    CliRun r;
    const std::string command = std::string(VEDEDA_CLI_PATH) + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    std::array<char, 4096> buf{};
    while (std::fgets(buf.data(), buf.size(), pipe)) r.out += buf.data();
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

std::vector<std::string> names(const std::string& out) {
    std::vector<std::string> v;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) v.push_back(line.substr(0, line.find(" = ")));
    return v;
}

std::map<std::string, double> values(const std::string& out) {
    std::map<std::string, double> m;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        const auto eq = line.find(" = ");
        if (eq != std::string::npos) m[line.substr(0, eq)] = std::atof(line.substr(eq + 3).c_str());
    }
    return m;
}

TEST(EngineCli, EveryBundledReferenceFileLoadsAndRunsAtItsReferencePoint) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(test::dataPath(""))) {
        if (entry.path().extension() != ".REF") continue;
        ++count;
        ProjectData p = test::freshProject();
        const ReferenceReadResult read = ReadReferenceFile(p, entry.path().string());
        ASSERT_TRUE(read.ok) << entry.path() << ": " << read.message;
        const auto& ref = p.engine.engine.reference;
        std::ostringstream args;
        args << "engine " << entry.path().string() << " --mach " << ref[1] << " --alt " << ref[4] << " --t0 "
             << ref[2] << " --p0 " << ref[3] << " --tt4 " << ref[5] << " --tt7 " << ref[6]
             << " --cpr-max 0 --pt3-max 0 --tt3-max 0 --nl-max 0 --nh-max 0";
        const CliRun r = cli(args.str());
        ASSERT_EQ(r.status, 0) << r.out;
        const auto v = values(r.out);
        test::expectNear(v.at("F"), ref[27], 2e-4, entry.path().filename().string() + " F");
        test::expectNear(v.at("S"), ref[23], 2e-4, entry.path().filename().string() + " S");
    }
    EXPECT_GE(count, 4);
}

TEST(EngineCli, OutputLinesKeepTheirOrder) {
    const CliRun r =
        cli("engine " + test::dataPath("fighter_ab.REF") + " --mach 0.9 --alt 30000 --percent 60");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::vector<std::string> expected = {
        "F_max", "F",        "S",          "m0",         "A0",   "A9",    "Tt4",
        "Tt7",   "AB state", "limit code", "limit name", "pi_c", "pi_c'", "pi_cH",
        "alpha", "tau_tL",   "Pt9/P9",     "%N_L",       "%N_H", "m_c2",  "m_c25"};
    EXPECT_EQ(names(r.out), expected);
    const auto v = values(r.out);
    EXPECT_NEAR(v.at("F"), 0.6 * v.at("F_max"), 2.0);
    EXPECT_EQ(v.at("limit code"), 8);
}

TEST(EngineCli, FailureExitsWithStatusOneAndPrintsItsMessage) {
    const CliRun r = cli("engine " + test::dataPath("turbojet.REF") + " --mach 0.9 --alt 0 --tt4 1");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("limit code = 11"), std::string::npos);
    EXPECT_NE(r.out.find("message = "), std::string::npos);
}

TEST(EngineCli, DesignEngineWritesAFileTheReaderAcceptsAndRefusesBadDesigns) {
    const std::string dir = test::tempDir();
    test::writeFile(dir + "/jet.design",
                    "type = 1\nTt4 = 2500\npifan = 4\npihpc = 3\nmdot = 100\npiab = 1\n");
    CliRun r = cli("design-engine " + dir + "/jet.design -o " + dir + "/jet.REF");
    ASSERT_EQ(r.status, 0) << r.out;
    ProjectData p = test::freshProject();
    ASSERT_TRUE(ReadReferenceFile(p, dir + "/jet.REF").ok);
    EXPECT_EQ(p.engine.setup[kSetupEngineType], 1);

    test::writeFile(dir + "/bad.design", "type = 1\nTt4 = 2500\npifam = 4\nmdot = 100\n");
    r = cli("design-engine " + dir + "/bad.design -o " + dir + "/bad.REF");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("line 3: unknown key 'pifam'"), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(dir + "/bad.REF"));

    // No fan work: the low-pressure turbine would do nothing, which the deck cannot run.
    test::writeFile(dir + "/nofan.design", "type = 1\nTt4 = 2500\npihpc = 12\nmdot = 100\n");
    r = cli("design-engine " + dir + "/nofan.design -o " + dir + "/nofan.REF");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("low-pressure turbine"), std::string::npos) << r.out;
}

} // namespace
} // namespace vededa
