#include "engine/throttle_hook.h"

#include "app/build_info.h"
#include "engine/engine_test.h"
#include "output/number_format.h"
#include "output/report.h"
#include "output/report_columns.h"

namespace vededa {

std::string throttleHookReport(ProjectData& p, float maxThrust, std::string& messages,
                               std::vector<ThrottleHookRow>* rows) {
    EngineData& e = p.engine;
    auto& c = e.controls;
    const bool english = p.unitSystem == kEnglish;
    ReportBuffer out;
    out.line(" Vededa (Version " + std::string(programVersion()) + ")    Date:" + p.clock.date());
    out.line(" Engine File: " + e.fileName);
    out.line(" Throttle Hook @ Mach =" + FormatField(c[1], 2) + ",  Altitude =" + FormatField(c[2], 0) +
             (english ? " ft" : " m") + ",  T0 =" + FormatField(c[3], 2));
    out.line(" Thrust  TSFC   mdot  mdotc2   pic' mdotc25  picH    Tt4    Tt7  AB    Limit");
    // Without a full-throttle thrust there is nothing to throttle: say so instead of 46 failed lines.
    if (!(maxThrust > 0)) {
        out.line("     No throttle hook: the engine gives no thrust at full throttle at this condition.");
        return out.text();
    }
    e.setup[kSetupThrottleMode] = 2;
    for (int16_t percent = kHookFirstPercent; percent >= kHookLastPercent; percent -= kHookPercentStep) {
        c[10] = maxThrust * static_cast<float>(percent) / 100.0f;
        const EngineTestPoint pt = runEngineTestDeck(p, messages);
        const EngineDeckResults& r = pt.cycle;
        const float picH = r.piFan != 0 ? r.piC / r.piFan : 0.0f;
        // SI TSFC (mg/(N s), tens) shows three decimals so its field keeps a leading blank.
        out.line(joinColumns({FormatField(pt.F, 0), FormatField(pt.S, english ? 4 : 3), FormatField(pt.m0, 2),
                              FormatField(r.mc2, 2), FormatField(r.piFan, 3), FormatField(r.mc25, 2),
                              FormatField(picH, 3), FormatField(pt.Tt4, 0), FormatField(pt.Tt7, 0)}) +
                 (pt.afterburnerState == 0 ? " AB  On" : " AB Off") + limitColumn(p, pt.limit));
        if (rows)
            rows->push_back({pt.F, pt.S, pt.m0, r.mc2, r.piFan, r.mc25, picH, pt.Tt4, pt.Tt7,
                             pt.afterburnerState == 0, limitText(p, pt.limit)});
    }
    return out.text();
}

std::string calculateThrottleHook(ProjectData& p, float mach, float altitude, float T0, std::string& messages,
                                  std::vector<ThrottleHookRow>* rows) {
    EngineData& e = p.engine;
    e.test.seriesVariable = 0;
    e.controls[6] = p.afterburner == 1 ? e.tt7MaxSetting : 0.0f;
    setEngineTestCondition(p, mach, altitude, T0);
    e.controls[5] = e.tt4MaxSetting;
    const EngineTestReset reset = engineTestReset(p, messages);
    return throttleHookReport(p, reset.maxThrust, messages, rows);
}

} // namespace vededa
