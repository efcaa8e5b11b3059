#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace vededa {
namespace {

int run(const std::string& arguments) {
    return std::system((std::string(VEDEDA_CLI_PATH) + " " + arguments).c_str());
}

std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(ConstraintsCommand, BundledProjectPagesAndDiagram) {
    const std::string dir = test::tempDir();
    ASSERT_EQ(run("constraints " + test::dataPath("Vededa.RUZ") + " --date 12/8/2026 --svg " + dir +
                  "/d.svg > " + dir + "/out.txt 2> " + dir + "/err.txt"),
              0);
    const std::string out = test::readFile(dir + "/out.txt");
    EXPECT_EQ(occurrences(out, "Constraint Analysis (Version 1.26)    Date:12/8/2026\r\n"), 12u);
    EXPECT_EQ(occurrences(out, "\n"), occurrences(out, "\r\n")) << "every line ends with CRLF";
    EXPECT_NE(out.find(" Page  12 of  12\r\n"), std::string::npos);
    EXPECT_EQ(out.find("***"), std::string::npos) << "no calculation ended early";
    const std::string svg = test::readFile(dir + "/d.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("W/S (psf)"), std::string::npos);
}

TEST(ConstraintsCommand, TooManyIncrementsIsRefused) {
    const std::string dir = test::tempDir();
    std::string text = test::readFile(test::dataPath("Vededa.RUZ"));
    const std::string axes = " 20  120  5  .4  2  .1 ";
    const std::size_t at = text.find(axes);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, axes.size(), " 0  1000  10  .4  2  .1 ");
    test::writeFile(dir + "/many.RUZ", text);
    EXPECT_NE(run("constraints " + dir + "/many.RUZ > " + dir + "/out.txt 2> " + dir + "/err.txt"), 0);
    EXPECT_EQ(test::readFile(dir + "/err.txt"),
              "You require  100 wing loading increments.  The maximum number is 50.\n");
    EXPECT_EQ(test::readFile(dir + "/out.txt"), "");
}

} // namespace
} // namespace vededa
