// Sizing chart subcommand: constraints and mission over one W/S x T/W grid, the optimum and its margins.
#include "app/project_data.h"
#include "cli/commands.h"
#include "output/canvas.h"
#include "output/data_table.h"
#include "output/number_format.h"
#include "sizing/sizing_chart.h"
#include "sizing/sizing_plot.h"
#include "sizing/sizing_table.h"

#include <cmath>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>

namespace vededa::cli {

namespace {

struct SizingOptions {
    std::string file, format = "text", svg, date;
    std::vector<float> ws, tw;
    bool closure = false, filled = false;
    unsigned threads = 0;
};

/// A number as the data tables write it; "null" for a value that is not finite (never NaN or
/// Infinity text), which is counted as a figure that could not be computed.
std::string number(float v) {
    return finiteForOutput(v) ? dataNumberText(v) : std::string("null");
}

std::string number(const std::optional<float>& v) {
    return v ? number(*v) : "null";
}

std::string quoted(const std::string& s) {
    return jsonString(s);
}

template <typename T, typename F> std::string list(const std::vector<T>& v, F item) {
    std::string out = "[";
    for (std::size_t k = 0; k < v.size(); ++k) out += (k ? ", " : "") + item(v[k]);
    return out + "]";
}

/// A list over T/W of lists over W/S of `item(cell)`.
template <typename F> std::string gridList(const SizingChart& c, F item) {
    std::string out = "[";
    for (std::size_t j = 0; j < c.grid.tw.size(); ++j) {
        out += j ? ",\n    [" : "\n    [";
        for (std::size_t i = 0; i < c.grid.ws.size(); ++i) out += (i ? ", " : "") + item(c.cell(i, j));
        out += "]";
    }
    return out + "]";
}

std::string marginsJson(const SizingPoint& p) {
    return list(p.margins, [](const SizingMargin& m) {
        return "{\"number\": " + std::to_string(m.number) + ", \"of\": " + (m.landing ? "\"ws\"" : "\"tw\"") +
               ", \"margin\": " + number(m.value) + "}";
    });
}

std::string json(const ProjectData& p, const SizingChart& c) {
    const bool closure = c.settings.closure;
    std::ostringstream o;
    o << "{\n";
    o << "  \"units\": {\"ws\": " << quoted(p.unitSystem == kSI ? "Pa" : "psf")
      << ", \"tw\": \"\", \"weight\": " << quoted(p.unitSystem == kSI ? "N" : "lbf") << "},\n";
    o << "  \"closure\": " << (closure ? "true" : "false") << ",\n";
    o << "  \"ws\": " << list(c.grid.ws, [](float v) { return number(v); }) << ",\n";
    o << "  \"tw\": " << list(c.grid.tw, [](float v) { return number(v); }) << ",\n";
    o << "  \"constraints\": [";
    for (std::size_t k = 0; k < c.constraints.size(); ++k) {
        const SizingConstraint& s = c.constraints[k];
        o << (k ? ",\n" : "\n") << "    {\"number\": " << s.number << ", \"type\": " << quoted(s.letter)
          << ", \"name\": " << quoted(s.name) << ", " << (s.landing ? "\"ws_max\": " : "\"tw_required\": ")
          << list(s.values, [](const std::optional<float>& v) { return number(v); }) << "}";
    }
    o << "],\n";
    o << "  \"flown\": "
      << gridList(c, [](const SizingCell& x) { return std::string(x.flown ? "true" : "false"); }) << ",\n";
    o << "  \"fuel_fraction\": " << gridList(c, [](const SizingCell& x) {
        return x.flown ? number(x.fuelFraction) : std::string("null");
    }) << ",\n";
    o << "  \"feasible\": " << gridList(c, [](const SizingCell& x) {
        return x.flown ? std::string(x.feasible ? "true" : "false") : std::string("null");
    }) << ",\n";
    o << "  \"wto\": " << gridList(c, [closure](const SizingCell& x) {
        return x.flown && (!closure || x.closed) ? number(x.wto) : std::string("null");
    }) << ",\n";
    o << "  \"optimum\": ";
    if (c.optimum) {
        const SizingPoint& q = *c.optimum;
        o << "{\"ws\": " << number(q.ws) << ", \"tw\": " << number(q.tw)
          << ", \"fuel_fraction\": " << number(q.fuelFraction) << ", \"wto\": " << number(q.wto)
          << ", \"margins\": " << marginsJson(q) << "}";
    } else {
        o << "null";
    }
    o << "\n}\n";
    return o.str();
}

std::string text(const ProjectData& p, const SizingChart& c) {
    const std::string wsUnit = p.unitSystem == kSI ? "Pa" : "psf", wUnit = p.unitSystem == kSI ? "N" : "lb";
    std::ostringstream o;
    o << "Sizing Chart (Version 1.26)    Date:" << p.clock.date() << "\n";
    o << "Filename: " << p.projectPath << "\n";
    o << "W/S " << plainText(c.grid.ws.front()) << " to " << plainText(c.grid.ws.back()) << " " << wsUnit
      << ", " << c.grid.ws.size() << " points; T/W " << plainText(c.grid.tw.front()) << " to "
      << plainText(c.grid.tw.back()) << ", " << c.grid.tw.size() << " points\n";
    if (c.settings.closure)
        o << "Weight closure: We/W_TO = " << plainText(c.settings.emptyA) << " W_TO^"
          << plainText(c.settings.emptyC) << ", fixed weights "
          << plainText(c.settings.crewWeight + c.settings.payloadKept + c.settings.payloadReleased) << " "
          << wUnit << "\n";
    std::size_t flown = 0, feasible = 0;
    for (const SizingCell& x : c.cells) {
        flown += x.flown;
        feasible += x.feasible;
    }
    o << "Grid points: " << c.cells.size() << ", mission flown at " << flown << ", feasible " << feasible
      << "\n";
    for (const SizingConstraint& s : c.constraints)
        if (!s.failure.empty()) o << "Constraint " << s.number << ":" << s.failure << "\n";
    o << "\nFeasible points (# feasible, o constraints met but mission failed, . infeasible), T/W down, W/S "
         "across\n";
    for (std::size_t j = c.grid.tw.size(); j-- > 0;) {
        o << FormatField(c.grid.tw[j], 3) << " ";
        for (std::size_t i = 0; i < c.grid.ws.size(); ++i) {
            const SizingCell& x = c.cell(i, j);
            o << (x.feasible ? '#' : x.meetsConstraints ? 'o' : '.');
        }
        o << "\n";
    }
    o << "\n";
    if (!c.optimum) {
        o << "No feasible point in the grid\n";
        return o.str();
    }
    const SizingPoint& q = *c.optimum;
    o << "Optimum (least " << (c.settings.closure ? "W_TO" : "fuel fraction") << ")\n";
    o << "  W/S           = " << FormatField(q.ws, 2) << " " << wsUnit << "\n";
    o << "  T/W           = " << FormatField(q.tw, 4) << "\n";
    o << "  Fuel fraction = " << FormatField(q.fuelFraction, 4) << "\n";
    o << "  W_TO          = " << FormatField(q.wto, 0) << " " << wUnit << "\n";
    o << "  Margins (T/W available - required; landing: W/S allowed - W/S)\n";
    for (const SizingMargin& m : q.margins) {
        const SizingConstraint* s = nullptr;
        for (const SizingConstraint& k : c.constraints)
            if (k.number == m.number) s = &k;
        o << "  " << FormatField(static_cast<float>(m.number), 0) << " " << (s ? s->letter : "") << " "
          << (m.value ? FormatField(*m.value, m.landing ? 2 : 4) : std::string("   none"))
          << (m.landing ? " " + wsUnit : "") << "  " << (s ? s->name : "") << "\n";
    }
    return o.str();
}

bool rangeOption(const std::vector<float>& v, float& min, float& max, int16_t& count, const char* what) {
    if (v.empty()) return true;
    const int n = gridPointCount(v[0], v[1], v[2]);
    if (n < 2 || n > kMaxSizingPoints || !(v[1] > v[0])) {
        std::cerr << "vededa-cli: --" << what << " needs MIN < MAX and a STEP that gives 2 to "
                  << kMaxSizingPoints << " points\n";
        setExitCode(1);
        return false;
    }
    min = v[0];
    max = v[1];
    count = static_cast<int16_t>(n);
    return true;
}

void runSizing(const SizingOptions& o) {
    auto project = std::make_unique<ProjectData>();
    if (!loadProject(*project, o.file)) return;
    if (!o.date.empty()) project->clock.fixedDate = o.date;
    SizingSettings s = effectiveSizingSettings(*project);
    if (!rangeOption(o.ws, s.wsMin, s.wsMax, s.wsCount, "ws")) return;
    if (!rangeOption(o.tw, s.twMin, s.twMax, s.twCount, "tw")) return;
    if (o.closure) s.closure = true;
    SizingRunOptions run;
    run.threads = o.threads;
    const SizingChart chart = calculateSizingChart(*project, s, run);
    if (!chart.message.empty()) {
        std::cerr << "vededa-cli: " << chart.message << "\n";
        setExitCode(1);
        return;
    }
    if (o.format == "json")
        std::cout << json(*project, chart);
    else if (tableFormat(o.format))
        writeTable(sizingGridTable(*project, chart), o.format);
    else {
        // A report like the others: CRLF line ends.
        std::string report;
        for (char ch : text(*project, chart)) report += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
        writeReport(report);
    }
    if (!o.svg.empty()) {
        SvgCanvas canvas(kSizingPictureWidth, kSizingPictureHeight);
        drawSizingChart(canvas, *project, chart, o.filled);
        writeSvg(o.svg, canvas);
    }
}

} // namespace

void registerSizingCommands(CLI::App& app) {
    auto* cmd = app.add_subcommand(
        "sizing",
        "Sizing chart: constraints and mission over a W/S x T/W grid, the feasible region and the optimum");
    auto o = std::make_shared<SizingOptions>();
    cmd->add_option("FILE", o->file, "Project file (*.RUZ)")->required();
    cmd->add_option("--ws", o->ws,
                    "W/S grid: MIN MAX STEP (default: the constraint diagram's range, 41 points)")
        ->expected(3);
    cmd->add_option("--tw", o->tw,
                    "T/W grid: MIN MAX STEP (default: the constraint diagram's range, 41 points)")
        ->expected(3);
    cmd->add_flag("--closure", o->closure, "Solve W_TO at every point so that the weights close");
    addFormatOption(cmd, o->format);
    cmd->add_option("--svg", o->svg, "Write the sizing chart to this SVG file");
    cmd->add_flag("--filled", o->filled, "Fill the bands between contour lines in the SVG chart");
    cmd->add_option("--date", o->date, "Date written in the heading and on the chart (e.g. 12/8/2026)");
    cmd->add_option("--threads", o->threads, "Worker threads (default: all cores)")
        ->check(CLI::Range(0u, 256u));
    cmd->callback([o] { runSizing(*o); });
}

} // namespace vededa::cli
