// Plots and data written by the command line: filled contours, CSV and JSON.
#include "engine/engine_series.h"
#include "engine/engine_test.h"
#include "engine/reference_file.h"
#include "engine/throttle_hook.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
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

namespace vededa {
namespace {

TEST(EngineColumns, SiThrottleHookAndSeriesKeepABlankBetweenNumbers) {
    const std::string dir = test::tempDir();
    ASSERT_EQ(
        test::runCli("convert " + test::dataPath("Vededa_deck.RUZ") + " --units si -o " + dir + "/si.RUZ")
            .status,
        0);
    for (const std::string args : {" --hook", " --series mach 0 2 0.5"}) {
        const auto run = test::runCli("engine " + dir + "/si.RUZ" + args + " 2>/dev/null");
        ASSERT_EQ(run.status, 0) << run.out;
        const auto csv = test::runCli("engine " + dir + "/si.RUZ" + args + " --format csv 2>/dev/null");
        ASSERT_EQ(csv.status, 0) << csv.out;
        const auto csvRows = splitLines(csv.out);
        EXPECT_NE(csvRows.front().find("thrust [N],tsfc [mg/(N s)],mdot [kg/s]"), std::string::npos);
        int rows = 0;
        for (const std::string& line : splitLines(run.out)) {
            // Data rows start with a number; each has at least nine separate numbers before the limit.
            std::istringstream in(line);
            std::vector<double> numbers;
            std::string token;
            while (in >> token) {
                char* end = nullptr;
                const double v = std::strtod(token.c_str(), &end);
                if (end == token.c_str() || *end != '\0') break;
                numbers.push_back(v);
            }
            if (numbers.size() < 5) continue;
            ++rows;
            EXPECT_GE(numbers.size(), 9u) << line;
            const double thrust = args == " --hook" ? numbers[0] : numbers[1];
            const double tsfc = args == " --hook" ? numbers[1] : numbers[2];
            EXPECT_GT(thrust, 1000) << line; // tens of kN at full throttle, where the columns used to touch
            // The CSV row of the same line holds thrust and TSFC unrounded (the SI TSFC has 3 decimals).
            ASSERT_LT(static_cast<std::size_t>(rows), csvRows.size());
            const auto f = fields(csvRows[static_cast<std::size_t>(rows)]);
            const std::size_t first = args == " --hook" ? 0 : 1;
            EXPECT_NEAR(std::stod(f.at(first)), thrust, 0.5 + 1e-6 * thrust) << line;
            EXPECT_NEAR(std::stod(f.at(first + 1)), tsfc, 0.0005 + 1e-6 * tsfc) << line;
            EXPECT_GT(tsfc, 5) << line;
            EXPECT_LT(tsfc, 500) << line;
        }
        EXPECT_GT(rows, 4) << args;
    }
}

} // namespace
} // namespace vededa

