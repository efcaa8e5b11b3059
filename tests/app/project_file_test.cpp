#include "app/project_data.h"
#include "app/project_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace vededa {
namespace {

/// A project that uses every conditional block of the file with distinct values.
ProjectData projectWithEveryBlock(int16_t thrustModel, int16_t tsfcModel, int16_t dragModel) {
    ProjectData p = test::freshProject();
    p.dragModel = dragModel;
    p.thrustModel = thrustModel;
    p.tsfcModel = tsfcModel;
    p.constraintCount = 3;
    p.legCount = 2;
    p.constraints[1].type = "C";
    p.constraints[1].name = "Turn, 5 g";
    p.constraints[2].type = "J";
    p.constraints[2].name = "Acceleration (M0.8 to 1.6)";
    p.constraints[3].type = "E";
    p.constraints[3].name = "";
    p.constraints[2].p[8] = 50;
    p.legs[1].type = "E";
    p.legs[1].name = "Cruise, out";
    p.legs[1].p[15] = 150;
    p.legs[2].type = "L";
    p.legs[2].name = "Drop";
    p.legs[2].p[21] = 1200;
    p.wingLoading = 64;
    p.thrustLoading = 1.25f;
    p.takeoffWeight() = 24000;
    p.aircraft[kAircraftDeckThrottleRatio] = 1.05f;
    p.betaStart[1] = 0.98f;
    p.picturePath = "C:\\pictures\\jet.bmp";
    p.throttleRatio = 1.07f;
    for (int i = 1; i <= 4; ++i) {
        p.userThrust[i] = 0.1f * static_cast<float>(i);
        p.userTsfc[i] = 0.2f * static_cast<float>(i);
    }
    p.k1Table.count = 3;
    p.k2Table.count = 1;
    p.cd0Table.count = 11;
    for (int i = 1; i <= 11; ++i) {
        p.k1Table.mach[i] = 0.1f * static_cast<float>(i);
        p.k1Table.value[i] = 0.12f + 0.01f * static_cast<float>(i);
        p.k2Table.mach[i] = 0.2f * static_cast<float>(i);
        p.k2Table.value[i] = -0.001f * static_cast<float>(i);
        p.cd0Table.mach[i] = 0.3f * static_cast<float>(i);
        p.cd0Table.value[i] = 0.014f + 0.001f * static_cast<float>(i);
    }
    p.engine.fileName = "fighter.REF";
    p.engine.setup[kSetupEngineType] = 5;
    p.engine.setup[kSetupEngineCount] = 2;
    p.engine.setup[kSetupLossModel] = 3;
    for (int i = 1; i <= 32; ++i) p.engine.engine.component[i] = 0.9f + 0.003f * static_cast<float>(i);
    for (int i = 1; i <= 56; ++i) p.engine.engine.reference[i] = 1.0f / static_cast<float>(i) + 7.0f;
    // Distinct values inside every control's physical range (Mach, altitude, limits, loss).
    for (int i = 1; i <= 18; ++i) p.engine.controls[i] = 0.5f + 0.01f * static_cast<float>(i);
    p.engine.tt4MaxSetting = 3200;
    p.engine.tt7MaxSetting = 3600;
    p.contour.beta = 0.9f;
    p.contour.afterburner = 1;
    return p;
}

/// Gives `p` sizing settings of its own, so the optional sizing block is written.
void setSizing(ProjectData& p) {
    p.sizing.stored = true;
    p.sizing.wsMin = 30;
    p.sizing.wsMax = 110;
    p.sizing.wsCount = 33;
    p.sizing.twMin = 0.6f;
    p.sizing.twMax = 2.4f;
    p.sizing.twCount = 19;
    p.sizing.closure = true;
    p.sizing.emptyA = 2.34f;
    p.sizing.emptyC = -0.13f;
    p.sizing.crewWeight = 220;
    p.sizing.payloadKept = 1750;
    p.sizing.payloadReleased = 1250;
}

ProjectData readBack(const std::string& text, FileResult* result = nullptr) {
    ProjectData q = test::freshProject();
    const FileResult r = readProjectText(q, text, "test.RUZ");
    EXPECT_TRUE(r.ok) << r.message;
    if (result) *result = r;
    return q;
}

TEST(ProjectFile, EveryConditionalBlockRoundTrips) {
    struct Models {
        int16_t thrust, tsfc, drag;
    };
    for (Models m : {Models{2, 2, 6}, Models{5, 5, 7}, Models{6, 6, 1}, Models{7, 7, 7}, Models{0, 0, 0}}) {
        ProjectData p = projectWithEveryBlock(m.thrust, m.tsfc, m.drag);
        setSizing(p);
        const std::string text = projectText(p);
        ProjectData q = readBack(text);
        EXPECT_EQ(projectText(q), text) << "thrust " << m.thrust << " drag " << m.drag;
        EXPECT_EQ(q.constraints[1].name, "Turn, 5 g");
        EXPECT_EQ(q.legs[1].name, "Cruise, out");
        if (m.drag == 7) {
            EXPECT_EQ(q.cd0Table.count, 11);
            EXPECT_EQ(q.k1Table.value[3], p.k1Table.value[3]);
        }
        if (m.thrust == 7) {
            EXPECT_EQ(q.engine.setup[kSetupEngineType], 5);
            EXPECT_EQ(q.engine.engine.reference[56], p.engine.engine.reference[56]);
            // The temperature limits travel in engine controls 5 and 6.
            EXPECT_EQ(q.engine.tt4MaxSetting, 3200.0f);
            EXPECT_EQ(q.engine.tt7MaxSetting, 3600.0f);
        }
        if (m.thrust == 5) {
            EXPECT_EQ(q.userThrust[4], p.userThrust[4]);
        }
        if (m.tsfc == 5) {
            EXPECT_EQ(q.userTsfc[2], p.userTsfc[2]);
        }
        EXPECT_TRUE(q.sizing.stored);
        EXPECT_EQ(q.sizing.twCount, 19);
        EXPECT_TRUE(q.sizing.closure);
        EXPECT_EQ(q.sizing.emptyC, -0.13f);
        EXPECT_EQ(q.sizing.payloadReleased, 1250.0f);
        // Derived values are recomputed on reading.
        EXPECT_FLOAT_EQ(q.wingArea, 375.0f);
        EXPECT_FLOAT_EQ(q.seaLevelThrust, 30000.0f);
    }
}

TEST(ProjectFile, SizingBlockIsWrittenOnlyWhenSetAndFilesWithoutItReadAsBefore) {
    ProjectData p = projectWithEveryBlock(2, 2, 6);
    setSizing(p);
    const std::string withBlock = projectText(p);
    p.sizing.stored = false;
    const std::string without = projectText(p);
    // The block follows the last record; without settings nothing is written after it.
    ASSERT_EQ(withBlock.rfind(without, 0), 0u);
    EXPECT_EQ(withBlock.substr(without.size()),
              "Sizing Chart\r\n 30  110  33  .6  2.4  19 \r\n 1  2.34 -.13  220  1750  1250 \r\n");
    // A project read from a file without the block keeps no settings from the project before it.
    ProjectData q = test::freshProject();
    ASSERT_TRUE(readProjectText(q, withBlock, "a.RUZ").ok);
    ASSERT_TRUE(readProjectText(q, without, "b.RUZ").ok);
    EXPECT_FALSE(q.sizing.stored);
    EXPECT_FALSE(q.sizing.closure);
    EXPECT_EQ(projectText(q), without);
    // Blank lines before the block are allowed; a damaged block is refused with its line.
    EXPECT_TRUE(readBack(without + "\r\n" + withBlock.substr(without.size())).sizing.stored);
    const std::string damaged = without + "Sizing Chart\r\n 30 110 1 .6 2.4 19\r\n1 2 -.1 0 0 0\r\n";
    const FileResult r = readProjectText(q, damaged, "c.RUZ");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("sizing W/S points"), std::string::npos) << r.message;
}

