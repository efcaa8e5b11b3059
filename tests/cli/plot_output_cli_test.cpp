// Plots and data written by the command line: filled contours, CSV and JSON.
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace vededa {
namespace {

TEST(ContourCommand, FilledPlotHasBandsLabelsAndAColourBar) {
    const std::string dir = test::tempDir();
    const auto lines = test::runCli("contour " + test::dataPath("Vededa.RUZ") + " --svg " + dir + "/l.svg");
    const auto filled =
        test::runCli("contour " + test::dataPath("Vededa.RUZ") + " --filled --svg " + dir + "/f.svg");
    ASSERT_EQ(lines.status, 0) << lines.out;
    ASSERT_EQ(filled.status, 0) << filled.out;
    EXPECT_EQ(lines.out, filled.out); // the extremes printed are the same
    const std::string l = test::readFile(dir + "/l.svg"), f = test::readFile(dir + "/f.svg");
    EXPECT_EQ(l.find("<polygon"), std::string::npos);
    EXPECT_NE(f.find("<polygon"), std::string::npos);
    EXPECT_NE(f.find(">Ps (ft/s)</text>"), std::string::npos);
    for (const std::string* svg : {&l, &f}) {
        EXPECT_NE(svg->find("rotate("), std::string::npos) << "inline contour values";
        EXPECT_NE(svg->find(">Best climb</text>"), std::string::npos) << "legend of the overlays";
    }
}

} // namespace
} // namespace vededa
