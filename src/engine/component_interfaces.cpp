#include "engine/component_interfaces.h"

#include "app/build_info.h"
#include "engine/gas_dynamics.h"
#include "output/number_format.h"
#include "output/report.h"

#include <algorithm>
#include <cmath>

namespace vededa {

namespace {

/// Gas constants of the air stations [ft lbf/(lbm R) or J/(kg K)].
constexpr float kAirGasConstantEnglish = 53.34f;
constexpr float kAirGasConstantSI = 286.0f;

/// A component ratio of the reference file, 1 where the engine has no such component (stored as 0).
float ratioOr1(float value) {
    return value > 0 ? value : 1.0f;
}

float power(float base, double exponent) {
    return static_cast<float>(std::pow(static_cast<double>(base), exponent));
}

/// Fills the static state, velocity, areas and impulse of `s` from its mass flow, totals and Mach number.
/// The free stream's speed of sound follows the standard sea-level value (`freeStream`).
void completeStation(InterfaceStation& s, const UnitConstants& u, bool freeStream) {
    if (s.fuelOnly) {
        s.finite = std::isfinite(s.massFlow);
        return;
    }
    const float g = s.gamma;
    if (!(g > 1.0f) || !(s.Pt > 0) || !(s.Tt > 0) || !(s.gasConstant > 0)) {
        s.finite = false;
        return;
    }
    const float tr = 1 + (g - 1) / 2 * s.mach * s.mach;
    const float T = s.Tt / tr;
    s.P = s.Pt / power(tr, g / (g - 1.0));
    const float a = freeStream
                        ? static_cast<float>(u.aSL * std::sqrt(static_cast<double>(T) / u.TSL))
                        : static_cast<float>(std::sqrt(static_cast<double>(g) * u.gc * s.gasConstant * T));
    s.velocity = s.mach * a;
    float mach = s.mach;
    const float mfp = MassFlowParameter(mach, g, s.gasConstant, u.gc);
    s.area = s.massFlow * static_cast<float>(std::sqrt(static_cast<double>(s.Tt))) /
             (s.Pt * u.pressureConstant * mfp);
    mach = s.mach;
    s.sonicArea = s.area / AreaRatioFromMach(g, mach);
    s.impulse = s.P * u.pressureConstant * s.area * (1 + g * s.mach * s.mach);
    for (float v : {s.massFlow, s.P, s.velocity, s.area, s.sonicArea, s.impulse})
        if (!std::isfinite(v)) s.finite = false;
}

} // namespace

bool commitInterfaceMach(float& stored, float typed) {
    if (!(typed > 0) || typed == stored) return false;
    stored = typed;
    return true;
}

std::vector<InterfaceStation> componentInterfaces(const EngineData& e, const UnitConstants& u) {
    const auto& k = e.engine.component;
    const auto& r = e.engine.reference;
    const int16_t type = e.setup[kSetupEngineType];
    const bool english = u.system == kEnglish;
    const bool hasFan = type >= 3 && type <= 5;
    const bool mixed = type == 4 || type == 5;
    const bool afterburning = (type == 2 || type == 5) && r[6] > 0;
    const bool turbomachinery = type != 7;

    const float Rair = english ? kAirGasConstantEnglish : kAirGasConstantSI;
    // Hot-gas constants in the force units of the air constant.
    const float Rt = gasConstant(k[23], k[20], u.jgc) / u.gc;
    const float RAB = gasConstant(k[24], k[21], u.jgc) / u.gc;
    const float gammaC = k[22], gammaT = k[23], gammaAB = k[24];

    const float alpha = hasFan ? r[19] : 0.0f;
    const float m0 = e.thrustScale * r[25];
    const float core = m0 / (1 + alpha);
    const float bypass = core * alpha;
    const float beta = k[26], eps1 = k[27], eps2 = k[28];
    const float mach1 = e.test.interfaceMach1, mach2 = e.test.interfaceMach2, mach7 = e.test.interfaceMach7;

    std::vector<InterfaceStation> out;
    auto add = [&](const char* name, float m, float gamma, float R, float Pt, float Tt, float M) {
        InterfaceStation s;
        s.name = name;
        s.massFlow = m;
        s.gamma = gamma;
        s.gasConstant = R;
        s.Pt = Pt;
        s.Tt = Tt;
        s.mach = M;
        completeStation(s, u, out.empty());
        out.push_back(s);
    };
    auto addFuel = [&](const char* name, float m) {
        InterfaceStation s;
        s.name = name;
        s.fuelOnly = true;
        s.massFlow = m;
        out.push_back(s);
    };

    // Free stream at the reference point and the inlet.
    const float M0 = r[1] < 0.01f ? 0.01f : r[1];
    const float T0 = r[2], P0 = r[3];
    const float tauR = 1 + (gammaC - 1) / 2 * M0 * M0;
    const float Tt0 = T0 * tauR;
    const float Pt0 = P0 * power(tauR, gammaC / (gammaC - 1.0));
    add(" 0", m0, gammaC, Rair, Pt0, Tt0, M0);
    add(" 1", m0, gammaC, Rair, Pt0, Tt0, mach1);
    const float Pt2 = Pt0 * ratioOr1(r[12]);
    add(" 2", m0, gammaC, Rair, Pt2, Tt0, mach2);

    // Fan (low-pressure compressor) exit; the gas generator's stations carry the compressor-face Mach.
    // The low-pressure compressor of the jet engines (types 1 to 5) sits ahead of the high-pressure one;
    // only a fan's exit (types 3 to 5) is a station of its own.
    const bool lowPressureCompressor = type >= 1 && type <= 5;
    const float piFan = lowPressureCompressor ? ratioOr1(r[13]) : 1.0f;
    const float tauFan = lowPressureCompressor ? ratioOr1(r[14]) : 1.0f;
    const float Pt3f = Pt2 * piFan, Tt3f = Tt0 * tauFan;
    if (hasFan) {
        add(" 3'", m0, gammaC, Rair, Pt3f, Tt3f, mach2);
        add("core", core, gammaC, Rair, Pt3f, Tt3f, mach2);
        add("bypass", bypass, gammaC, Rair, Pt3f, Tt3f, mach2);
    }
    const float piHpc = turbomachinery ? ratioOr1(r[15]) : 1.0f,
                tauHpc = turbomachinery ? ratioOr1(r[16]) : 1.0f;
    const float Pt3 = Pt3f * piHpc, Tt3 = Tt3f * tauHpc;
    add(" 3", core, gammaC, Rair, Pt3, Tt3, mach2);
    // Burner entry: the bleed and both cooling flows have left the core.
    const float burnerAir = core * (1 - beta - eps1 - eps2);
    add(" 3a", burnerAir, gammaC, Rair, Pt3, Tt3, mach2);
    const float fuel = burnerAir * r[20];
    addFuel("MB fuel ", fuel);

    // Burner exit and the cooled high-pressure turbine: the first cooling air joins at the choked nozzle
    // throat (4a), the turbine works down to 4b, the second cooling air joins before the low-pressure
    // turbine's choked nozzle (4c).
    const float Pt4 = Pt3 * ratioOr1(k[2]);
    const float Tt4 = r[5];
    const float m4 = burnerAir + fuel;
    add(" 4", m4, gammaT, Rt, Pt4, Tt4, mach2);
    const float m4a = m4 + core * eps1;
    const float Tt4a = Tt4 * (turbomachinery ? ratioOr1(k[31]) : 1.0f);
    // A ducted engine has no turbine nozzles: its burner stations keep the compressor-face Mach.
    const float throatMach = turbomachinery ? 1.0f : mach2;
    add(" 4a ", m4a, gammaT, Rt, Pt4, Tt4a, throatMach);
    const float Pt4b = Pt4 * (turbomachinery ? ratioOr1(k[6]) : 1.0f);
    const float Tt4b = Tt4a * (turbomachinery ? ratioOr1(k[7]) : 1.0f);
    add(" 4b ", m4a, gammaT, Rt, Pt4b, Tt4b, mach2);
    const float m4c = m4a + core * eps2;
    const float Tt4c = Tt4b * (turbomachinery ? ratioOr1(k[32]) : 1.0f);
    add(" 4c", m4c, gammaT, Rt, Pt4b, Tt4c, throatMach);
    const float Pt5 = Pt4b * (turbomachinery ? ratioOr1(r[17]) : 1.0f);
    const float Tt5 = Tt4c * (turbomachinery ? ratioOr1(r[18]) : 1.0f);
    add(" 5", m4c, gammaT, Rt, Pt5, Tt5, r[7] > 0 ? r[7] : mach2);

    // Mixer: the bypass stream through its duct meets the core at 5p; the mixed stream leaves at 6.
    float mIn = m4c, PtIn = Pt5, TtIn = Tt5, gammaIn = gammaT, RIn = Rt;
    if (mixed) {
        const float Pt5p = Pt3f * ratioOr1(k[5]);
        add(" 5p", bypass, gammaC, Rair, Pt5p, Tt3f, r[34]);
        const float ratio = m4c > 0 ? bypass / m4c : 0.0f;
        const float cp6 = (ratio * k[19] + k[20]) / (ratio + 1);
        const float R6 = (ratio * Rair + Rt) / (ratio + 1);
        const float gamma6 = r[44] > 1 ? r[44] : cp6 / (cp6 - R6 * u.gc / u.jgc);
        mIn = m4c + bypass;
        PtIn = Pt5 * ratioOr1(r[28]) * ratioOr1(k[25]);
        TtIn = Tt5 * ratioOr1(r[29]);
        gammaIn = gamma6;
        RIn = R6;
        add(" 6", mIn, gammaIn, RIn, PtIn, TtIn, r[50]);
    } else if (r[44] > 1) {
        gammaIn = r[44];
    }

    // Afterburner (or the duct of an engine without one) and the nozzle.
    float m7 = mIn, Tt7 = TtIn, gamma7 = gammaIn, R7 = RIn;
    if (afterburning) {
        const float abFuel = core * (1 + alpha - beta) * r[21];
        addFuel("AB fuel ", abFuel);
        m7 = mIn + abFuel;
        Tt7 = r[6];
        gamma7 = gammaAB;
        R7 = RAB;
    }
    // The afterburner duct's pressure ratio is in the nozzle chain of the jet engines only; the turboprop
    // and the ducted engine have none.
    const float Pt7 = PtIn * (type <= 5 ? ratioOr1(k[3]) : 1.0f);
    add(" 7", m7, gamma7, R7, Pt7, Tt7, mach7);
    const float Pt9 = Pt7 * ratioOr1(k[4]);
    float M9 = r[36];
    if (!(M9 > 0) && r[8] > 1) M9 = std::sqrt(std::max(0.0f, MachSquaredFromPressureRatio(gamma7, 1 / r[8])));
    const float M8 = r[39] > 0 ? r[39] : std::min(1.0f, M9);
    add(" 8", m7, gamma7, R7, Pt9, Tt7, M8);
    add(" 9", m7, gamma7, R7, Pt9, Tt7, M9);
    if (type == 3) add(" 9p", bypass, gammaC, Rair, Pt3f * ratioOr1(k[5]), Tt3f, r[38]);
    return out;
}

std::string componentInterfacesReport(const ProjectData& p) {
    const bool english = p.unitSystem == kEnglish;
    ReportBuffer out;
    out.line("Interface Quantities (Version " + std::string(programVersion()) +
             ")    Date:" + p.clock.date());
    out.line("Filename: " + p.projectPath);
    out.line("Engine File Name: " + p.engine.fileName);
    out.line("Thrust Scale Factor = " + FormatField(p.engine.thrustScale, 4));
    out.line("Station   m dot  gamma      Pt    Tt    Press    Mach Velocity    Area   Area*     I");
    out.line(english
                 ? "        (lbm/s)          (psia)   (R)   (psia)          (ft/s)  (ft^2)  (ft^2)   (lbf)"
                 : "        (kg/s)             (Pa)   (K)     (Pa)           (m/s)   (m^2)   (m^2)    (N)");
    for (const InterfaceStation& s : componentInterfaces(p.engine, p.units)) {
        if (!s.finite) {
            out.line("     Station" + s.name + ": no finite flow state; check the reference engine data.");
            break;
        }
        std::string name = s.name;
        if (name.size() < 8) name += Space(8 - static_cast<int>(name.size()));
        std::string row = name + FormatField(s.massFlow, 2);
        if (!s.fuelOnly) {
            // Fixed columns: gamma under its head, then one blank before each further field.
            row += FormatField(s.gamma, 4);
            row += " " + FormatField(s.Pt, 3) + " " + FormatField(s.Tt, 2) + " " + FormatField(s.P, 3) + " " +
                   FormatField(s.mach, 4) + " " + FormatField(s.velocity, 2) + " " + FormatField(s.area, 3) +
                   " " + FormatField(s.sonicArea, 3) + " " + FormatField(s.impulse, 1);
        }
        out.line(row);
    }
    return out.text();
}

} // namespace vededa