TEST(ProjectFile, LayoutOfTheFirstLines) {
    ProjectData p = projectWithEveryBlock(2, 2, 6);
    const std::string text = projectText(p);
    const std::string head =
        "Vededa\r\n 126 \r\n 1 \r\n 3  2  6  2  2 \r\nC:\\pictures\\jet.bmp\r\n 0  0  0  0  0  0 \r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_NE(text.find("\r\n 64  1.25  .98  24000  1.05 \r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 5), " 1 \r\n");
}

TEST(ProjectFile, OptionalBlocksFollowTheModels) {
    // Thrust model 6 writes neither TR line; reading keeps the previous TR.
    ProjectData p = projectWithEveryBlock(6, 2, 6);
    p.throttleRatio = 1.3f;
    const std::string text = projectText(p);
    ProjectData q = test::freshProject();
    q.throttleRatio = 1.11f;
    ASSERT_TRUE(readProjectText(q, text, "x"));
    EXPECT_EQ(q.throttleRatio, 1.11f);
    // A drag model other than 7 keeps the table points in memory but zeroes the counts.
    ProjectData r = projectWithEveryBlock(2, 2, 7);
    ASSERT_TRUE(readProjectText(r, text, "x"));
    EXPECT_EQ(r.k1Table.count, 0);
    EXPECT_EQ(r.k1Table.value[2], projectWithEveryBlock(2, 2, 7).k1Table.value[2]);
}

