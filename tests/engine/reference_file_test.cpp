#include "engine/reference_file.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vededa {
namespace {

/// A reference file text: component k = 1 + k/100, reference k = k, controls k = 100 + k (control 1, the
/// flight Mach number, 0.8), limits 110 + k.
struct FileContent {
    int code = 22;
    float type = 5;
    float alpha = 0.4f;
    int marker = 42;
    int unitFlag = 2;
    int truncateAfter = -1; ///< number of values to keep (-1: all)
    int control = 0;        ///< an engine control whose value is `controlValue` (0: none)
    std::string controlValue;
};

std::string referenceText(const FileContent& s) {
    std::vector<std::string> v;
    v.push_back(std::to_string(s.code));
    for (int i = 0; i < 45; ++i) v.push_back("0");
    for (int k = 1; k <= 32; ++k) v.push_back(std::to_string(1 + k / 100.0));
    for (int k = 1; k <= 56; ++k) v.push_back(k == 19 ? std::to_string(s.alpha) : std::to_string(k));
    auto control = [&s](int k, std::string value) { return k == s.control ? s.controlValue : value; };
    for (int k = 1; k <= 7; ++k)
        v.push_back(control(k, k == 1 ? std::string("0.8") : std::to_string(100 + k)));
    for (int i = 0; i < 3; ++i) v.push_back("9");
    for (int k = 11; k <= 15; ++k) v.push_back(control(k, std::to_string(110 + k)));
    std::ostringstream t;
    t << s.type;
    v.push_back(t.str());
    v.push_back("0");
    v.push_back(std::to_string(s.marker));
    v.push_back(std::to_string(s.unitFlag));
    v.push_back("0");
    if (s.truncateAfter >= 0) v.resize(static_cast<std::size_t>(s.truncateAfter));
    std::string text;
    for (std::size_t i = 0; i < v.size(); ++i) text += v[i] + ((i + 1) % 5 == 0 ? "\r\n" : ", ");
    return text;
}

TEST(ReadReferenceFile, ReadsEveryPositionAndRunsThePostReadSteps) {
    ProjectData p = test::freshProject();
    const ReferenceReadResult r = readReferenceText(p, referenceText({}), "ENG.REF");
    ASSERT_TRUE(r.ok) << r.message;
    const EngineData& e = p.engine;
    EXPECT_FLOAT_EQ(e.engine.component[1], 1.01f);
    EXPECT_FLOAT_EQ(e.engine.component[32], 1.32f);
    EXPECT_FLOAT_EQ(e.engine.reference[56], 56.0f);
    EXPECT_FLOAT_EQ(e.controls[7], 107.0f);
    EXPECT_FLOAT_EQ(e.controls[8], 0.0909f); // not in the file: kept
    EXPECT_FLOAT_EQ(e.controls[15], 125.0f);
    EXPECT_EQ(e.setup[kSetupEngineType], 5);
    EXPECT_EQ(e.referenceUnitFlag, 2);
    EXPECT_FLOAT_EQ(e.tt4MaxSetting, 105.0f);
    EXPECT_FLOAT_EQ(e.tt7MaxSetting, 106.0f);
    EXPECT_EQ(p.thrustModel, 7);
    EXPECT_EQ(p.tsfcModel, 7);
    EXPECT_EQ(e.fileName, "ENG.REF");
    EXPECT_NE(r.listing.find("Thrust (N)"), std::string::npos);
}

// A control the project could not be saved with is refused when the file is read, in the file's units,
// and the project keeps its engine.
TEST(ReadReferenceFile, ControlsOutsideTheirRangeAreRefusedAndLeaveTheProject) {
    struct Case {
        int control;
        const char* value;
        int unitFlag;
        const char* named;
    };
    for (const Case& c :
         {Case{1, "12", 2, "engine control 1 (the flight Mach number) must be from 0 to 10"},
          Case{2, "95000", 2, "engine control 2 (the altitude)"},
          Case{6, "4000", 2, "engine control 6 (the afterburner exit temperature Tt7)"},
          Case{13, "1e30", 2, "engine control 13 (the Tt3 limit)"}, Case{15, "-1", 1, "engine control 15"}}) {
        FileContent content;
        content.control = c.control;
        content.controlValue = c.value;
        content.unitFlag = c.unitFlag;
        ProjectData p = test::freshProject();
        const EngineData before = p.engine;
        const ReferenceReadResult r = readReferenceText(p, referenceText(content), "ENG.REF");
        EXPECT_FALSE(r.ok) << c.value;
        EXPECT_NE(r.detail.find(c.named), std::string::npos) << r.detail;
        EXPECT_EQ(p.engine.fileName, before.fileName);
        EXPECT_EQ(p.engine.controls, before.controls);
    }
    // The same altitude is a valid one in feet.
    FileContent english;
    english.control = 2;
    english.controlValue = "95000";
    english.unitFlag = 1;
    ProjectData p = test::freshProject();
    EXPECT_TRUE(readReferenceText(p, referenceText(english), "ENG.REF").ok);
}

struct TypeCase {
    float type;
    float alpha;
    int16_t expected;
};
class ZeroBypass : public ::testing::TestWithParam<TypeCase> {};
TEST_P(ZeroBypass, MixedTurbofanWithoutBypassBecomesTurbojet) {
    ProjectData p = test::freshProject();
    FileContent s;
    s.type = GetParam().type;
    s.alpha = GetParam().alpha;
    ASSERT_TRUE(readReferenceText(p, referenceText(s), "x").ok);
    EXPECT_EQ(p.engine.setup[kSetupEngineType], GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Types, ZeroBypass,
                         ::testing::Values(TypeCase{4, 0, 1}, TypeCase{5, 0, 2}, TypeCase{5, 0.001f, 5},
                                           TypeCase{3, 0, 3}, TypeCase{4, 0.5f, 4}));

TEST(ReadReferenceFile, MarkerOtherThan42MeansEnglishAndIgnoresTheRest) {
    ProjectData p = test::freshProject();
    FileContent s;
    s.marker = 41;
    std::string text = referenceText(s) + "\r\nnot numbers at all";
    ASSERT_TRUE(readReferenceText(p, text, "x").ok);
    EXPECT_EQ(p.engine.referenceUnitFlag, kEnglish);
    // With the marker, the unit flag is read, and anything after it is ignored.
    s.marker = 42;
    ASSERT_TRUE(readReferenceText(p, referenceText(s) + " garbage", "x").ok);
    EXPECT_EQ(p.engine.referenceUnitFlag, 2);
}

struct BadFile {
    const char* name;
    FileContent content;
    const char* title;
    const char* message;
};
class RefusedFile : public ::testing::TestWithParam<BadFile> {};
TEST_P(RefusedFile, LeavesTheEngineAsItWas) {
    ProjectData p = test::freshProject();
    ASSERT_TRUE(readReferenceText(p, referenceText({}), "good").ok);
    const EngineData before = p.engine;
    p.thrustModel = 1;
    const ReferenceReadResult r = readReferenceText(p, referenceText(GetParam().content), "bad");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.title, GetParam().title);
    EXPECT_EQ(r.message, GetParam().message);
    EXPECT_TRUE(p.engine.engine.component == before.engine.component);
    EXPECT_TRUE(p.engine.engine.reference == before.engine.reference);
    EXPECT_TRUE(p.engine.controls == before.controls);
    EXPECT_EQ(p.engine.fileName, "good");
    EXPECT_EQ(p.thrustModel, 1);
}
FileContent code21() {
    FileContent s;
    s.code = 21;
    return s;
}
FileContent truncated(int n) {
    FileContent s;
    s.truncateAfter = n;
    return s;
}
FileContent noMarker() {
    FileContent s;
    s.marker = 42;
    s.truncateAfter =
        1 + 45 + 32 + 56 + 7 + 3 + 5 + 1 + 2 + 1; // the unit flag read, the last integer missing
    return s;
}
INSTANTIATE_TEST_SUITE_P(
    Files, RefusedFile,
    ::testing::Values(
        BadFile{"code21", code21(), "Wrong Type of Data File", "This is not a Ridor Reference Data File !!!"},
        BadFile{"empty", truncated(0), "Reading Error", "Error in Reading Data File !!!"},
        BadFile{"halfReference", truncated(100), "Reading Error", "Error in Reading Data File !!!"},
        BadFile{"noUnitFlag", noMarker(), "Reading Error", "Error in Reading Data File !!!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadReferenceFile, UnreadableNumberAndMissingFileAreReadErrors) {
    ProjectData p = test::freshProject();
    std::string text = referenceText({});
    text.replace(text.find("1.010000"), 8, "1.0x0000");
    EXPECT_EQ(readReferenceText(p, text, "x").message, "Error in Reading Data File !!!");
    EXPECT_EQ(ReadReferenceFile(p, "/nonexistent/ENG.REF").message, "Error in Reading Data File !!!");
    EXPECT_TRUE(readReferenceText(p, referenceText({}), "x").ok);
}

TEST(ReferenceListing, ShowsTypeDependentLinesInBothLabelSets) {
    ProjectData p = test::freshProject();
    FileContent s;
    s.type = 5;
    s.unitFlag = 1;
    ASSERT_TRUE(readReferenceText(p, referenceText(s), "x").ok);
    const std::string afterRead = referenceListing(p.engine, false, ListingLabels::AfterRead);
    EXPECT_NE(afterRead.find("  Pi D Max = 1.0100   Pi b     = 1.0200\r\n"), std::string::npos);
    EXPECT_NE(afterRead.find("  A5'/A5c  = 1.1700   H        =  1.18\r\n"), std::string::npos);
    EXPECT_NE(afterRead.find("  PARAMETER                REFERENCE\r\n  MO                       1.0000\r\n"),
              std::string::npos);
    EXPECT_NE(afterRead.find("  Tt7 (R)"), std::string::npos);
    EXPECT_NE(afterRead.find("  M5 "), std::string::npos);
    EXPECT_NE(afterRead.find("  f AB "), std::string::npos);
    EXPECT_NE(afterRead.find("  Thrust (lbf)              27\r\n"), std::string::npos);

    p.engine.setup[kSetupEngineType] = 1;
    const std::string jet = referenceListing(p.engine, true, ListingLabels::Activation);
    EXPECT_EQ(jet.find("Tt7 (K)"), std::string::npos);
    EXPECT_EQ(jet.find("  M5 "), std::string::npos);
    EXPECT_EQ(jet.find("f AB"), std::string::npos);
    EXPECT_NE(jet.find("  Pi B     = "), std::string::npos);
    EXPECT_NE(jet.find("  PARAMETER              REFERENCE\r\n  MO                      1.0000\r\n"),
              std::string::npos);
    EXPECT_NE(jet.find("  P0 (kPa)                0.0030\r\n"), std::string::npos);
    EXPECT_NE(jet.find("S [mg/(N-sec)]"), std::string::npos);
    EXPECT_NE(jet.find("Alpha"), std::string::npos);

    p.engine.setup[kSetupEngineType] = 6;
    const std::string prop = referenceListing(p.engine, false, ListingLabels::AfterRead);
    EXPECT_EQ(prop.find("Alpha"), std::string::npos);
    EXPECT_NE(prop.find("  Pi c                     15.0000\r\n"), std::string::npos);
    EXPECT_NE(prop.find("  Tau tL                   18.0000\r\n"), std::string::npos);
}

struct FieldCase {
    EngineDataField field;
    const char* text;
    float stored;
};
class FieldRule : public ::testing::TestWithParam<FieldCase> {};
TEST_P(FieldRule, StoresTheRuleValue) {
    EngineData e = test::freshProject().engine;
    commitEngineDataField(e, GetParam().field, GetParam().text);
    EXPECT_FLOAT_EQ(engineDataFieldValue(e, GetParam().field), GetParam().stored);
}
INSTANTIATE_TEST_SUITE_P(Fields, FieldRule,
                         ::testing::Values(FieldCase{EngineDataField::EngineCount, "2.7", 2},
                                           FieldCase{EngineDataField::EngineCount, "0", 1},
                                           FieldCase{EngineDataField::EngineCount, "abc", 1},
                                           FieldCase{EngineDataField::MaxCompressorRatio, "-3", 0},
                                           FieldCase{EngineDataField::MaxPt3, "450.5", 450.5f},
                                           FieldCase{EngineDataField::MaxTt7, "-1", 0},
                                           FieldCase{EngineDataField::ConstantLoss, "0.05", 0.05f},
                                           FieldCase{EngineDataField::InletCaptureArea, "0", 0.01f},
                                           FieldCase{EngineDataField::AfterbodyArea, "-2", 0.01f},
                                           FieldCase{EngineDataField::AfterbodyLength, "4.5", 4.5f}));

TEST(LossModel, OptionTwoChangesNothing) {
    EngineData e = test::freshProject().engine;
    chooseLossModel(e, 3);
    EXPECT_EQ(e.setup[kSetupLossModel], 3);
    chooseLossModel(e, 2);
    EXPECT_EQ(e.setup[kSetupLossModel], 3);
}

} // namespace
} // namespace vededa
