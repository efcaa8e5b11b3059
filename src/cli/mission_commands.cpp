// Mission and contour subcommands.
#include "app/project_data.h"
#include "app/range_steps.h"
#include "cli/commands.h"
#include "contour/contour_data.h"
#include "contour/contour_grid.h"
#include "contour/contour_plot.h"
#include "engine/analysis_binding.h"
#include "mission/mission_calculation.h"
#include "mission/mission_data.h"
#include "mission/mission_plot.h"
#include "mission/mission_report.h"
#include "output/canvas.h"
#include "output/number_format.h"
#include "output/plot_frame.h"

#include <fstream>
#include <iostream>
#include <map>
#include <memory>

namespace vededa::cli {

namespace {

struct MissionOptions {
    std::string file, date, svg, quantity = "beta", format = "text";
};

void runMission(const MissionOptions& o) {
    auto project = std::make_unique<ProjectData>();
    if (!loadProject(*project, o.file)) return;
    if (!o.date.empty()) project->clock.fixedDate = o.date;
    if (project->thrustModel == 6) {
        std::cerr << "vededa-cli: Mission Analysis does not currently support the User Input Value for "
                     "thrust or TSFC; "
                     "each leg's own Engine Thrust Lapse (Alpha) is used.\n";
    }
    const AnalysisModels models = bindAnalysisModels(*project);
    const std::string report = computeMission(*project, models);
    if (tableFormat(o.format)) {
        writeTable(missionLegsTable(*project), o.format);
    } else {
        writeReport(report);
        writeReport(missionSummary(*project, 1));
        if (project->thrustModel == 7) writeReport(missionSummary(*project, 2));
    }
    if (!o.svg.empty()) {
        static const std::map<std::string, MissionPlotQuantity> quantities = {
            {"beta", MissionPlotQuantity::Beta},
            {"pi", MissionPlotQuantity::Pi},
            {"time", MissionPlotQuantity::Time},
            {"distance", MissionPlotQuantity::Distance},
            {"cumtime", MissionPlotQuantity::CumulativeTime},
            {"cumdistance", MissionPlotQuantity::CumulativeDistance}};
        SvgCanvas canvas(9000, 6000, 180, 1200);
        drawMissionPlot(canvas, *project, quantities.at(o.quantity));
        writeSvg(o.svg, canvas);
    }
}

struct ContourOptions {
    std::string file, date, svg, quantity, format = "text";
    bool grid = false;
    bool filled = false;
};

void runContour(const ContourOptions& o) {
    auto project = std::make_unique<ProjectData>();
    if (!loadProject(*project, o.file)) return;
    if (!o.date.empty()) project->clock.fixedDate = o.date;
    static const std::map<std::string, int16_t> codes = {{"ps", 1}, {"fs", 2}, {"rf", 3},   {"ef", 4},
                                                         {"ld", 5}, {"dt", 6}, {"alpha", 7}};
    if (!o.quantity.empty()) project->contour.quantity = codes.at(o.quantity);
    if (project->thrustModel == 6) {
        std::cerr << "vededa-cli: Contour Plots can not be performed using Thrust Model #6\n";
        setExitCode(1);
        return;
    }
    const AnalysisModels models = bindAnalysisModels(*project);
    PlotFrame frame = plotAreaOf(kPlotPictureWidth, kPlotPictureHeight);
    const ContourSettings& c = project->contour;
    frame.xMin = c.velocity[1];
    frame.xMax = c.velocity[2];
    frame.yMin = c.altitude[1];
    frame.yMax = c.altitude[2];
    const ContourCalculation calc = calculateContourGrid(*project, models, frame);
    if (!calc.message.empty()) {
        std::cerr << "vededa-cli: " << calc.message << "\n";
        setExitCode(1);
        return;
    }
    setDefaultContourLevels(*project, calc);
    if (tableFormat(o.format)) {
        // The grid as a table; without --grid nothing else is asked for, so the table stands in for the
        // extremes too.
        writeTable(contourGridTable(*project, calc), o.format);
    } else {
        std::cout << "Minimum Value = " << contourExtremeText(c.quantity, calc.minimum) << "\n";
        std::cout << "Maximum Value = " << contourExtremeText(c.quantity, calc.maximum) << "\n";
        if (calc.failedPoints > 0) std::cout << failedPointsNote(calc) << "\n";
    }
    if (o.grid && !tableFormat(o.format)) {
        // Velocity columns across, altitude rows down, as the grid was computed (bottom row first).
        std::cout << "alt\\vel";
        for (std::size_t j = 0; j < calc.grid.x.size(); ++j)
            std::cout << "\t" << plainText(rangePoint(c.velocity[1], c.velocity[3], static_cast<int>(j)));
        std::cout << "\n";
        for (std::size_t i = 0; i < calc.grid.values.size(); ++i) {
            std::cout << plainText(rangePoint(c.altitude[1], c.altitude[3], static_cast<int>(i)));
            // A cell where the engine deck found no solution is left blank.
            for (std::size_t j = 0; j < calc.grid.values[i].size(); ++j)
                std::cout << "\t" << (calc.failed[i][j] ? std::string() : plainText(calc.grid.values[i][j]));
            std::cout << "\n";
        }
    }
    if (!o.svg.empty()) {
        SvgCanvas canvas(kPlotPictureWidth, kPlotPictureHeight, 150, 1200);
        const std::string refused = drawContourPlot(canvas, frame, *project, models, calc, false, o.filled);
        if (!refused.empty()) {
            std::cerr << "vededa-cli: " << refused << "\n";
            setExitCode(1);
            return;
        }
        writeSvg(o.svg, canvas);
    }
}

} // namespace

void registerMissionCommands(CLI::App& app) {
    {
        auto* cmd =
            app.add_subcommand("mission", "Mission analysis: the report of every leg and the summary");
        auto o = std::make_shared<MissionOptions>();
        cmd->add_option("FILE", o->file, "Project file (*.RUZ)")->required();
        cmd->add_option("--date", o->date, "Report date as written in the headings (e.g. 12/8/2026)");
        cmd->add_option("--svg", o->svg, "Write the mission results plot to this SVG file");
        cmd->add_option("--quantity", o->quantity, "Quantity of the plot")
            ->check(CLI::IsMember({"beta", "pi", "time", "distance", "cumtime", "cumdistance"}));
        addFormatOption(cmd, o->format);
        cmd->callback([o] { runMission(*o); });
    }
    {
        auto* cmd = app.add_subcommand("contour", "Contour plot over the project's velocity-altitude field");
        auto o = std::make_shared<ContourOptions>();
        cmd->add_option("FILE", o->file, "Project file (*.RUZ)")->required();
        cmd->add_option("--date", o->date, "Date written on the plot (e.g. 12/8/2026)");
        cmd->add_option("--quantity", o->quantity, "Quantity (default: the project's)")
            ->check(CLI::IsMember({"ps", "fs", "rf", "ef", "ld", "dt", "alpha"}));
        cmd->add_option("--svg", o->svg, "Write the contour plot to this SVG file");
        cmd->add_flag("--filled", o->filled,
                      "Draw filled colour bands between the levels with a colour bar (with --svg)");
        cmd->add_flag("--grid", o->grid, "Print the grid values (velocity columns, altitude rows)");
        addFormatOption(cmd, o->format);
        cmd->callback([o] { runContour(*o); });
    }
}

} // namespace vededa::cli