TEST(ProjectFile, AnotherVersionIsReadWithoutTheLastLineAndWrittenBackAsRead) {
    ProjectData p = projectWithEveryBlock(2, 2, 6);
    std::string text = projectText(p);
    text.replace(text.find(" 126 "), 5, " 125 ");
    text.erase(text.size() - 5); // drop the trailing unit line
    ProjectData q = readBack(text);
    EXPECT_EQ(q.fileVersion, 125);
    const std::string again = projectText(q);
    EXPECT_EQ(again.substr(again.size() - 5), " 1 \r\n");
    EXPECT_NE(again.find(" 125 "), std::string::npos);
}

TEST(ProjectFile, NoConstraintsOrLegsStillHasTheAircraftLine) {
    ProjectData p = test::freshProject();
    p.wingLoading = 50;
    const std::string text = projectText(p);
    ProjectData q = readBack(text);
    EXPECT_EQ(q.constraintCount, 0);
    EXPECT_EQ(q.legCount, 0);
    EXPECT_EQ(q.wingLoading, 50.0f);
}

TEST(ProjectFile, NamesAreTheRestOfTheLineWithoutLeadingBlanks) {
    ProjectData p = projectWithEveryBlock(2, 2, 6);
    p.constraints[2].name = "plain, with a comma";
    std::string text = projectText(p);
    // A hand-written line with leading blanks reads without them ...
    text.replace(text.find("plain, with a comma"), 5, "   plain");
    EXPECT_EQ(readBack(text).constraints[2].name, "plain, with a comma");
    // ... while a name that has them keeps them through a save: the writer quotes it.
    p.constraints[2].name = "   leading blanks, and a comma";
    EXPECT_EQ(readBack(projectText(p)).constraints[2].name, "   leading blanks, and a comma");
}

TEST(ProjectFile, ReadsLenientNumbers) {
    ProjectData p = projectWithEveryBlock(2, 2, 6);
    std::string text = projectText(p);
    // Commas as separators, leading zeros and exponents are all numbers.
    const std::string line10 = "\r\n 64  1.25  .98  24000  1.05 \r\n";
    text.replace(text.find(line10), line10.size(), "\r\n64,1.25, 0.98,2.4E+04, +1.05\r\n");
    ProjectData q = readBack(text);
    EXPECT_EQ(q.takeoffWeight(), 24000.0f);
    EXPECT_EQ(q.betaStart[1], 0.98f);
    EXPECT_EQ(q.aircraft[kAircraftDeckThrottleRatio], 1.05f);
}

struct BadFile {
    const char* what;
    std::string (*damage)(std::string);
    int line; ///< expected line of the error
    const char* mentions;
};

std::string replaceFirst(std::string s, const std::string& from, const std::string& to) {
    s.replace(s.find(from), from.size(), to);
    return s;
}

