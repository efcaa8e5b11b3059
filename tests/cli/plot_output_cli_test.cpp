// Plots and data written by the command line: filled contours, CSV and JSON.
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

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

namespace vededa {
namespace {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = text.find('\n', at);
        std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return lines;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::string cell;
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            out.push_back(std::move(cell)), cell.clear();
        else
            cell += c;
    }
    out.push_back(cell);
    return out;
}

TEST(DataFormats, ConstraintCsvHoldsTheNumbersOfTheReportPages) {
    const std::string file = test::dataPath("Vededa.RUZ");
    const auto text = test::runCli("constraints " + file + " --date 1/1/2026");
    const auto csv = test::runCli("constraints " + file + " --format csv");
    const auto json = test::runCli("constraints " + file + " --format json");
    ASSERT_EQ(csv.status, 0);
    ASSERT_EQ(json.status, 0);
    const auto lines = splitLines(csv.out);
    ASSERT_EQ(lines.front(), "constraint,type,name,wing_loading [psf],thrust_loading");
    // Every point of constraint 1 appears on its report page as "W/S CL CD T/W" in E format.
    int checked = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto f = fields(lines[i]);
        if (f.size() != 5 || f[0] != "1") continue;
        const double ws = std::stod(f[3]), tw = std::stod(f[4]);
        char row[64];
        std::snprintf(row, sizeof row, "%.2E", ws);
        const std::size_t at = text.out.find(std::string("                    ") + row + " ");
        ASSERT_NE(at, std::string::npos) << row;
        const std::string reportLine = text.out.substr(at, text.out.find('\r', at) - at);
        const double reported = std::stod(reportLine.substr(reportLine.rfind(' ') + 1));
        EXPECT_NEAR(reported, tw, 0.0005 * std::fabs(tw) + 1e-6) << reportLine;
        ++checked;
    }
    EXPECT_EQ(checked, 21);
    // JSON: one row object per CSV row, with numbers unquoted.
    std::size_t rows = 0;
    for (std::size_t at = json.out.find("{\"constraint\": "); at != std::string::npos;
         at = json.out.find("{\"constraint\": ", at + 1))
        ++rows;
    EXPECT_EQ(rows, lines.size() - 1);
    EXPECT_NE(json.out.find("{\"constraint\": 1, \"type\": \"A\""), std::string::npos);
}

TEST(DataFormats, MissionAndContourTablesAndTheTextStaysAsItWas) {
    const std::string file = test::dataPath("Vededa.RUZ");
    const auto text = test::runCli("mission " + file + " --date 1/1/2026");
    const auto textAgain = test::runCli("mission " + file + " --date 1/1/2026 --format text");
    EXPECT_EQ(text.out, textAgain.out);
    const auto csv = test::runCli("mission " + file + " --format csv");
    ASSERT_EQ(csv.status, 0);
    const auto lines = splitLines(csv.out);
    EXPECT_EQ(lines.front(), "leg,type,name,beta_start,pi,time [s],distance [nm],mach,altitude [ft],"
                             "thrust_required [lbf],thrust_available [lbf],tsfc [1/hr]");
    ASSERT_GT(lines.size(), 5u);
    // Each leg starts with the weight fraction the previous one ended with (a delivery of expendables,
    // type L, drops its payload's weight besides).
    for (std::size_t i = 2; i + 1 < lines.size(); ++i) {
        const auto a = fields(lines[i - 1]), b = fields(lines[i]);
        if (a[1] == "L") continue;
        EXPECT_NEAR(std::stod(a[3]) * std::stod(a[4]), std::stod(b[3]), 1e-5) << lines[i];
    }

    const auto grid = test::runCli("contour " + file + " --grid");
    const auto table = test::runCli("contour " + file + " --grid --format csv");
    ASSERT_EQ(table.status, 0);
    const auto rows = splitLines(table.out);
    EXPECT_EQ(rows.front(), "velocity [ft/s],altitude [kft],ps [ft/s]");
    // The first value of the text grid (lowest altitude, lowest velocity) is the table's first row.
    const auto gridLines = splitLines(grid.out);
    const std::string firstRow = gridLines.at(3);
    const double textValue = std::stod(firstRow.substr(firstRow.find('\t') + 1));
    const auto first = fields(rows.at(1));
    EXPECT_NEAR(std::stod(first[2]), textValue, 0.01 + 1e-4 * std::fabs(textValue));
}

} // namespace
} // namespace vededa
