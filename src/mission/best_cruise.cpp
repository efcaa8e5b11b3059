#include "mission/best_cruise.h"

#include "models/atmosphere.h"
#include "output/number_format.h"

#include <cmath>

namespace vededa {

namespace {

void message(ReportBuffer& report, BestCruise& r, const std::string& first, const std::string& second) {
    report.line(Space(10) + first);
    report.line(Space(10) + second);
    r.lines = static_cast<int16_t>(r.lines + 3);
}

std::string clText(float cl) {
    return formatPattern(cl, "0.00E+00");
}

float deltaAt(const ProjectData& p, float altitude) {
    FlightCondition fc;
    fc.altitude = altitude;
    atmosphere(fc, p.units);
    return fc.delta;
}

} // namespace

BestCruise bestCruiseAltitude(const ProjectData& p, const AnalysisModels& models, float beta, float mach,
                              ReportBuffer& report) {
    BestCruise r;
    r.cl = 0.3f;
    PolarCoefficients c = models.polar(mach);
    if (c.cd0 <= 0.0f) {
        c.cd0 = 0.01f;
        r.cd = 0.02f;
        message(report, r, "CD0 is zero. Unable to calculate Best Cruise Altitude.",
                "CD0 set to 0.01, CD set to 0.02, and CL set to a value of " + clText(r.cl));
    }
    if (c.k1 > 0.0f) {
        r.cl = std::sqrt(c.cd0 / c.k1);
        r.cd = 2.0f * c.cd0 + c.k2 * r.cl;
    } else {
        r.cd = 2.0f * c.cd0;
        message(report, r, "K1 is zero. Unable to calculate Best Cruise Altitude.",
                "CD set to 2 * CD0 and CL set to a value of " + clText(r.cl));
    }
    const bool si = p.unitSystem == kSI;
    const float deltaRequired = 2.0f * beta * p.wingLoading / (1.4f * p.units.PSL * mach * mach * r.cl);
    float h = si ? 10000.0f : 35000.0f;
    const float dh = si ? 150.0f : 500.0f;
    float hNew = h;
    for (int pass = 0; pass < kBestAltitudePasses; ++pass) {
        const float delta1 = deltaAt(p, h);
        const float delta2 = deltaAt(p, h + dh);
        const float slope = (delta2 - delta1) / dh;
        if (slope == 0.0f || (h <= 0.0f && deltaRequired > delta1)) {
            // Denser air than at sea level would be needed: the aircraft cruises at sea level.
            hNew = 0.0f;
            report.line(Space(10) + "Best cruise altitude is below sea level; sea level is used.");
            r.lines = static_cast<int16_t>(r.lines + 2);
            break;
        }
        hNew = h + (deltaRequired - delta1) / slope;
        if (hNew < 0.0f) hNew = 0.0f;
        if (hNew >= p.units.maxAltitude || std::fabs(deltaRequired - deltaAt(p, hNew)) < 0.0001f) break;
        h = hNew;
    }
    r.atmosphere.altitude = hNew;
    atmosphere(r.atmosphere, p.units);
    r.altitude = r.atmosphere.altitude;
    r.mach = mach;
    return r;
}

BestCruise bestCruiseMach(const ProjectData& p, const AnalysisModels& models, float beta, float delta,
                          float pressure, float cdr, ReportBuffer& report) {
    BestCruise r;
    float mach = 0.5f;
    r.cl = 0.3f;
    PolarCoefficients c = models.polar(mach);
    float machOld = mach;
    if (c.cd0 <= 0.0f) {
        c.cd0 = 0.01f;
        r.cd = 0.02f;
        message(report, r, "CD0 is zero. Unable to calculate Best Cruise Mach.",
                "CD0 set to 0.01, CD set to 0.02, and CL set to a value of " + clText(r.cl));
    }
    int pass = 0;
    while (c.k1 > 0.0f) {
        r.cl = std::sqrt(c.cd0 / c.k1);
        r.cd = 2.0f * c.cd0 + c.k2 * r.cl;
        mach = std::sqrt(2.0f * beta * p.wingLoading / (1.4f * delta * p.units.PSL * r.cl));
        if (std::fabs(mach - machOld) < 0.001f) {
            r.mach = mach;
            return r;
        }
        if (++pass >= kBestMachPasses) {
            report.line(Space(10) + "Best cruise Mach did not converge in " +
                        std::to_string(kBestMachPasses) + " passes; the last Mach number is used.");
            r.lines = static_cast<int16_t>(r.lines + 2);
            r.mach = mach;
            return r;
        }
        machOld = mach;
        c = models.polar(mach);
    }
    message(report, r, "K1 is zero. Unable to calculate Best Cruise Mach.",
            "CL set to a value of " + clText(r.cl));
    mach = std::sqrt(beta * p.wingLoading / (0.7f * pressure * r.cl));
    c = models.polar(mach);
    r.cd = c.k1 * r.cl * r.cl + c.k2 * r.cl + (c.cd0 + cdr);
    r.mach = mach;
    return r;
}

} // namespace vededa
