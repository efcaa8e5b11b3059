// Text fields that survive a save, refused text, bounded reads and saves that keep the user's files.
#include "app/bounded_read.h"
#include "app/field_ranges.h"
#include "app/project_data.h"
#include "app/project_file.h"
#include "app/range_steps.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sys/stat.h>

namespace vededa {
namespace {

namespace fs = std::filesystem;

std::string reproducer(const std::string& name) {
    return std::string(VEDEDA_REPRODUCER_DIR) + "/" + name;
}

ProjectData withNames(const std::string& constraintName, const std::string& legName) {
    ProjectData p = test::freshProject();
    p.constraintCount = 1, p.legCount = 1;
    p.constraints[1].type = "A", p.legs[1].type = "E";
    p.constraints[1].name = constraintName;
    p.legs[1].name = legName;
    return p;
}

// Every name the writer can be given comes back from a save unchanged.
class TextRoundTrip : public ::testing::TestWithParam<const char*> {};
TEST_P(TextRoundTrip, NameSurvivesSaveAndRead) {
    const ProjectData p = withNames(GetParam(), GetParam());
    ProjectData q = test::freshProject();
    const FileResult r = readProjectText(q, projectText(p), "t.RUZ");
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(q.constraints[1].name, GetParam());
    EXPECT_EQ(q.legs[1].name, GetParam());
    EXPECT_EQ(projectText(q), projectText(p));
}
INSTANTIATE_TEST_SUITE_P(Names, TextRoundTrip,
                         ::testing::Values("\"Big\" turn at M0.9", "   leading blanks", "trailing blanks   ",
                                           "\"", "\"\"", "say \"hi\"", "\ttab first", "", "a, b, c",
                                           "\"unclosed"));

struct RefusedText {
    const char* what;
    std::string line; ///< replaces the name of constraint 1
    const char* mentions;
};
class RefusedName : public ::testing::TestWithParam<RefusedText> {};
TEST_P(RefusedName, NamesTheLineAndLeavesTheProject) {
    ProjectData p = withNames("NAME-OF-ONE", "leg");
    std::string text = projectText(p);
    const auto at = text.find("NAME-OF-ONE");
    text.replace(at, 11, GetParam().line);
    const int line =
        1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
    ProjectData q = test::freshProject();
    const std::string before = projectText(q);
    const FileResult r = readProjectText(q, text, "bad.RUZ");
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.line, line) << r.message;
    EXPECT_NE(r.message.find(GetParam().mentions), std::string::npos) << r.message;
    for (char c : r.message)
        EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20) << "raw control byte in message";
    EXPECT_EQ(projectText(q), before);
}
INSTANTIATE_TEST_SUITE_P(
    Text, RefusedName,
    ::testing::Values(RefusedText{"afterQuote", "\"Big\" turn at M0.9", "text after the closing quote"},
                      RefusedText{"bareCR", "Air\rdrop", "control character in \"Air\\x0Ddrop\""},
                      RefusedText{"nul", std::string("a\0b", 3), "\\x00"},
                      RefusedText{"escape", "x\x1b[2J", "\\x1B"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(ProjectFileReproducers, DamagedTextIsRefusedAndQuotedBlanksSurvive) {
    ProjectData p = test::freshProject();
    EXPECT_FALSE(readProject(p, reproducer("name_after_quote_dropped.RUZ")).ok);
    EXPECT_FALSE(readProject(p, reproducer("name_with_bare_cr_accepted.RUZ")).ok);
    // A file that is refused says why without raw control bytes; one that is read writes back the same.
    const FileResult r = readProject(p, reproducer("project_roundtrip_leading_blanks_in_quotes.RUZ"));
    if (r.ok) {
        ProjectData again = test::freshProject();
        ASSERT_TRUE(readProjectText(again, projectText(p), "again.RUZ").ok);
        EXPECT_EQ(projectText(again), projectText(p));
    } else {
        EXPECT_NE(r.message.find("\\x"), std::string::npos) << r.message;
    }
}

TEST(BoundedRead, RefusesDevicesFoldersAndLargeFilesBeforeReading) {
    const std::string dir = test::tempDir();
    const std::string big = dir + "/big.RUZ";
    test::writeFile(big, std::string(kMaxInputFileBytes + 1, ' '));
    struct Case {
        std::string path;
        const char* mentions;
    };
    for (const Case& c : {Case{"/dev/zero", "not a regular file"}, Case{dir, "not a regular file (a folder)"},
                          Case{big, "too large"}, Case{dir + "/none.RUZ", "cannot open"}}) {
        std::string text = "unchanged", error;
        EXPECT_FALSE(readBoundedFile(c.path, text, error)) << c.path;
        EXPECT_EQ(text, "unchanged");
        EXPECT_NE(error.find(c.mentions), std::string::npos) << error;
        ProjectData p = test::freshProject();
        const FileResult r = readProject(p, c.path);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find(c.mentions), std::string::npos) << r.message;
    }
    fs::remove_all(dir);
}

TEST(SaveProject, CleansStaleTemporariesAndWritesThroughLinks) {
    const std::string dir = test::tempDir();
    const std::string real = dir + "/real.RUZ", link = dir + "/link.RUZ";
    ProjectData p = test::freshProject();
    p.constraintCount = 1;
    p.constraints[1].type = "A";
    ASSERT_TRUE(writeProject(p, real).ok);
    // What killed saves left behind is removed by the next save of that file, and nothing else.
    test::writeFile(real + ".saving-a1B2c3", "half");
    test::writeFile(real + ".saving-keep-me", "user file");
    test::writeFile(dir + "/other.RUZ.saving-a1B2c3", "another file's");
    fs::create_symlink("real.RUZ", link);
    p.constraints[1].name = "through the link";
    ASSERT_TRUE(writeProject(p, link).ok);
    EXPECT_TRUE(fs::is_symlink(link)) << "the link itself is kept";
    ProjectData q = test::freshProject();
    ASSERT_TRUE(readProject(q, real).ok);
    EXPECT_EQ(q.constraints[1].name, "through the link");
    EXPECT_FALSE(fs::exists(real + ".saving-a1B2c3"));
    EXPECT_TRUE(fs::exists(real + ".saving-keep-me"));
    EXPECT_TRUE(fs::exists(dir + "/other.RUZ.saving-a1B2c3"));
    fs::remove_all(dir);
}

TEST(SaveProject, RefusesReadOnlyTargetsAndValuesThatAreNotNumbers) {
    const std::string dir = test::tempDir();
    const std::string path = dir + "/locked.RUZ";
    ProjectData p = test::freshProject();
    p.constraintCount = 1;
    p.constraints[1].type = "A";
    ASSERT_TRUE(writeProject(p, path).ok);
    const std::string before = test::readFile(path);
    ::chmod(path.c_str(), 0444);
    p.constraints[1].name = "changed";
    FileResult r = writeProject(p, path);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("read-only"), std::string::npos) << r.message;
    EXPECT_EQ(test::readFile(path), before);
    ::chmod(path.c_str(), 0644);
    p.wingLoading = std::nanf("");
    r = writeProject(p, path);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("W/S"), std::string::npos) << r.message;
    EXPECT_EQ(test::readFile(path), before);
    fs::remove_all(dir);
}

