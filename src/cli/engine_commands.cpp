// Engine subcommands: design-engine (the on-design generator) and engine (one deck run).
#include "app/field_ranges.h"
#include "app/project_data.h"
#include "app/project_file.h"
#include "cli/commands.h"
#include "cli/engine_tables.h"
#include "engine/component_interfaces.h"
#include "engine/engine_deck.h"
#include "engine/engine_design.h"
#include "engine/engine_series.h"
#include "engine/engine_test.h"
#include "engine/reference_file.h"
#include "engine/throttle_hook.h"
#include "models/atmosphere.h"
#include "output/number_format.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <vector>

namespace vededa::cli {

namespace {

void designEngineCommand(const std::string& designPath, const std::string& outPath) {
    std::ifstream in(designPath, std::ios::binary);
    if (!in) {
        std::cerr << "vededa-cli: cannot read " << designPath << "\n";
        setExitCode(2);
        return;
    }
    std::ostringstream text;
    text << in.rdbuf();
    const DesignReadResult read = readEngineDesign(text.str());
    if (!read.ok) {
        std::cerr << "vededa-cli: " << designPath << ", " << read.message << "\n";
        setExitCode(2);
        return;
    }
    const DesignResult design = designEngine(read.design);
    if (!design.ok) {
        std::cerr << "vededa-cli: " << designPath << ": the design is refused: " << design.message << "\n";
        setExitCode(1);
        return;
    }
    const std::string error = writeFileSafely(outPath, referenceFileText(design.engine));
    if (!error.empty()) {
        std::cerr << "vededa-cli: " << error << "\n";
        setExitCode(2);
        return;
    }
    const auto& r = design.engine.reference;
    std::cout << "F = " << plainText(r[27]) << "\n";
    std::cout << "S = " << plainText(r[23]) << "\n";
    std::cout << "F/m0 = " << plainText(r[24]) << "\n";
    std::cout << "m0 = " << plainText(r[25]) << "\n";
    std::cout << "alpha = " << plainText(r[19]) << "\n";
    std::cout << "tau_tL = " << plainText(r[18]) << "\n";
}

struct EngineRunOptions {
    std::string file;
    std::optional<float> mach, alt;
    std::optional<float> t0, p0, tt4, tt7, percent, cprMax, pt3Max, tt3Max, nlMax, nhMax;
    std::optional<float> scale;
    // Engine test reports
    std::vector<std::string> series; ///< VARIABLE MIN MAX STEP
    bool hook = false, interfaces = false;
    std::optional<float> mach1, mach2, mach7;
    std::optional<int> afterburner;
    std::string date;
    std::string format = "text";
};

/// Checks every number option against its physical range in the unit system of the run; the series
/// bounds are read as whole numbers and checked against the range of their variable.
bool engineOptionsInRange(const EngineRunOptions& o, bool si) {
    const std::pair<const char*, const std::optional<float>*> options[] = {
        {"mach", &o.mach},      {"alt", &o.alt},        {"t0", &o.t0},           {"p0", &o.p0},
        {"tt4", &o.tt4},        {"tt7", &o.tt7},        {"percent", &o.percent}, {"cpr-max", &o.cprMax},
        {"pt3-max", &o.pt3Max}, {"tt3-max", &o.tt3Max}, {"nl-max", &o.nlMax},    {"nh-max", &o.nhMax},
        {"scale", &o.scale},    {"mach1", &o.mach1},    {"mach2", &o.mach2},     {"mach7", &o.mach7}};
    for (const auto& [key, value] : options)
        if (*value && !optionInRange(key, **value, si)) return false;
    if (o.series.size() == 4) {
        double bounds[3] = {0, 0, 0};
        const char* names[3] = {"MIN", "MAX", "STEP"};
        for (int k = 0; k < 3; ++k)
            if (!parseWholeNumber(o.series[static_cast<std::size_t>(k) + 1], bounds[k])) {
                std::cerr << "vededa-cli: --series " << names[k] << " is not a finite number\n";
                setExitCode(2);
                return false;
            }
        const char* variable = o.series[0].c_str();
        if (!optionInRange(variable, bounds[0], si) || !optionInRange(variable, bounds[1], si)) return false;
        if (std::fabs(bounds[2]) > 3.4e38) {
            std::cerr << "vededa-cli: --series STEP must be a finite number\n";
            setExitCode(2);
            return false;
        }
    }
    return true;
}

/// The series variable codes by their option names.
int16_t seriesVariableCode(const std::string& name) {
    static const char* names[] = {"mach", "alt", "t0", "p0", "tt4", "tt7", "p0p9"};
    for (int16_t i = 0; i < 7; ++i)
        if (name == names[i]) return static_cast<int16_t>(kSeriesMach + i);
    return 0;
}

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - suffix.size() + i])) != suffix[i])
            return false;
    return true;
}

