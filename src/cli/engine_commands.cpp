// Engine subcommands: design-engine (the on-design generator) and engine (one deck run).
#include "app/project_data.h"
#include "cli/commands.h"
#include "engine/engine_deck.h"
#include "engine/engine_design.h"
#include "engine/reference_file.h"
#include "models/atmosphere.h"
#include "output/number_format.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

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
    float mach = 0, alt = 0;
    std::optional<float> t0, p0, tt4, tt7, percent, cprMax, pt3Max, tt3Max, nlMax, nhMax;
    float scale = 1;
};

void engineCommand(const EngineRunOptions& o) {
    ProjectData project;
    initializeProject(project);
    const ReferenceReadResult read = ReadReferenceFile(project, o.file);
    if (!read.ok) {
        std::cerr << "vededa-cli: " << o.file << ": " << read.message << "\n";
        setExitCode(2);
        return;
    }
    // The run is in the reference file's units.
    const int16_t flag = project.engine.referenceUnitFlag;
    project.unitSystem = flag == kEnglish ? kEnglish : kSI;
    setupUnits(project);
    project.engine.referenceUnitFlag = flag;
    EngineData& e = project.engine;
    FlightCondition fc;
    fc.altitude = o.alt;
    atmosphere(fc, project.units);
    e.controls[1] = o.mach;
    e.controls[2] = o.alt;
    e.controls[3] = o.t0 ? *o.t0 : fc.temperature;
    e.controls[4] = o.p0 ? *o.p0 : fc.pressure / project.units.pressureConstant;
    if (o.tt4) e.controls[5] = *o.tt4;
    if (o.tt7) e.controls[6] = *o.tt7;
    if (o.cprMax) e.controls[11] = *o.cprMax;
    if (o.pt3Max) e.controls[12] = *o.pt3Max;
    if (o.tt3Max) e.controls[13] = *o.tt3Max;
    if (o.nlMax) e.controls[14] = *o.nlMax;
    if (o.nhMax) e.controls[15] = *o.nhMax;

    EngineDeckResults results;
    std::string text;
    float F = 0, S = 0, m0 = 0, A0 = 0, A9 = 0, Tt4 = 0, Tt7 = 0, scale = o.scale, fMax = 0;
    int16_t ab = 0, code = 0;
    e.setup[kSetupThrottleMode] = 1;
    RunEngineDeck(e, project.units, results, text, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
    if (o.percent && code != kLimitNoSolution) {
        fMax = F;
        e.controls[10] = *o.percent / 100.0f * fMax;
        e.setup[kSetupThrottleMode] = 2;
        RunEngineDeck(e, project.units, results, text, F, S, m0, A0, A9, Tt4, Tt7, ab, code, scale);
    }
    auto line = [](const char* name, float v) { std::cout << name << " = " << plainText(v) << "\n"; };
    if (o.percent) line("F_max", fMax);
    line("F", F);
    line("S", S);
    line("m0", m0);
    line("A0", A0);
    line("A9", A9);
    line("Tt4", Tt4);
    line("Tt7", Tt7);
    std::cout << "AB state = " << ab << "\n";
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
    std::istringstream messages(text);
    for (std::string m; std::getline(messages, m);) {
        if (!m.empty() && m.back() == '\r') m.pop_back();
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
        auto* cmd = app.add_subcommand("engine", "One engine deck run of a reference engine file");
        auto o = std::make_shared<EngineRunOptions>();
        cmd->add_option("REF", o->file, "Reference engine file (*.REF)")->required();
        cmd->add_option("--mach", o->mach, "Flight Mach number")->required();
        cmd->add_option("--alt", o->alt, "Altitude (ft or m, the file's units)")->required();
        cmd->add_option("--t0", o->t0, "Ambient temperature instead of the table atmosphere");
        cmd->add_option("--p0", o->p0, "Ambient pressure (psia or Pa) instead of the table atmosphere");
        cmd->add_option("--tt4", o->tt4, "Maximum burner exit temperature");
        cmd->add_option("--tt7", o->tt7, "Afterburner exit temperature (0 = afterburner off)");
        cmd->add_option("--percent", o->percent, "Match this percent of the full-throttle thrust");
        cmd->add_option("--cpr-max", o->cprMax, "Compressor pressure ratio limit");
        cmd->add_option("--pt3-max", o->pt3Max, "Pt3 limit");
        cmd->add_option("--tt3-max", o->tt3Max, "Tt3 limit");
        cmd->add_option("--nl-max", o->nlMax, "Low-pressure spool speed limit (percent)");
        cmd->add_option("--nh-max", o->nhMax, "High-pressure spool speed limit (percent)");
        cmd->add_option("--scale", o->scale, "Thrust scale (multiplies the reference mass flow)");
        cmd->callback([o] { engineCommand(*o); });
    }
}

} // namespace vededa::cli
