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
          Case{"tr", "1e30", false, false}, Case{"engines", "2", false, true}}) {
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
