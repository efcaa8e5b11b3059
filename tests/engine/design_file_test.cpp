// The design file as a list of values: splitting, writing back, and the safe write.
#include "engine/engine_design.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vededa {
namespace {

using test::readFile;

class BundledDesign : public ::testing::TestWithParam<const char*> {};

// A design taken apart into its values and written back designs the same reference engine, so the
// design form loses nothing of a design file.
TEST_P(BundledDesign, ValuesWrittenBackDesignTheSameEngine) {
    const std::string text = readFile(test::dataPath(GetParam()));
    const DesignReadResult original = readEngineDesign(text);
    ASSERT_TRUE(original.ok) << original.message;
    const DesignReadResult again = readEngineDesign(designFileText(designFileValues(text)));
    ASSERT_TRUE(again.ok) << again.message;
    const DesignResult a = designEngine(original.design);
    const DesignResult b = designEngine(again.design);
    ASSERT_TRUE(a.ok && b.ok);
    EXPECT_EQ(referenceFileText(a.engine), referenceFileText(b.engine));
}

INSTANTIATE_TEST_SUITE_P(Data, BundledDesign,
                         ::testing::Values("turbojet.design", "turbojet_ab.design", "turbofan_hbp.design",
                                           "turbofan_mixed.design", "fighter_ab.design", "turboprop.design",
                                           "ramjet.design"));

TEST(DesignFileValues, KeysTakeTheDocumentedSpellingAndCommentsGo) {
    const auto v =
        designFileValues("# a comment\r\nTYPE = 2\r\n  tt4=2400 # R\r\n\r\np0p9 = conv\r\nfoo = 3\r\n");
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[0].key, "type");
    EXPECT_EQ(v[0].value, "2");
    EXPECT_EQ(v[1].key, "Tt4");
    EXPECT_EQ(v[1].value, "2400");
    EXPECT_EQ(v[2].key, "P0P9");
    EXPECT_EQ(v[2].value, "conv");
    EXPECT_EQ(v[3].key, "foo"); // unknown keys stay, so the reader can refuse them
}

TEST(DesignFileValues, ALineWithoutValueIsStillRefusedAfterTheRoundTrip) {
    const auto v = designFileValues("type = 1\nTt4 = 2500\nmdot = 100\nstray words\n");
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[3].key, "stray words");
    // An empty value is left out of the text: the reader sees a complete design.
    EXPECT_TRUE(readEngineDesign(designFileText(v)).ok);
    auto typed = v;
    typed[3].value = "x";
    EXPECT_FALSE(readEngineDesign(designFileText(typed)).ok);
}

TEST(DesignKeys, EveryListedKeyIsReadByTheDesignReader) {
    for (const DesignKey& k : designKeys()) {
        const std::string value = std::string(k.key) == "P0P9" ? "conv" : "1";
        std::string text = "type = 1\nTt4 = 2500\nmdot = 100\n";
        if (std::string(k.key) != "type" && std::string(k.key) != "Tt4" && std::string(k.key) != "mdot")
            text += std::string(k.key) + " = " + value + "\n";
        EXPECT_TRUE(readEngineDesign(text).ok) << k.key;
    }
}

TEST(WriteFileSafely, WritesAndRefusesAnUnwritablePathLeavingTheOldFile) {
    const std::string dir = test::tempDir();
    const std::string path = dir + "/engine.REF";
    EXPECT_EQ(writeFileSafely(path, "old"), "");
    EXPECT_EQ(readFile(path), "old");
    EXPECT_NE(writeFileSafely(dir + "/no/such/folder/engine.REF", "new"), "");
    EXPECT_EQ(readFile(path), "old");
    EXPECT_FALSE(std::filesystem::exists(dir + "/no/such/folder/engine.REF.tmp"));
}

} // namespace
} // namespace vededa
