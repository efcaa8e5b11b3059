#include "test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace vededa {
namespace {

std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(SizingCommand, JsonHoldsTheGridConstraintsAndOptimumWithoutNonNumbers) {
    const test::CliResult r = test::runCli("sizing " + test::dataPath("Vededa.RUZ") +
                                           " --ws 20 120 10 --tw 0.4 3 0.2 --format json");
    ASSERT_EQ(r.status, 0) << r.out;
    for (const char* key :
         {"\"units\"", "\"ws\"", "\"tw\"", "\"constraints\"", "\"tw_required\"", "\"ws_max\"",
          "\"fuel_fraction\"", "\"feasible\"", "\"wto\"", "\"optimum\"", "\"margins\""})
        EXPECT_NE(r.out.find(key), std::string::npos) << key;
    EXPECT_NE(r.out.find("\"ws\": \"psf\""), std::string::npos);
    for (const char* bad : {"nan", "NaN", "inf", "Inf"}) EXPECT_EQ(r.out.find(bad), std::string::npos) << bad;
    // 11 W/S by 14 T/W points; 12 constraints, two of them landings; low T/W rows fail the mission.
    EXPECT_NE(r.out.find("\"ws\": [20, 30, 40"), std::string::npos);
    EXPECT_EQ(occurrences(r.out, "\"number\": "), 12u + 12u);
    EXPECT_EQ(occurrences(r.out, "\"ws_max\""), 2u);
    EXPECT_GT(occurrences(r.out, "null"), 11u);
    EXPECT_EQ(r.out.find("\"optimum\": null"), std::string::npos);
}

TEST(SizingCommand, TextCsvAndChartAndRefusedRanges) {
    const std::string dir = test::tempDir();
    const std::string file = test::dataPath("Vededa.RUZ");
    const test::CliResult text =
        test::runCli("sizing " + file + " --tw 0.4 3 0.1 --date 12/8/2026 --svg " + dir + "/s.svg --filled");
    ASSERT_EQ(text.status, 0) << text.out;
    EXPECT_NE(text.out.find("Sizing Chart (Version 1.26)    Date:12/8/2026\r\n"), std::string::npos);
    EXPECT_NE(text.out.find("Optimum (least fuel fraction)"), std::string::npos);
    const std::string svg = test::readFile(dir + "/s.svg");
    EXPECT_NE(svg.find("Optimum"), std::string::npos);
    EXPECT_NE(svg.find("fuel fraction"), std::string::npos);

    const test::CliResult csv = test::runCli("sizing " + file + " --ws 20 120 50 --tw 1 2 0.5 --format csv");
    ASSERT_EQ(csv.status, 0);
    // The shared table writer: units in the header, landing margins in W/S units.
    EXPECT_EQ(csv.out.rfind("ws [psf],tw,flown,fuel_fraction,feasible,wto [lbf],margin_1,", 0), 0u);
    EXPECT_NE(csv.out.find(",margin_11 [psf],"), std::string::npos);
    EXPECT_EQ(occurrences(csv.out, "\n"), 1u + 3u * 3u);

    for (const char* bad : {"--ws 120 20 5", "--ws 20 120 0", "--tw 0.4 2 0.00001", "--format xml"}) {
        const test::CliResult r = test::runCli("sizing " + file + " " + bad);
        EXPECT_NE(r.status, 0) << bad;
    }
    const test::CliResult closure =
        test::runCli("sizing " + file + " --ws 36 42 3 --tw 2.4 2.8 0.2 --closure");
    ASSERT_EQ(closure.status, 0);
    EXPECT_NE(closure.out.find("Optimum (least W_TO)"), std::string::npos) << closure.out;
}

} // namespace
} // namespace vededa