/// Loads FILE for the engine test reports: a project (*.RUZ) that uses the cycle deck, or a reference
/// engine file run in its own unit system. Exit status 2 and false when it cannot be used.
bool loadEngine(ProjectData& project, const EngineRunOptions& o) {
    if (endsWithNoCase(o.file, ".ruz")) {
        if (!loadProject(project, o.file)) return false;
        if (project.thrustModel != 7) {
            std::cerr << "vededa-cli: " << o.file
                      << ": the project does not use the cycle deck (thrust model 7)\n";
            setExitCode(2);
            return false;
        }
    } else {
        initializeProject(project);
        const ReferenceReadResult read = ReadReferenceFile(project, o.file);
        if (!read.ok) {
            std::cerr << "vededa-cli: " << o.file << ": " << read.message << "\n" << read.detail << "\n";
            setExitCode(2);
            return false;
        }
        const int16_t flag = project.engine.referenceUnitFlag;
        project.unitSystem = flag == kEnglish ? kEnglish : kSI;
        setupUnits(project);
        project.engine.referenceUnitFlag = flag;
        const int16_t type = project.engine.setup[kSetupEngineType];
        project.afterburner = (type == 2 || type == 5) ? 1 : 0;
    }
    if (!deckSupportsType(project.engine.setup[kSetupEngineType])) {
        std::cerr << "vededa-cli: " << o.file << ": engine type " << project.engine.setup[kSetupEngineType]
                  << " is not computed by the deck\n";
        setExitCode(2);
        return false;
    }
    if (!engineOptionsInRange(o, project.unitSystem == kSI)) return false;
    if (o.afterburner) project.afterburner = *o.afterburner != 0 ? 1 : 0;
    if (!o.date.empty()) project.clock.fixedDate = o.date;
    EngineData& e = project.engine;
    if (o.tt4) e.tt4MaxSetting = *o.tt4;
    if (o.tt7) e.tt7MaxSetting = *o.tt7;
    if (o.cprMax) e.controls[11] = *o.cprMax;
    if (o.pt3Max) e.controls[12] = *o.pt3Max;
    if (o.tt3Max) e.controls[13] = *o.tt3Max;
    if (o.nlMax) e.controls[14] = *o.nlMax;
    if (o.nhMax) e.controls[15] = *o.nhMax;
    if (o.scale) e.thrustScale = *o.scale;
    return true;
}

/// The engine test reports: --series, --hook or --interfaces.
void engineReportCommand(const EngineRunOptions& o) {
    ProjectData project;
    if (!loadEngine(project, o)) return;
    EngineData& e = project.engine;
    auto& c = e.controls;
    if (o.interfaces) {
        if (o.mach1) commitInterfaceMach(e.test.interfaceMach1, *o.mach1);
        if (o.mach2) commitInterfaceMach(e.test.interfaceMach2, *o.mach2);
        if (o.mach7) commitInterfaceMach(e.test.interfaceMach7, *o.mach7);
        writeReport(componentInterfacesReport(project));
        return;
    }
    // The operating condition: the options, else the one stored with the engine.
    const float mach = o.mach ? *o.mach : c[1];
    const float alt = o.alt ? *o.alt : c[2];
    const float T0 = o.t0 ? *o.t0 : (o.alt ? 0.0f : c[3]);
    std::string messages;
    if (o.hook) {
        std::vector<ThrottleHookRow> rows;
        const std::string text = calculateThrottleHook(project, mach, alt, T0, messages, &rows);
        if (tableFormat(o.format))
            writeTable(throttleHookTable(rows, project.unitSystem == kSI), o.format);
        else
            writeReport(text);
        if (!messages.empty()) std::cerr << messages;
        return;
    }
    setEngineTestCondition(project, mach, alt, T0);
    if (o.p0) c[4] = *o.p0;
    engineTestReset(project, messages);
    EngineTestSettings& s = e.test;
    s.seriesVariable = seriesVariableCode(o.series[0]);
    double bound = 0;
    s.seriesMin = parseWholeNumber(o.series[1], bound) ? static_cast<float>(bound) : 0.0f;
    s.seriesMax = parseWholeNumber(o.series[2], bound) ? static_cast<float>(bound) : 0.0f;
    s.seriesStep = parseWholeNumber(o.series[3], bound) ? static_cast<float>(bound) : 0.0f;
    std::string report;
    const SeriesResult result = engineSeriesReport(project, report);
    if (!result.refusal.empty()) {
        std::cerr << "vededa-cli: " << result.refusal << "\n";
        setExitCode(2);
        return;
    }
    if (!result.ran) {
        std::cerr << "vededa-cli: the series start value is out of range; nothing was written\n";
        setExitCode(1);
        return;
    }
    if (tableFormat(o.format))
        writeTable(engineSeriesTable(result.table, o.series[0], project.unitSystem == kSI), o.format);
    else
        writeReport(report);
}

