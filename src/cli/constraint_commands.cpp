// Constraint analysis subcommand: the report pages of every constraint and the constraint diagram.
#include "app/project_data.h"
#include "cli/commands.h"
#include "constraint/constraint_calculation.h"
#include "constraint/constraint_data.h"
#include "constraint/constraint_diagram.h"
#include "constraint/constraint_set.h"
#include "output/canvas.h"

#include <fstream>
#include <iostream>
#include <memory>

namespace vededa::cli {

namespace {

struct ConstraintOptions {
    std::string file;
    std::string date;
    std::string svg;
    std::string format = "text";
};

void runConstraints(const ConstraintOptions& o) {
    auto project = std::make_unique<ProjectData>();
    if (!loadProject(*project, o.file)) return;
    if (!o.date.empty()) project->clock.fixedDate = o.date;
    const std::string refusal = constraintCalculateCheck(*project);
    if (!refusal.empty()) {
        std::cerr << refusal << "\n";
        setExitCode(1);
        return;
    }
    // The Results window runs the constraints one after another, each page replacing the last.
    for (int16_t n = 1; n <= project->constraintCount; ++n) {
        ConstraintOutcome outcome;
        const std::string page = ConstraintCalculation(*project, n, &outcome);
        for (const std::string& w : outcome.warnings) std::cerr << "Warning: " << w << "\n";
        if (!tableFormat(o.format)) std::cout << page;
    }
    if (tableFormat(o.format))
        writeTable(constraintCurvesTable(*project, project->constraintCount), o.format);
    if (!o.svg.empty()) {
        const ConstraintDiagramLayout layout;
        SvgCanvas canvas(layout.width, layout.height);
        const std::string refused = drawConstraintDiagram(canvas, *project, project->constraintCount, layout);
        if (!refused.empty()) {
            std::cerr << "vededa-cli: " << refused << "\n";
            setExitCode(1);
            return;
        }
        writeSvg(o.svg, canvas);
    }
}

} // namespace

void registerConstraintCommands(CLI::App& app) {
    auto* cmd = app.add_subcommand("constraints", "Constraint analysis: the report page of every constraint");
    auto o = std::make_shared<ConstraintOptions>();
    cmd->add_option("FILE", o->file, "Project file (*.RUZ)")->required();
    cmd->add_option("--date", o->date, "Report date as written in the headings (e.g. 12/8/2026)");
    cmd->add_option("--svg", o->svg, "Write the constraint diagram of all constraints to this SVG file");
    addFormatOption(cmd, o->format);
    cmd->callback([o] { runConstraints(*o); });
}

} // namespace vededa::cli
