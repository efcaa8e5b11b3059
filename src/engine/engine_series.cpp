#include "engine/engine_series.h"

#include "app/build_info.h"
#include "engine/engine_test.h"
#include "models/atmosphere.h"
#include "output/number_format.h"
#include "output/report.h"
#include "output/report_columns.h"

#include <cmath>

namespace vededa {

namespace {

/// The engine title line of the series, by engine type.
std::string engineTitle(int16_t type) {
    switch (type) {
    case 3:
        return "**** Separate Exhaust Turbofan Engine *****";
    case 4:
    case 5:
        return "**** Mixed Flow Turbofan Engine *****";
    case 7:
        return "**** Ramjet Engine *****";
    default:
        return "**** Turbojet Engine *****";
    }
}

const char* rowLabel(int16_t variable) {
    switch (variable) {
    case kSeriesMach:
        return "      M0";
    case kSeriesAltitude:
        return "   Alt  ";
    case kSeriesT0:
        return "     T0 ";
    case kSeriesP0:
        return "     P0 ";
    case kSeriesTt4:
        return "   Tt4  ";
    case kSeriesTt7:
        return "   Tt7  ";
    default:
        return "   P0/P9";
    }
}

/// Puts `value` of the series variable into the operating condition (altitude through the atmosphere).
void applyValue(ProjectData& p, int16_t variable, float value) {
    auto& c = p.engine.controls;
    switch (variable) {
    case kSeriesMach:
        c[1] = value;
        break;
    case kSeriesAltitude: {
        c[2] = value;
        FlightCondition fc;
        fc.altitude = value;
        atmosphere(fc, p.units);
        c[3] = fc.theta * p.units.TSL;
        c[4] = fc.delta * p.units.PSL / p.units.pressureConstant;
        break;
    }
    case kSeriesT0:
        c[3] = value;
        break;
    case kSeriesP0:
        c[4] = value;
        break;
    case kSeriesTt4:
        c[5] = value;
        break;
    case kSeriesTt7:
        c[6] = value;
        break;
    default:
        c[7] = value;
        break;
    }
}

} // namespace

std::string checkSeriesSettings(const EngineTestSettings& s) {
    if (s.seriesVariable < kSeriesMach || s.seriesVariable > kSeriesP0P9)
        return "You must select an Iteration variable!!";
    if (s.seriesMax < s.seriesMin) return "You maximum value must be greater than the minimum!!";
    if (s.seriesMax > s.seriesMin && !(s.seriesStep > 0)) return "The step size must be greater than zero.";
    if (s.seriesMax > s.seriesMin && (s.seriesMax - s.seriesMin) / s.seriesStep + 0.5f >= kSeriesRowLimit)
        return "The step size gives too many rows; choose a larger step.";
    return {};
}

SeriesResult engineSeriesReport(ProjectData& p, std::string& report, const SeriesProgress& progress) {
    SeriesResult result;
    const EngineTestSettings s = p.engine.test;
    result.refusal = checkSeriesSettings(s);
    if (!result.refusal.empty()) return result;
    const int16_t variable = s.seriesVariable;
    const bool english = p.unitSystem == kEnglish;
    const int16_t n =
        s.seriesMax > s.seriesMin
            ? static_cast<int16_t>(std::floor((s.seriesMax - s.seriesMin) / s.seriesStep + 0.5f))
            : static_cast<int16_t>(0);

    float start = s.seriesMin;
    switch (variable) {
    case kSeriesMach:
        if (start < 0.01f) start = 0.01f;
        break;
    case kSeriesT0:
        if (start < (english ? kSeriesMinimumT0Rankine : kSeriesMinimumT0Rankine / 1.8f)) return result;
        break;
    case kSeriesP0:
    case kSeriesP0P9:
        if (!(start > 0)) return result;
        break;
    case kSeriesTt4:
    case kSeriesTt7:
        start = s.seriesMax;
        break;
    default:
        break;
    }
    applyValue(p, variable, start);

    EngineData& e = p.engine;
    auto& c = e.controls;
    // The series runs at full throttle (the series selection is not the thrust-matching mode).
    e.setup[kSetupThrottleMode] = variable;

    ReportBuffer out;
    out.line();
    out.line();
    out.line(" Vededa (Version " + std::string(programVersion()) + ")    Date:" + p.clock.dateTime());
    out.line(" Engine File: " + e.fileName);
    out.line(" Performance Calcs @ Mach =" + FormatField(c[1], 2) + ",  Altitude =" + FormatField(c[2], 0) +
             (english ? " ft" : " m") + ",  T0 =" + FormatField(c[3], 2) + (english ? " R" : " K"));
    out.line(Space(5) + engineTitle(e.setup[kSetupEngineType]));
    out.line(std::string(rowLabel(variable)) +
             " Thrust   TSFC   mdot    pic   picp  Alpha Pt9/P9  TautL    Tt4  Limit");
    report = out.text();
    result.ran = true;

    float value = start;
    for (int i = 0; i <= n; ++i) {
        if (progress && !progress(i, n + 1)) {
            result.cancelled = true;
            break;
        }
        EngineTestPoint pt = runEngineTestDeck(p, report);
        const EngineDeckResults& r = pt.cycle;
        std::string row = FormatField(value, variable == kSeriesAltitude ? 0 : 2) + " ";
        // SI TSFC (mg/(N s), tens) shows three decimals so its field keeps a leading blank.
        row += joinColumns({FormatField(pt.F, 0), FormatField(pt.S, english ? 4 : 3), FormatField(pt.m0, 2),
                            FormatField(r.piC, 2), FormatField(r.piFan, 3), FormatField(r.alpha, 3),
                            FormatField(r.pt9p9, 2), FormatField(r.tauTL, 4), FormatField(pt.Tt4, 1)}) +
               limitColumn(p, pt.limit);
        report += row;
        report += kCrlf;
        ++result.rows;
        result.table.push_back({value, pt.F, pt.S, pt.m0, r.piC, r.piFan, r.alpha, r.pt9p9, r.tauTL, pt.Tt4,
                                limitText(p, pt.limit)});
        if (i == n) break;
        const float step = static_cast<float>(i + 1) * s.seriesStep;
        // Upward series advance from the typed minimum, so a Mach series from 0 (run at 0.01) keeps the
        // typed grid and ends at the maximum.
        value = (variable == kSeriesTt4 || variable == kSeriesTt7) ? s.seriesMax - step : s.seriesMin + step;
        applyValue(p, variable, value);
        if (variable == kSeriesTt4 && !(pt.m0 > 0 && pt.F / pt.m0 > 0.2f)) {
            result.endedEarly = true;
            break;
        }
        if (variable == kSeriesTt7 && value < r.Tt6) {
            result.endedEarly = true;
            break;
        }
    }
    // The operating condition of the engine test returns to the start of the series.
    applyValue(p, variable, start);
    return result;
}

} // namespace vededa
