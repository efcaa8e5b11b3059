#include "engine/engine_test.h"

#include "models/atmosphere.h"
#include "output/number_format.h"

#include <cmath>

namespace vededa {

EngineTestPoint runEngineTestDeck(ProjectData& p, std::string& report) {
    EngineTestPoint pt;
    float scale = 1.0f;
    RunEngineDeck(p.engine, p.units, pt.cycle, report, pt.F, pt.S, pt.m0, pt.A0, pt.A9, pt.Tt4, pt.Tt7,
                  pt.afterburnerState, pt.limit, scale);
    if (!pt.failed() && (!std::isfinite(pt.F) || !std::isfinite(pt.S) || !std::isfinite(pt.m0))) {
        report += "     The engine calculation gave no finite thrust or fuel consumption.\r\n";
        pt.limit = kLimitNoSolution;
        pt.F = 0;
    }
    return pt;
}

std::string limitColumn(const ProjectData& p, int16_t code) {
    if (code < 0) return " Didn't converge";
    if (code > kLimitNoSolution) code = kLimitNoSolution;
    return p.labels.limitNames[code + 1];
}

std::string limitText(const ProjectData& p, int16_t code) {
    const std::string column = limitColumn(p, code);
    const auto first = column.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return column.substr(first, column.find_last_not_of(' ') - first + 1);
}

void setEngineTestCondition(ProjectData& p, float mach, float altitude, float T0) {
    auto& c = p.engine.controls;
    c[1] = mach < 0 ? 0.0f : mach;
    c[2] = altitude < 0 ? 0.0f : altitude;
    FlightCondition fc;
    fc.altitude = c[2];
    atmosphere(fc, p.units);
    c[3] = fc.theta * p.units.TSL;
    c[4] = fc.delta * p.units.PSL / p.units.pressureConstant;
    if (T0 > 0) c[3] = T0;
}

EngineTestReset engineTestReset(ProjectData& p, std::string& report) {
    EngineData& e = p.engine;
    EngineTestReset r;
    e.setup[kSetupThrottleMode] = 1;
    e.controls[5] = e.tt4MaxSetting;
    e.controls[6] = 0;
    r.fullThrottle = runEngineTestDeck(p, report);
    if (p.afterburner == 1) {
        if (r.fullThrottle.limit >= 0) r.dryThrust = r.fullThrottle.F;
        e.controls[6] = e.tt7MaxSetting;
        r.fullThrottle = runEngineTestDeck(p, report);
        r.maxThrust = r.fullThrottle.F;
    } else {
        r.maxThrust = r.dryThrust = r.fullThrottle.F;
    }
    return r;
}

EngineResetFields engineResetFields(const EngineTestReset& r) {
    EngineResetFields f;
    f.tt4 = FormatField(r.fullThrottle.Tt4, 0);
    f.maxThrust = FormatField(r.maxThrust, 0);
    f.tsfc = FormatField(r.fullThrottle.S, 4);
    return f;
}

EngineTestResult runEngineTest(ProjectData& p, float mach, float altitude, float T0, float percent,
                               std::string& report) {
    EngineData& e = p.engine;
    EngineTestResult t;
    e.test.seriesVariable = 0;
    e.test.percent = percent;
    e.controls[6] = p.afterburner == 1 ? e.tt7MaxSetting : 0.0f;
    setEngineTestCondition(p, mach, altitude, T0);
    e.controls[5] = e.tt4MaxSetting;
    t.reset = engineTestReset(p, report);
    e.setup[kSetupThrottleMode] = 2;
    e.controls[10] = t.reset.maxThrust * percent / 100.0f;
    // A failed full-throttle run leaves no thrust to match: its failure is the result.
    t.run = t.reset.fullThrottle.failed() ? t.reset.fullThrottle : runEngineTestDeck(p, report);
    // At exactly 100 percent the window keeps the full-throttle thrust and TSFC of Reset.
    if (percent == 100.0f) {
        t.shownThrust = t.reset.maxThrust;
        t.shownTsfc = t.reset.fullThrottle.S;
    } else {
        t.shownThrust = t.run.F;
        t.shownTsfc = t.run.S;
    }
    t.afterburner = t.run.afterburnerState == 0 ? "On" : "Off";
    t.limitName = limitColumn(p, t.run.limit);
    return t;
}

EngineTestFields engineTestFields(const EngineTestResult& t) {
    EngineTestFields f;
    const EngineDeckResults& c = t.run.cycle;
    f.thrust = FormatField(t.shownThrust, 0);
    f.tsfc = FormatField(t.shownTsfc, 4);
    f.massFlow = FormatField(t.run.m0, 2);
    f.tt4 = FormatField(t.run.Tt4, 0);
    f.tt7 = FormatField(t.run.Tt7, 0);
    f.afterburner = t.afterburner;
    f.limit = t.limitName;
    f.pic = FormatField(c.piC, 3);
    f.pt9p9 = FormatField(c.pt9p9, 3);
    f.lowSpool = FormatField(c.pctNL, 2);
    f.highSpool = FormatField(c.pctNH, 2);
    f.fanRatio = FormatField(c.piFan, 3);
    f.bypassRatio = FormatField(c.alpha, 3);
    f.mc2 = FormatField(c.mc2, 2);
    f.mc25 = FormatField(c.mc25, 2);
    f.hpcRatio = FormatField(c.piFan != 0 ? c.piC / c.piFan : 0.0f, 3);
    return f;
}

} // namespace vededa
