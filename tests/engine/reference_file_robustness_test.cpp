// The reference reader names the file, the line and the value it expected, and reads numbers by the
// rules of project files.
#include "engine/reference_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vededa {
namespace {

std::string reproducer(const std::string& name) {
    return std::string(VEDEDA_REPRODUCER_DIR) + "/" + name;
}

struct Damage {
    const char* what;
    std::string (*apply)(std::string);
    const char* mentions;
};

std::string replaceFirst(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

class DamagedReference : public ::testing::TestWithParam<Damage> {};
TEST_P(DamagedReference, IsRefusedWithFileLineAndExpectedValue) {
    const std::string good = test::readFile(test::dataPath("turbojet_ab.REF"));
    ProjectData p = test::freshProject();
    const EngineData before = p.engine;
    const ReferenceReadResult r = readReferenceText(p, GetParam().apply(good), "ENG.REF");
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.message, "Error in Reading Data File !!!");
    EXPECT_EQ(r.detail.rfind("ENG.REF, line ", 0), 0u) << r.detail;
    EXPECT_NE(r.detail.find(GetParam().mentions), std::string::npos) << r.detail;
    EXPECT_TRUE(p.engine.engine.reference == before.engine.reference);
}
INSTANTIATE_TEST_SUITE_P(
    Files, DamagedReference,
    ::testing::Values(Damage{"hexFloat", [](std::string t) { return replaceFirst(t, "22", "0x16"); },
                             "expected the file code"},
                      Damage{"word", [](std::string t) { return replaceFirst(t, "\n0, 42", "\nzero, 42"); },
                             "expected the integer before the marker, found \"zero\""},
                      Damage{"infinity", [](std::string t) { return replaceFirst(t, "\n", "\ninf, "); },
                             "found \"inf\""},
                      Damage{"cutInsideMarker", [](std::string t) { return t.substr(0, t.rfind("42") + 1); },
                             "the file ends inside this number"},
                      Damage{"cutAfterType", [](std::string t) { return t.substr(0, t.rfind("0, 42")); },
                             "found the end of the file"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(ReferenceReproducers, CutMarkerAndHexFloatAreRefused) {
    for (const char* name : {"ref_truncated_si_read_as_english.REF", "ref_hex_float_accepted.REF"}) {
        ProjectData p = test::freshProject();
        const ReferenceReadResult r = ReadReferenceFile(p, reproducer(name));
        EXPECT_FALSE(r.ok) << name;
        EXPECT_NE(r.detail.find(", line "), std::string::npos) << r.detail;
    }
}

TEST(ReferenceReproducers, DevicesAndFoldersAreRefusedBeforeReading) {
    ProjectData p = test::freshProject();
    for (const char* path : {"/dev/zero", "/tmp"}) {
        const ReferenceReadResult r = ReadReferenceFile(p, path);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.detail.find("not a regular file"), std::string::npos) << r.detail;
    }
}

} // namespace
} // namespace vededa