void engineCommand(const EngineRunOptions& o) {
    if (!o.series.empty() || o.hook || o.interfaces) {
        engineReportCommand(o);
        return;
    }
    if (!o.mach || !o.alt) {
        std::cerr << "vededa-cli: engine: --mach and --alt are required for a single run\n";
        setExitCode(2);
        return;
    }
    ProjectData project;
    initializeProject(project);
    const ReferenceReadResult read = ReadReferenceFile(project, o.file);
    if (!read.ok) {
        std::cerr << "vededa-cli: " << o.file << ": " << read.message << "\n" << read.detail << "\n";
        setExitCode(2);
        return;
    }
    // The run is in the reference file's units.
    const int16_t flag = project.engine.referenceUnitFlag;
    project.unitSystem = flag == kEnglish ? kEnglish : kSI;
    setupUnits(project);
    project.engine.referenceUnitFlag = flag;
    if (!engineOptionsInRange(o, project.unitSystem == kSI)) return;
    EngineData& e = project.engine;
    FlightCondition fc;
    fc.altitude = *o.alt;
    atmosphere(fc, project.units);
    e.controls[1] = *o.mach;
    e.controls[2] = *o.alt;
    e.controls[3] = o.t0 ? *o.t0 : fc.temperature;
    e.controls[4] = o.p0 ? *o.p0 : fc.pressure / project.units.pressureConstant;
    if (o.tt4) e.controls[5] = *o.tt4;
    if (o.tt7) e.controls[6] = *o.tt7;
    if (o.cprMax) e.controls[11] = *o.cprMax;
    if (o.pt3Max) e.controls[12] = *o.pt3Max;
    if (o.tt3Max) e.controls[13] = *o.tt3Max;
    if (o.nlMax) e.controls[14] = *o.nlMax;
    if (o.nhMax) e.controls[15] = *o.nhMax;

    DeckConditions conditions = DeckConditions::fromControls(e, project.units, o.scale.value_or(1.0f));
    conditions.throttleMode = 1;
    DeckResult run = runEngineDeck(e, conditions);
    float fMax = 0;
    if (o.percent && run.converged) {
        fMax = run.F;
        conditions.requiredThrust = *o.percent / 100.0f * fMax;
        conditions.throttleMode = 2;
        DeckResult matched = runEngineDeck(e, conditions);
        matched.failure.insert(matched.failure.begin(), run.failure.begin(), run.failure.end());
        run = std::move(matched);
    }
    const EngineDeckResults& results = run.cycle;
    const int16_t code = run.limit;
    auto line = [](const char* name, float v) { std::cout << name << " = " << plainText(v) << "\n"; };
    if (o.percent) line("F_max", fMax);
    line("F", run.F);
    line("S", run.S);
    line("m0", run.m0);
    line("A0", run.A0);
    line("A9", run.A9);
    line("Tt4", run.Tt4);
    line("Tt7", run.Tt7);
    std::cout << "AB state = " << run.afterburnerState << "\n";
    std::cout << "limit code = " << code << "\n";
    std::cout << "limit name = "
              << (code < 0 ? std::string(" Didn't converge")
                           : project.labels.limitNames[static_cast<std::size_t>(code) + 1])
              << "\n";
    line("pi_c", results.piC);
    line("pi_c'", results.piFan);
    line("pi_cH", results.piHpc);
    line("alpha", results.alpha);
    line("tau_tL", results.tauTL);
    line("Pt9/P9", results.pt9p9);
    line("%N_L", results.pctNL);
    line("%N_H", results.pctNH);
    line("m_c2", results.mc2);
    line("m_c25", results.mc25);
    for (const std::string& m : run.failure) {
        const std::size_t first = m.find_first_not_of(' ');
        if (first != std::string::npos) std::cout << "message = " << m.substr(first) << "\n";
    }
    if (code == kLimitNoSolution) setExitCode(1);
}

} // namespace

