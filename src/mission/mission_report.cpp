#include "mission/mission_report.h"

#include "app/build_info.h"
#include "mission/leg_set.h"
#include "output/number_format.h"

#include <algorithm>
#include <cmath>

namespace vededa {

namespace {

std::string F(float v, int16_t decimals) {
    return FormatField(v, decimals);
}

/// The leg number and the name, six characters wide, of a summary row.
std::string legColumns(int i, const std::string& name) {
    std::string shortName = name.substr(0, 6);
    shortName.resize(6, ' '); // short names keep the columns behind them in place
    return Space(i > 9 ? 2 : 3) + std::to_string(i) + " " + shortName;
}

} // namespace

std::string speedUnit(const ProjectData& project) {
    return project.unitSystem == kSI ? " m/sec" : " ft/sec";
}

void missionHeaderTop(ReportBuffer& out, const ProjectData& p, const std::string& engineFileLabel) {
    const bool si = p.unitSystem == kSI;
    out.line(Space(10) + "Mission Analysis (Version " + std::string(programVersion()) +
             ")    Date:" + p.clock.date());
    out.line(Space(10) + "Filename: " + p.projectPath);
    out.line(Space(10) + "Models: Aircraft #" + std::to_string(p.dragModel) + ", Thrust #" +
             std::to_string(p.thrustModel) + ", TSFC #" + std::to_string(p.tsfcModel));
    if (p.thrustModel >= 1 && p.thrustModel <= 5)
        out.line(Space(14) + "Throttle Ratio: " + plainText(p.throttleRatio));
    if (p.thrustModel == 7) {
        const EngineData& e = p.engine;
        out.line(Space(14) + engineFileLabel + e.fileName);
        out.line(Space(14) + "Number of Engines: " + F(static_cast<float>(e.setup[kSetupEngineCount]), 0));
        out.line(Space(14) + "Thrust Scale Factor = " + formatPattern(e.thrustScale, "0.000E+00"));
        const auto& c = e.controls;
        if (c[11] > 0)
            out.line(Space(14) + "Max Compressor pressure ratio   " + formatPattern(c[11], "0.000E+00"));
        if (c[12] > 0)
            out.line(Space(14) +
                     (si ? "Max Pressure at Station 3 (kPa) " : "Max Pressure at Station 3 (psia)") +
                     F(c[12], 2));
        if (c[13] > 0)
            out.line(Space(14) +
                     (si ? "Max Temperature at Station 3 (K)" : "Max Temperature at Station 3 (R)") +
                     F(c[13], 0));
        if (c[14] > 0) out.line(Space(14) + "Max % Ref RPM - LP Spool        " + F(c[14], 0));
        if (c[15] > 0) out.line(Space(14) + "Max % Ref RPM - HP Spool        " + F(c[15], 0));
        if (e.setup[kSetupLossModel] == 3)
            out.line(Space(14) + "Area 1 =" + formatPattern(c[16], "0.000E+00") + "  Area 10 =" +
                     formatPattern(c[17], "0.000E+00") + "  N Lngth =" + formatPattern(c[18], "0.000E+00"));
    }
}

void missionCurrentSelection(ReportBuffer& out, const ProjectData& p) {
    const WindowUnitLabels& w = p.labels.window;
    out.line(Space(10) + "Current Selection:");
    out.line(Space(14) + "Wing Loading (W/S)" + Space(14) + F(p.wingLoading, 2) + " " + w.pressure);
    out.line(Space(14) + "Thrust Loading (T/W)" + Space(12) + F(p.thrustLoading, 4));
    out.line(Space(14) + "Weight Fraction (Beta)" + Space(10) + F(p.betaStart[1], 4));
    out.line(Space(14) + "Gross Takeoff Weight " + Space(11) + F(p.takeoffWeight(), 0) + " " + w.weight);
    out.line(Space(14) + "Thrust @ SLS " + Space(19) + F(p.seaLevelThrust, 0) + " " + w.weight);
    out.line(Space(14) + "Wing Area - S" + Space(19) + F(p.wingArea, 2) + " " + w.wingArea);
}

void missionLegHeading(ReportBuffer& out, const ProjectData& p, int i) {
    const MissionLeg& leg = p.legs[static_cast<std::size_t>(i)];
    const int type = legTypeIndex(leg.type);
    out.line(Space(5) + "Mission Leg #" + std::to_string(i) + Space(10) + "Name: " + leg.name);
    out.line(Space(5) +
             "Type: " + (type > 0 ? p.labels.legTypeNames[static_cast<std::size_t>(type)] : leg.type));
    auto echo = [&](int label, float value) {
        out.line(Space(10) + p.labels.legLabels[static_cast<std::size_t>(label)] + Space(5) +
                 plainText(value));
    };
    for (const LegField& f : legFields(p, leg.type)) echo(f.label, leg.p[f.parameter]);
    if (leg.type == "L" && p.tsfcModel == 6) {
        echo(19, leg.p[19]);
        echo(20, leg.p[20]);
    }
    const int16_t loss = p.engine.setup[kSetupLossModel];
    if (p.thrustModel == 7 && (loss == 1 || loss == 2))
        out.line(Space(10) + "Total Inlet/Nozzle Instal Loss  " + Space(5) +
                 plainText(loss == 1 ? p.engine.controls[8] : leg.p[21]));
}

std::string missionBetaLine(int leg, float betaStart, float betaEnd) {
    auto part = [](int i, float beta) {
        return "Beta " + std::to_string(i) + (i < 10 ? "  = " : " = ") + formatPattern(beta, "0.000E+00");
    };
    return Space(10) + part(leg, betaStart) + Space(9) + part(leg + 1, betaEnd);
}

std::string missionSummary(const ProjectData& p, int page) {
    ReportBuffer out;
    const MissionResults& r = p.missionResults;
    const int n = std::clamp<int>(r.lastLeg, 0, kMaxLegs);
    const bool si = p.unitSystem == kSI;
    const std::string& force = p.labels.suffixes.weight;
    if (page != 2) {
        missionHeaderTop(out, p);
        missionCurrentSelection(out, p);
        out.line("  Leg  Name    PI      Beta    Beta   Wt Chg    Drag  Thrust    Time    Dist");
        out.line(si ? "                     initial  final      (N)     (N)     (N)   (sec)   (km)"
                    : "                     initial  final     (lb)    (lb)    (lb)   (sec)   (nm)");
        float fuel = 0, payload = 0;
        for (int i = 1; i <= n; ++i) {
            const std::size_t k = static_cast<std::size_t>(i);
            const float change = (p.betaStart[k] - p.betaStart[k + 1]) * p.takeoffWeight();
            if (p.legs[k].type == "L")
                payload += change;
            else
                fuel += change;
            out.line(legColumns(i, p.legs[k].name) + " " + formatPattern(r.pi[k], "0.00000") + " " +
                     formatPattern(p.betaStart[k], "0.00000") + " " +
                     formatPattern(p.betaStart[k + 1], "0.00000") + " " + F(change, 1) + " " +
                     F(r.thrustRequired[k], 0) + " " + F(r.thrustAvailable[k], 0) + " " + F(r.time[k], 1) +
                     " " + F(r.distance[k], 2));
        }
        out.line();
        out.line(Space(20) + "Summary of Mission Weights");
        out.line(Space(14) + "Aircraft Takeoff Weight       " + F(p.takeoffWeight(), 0) + force);
        out.line(Space(14) + "Weight of Fuel Used           " + F(fuel, 0) + force);
        out.line(Space(14) + "Weight of Payload Expended    " + F(payload, 0) + force);
        out.line(Space(14) + "Aircraft Landing Weight       " +
                 F(p.takeoffWeight() * p.betaStart[static_cast<std::size_t>(n) + 1], 0) + force);
        return out.text();
    }
    missionHeaderTop(out, p, "Egine File Name: ");
    out.line("  Leg  Name   Mach  Altitude Area0*  Area9  Thrust    TSFC   Phi I+N  Limit");
    out.line(si ? "                        (m)   (m^2)  (m^2)     (N)   "
                : "                       (ft)  (ft^2) (ft^2)    (lb)   (1/hr)");
    for (int i = 1; i <= n; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        const int16_t areaDecimals = si ? 4 : 3;
        // An area the deck left without a value (a leg without solution) stays blank, as wide as a value.
        auto area = [&](float v) {
            return std::isfinite(v) ? F(v, areaDecimals) : std::string(F(0.0f, areaDecimals).size(), ' ');
        };
        out.line(legColumns(i, p.legs[k].name) + " " + F(r.mach[k], 4) + " " + F(p.legs[k].p[1], 0) + " " +
                 area(r.inletArea[k]) + " " + area(r.nozzleArea[k]) + " " + F(r.thrustAvailable[k], 0) +
                 "  " + formatPattern(r.tsfc[k], si ? "00.00000" : "0.000000") + " " +
                 formatPattern(r.phi[k], "0.00000") + " " + r.limit[k]);
    }
    return out.text();
}

} // namespace vededa
