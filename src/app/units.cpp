#include "app/units.h"

#include "app/project_data.h"

#include <cmath>

namespace vededa {

namespace {

/// Pads `text` with blanks to `width` characters.
std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

} // namespace

void buildLabelTables(LabelTables& labels) {
    const char* constraintTypes[] = {"A - Constant Altitude/Speed Cruise",
                                     "B - Constant Speed Climb",
                                     "C - Constant Altitude/Speed Turn",
                                     "D - Horizontal Acceleration",
                                     "E - Service Ceiling",
                                     "F - Takeoff (No obstacle)",
                                     "G - Takeoff",
                                     "H - Landing (No obstacle)",
                                     "I - Landing",
                                     "J - Acceleration Time"};
    for (int i = 0; i < 10; ++i) labels.constraintTypeNames[i + 1] = constraintTypes[i];

    const char* legTypes[] = {"A - Constant Speed Climb",
                              "B - Horizontal Acceleration",
                              "C - Climb and Acceleration",
                              "D - Takeoff Acceleration",
                              "E - Constant Altitude/Speed Cruise",
                              "F - Constant Altitude/Speed Turn",
                              "G - Best Cruise Mach and Altitude",
                              "H - Loiter",
                              "I - Warm-up",
                              "J - Takeoff Rotation",
                              "K - Constant Energy Height Maneuver",
                              "L - Deliver Expendables",
                              "M - Descend (Ps < 0)"};
    for (int i = 0; i < 13; ++i) labels.legTypeNames[i + 1] = legTypes[i];

    // Constraint parameter labels that do not depend on the unit system.
    auto& c = labels.constraintLabels;
    c[1] = padded("Beta (weight fraction)", 30);
    c[5] = padded("Number of g", 30);
    c[9] = padded("CDR", 30);
    c[10] = padded("CL max", 30);
    c[11] = padded("kTO", 30);
    c[12] = padded("TO friction coeff", 30);
    c[13] = padded("Rotation time - tR (s)", 30);
    c[16] = padded("kTD", 30);
    c[17] = padded("Braking friction coeff", 30);
    c[18] = padded("Free roll time - tFR (s)", 30);
    c[19] = padded("kobs", 30);
    c[22] = padded("Thrust reverser (-Alpha)", 30);
    c[23] = padded("Engine thrust lapse (Alpha)", 30);
    c[24] = padded("Engine AB (1=ON/0=OFF)", 30);
    c[25] = padded("Mach number during TO roll", 30);
    c[26] = padded("Fraction of CLTD for braking", 30);
    c[27] = padded("Fraction of maximum thrust", 30);

    // Mission leg parameter labels that do not depend on the unit system.
    auto& l = labels.legLabels;
    l[4] = padded("Mach Number", 32);
    l[7] = padded("Final Mach Number", 32);
    l[8] = padded("Number of g`s", 32);
    l[9] = padded("Number of Turns", 32);
    l[10] = padded("CDR", 32);
    l[11] = padded("CL max", 32);
    l[12] = padded("kTO", 32);
    l[13] = padded("TO Friction Coeff", 32);
    l[14] = padded("Rotation Time - tR (sec)", 32);
    l[16] = padded("Time (sec)", 32);
    l[17] = padded("Engine Thrust Lapse (Alpha)", 32);
    l[18] = padded("Engine AB (1=On/0=Off)", 32);
    l[23] = padded("# of Increment (max=20) (N/A)", 32);
    l[25] = padded("Initial Mach Number", 32);
    l[26] = padded("Best Cruise Mach Number", 32);
    l[27] = padded("Average Mach Number", 32);
    l[28] = padded("Distance begins with mission leg", 32);
    l[29] = std::string(32, ' ');
    l[30] = padded("Total Inlet/Nozzle Instal Loss", 32);
    l[33] = padded("Fraction of Avg Vel in Vertical", 32);
    l[34] = padded("Angle of Descent (degrees)", 32);

    const char* limits[] = {" Tt4      ", " PIC Max  ", " Pt3 Max  ", " Tt3 Max  ",
                            " %RPM LP  ", " %RPM HP  ", " Tt4 Max  ", " Tt7 Max  ",
                            " Thrust   ", " Tt4 Set  ", " Eng. Size", "NoSolution"};
    for (int i = 0; i < 12; ++i) labels.limitNames[i + 1] = limits[i];
}

void setupUnits(ProjectData& project) {
    const bool si = project.unitSystem == kSI;
    UnitConstants& u = project.units;
    u.system = si ? kSI : kEnglish;
    u.g0 = si ? 9.8067f : 32.174f;
    u.gc = si ? 1.0f : 32.174f;
    u.jgc = si ? 1000.0f : 25036.52f;
    u.rateConstant = si ? static_cast<float>(1e6 / 9.8067) : 3600.0f;
    u.deckRateConstant = si ? 1e6f : 3600.0f;
    u.lengthPerDistance = si ? 1000.0f : 6080.0f;
    u.aSL = si ? static_cast<float>(1116.4 / 3.2808) : 1116.4f;
    u.rhoSL = si ? 1.217801f : 0.0023768f;
    u.TSL = si ? static_cast<float>(518.69 / 1.8) : 518.69f;
    u.PSL = si ? 101325.0f : 2116.224f;
    u.maxAltitude = si ? 30473.0f : 100000.0f;
    u.contourQmax = si ? 102130.0f : 2133.0f;
    u.pressureConstant = si ? 1.0f : 144.0f;
    project.engine.referenceUnitFlag = si ? kSI : kEnglish;
    project.contour.qMax = u.contourQmax;

    LabelTables& t = project.labels;
    auto& c = t.constraintLabels;
    c[2] = padded(si ? "Altitude (m)" : "Altitude (ft)", 30);
    c[3] = padded(si ? "Temperature (K)" : "Temperature (R)", 30);
    c[4] = padded(si ? "Velocity (m/sec)" : "Velocity (ft/s)", 30);
    c[6] = padded(si ? "dh/dt (m/ses)" : "dh/dt (ft/s)", 30);
    c[7] = padded(si ? "dV/dt (m/s^2)" : "dV/dt (ft/s^2)", 30);
    c[8] = padded(si ? "Ps (m/s)" : "Ps (ft/s)", 30);
    c[14] = padded(si ? "TO obstacle height - hobs (m)" : "TO obstacle height - hobs (ft)", 30);
    c[15] = padded(si ? "Total TO distance - sTO (m)" : "Total TO distance - sTO (ft)", 30);
    c[20] = padded(si ? "Landing obstacle height (m)" : "Landing obstacle height (ft)", 30);
    c[21] = padded(si ? "Total landing distance (m)" : "Total landing distance (ft)", 30);

    auto& l = t.legLabels;
    l[1] = padded(si ? "Altitude (m)" : "Altitude (ft)", 32);
    l[2] = padded(si ? "Temperature (K)" : "Temperature (R)", 32);
    l[3] = padded(si ? "Velocity (m/sec)" : "Velocity (ft/sec)", 32);
    l[5] = padded(si ? "Final Altitude (m)" : "Final Altitude (ft)", 32);
    l[6] = padded(si ? "Final Velocity (m/sec)" : "Final Velocity (ft/sec)", 32);
    l[15] = padded(si ? "Distance (km)" : "Distance (Nautical Miles)", 32);
    l[19] = padded(si ? "Engine TSFC (mg/(N-sec))" : "Engine TSFC (1/hr)", 32);
    l[20] = padded(si ? "Engine C (mg/(N-sec))" : "Engine C (1/hr)", 32);
    l[21] = padded(si ? "Payload Expended (N)" : "Payload Expended (lb)", 32);
    l[22] = padded(si ? "Initial Altitude (m)" : "Initial Altitude (ft)", 32);
    l[24] = padded(si ? "Initial Velocity (m/sec)" : "Initial Velocity (ft/sec)", 32);
    l[31] = padded(si ? "Maximum Tt4 (K)" : "Maximum Tt4 (R)", 32);
    l[32] = padded(si ? "Maximum Tt7 (K)" : "Maximum Tt7 (R)", 32);

    ReportSuffixes& s = t.suffixes;
    s.tsfc = si ? " mg/(N-sec)  " : " lbm/(hr-lbf)";
    s.area = si ? " m^2 " : " ft^2";
    s.length = si ? " m " : " ft";
    s.temperature = si ? " K" : " R";
    s.distance = si ? " km  " : " nm";
    s.weight = si ? " N " : " lb";

    WindowUnitLabels& w = t.window;
    w.wingLoadingAxis = si ? "Wing Loading W/S (Pa)" : "Wing Loading W/S (psf)";
    w.pressure = si ? "Pa" : "psf";
    w.velocityRange = si ? "(m/sec)" : "(ft/sec)";
    w.altitudeRange = si ? "(km)" : "(k ft)";
    w.weight = si ? "N" : "lb";
    w.wingArea = si ? "m^2" : "sf";
    w.temperature = si ? "K" : "R";
    w.pressureLimit = si ? "Pa" : "psia";
    w.area = si ? "m^2" : "ft^2";
    w.length = si ? "m" : "ft";
    w.thrust = si ? "N" : "lbf";
    w.tsfc = si ? "mg/(N-sec)" : "lbm/(lbf-hr)";
    w.massFlow = si ? "kg/sec" : "lbm/sec";
    w.lengthHeading = si ? "(m)" : "(ft)";
    w.temperatureHeading = si ? "(K)" : "(R)";
    w.pressureHeading = si ? "(Pa)" : "(psia)";
}

namespace {

// Conversion factors of a unit switch (English per SI unit).
constexpr double L = 3.2808;             // ft per m
constexpr double Theta = 1.8;            // R per K
constexpr double pa = 14.696 / 101325.0; // psia per Pa
constexpr double F = 4.44822;            // N per lbf

/// One stored value scaled in double precision and stored back as a single.
void scale(float& value, double factor) {
    value = static_cast<float>(static_cast<double>(value) * factor);
}

} // namespace

void convertEngineUnits(EngineData& e, bool toEnglish) {
    auto mul = [toEnglish](float& v, double f) { scale(v, toEnglish ? f : 1.0 / f); };
    auto div = [toEnglish](float& v, double f) { scale(v, toEnglish ? 1.0 / f : f); };
    // Component constants: heating value and specific heats.
    div(e.engine.component[18], 2.326);
    for (int k : {19, 20, 21}) mul(e.engine.component[k], 0.23885);
    // Reference point.
    auto& r = e.engine.reference;
    for (int k : {2, 5, 6}) mul(r[k], Theta);
    mul(r[3], pa);
    mul(r[4], L);
    div(r[23], 28.325);
    div(r[24], 9.80665);
    if (toEnglish)
        scale(r[25], 2.2046226);
    else
        scale(r[25], 1.0 / 2.2046);
    if (toEnglish)
        scale(r[26], 3600.0 / 28.325 / F);
    else
        scale(r[26], F * 28.325 / 3600.0);
    if (toEnglish)
        scale(r[27], 1.0 / F);
    else
        scale(r[27], 4.448);
    mul(r[42], L * L);
    mul(r[43], L * L);
    // The deck's current air mass flow.
    mul(e.airMassFlow, 2.2046);
    // The temperature limit settings.
    mul(e.tt4MaxSetting, Theta);
    mul(e.tt7MaxSetting, Theta);
    // Engine controls.
    auto& ec = e.controls;
    for (int k : {2, 18}) mul(ec[k], L);
    for (int k : {3, 5, 6, 13}) mul(ec[k], Theta);
    for (int k : {4, 12}) mul(ec[k], pa);
    for (int k : {16, 17}) mul(ec[k], L * L);
}

void convertProjectUnits(ProjectData& project) {
    // Factors for SI -> English; English -> SI uses the inverse unless a different inverse is stated.
    const bool toEnglish = project.unitSystem == kEnglish;
    constexpr double p = 2116.2 / 101325.0; // psf per Pa
    auto mul = [toEnglish](float& v, double f) { scale(v, toEnglish ? f : 1.0 / f); };
    auto div = [toEnglish](float& v, double f) { scale(v, toEnglish ? 1.0 / f : f); };

    // 1. Every constraint slot, used or not. Parameter 8 is a speed only for type E (Ps); for F and G
    //    it is a Mach number, for H and I a lift-coefficient fraction and for J a time in seconds.
    for (Constraint& c : project.constraints) {
        for (int k : {2, 4, 6, 7, 14, 15, 20, 21}) mul(c.p[k], L);
        if (c.type == "E") mul(c.p[8], L);
        mul(c.p[3], Theta);
    }
    // 2. Every leg slot.
    for (MissionLeg& leg : project.legs) {
        for (int k : {1, 3, 5, 6}) mul(leg.p[k], L);
        for (int k : {2, 19, 20}) mul(leg.p[k], Theta);
        div(leg.p[15], 1.853);
        div(leg.p[21], F);
    }
    // 3. Contour ranges.
    for (int k = 1; k <= 3; ++k) {
        mul(project.contour.altitude[k], L);
        mul(project.contour.velocity[k], L);
    }
    // 4. Constraint diagram W/S axis and the take-off wing loading.
    for (int k = 1; k <= 3; ++k) mul(project.wsAxis[k], p);
    mul(project.wingLoading, p);
    // 5. Wing area, sea-level thrust and take-off weight.
    mul(project.wingArea, L * L);
    div(project.seaLevelThrust, F);
    div(project.aircraft[kAircraftTakeoffWeight], F);
    // 5a. Sizing chart: the W/S range and the fixed weights; A of We/W_TO = A W_TO^C carries the
    //     weight unit to the power -C.
    SizingSettings& z = project.sizing;
    mul(z.wsMin, p);
    mul(z.wsMax, p);
    for (float* w : {&z.crewWeight, &z.payloadKept, &z.payloadReleased}) div(*w, F);
    scale(z.emptyA, std::pow(F, toEnglish ? static_cast<double>(z.emptyC) : -static_cast<double>(z.emptyC)));
    // 6. The reference engine.
    convertEngineUnits(project.engine, toEnglish);
}

bool adoptProjectUnits(ProjectData& project) {
    const bool projectEnglish = project.unitSystem == kEnglish;
    const bool engineEnglish = project.engine.referenceUnitFlag == kEnglish;
    project.engine.referenceUnitFlag = projectEnglish ? kEnglish : kSI;
    if (projectEnglish == engineEnglish) return false;
    convertEngineUnits(project.engine, projectEnglish);
    return true;
}

bool switchUnits(ProjectData& project, int16_t system) {
    if (system != kEnglish && system != kSI) return false;
    if (project.unitSystem == system) return false;
    project.unitSystem = system;
    setupUnits(project);
    convertProjectUnits(project);
    return true;
}

} // namespace vededa