namespace vededa {
namespace {

/// The engine of `ref` as `vededa-cli engine` loads it, with the series or hook computed in this process.
ProjectData cliEngine(const std::string& ref) {
    ProjectData p = test::freshProject();
    EXPECT_TRUE(ReadReferenceFile(p, ref).ok) << ref;
    const int16_t flag = p.engine.referenceUnitFlag;
    p.unitSystem = flag == kEnglish ? kEnglish : kSI;
    setupUnits(p);
    p.engine.referenceUnitFlag = flag;
    const int16_t type = p.engine.setup[kSetupEngineType];
    p.afterburner = (type == 2 || type == 5) ? 1 : 0;
    return p;
}

TEST(DataFormats, EngineHookAndSeriesTablesHoldTheComputedNumbers) {
    struct Case {
        std::string args;
        std::vector<int> decimals; // of the report's numeric columns, in order
    };
    const std::string ref = test::dataPath("turbofan_mixed.REF");
    const std::vector<Case> cases = {
        {" --hook --mach 0.8 --alt 30000", {0, 4, 2, 2, 3, 2, 3, 0, 0}},
        {" --series tt4 2000 3000 250 --mach 0.8 --alt 30000", {2, 0, 4, 2, 2, 3, 3, 2, 4, 1}}};
    for (const Case& c : cases) {
        // The same numbers computed here, as the command computes them.
        ProjectData p = cliEngine(ref);
        std::string messages;
        std::vector<std::vector<float>> computed;
        if (c.args.find("--hook") != std::string::npos) {
            std::vector<ThrottleHookRow> rows;
            calculateThrottleHook(p, 0.8f, 30000, 0, messages, &rows);
            for (const auto& r : rows)
                computed.push_back(
                    {r.thrust, r.tsfc, r.massFlow, r.mc2, r.piFan, r.mc25, r.piH, r.tt4, r.tt7});
        } else {
            setEngineTestCondition(p, 0.8f, 30000, 0);
            engineTestReset(p, messages);
            p.engine.test.seriesVariable = kSeriesTt4;
            p.engine.test.seriesMin = 2000;
            p.engine.test.seriesMax = 3000;
            p.engine.test.seriesStep = 250;
            std::string report;
            for (const auto& r : engineSeriesReport(p, report).table)
                computed.push_back({r.value, r.thrust, r.tsfc, r.massFlow, r.piC, r.piFan, r.alpha, r.pt9p9,
                                    r.tauTL, r.tt4});
        }

        const auto text = test::runCli("engine " + ref + c.args + " --date 1/1/2026 2>/dev/null");
        const auto csv = test::runCli("engine " + ref + c.args + " --format csv 2>/dev/null");
        const auto json = test::runCli("engine " + ref + c.args + " --format json 2>/dev/null");
        ASSERT_EQ(csv.status, 0) << csv.out;
        ASSERT_EQ(json.status, 0) << json.out;
        const auto rows = splitLines(csv.out);
        ASSERT_EQ(rows.size(), computed.size() + 1) << csv.out;
        EXPECT_NE(rows.front().find("thrust [lbf],tsfc [1/hr],mdot [lbm/s]"), std::string::npos)
            << rows.front();
        // The report's rows follow its column heads; each CSV row holds one report row's numbers in order,
        // at full precision: equal to the computed value, and within half the report's last digit of it.
        const auto lines = splitLines(text.out);
        std::size_t head = 0;
        while (head < lines.size() && lines[head].find(" Thrust ") == std::string::npos) ++head;
        ASSERT_LE(head + computed.size(), lines.size());
        int finerThanPrinted = 0;
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const auto f = fields(rows[i]);
            ASSERT_GT(f.size(), c.decimals.size()) << rows[i];
            std::istringstream line(lines[head + i]);
            for (std::size_t k = 0; k < c.decimals.size(); ++k) {
                double printed = -1;
                line >> printed;
                const double value = std::stod(f[k]);
                EXPECT_EQ(static_cast<float>(value), computed[i - 1][k]) << rows[i] << " column " << k;
                const double halfDigit = 0.5 * std::pow(10.0, -c.decimals[k]);
                EXPECT_LE(std::fabs(value - printed), halfDigit * (1 + 1e-6) + 1e-6 * std::fabs(printed))
                    << lines[head + i] << " | " << rows[i] << " column " << k;
                if (std::fabs(value - printed) > 1e-9) ++finerThanPrinted;
            }
        }
        EXPECT_GT(finerThanPrinted, 0) << "the table carries more digits than the report";
        EXPECT_EQ(json.out.find("\"thrust\": \""), std::string::npos) << "numbers are not strings";
        // JSON holds the same numbers as the CSV: the first row's TSFC, digit for digit.
        const std::size_t tsfcColumn = c.decimals.size() == 9 ? 1 : 2;
        EXPECT_NE(json.out.find("\"tsfc\": " + fields(rows[1])[tsfcColumn] + ","), std::string::npos)
            << json.out.substr(0, 600);
    }
}

} // namespace
} // namespace vededa