// Values with a physical range are refused where they enter from a file, naming the line and the
// field; the writer refuses to save what the reader would refuse, so every saved project reads back.
TEST(ProjectFileRanges, ValuesOutsideTheirPhysicalRangeAreRefusedOnReadAndOnSave) {
    struct Case {
        const char* base;
        void (*change)(ProjectData&);
        const char* field; ///< empty: accepted
    };
    const Case cases[] = {
        {"Vededa.RUZ", [](ProjectData& p) { p.constraints[2].p[2] = 1e6f; },
         "the altitude (parameter 2) of constraint 2 must be from -5000 to 300000, found 1000000"},
        {"Vededa.RUZ", [](ProjectData& p) { p.constraints[1].p[2] = -400; }, ""},
        // A temperature of 0 reads: the calculation ends that constraint with a line naming it.
        {"Vededa.RUZ", [](ProjectData& p) { p.constraints[1].p[3] = 0; }, ""},
        {"Vededa.RUZ", [](ProjectData& p) { p.throttleRatio = 5; }, "the throttle ratio TR must be from"},
        {"Vededa.RUZ", [](ProjectData& p) { p.contour.altitude[2] = 400; }, "the contour altitude maximum"},
        {"Vededa.RUZ", [](ProjectData& p) { p.contour.altitude[2] = 250; }, ""},
        {"Vededa_deck.RUZ", [](ProjectData& p) { p.engine.controls[1] = 12; },
         "engine control 1 (the flight Mach number) must be from 0 to 10, found 12"},
        {"Vededa_deck.RUZ", [](ProjectData& p) { p.engine.controls[8] = 1.5f; },
         "engine control 8 (the constant installation loss)"},
        {"Vededa_deck.RUZ", [](ProjectData& p) { p.engine.controls[13] = -1; }, "engine control 13"},
        // The same altitude is in range in feet and out of range in metres.
        {"Vededa_deck.RUZ", [](ProjectData& p) { p.engine.controls[2] = 95000; }, ""},
        {"Vededa_deck.RUZ",
         [](ProjectData& p) {
             p.engine.controls[2] = 95000;
             p.unitSystem = kSI;
         },
         "engine control 2 (the altitude) must be from -1500 to 91440, found 95000"},
    };
    const std::string dir = test::tempDir();
    for (const Case& c : cases) {
        ProjectData p = test::freshProject();
        ASSERT_TRUE(readProject(p, test::dataPath(c.base)).ok);
        c.change(p);
        const std::string text = projectText(p);
        ProjectData q = test::freshProject();
        const std::string before = projectText(q);
        const FileResult read = readProjectText(q, text, "x.RUZ");
        const std::string path = dir + "/saved.RUZ";
        fs::remove(path);
        const FileResult saved = writeProject(p, path);
        if (*c.field == '\0') {
            EXPECT_TRUE(read.ok) << read.message;
            EXPECT_TRUE(saved.ok) << saved.message;
            continue;
        }
        EXPECT_FALSE(read.ok) << c.field;
        EXPECT_NE(read.message.find(c.field), std::string::npos) << read.message;
        // The message names the line the value stands on.
        const std::string prefix = "x.RUZ, line " + std::to_string(read.line) + ": ";
        EXPECT_EQ(read.message.rfind(prefix, 0), 0u) << read.message;
        EXPECT_GT(read.line, 3);
        EXPECT_EQ(projectText(q), before) << "a refused file changed the project";
        EXPECT_FALSE(saved.ok);
        EXPECT_NE(saved.message.find(c.field), std::string::npos) << saved.message;
        EXPECT_FALSE(fs::exists(path));
    }
    fs::remove_all(dir);
}