TEST(ProjectFile, MalformedFilesAreRefusedAndChangeNothing) {
    const BadFile cases[] = {
        {"empty", [](std::string) { return std::string(); }, 1, "end of file"},
        {"truncated", [](std::string s) { return s.substr(0, s.size() / 2); }, 0, "end of file"},
        {"non-numeric count", [](std::string s) { return replaceFirst(s, " 3  2  7 ", " three  2  7 "); }, 4,
         "number of constraints"},
        {"too many constraints", [](std::string s) { return replaceFirst(s, " 3  2  7 ", " 31  2  7 "); }, 4,
         "number of constraints"},
        {"negative legs", [](std::string s) { return replaceFirst(s, " 3  2  7 ", " 3 -1  7 "); }, 4,
         "mission legs"},
        {"drag model 8", [](std::string s) { return replaceFirst(s, " 3  2  7  7 ", " 3  2  8  7 "); }, 4,
         "drag model"},
        {"unit system 3", [](std::string s) { return replaceFirst(s, "\r\n 1 \r\n", "\r\n 3 \r\n"); }, 3,
         "unit system"},
        {"fractional count", [](std::string s) { return replaceFirst(s, " 3  2  7 ", " 2.5  2  7 "); }, 4,
         "number of constraints"},
        {"bad type letter", [](std::string s) { return replaceFirst(s, "\r\nC\r\nTurn", "\r\nQ\r\nTurn"); },
         9, "type letter of constraint 1"},
        {"not a number", [](std::string s) { return replaceFirst(s, " 24000 ", " 24k "); }, 0,
         "takeoff weight"},
        {"infinite", [](std::string s) { return replaceFirst(s, " 24000 ", " inf "); }, 0, "takeoff weight"},
        {"overflow", [](std::string s) { return replaceFirst(s, " 24000 ", " 1e39 "); }, 0, "takeoff weight"},
        {"oversize drag table", [](std::string s) { return replaceFirst(s, " 3  1  11 ", " 3  1  12 "); }, 0,
         "CD0 points"},
    };
    for (const BadFile& c : cases) {
        ProjectData source = projectWithEveryBlock(7, 7, 7);
        const std::string bad = c.damage(projectText(source));
        ProjectData target = test::freshProject();
        target.constraintCount = 1;
        target.constraints[1].name = "keep me";
        target.projectPath = "old.RUZ";
        const std::string before = projectText(target);
        const FileResult r = readProjectText(target, bad, "damaged.RUZ");
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_NE(r.message.find("damaged.RUZ, line "), std::string::npos) << c.what << ": " << r.message;
        EXPECT_NE(r.message.find(c.mentions), std::string::npos) << c.what << ": " << r.message;
        if (c.line > 0) {
            EXPECT_EQ(r.line, c.line) << c.what << ": " << r.message;
        }
        EXPECT_EQ(projectText(target), before) << c.what;
        EXPECT_EQ(target.projectPath, "old.RUZ") << c.what;
    }
}

TEST(ProjectFile, SaveReplacesOnlyAfterACompleteWrite) {
    const std::string dir = test::tempDir();
    const std::string path = dir + "/plane.RUZ";
    ProjectData p = projectWithEveryBlock(2, 2, 6);
    ASSERT_TRUE(writeProject(p, path));
    ProjectData q = test::freshProject();
    ASSERT_TRUE(readProject(q, path));
    EXPECT_EQ(q.projectPath, path);
    EXPECT_EQ(projectText(q), projectText(p));

    // A save into a directory that cannot be written fails, says so, and leaves the old file as it was.
    const std::string locked = dir + "/locked";
    std::filesystem::create_directory(locked);
    const std::string lockedFile = locked + "/plane.RUZ";
    ASSERT_TRUE(writeProject(p, lockedFile));
    const std::string old = test::readFile(lockedFile);
    ::chmod(locked.c_str(), 0555);
    p.constraints[1].name = "changed";
    const FileResult r = writeProject(p, lockedFile);
    ::chmod(locked.c_str(), 0755);
    if (::geteuid() != 0) { // root writes anywhere
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find("previous file is unchanged"), std::string::npos) << r.message;
        EXPECT_EQ(test::readFile(lockedFile), old);
    }
    // A target that is a directory cannot be replaced: the failure is reported and nothing is left behind.
    const FileResult dirTarget = writeProject(p, locked);
    EXPECT_FALSE(dirTarget.ok);
    EXPECT_TRUE(std::filesystem::is_directory(locked));
    int leftovers = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        leftovers += entry.path().filename() != "plane.RUZ" && entry.path().filename() != "locked";
    EXPECT_EQ(leftovers, 0);
    std::filesystem::remove_all(dir);
}

TEST(ProjectFile, MissingFileIsAnError) {
    ProjectData p = test::freshProject();
    const FileResult r = readProject(p, "/nonexistent/Vededa.RUZ");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("/nonexistent/Vededa.RUZ"), std::string::npos);
    EXPECT_TRUE(p.projectPath.empty());
}

TEST(ProjectFile, BundledDefaultProjectReads) {
    ProjectData p = test::freshProject();
    const FileResult r = readProject(p, test::dataPath("Vededa.RUZ"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(p.dragModel, 6);
    EXPECT_EQ(p.thrustModel, 2);
    EXPECT_GE(p.constraintCount, 10);
    EXPECT_EQ(p.legCount, 13);
    bool constraintTypes[10] = {};
    for (int k = 1; k <= p.constraintCount; ++k)
        constraintTypes[p.constraints[static_cast<std::size_t>(k)].type[0] - 'A'] = true;
    for (bool seen : constraintTypes) EXPECT_TRUE(seen);
    bool legTypes[13] = {};
    for (int j = 1; j <= p.legCount; ++j) legTypes[p.legs[static_cast<std::size_t>(j)].type[0] - 'A'] = true;
    for (bool seen : legTypes) EXPECT_TRUE(seen);
}

} // namespace
} // namespace vededa
