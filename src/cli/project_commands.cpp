// Foundation subcommands: atmosphere, show, convert.
#include "app/field_ranges.h"
#include "app/project_data.h"
#include "app/project_file.h"
#include "app/status_text.h"
#include "cli/commands.h"
#include "constraint/constraint_list.h"
#include "mission/leg_list.h"
#include "models/atmosphere.h"
#include "output/canvas.h"
#include "output/number_format.h"

#include <cmath>
#include <fstream>
#include <iostream>
#include <memory>

namespace vededa::cli {

namespace {

int g_exitCode = 0;

void printAtmosphere(float altitude, bool si) {
    ProjectData project;
    initializeProject(project);
    project.unitSystem = si ? kSI : kEnglish;
    setupUnits(project);
    FlightCondition fc;
    fc.altitude = altitude;
    atmosphere(fc, project.units);
    std::cout << "units = " << (si ? "SI (m, K, Pa, m/s)" : "English (ft, R, psf, ft/s)") << "\n";
    std::cout << "h = " << plainText(fc.altitude) << "\n";
    std::cout << "hk = " << plainText(fc.hk) << "\n";
    std::cout << "i = " << fc.index << "\n";
    std::cout << "T = " << plainText(fc.temperature) << "\n";
    std::cout << "P = " << plainText(fc.pressure) << "\n";
    std::cout << "theta = " << plainText(fc.theta) << "\n";
    std::cout << "delta = " << plainText(fc.delta) << "\n";
    std::cout << "sigma = " << plainText(fc.sigma) << "\n";
    std::cout << "a = " << plainText(fc.soundSpeed) << "\n";
    if (fc.aboveTable) std::cout << "note = " << atmosphereClampLine(altitude, si) << "\n";
}

std::string oneLine(std::string text) {
    for (std::size_t pos; (pos = text.find("\r\n")) != std::string::npos;) text.replace(pos, 2, " ");
    return text;
}

void showProject(const ProjectData& p) {
    const auto& w = p.labels.window;
    std::cout << "File: " << p.projectPath << "\n";
    std::cout << unitsStatusText(p) << "\n";
    const std::string drag = dragStatusText(p);
    std::cout << (drag.empty() ? "Aircraft Drag:" : drag) << "\n";
    std::cout << oneLine(engineStatusText(p)) << "\n";
    std::cout << "Constraints: " << p.constraintCount << "\n";
    std::cout << "Mission legs: " << p.legCount << "\n";
    std::cout << "Gross Takeoff Weight - W = " << plainText(p.takeoffWeight()) << " " << w.weight << "\n";
    std::cout << "Wing Loading   W/S = " << plainText(p.wingLoading) << " " << w.pressure << "\n";
    std::cout << "Thrust Loading T/W = " << plainText(p.thrustLoading) << "\n";
    std::cout << "Weight Fraction at Start (Beta) = " << plainText(p.betaStart[1]) << "\n";
    std::cout << "Thrust @ SL Static - T = " << plainText(p.seaLevelThrust) << " " << w.weight << "\n";
    std::cout << "Wing Area - S = " << plainText(p.wingArea) << " " << w.wingArea << "\n";
    std::cout << "\nType   Name\n";
    for (int n = 1; n <= p.constraintCount; ++n)
        std::cout << constraintListLine(n, p.constraints[static_cast<std::size_t>(n)]) << "\n";
    std::cout << "\nMission legs\n" << legListHeader() << "\n";
    for (int n = 1; n <= p.legCount; ++n)
        std::cout << legListLine(n, p.legs[static_cast<std::size_t>(n)]) << "\n";
}

} // namespace

int exitCode() {
    return g_exitCode;
}
void setExitCode(int code) {
    g_exitCode = code;
}

/// Reads a project for a subcommand; on failure prints the reader's message and sets the exit code.
bool loadProject(ProjectData& project, const std::string& path) {
    initializeProject(project);
    const FileResult r = readProject(project, path);
    if (!r) {
        std::cerr << "vededa-cli: " << r.message << "\n";
        setExitCode(2);
        return false;
    }
    return true;
}

const CLI::Validator& finiteNumber() {
    static const CLI::Validator check(
        [](std::string& text) -> std::string {
            double v = 0;
            if (!parseWholeNumber(text, v)) return "not a finite number";
            if (std::fabs(v) > 3.4028234663852886e38) return "beyond the single-precision range";
            return {};
        },
        "NUMBER");
    return check;
}

bool optionInRange(const char* key, double value, bool si) {
    const FieldRange* range = findFieldRange(key);
    if (!range) return true;
    const std::string problem = fieldValueProblem(*range, value, si);
    if (problem.empty()) return true;
    std::cerr << "vededa-cli: " << problem << "\n";
    setExitCode(2);
    return false;
}

void writeReport(const std::string& text) {
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::cout.flush();
}

bool writeSvg(const std::string& path, const SvgCanvas& canvas) {
    std::ofstream out(path, std::ios::binary);
    out << canvas.document();
    if (!out) {
        std::cerr << "vededa-cli: cannot write " << path << "\n";
        setExitCode(3);
        return false;
    }
    return true;
}

void registerProjectCommands(CLI::App& app) {
    {
        auto* cmd =
            app.add_subcommand("atmosphere", "Ambient state of the standard atmosphere at an altitude");
        auto altitude = std::make_shared<float>(0.0f);
        auto si = std::make_shared<bool>(false);
        cmd->add_option("ALT", *altitude, "Altitude (ft, or m with --si)")->required()->check(finiteNumber());
        cmd->add_flag("--si", *si, "Altitude in m and results in SI units");
        cmd->callback([altitude, si] {
            if (optionInRange("alt", *altitude, *si)) printAtmosphere(*altitude, *si);
        });
    }
    {
        auto* cmd = app.add_subcommand(
            "show", "Show a project: models, counts, aircraft data, constraint and leg lists");
        auto file = std::make_shared<std::string>();
        cmd->add_option("FILE", *file, "Project file (*.RUZ)")->required();
        cmd->callback([file] {
            auto project = std::make_unique<ProjectData>();
            if (loadProject(*project, *file)) showProject(*project);
        });
    }
    {
        auto* cmd = app.add_subcommand("convert", "Convert a project to another unit system and write it");
        auto file = std::make_shared<std::string>();
        auto units = std::make_shared<std::string>();
        auto out = std::make_shared<std::string>();
        cmd->add_option("FILE", *file, "Project file (*.RUZ)")->required();
        cmd->add_option("--units", *units, "Target unit system")
            ->required()
            ->check(CLI::IsMember({"english", "si"}, CLI::ignore_case));
        cmd->add_option("-o,--output", *out, "Output project file")->required();
        cmd->callback([file, units, out] {
            auto project = std::make_unique<ProjectData>();
            if (!loadProject(*project, *file)) return;
            const int16_t target = (*units == "si" || *units == "SI") ? kSI : kEnglish;
            switchUnits(*project, target);
            const FileResult r = writeProject(*project, *out);
            if (!r) {
                std::cerr << "vededa-cli: " << r.message << "\n";
                setExitCode(3);
            }
        });
    }
}

} // namespace vededa::cli
