#include "constraint/constraint_report.h"

#include "app/build_info.h"
#include "models/thrust_lapse.h"
#include "output/number_format.h"
#include "output/report.h"

namespace vededa {

namespace {

constexpr const char* kShort = "0.00E+00";
constexpr const char* kLong = "0.000E+00";
constexpr std::size_t kFileNameColumn = 40;

std::string s(float v) {
    return formatPattern(v, kShort);
}
std::string l(float v) {
    return formatPattern(v, kLong);
}

} // namespace

const char* constraintTypeHeading(int16_t type) {
    static const char* const headings[11] = {"",
                                             " : TYPE A - CONSTANT ALTITUDE/SPEED CRUISE",
                                             " : TYPE B - CONSTANT SPEED CLIMB",
                                             " : TYPE C - CONSTANT ALTITUDE/SPEED TURN",
                                             " : TYPE D - HORIZONTAL ACCELERATION",
                                             " : TYPE E - SERVICE CEILING",
                                             " : TYPE F - TAKEOFF (NO OBSTACLE)",
                                             " : TYPE G - TAKEOFF",
                                             " : TYPE H - LANDING (NO OBSTACLE)",
                                             " : TYPE I - LANDING",
                                             " : TYPE J - HORIZONTAL ACCELERATION TIME"};
    return headings[type >= 1 && type <= 10 ? type : 0];
}

std::string constraintReport(const ProjectData& project, const ConstraintOutcome& out) {
    const Constraint& c = project.constraints[static_cast<std::size_t>(out.number)];
    const auto& labels = project.labels.constraintLabels;
    const bool si = project.unitSystem == kSI;
    const int16_t t = out.type;
    const bool flight = t >= 1 && t <= 5, takeoff = t == 6 || t == 7, landing = t == 8 || t == 9;
    const bool accelTime = t == 10;
    ReportBuffer r;
    auto param = [&](const std::string& label, int i) {
        r.line(Space(15) + label + Space(5) + Str(c.p[static_cast<std::size_t>(i)]));
    };

    r.line(Space(10) + "Constraint Analysis (Version " + std::string(programVersion()) +
           ")    Date:" + project.clock.date());
    const std::string& file = project.projectPath;
    r.line(Space(10) + "FILE:" + file +
           Space(static_cast<int>(kFileNameColumn) - static_cast<int>(file.size())) + " Page " +
           Str(static_cast<int>(out.number)) + " of " + Str(static_cast<int>(project.constraintCount)));
    r.line(Space(10) + "CONSTRAINT #" + Str(static_cast<int>(out.number)) + constraintTypeHeading(t));

    for (int i = 1; i <= 3; ++i) param(labels[static_cast<std::size_t>(i)], i);
    if (flight) {
        param(labels[4], 4);
        r.line(Space(15) + "Mach Number" + Space(25) + formatPattern(out.mach, "##.00"));
        if (t == 3) param(labels[5], 5);
        if (t == 2) param(labels[6], 6);
        if (t == 4) param(labels[7], 7);
        if (t == 5) param(labels[8], 8);
    }
    if (takeoff) param(labels[25], 8);
    if (landing) param(labels[26], 8);
    if (accelTime) {
        r.line(Space(15) + (si ? "Initial Velocity (mps) " : "Initial Velocity (fps) ") + Space(12) +
               Str(c.p[4]));
        r.line(Space(15) + "Initial Mach Number    " + Space(13) + formatPattern(out.mach, "##.00"));
        r.line(Space(15) + (si ? "Final Velocity (mps)   " : "Final Velocity (fps)   ") + Space(12) +
               Str(c.p[6]));
        r.line(Space(15) + "Acceleration Time (sec)" + Space(12) + Str(c.p[8]));
    }
    param(labels[9], 9);
    param(takeoff || landing ? labels[10] : labels[27], 10);
    if (takeoff) {
        param(labels[11], 11);
        param(labels[12], 12);
        param(labels[13], 13);
        if (t == 7) param(labels[14], 14);
        param(labels[15], 15);
    }
    if (landing) {
        param(labels[16], 16);
        param(labels[17], 17);
        param(labels[18], 18);
        if (t == 9) {
            param(labels[19], 19);
            param(labels[20], 20);
        }
        param(labels[21], 21);
        param(labels[22], 22);
    }
    const int16_t thrust = project.thrustModel;
    const bool withEngineLines = flight || takeoff;
    if (withEngineLines) {
        if (thrust == kEngineUserValues) param(labels[23], 22);
        if (thrust == kEngineLowBypassMixed || thrust == kEngineTurbojet || thrust == kEngineCycleDeck)
            param(labels[24], 23);
    }
    r.line(Space(15) + "ENGINE MODEL #" + Str(static_cast<int>(thrust)) + Space(5) + "AIRCRAFT MODEL #" +
           Str(static_cast<int>(project.dragModel)));
    if (withEngineLines && thrust != kEngineUserValues) {
        std::string line = Space(15) + "ALPHA = " + formatPattern(out.alpha, "0.0000");
        if (thrust == kEngineLowBypassMixed || thrust == kEngineTurbojet)
            line += Space(7) + "TR = " + Str(project.throttleRatio);
        r.line(line);
    }
    r.line();

    if (flight) {
        r.line(Space(21) + "   W/S      CL      CD      T/W");
        r.line(Space(21) + (si ? "   Pa" : "   psf"));
    } else if (accelTime) {
        r.line(Space(21) + "   W/S      T/W");
        r.line(Space(21) + (si ? "   Pa" : "   psf"));
    } else if (t == 6) {
        r.line(Space(10) + " TSL/WTO     WT/S      SG       SR       VEL");
        r.line(Space(10) + (si ? "              Pa       m        m        mps"
                               : "              psf      ft       ft       fps"));
    } else if (t == 7) {
        r.line(Space(10) + " TSL/WTO     WT/S      SG       SR      SOB      SCL      VEL");
        r.line(Space(10) + (si ? "              Pa       m        m        m        m       mps"
                               : "              psf      ft       ft       ft       ft      fps"));
    } else if (t == 8) {
        r.line(Space(10) + " TSL/WTO     WT/S      SL       SB      SFR      VEL");
        r.line(Space(10) + (si ? "              Pa       m        m        m       mps"
                               : "              psf      ft       ft       ft      fps"));
    } else if (t == 9) {
        r.line(Space(10) + " TSL/WTO     WT/S      SL       SB      SFR       SA      VEL");
        r.line(Space(10) + (si ? "              Pa       m        m        m        m       mps"
                               : "              psf      ft       ft       ft       ft      fps"));
    }

    for (const ConstraintPointRow& row : out.rows) {
        if (row.isText) {
            r.line(row.text);
            continue;
        }
        const float ws = row.wingLoading, tw = row.thrustLoading;
        if (flight) r.line(Space(20) + s(ws) + " " + s(row.cl) + " " + s(row.cd) + " " + l(tw));
        if (accelTime) r.line(Space(20) + s(ws) + " " + l(tw));
        if (t == 6)
            r.line(Space(10) + s(tw) + " " + l(ws) + " " + s(row.groundRoll) + " " + s(row.rotation) + " " +
                   s(row.velocity));
        if (t == 7)
            r.line(Space(10) + s(tw) + " " + l(ws) + " " + s(row.groundRoll) + " " + s(row.rotation) + " " +
                   s(row.obstacle) + " " + s(row.climb) + " " + s(row.velocity));
        if (landing) {
            // The SL column shows the required landing distance, not the computed sum.
            std::string line = Space(11) + s(tw) + " " + l(ws) + " " + s(c.p[21]) + " " + s(row.braking) +
                               " " + s(row.freeRoll);
            if (t == 9) line += " " + s(row.air);
            r.line(line + " " + s(row.velocity));
        }
    }
    if (!out.engineMessages.empty()) r.append(out.engineMessages);
    if (!out.failure.empty()) r.line(out.failure);
    return r.text();
}

} // namespace vededa