void registerEngineCommands(CLI::App& app) {
    {
        auto* cmd =
            app.add_subcommand("design-engine", "Compute a reference engine from a design file and write it");
        auto design = std::make_shared<std::string>();
        auto out = std::make_shared<std::string>();
        cmd->add_option("DESIGN", *design, "Engine design file (key = value lines)")->required();
        cmd->add_option("-o,--output", *out, "Reference engine file to write (*.REF)")->required();
        cmd->callback([design, out] { designEngineCommand(*design, *out); });
    }
    {
        auto* cmd = app.add_subcommand(
            "engine",
            "One engine deck run, or the engine series, throttle hook or component interfaces report");
        auto o = std::make_shared<EngineRunOptions>();
        cmd->add_option("REF", o->file,
                        "Reference engine file (*.REF); for the reports also a cycle-deck project (*.RUZ)")
            ->required();
        cmd->add_option("--mach", o->mach, "Flight Mach number (required for a single run)")
            ->check(finiteNumber());
        cmd->add_option("--alt", o->alt, "Altitude (ft or m; required for a single run)")
            ->check(finiteNumber());
        cmd->add_option("--t0", o->t0, "Ambient temperature instead of the table atmosphere")
            ->check(finiteNumber());
        cmd->add_option(
               "--p0", o->p0,
               "Ambient pressure (psia or Pa) instead of the table atmosphere (single run and series)")
            ->check(finiteNumber());
        cmd->add_option("--tt4", o->tt4, "Maximum burner exit temperature")->check(finiteNumber());
        cmd->add_option("--tt7", o->tt7, "Afterburner exit temperature (0 = afterburner off)")
            ->check(finiteNumber());
        auto* percent = cmd->add_option("--percent", o->percent,
                                        "Match this percent of the full-throttle thrust (single run)")
                            ->check(finiteNumber());
        cmd->add_option("--cpr-max", o->cprMax, "Compressor pressure ratio limit")->check(finiteNumber());
        cmd->add_option("--pt3-max", o->pt3Max, "Pt3 limit")->check(finiteNumber());
        cmd->add_option("--tt3-max", o->tt3Max, "Tt3 limit")->check(finiteNumber());
        cmd->add_option("--nl-max", o->nlMax, "Low-pressure spool speed limit (percent)")
            ->check(finiteNumber());
        cmd->add_option("--nh-max", o->nhMax, "High-pressure spool speed limit (percent)")
            ->check(finiteNumber());
        cmd->add_option("--scale", o->scale, "Thrust scale (multiplies the reference mass flow)")
            ->check(finiteNumber());
        auto* series =
            cmd->add_option("--series", o->series,
                            "Engine performance series: VARIABLE (mach|alt|t0|p0|tt4|tt7|p0p9) MIN MAX STEP")
                ->expected(4);
        auto* hook = cmd->add_flag("--hook", o->hook, "Throttle hook (100 % to 10 % of the maximum thrust)");
        addFormatOption(cmd, o->format);
        auto* interfaces =
            cmd->add_flag("--interfaces", o->interfaces, "Component interfaces of the reference engine");
        series->excludes(hook)->excludes(interfaces);
        hook->excludes(interfaces);
        percent->excludes(series)->excludes(hook)->excludes(interfaces);
        cmd->add_option("--mach1", o->mach1, "Mach number at the engine face (station 1)")
            ->check(finiteNumber())
            ->needs(interfaces);
        cmd->add_option("--mach2", o->mach2, "Mach number at the compressor face (station 2)")
            ->check(finiteNumber())
            ->needs(interfaces);
        cmd->add_option("--mach7", o->mach7, "Mach number at the afterburner exit (station 7)")
            ->check(finiteNumber())
            ->needs(interfaces);
        cmd->add_option(
               "--afterburner", o->afterburner,
               "Afterburner selected for the engine test (1) or not (0); default the project's, or on "
               "for an afterburning reference engine")
            ->check(CLI::IsMember({0, 1}));
        cmd->add_option("--date", o->date, "Report date as written in the headings (e.g. 12/8/2026)");
        cmd->callback([o] { engineCommand(*o); });
    }
}

} // namespace vededa::cli