TEST(RangeSteps, PointsAreMinimumPlusWholeIncrementsWithTheEndTolerance) {
    struct Case {
        float min, max, inc;
        double count;
    };
    // 1250..1750 Pa by 250 Pa in psf: the last point lies a rounding error short of the maximum.
    const float psf = 0.020885434f;
    for (const Case& c :
         {Case{1250 * psf, 1750 * psf, 250 * psf, 2}, Case{0, 1, 0.1f, 10}, Case{20, 120, 10, 10},
          Case{120, 20, -10, 10}, Case{20, 10, 5, -2}, Case{-3e38f, 0, 1e-30f, 3e68}})
        test::expectNear(rangeIncrementCount(c.min, c.max, c.inc), c.count, 1e-6, "increments");
    EXPECT_TRUE(std::isnan(rangeIncrementCount(0, 1, 0)));
    EXPECT_TRUE(std::isnan(rangeIncrementCount(0, INFINITY, 1)));
    EXPECT_FLOAT_EQ(rangePoint(0.1f, 0.1f, 29), 3.0f);
}

TEST(FieldRanges, RefuseValuesThatAreNotNumbersOrOutsideTheirRange) {
    struct Case {
        const char* key;
        const char* text;
        bool si;
        bool accepted;
    };
    for (const Case& c :
         {Case{"mach", "0.8", false, true}, Case{"mach", "nan", false, false},
          Case{"mach", "1e300", false, false}, Case{"mach", "abc", false, false},
          Case{"mach", "0x1p3", false, false}, Case{"alt", "100000", false, true},
          Case{"alt", "1e30", false, false}, Case{"tt4", "0", false, false}, Case{"tt4", "3000", true, true},
          Case{"tt4", "5000", true, false}, Case{"scale", "-1", false, false},
          Case{"tr", "1e30", false, false}, Case{"engines", "2", false, true},
          Case{"alt-k", "60", false, true}, Case{"alt-k", "100", true, false}}) {
        const FieldRange* range = findFieldRange(c.key);
        ASSERT_NE(range, nullptr) << c.key;
        double v = 0;
        const std::string problem = fieldTextProblem(*range, c.text, c.si, v);
        EXPECT_EQ(problem.empty(), c.accepted) << c.key << " " << c.text << ": " << problem;
        if (!c.accepted) {
            EXPECT_NE(problem.find(std::string(range->caption)), std::string::npos) << problem;
        }
    }
}

} // namespace
} // namespace vededa
