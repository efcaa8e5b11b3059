#include "constraint/constraint_calculation.h"

#include "engine/cycle_deck_model.h"

#include "app/range_steps.h"
#include "constraint/constraint_report.h"
#include "constraint/constraint_set.h"
#include "models/atmosphere.h"
#include "models/drag_polar.h"
#include "models/thrust_lapse.h"
#include "output/number_format.h"
#include "output/report.h"

#include <cmath>
#include <limits>

namespace vededa {

namespace {

/// T/W above this is out of any sensible diagram; it is stored as the marker value.
constexpr float kThrustLoadingCeiling = 100.0f;
constexpr float kCruiseCeilingValue = 99.0f;        ///< types A-E beyond the ceiling
constexpr float kAccelerationCeilingValue = 99.99f; ///< type J beyond the ceiling
constexpr float kFieldTooShort = 10000.0f;          ///< types F, G: no ground roll left
constexpr float kObstacleNotReached = 10000.0f;     ///< type G: obstacle distance without a climb
constexpr float kZeroWingLoadingStart = 0.01f;      ///< first grid point of a W/S range that starts at 0
constexpr float kLandingMinimumThrust = 0.001f;     ///< landing rows: T/W at or below 0 becomes this
constexpr int16_t kAccelerationSteps = 20;          ///< type J: equal steps of V^2

/// The name of the fault a value that is not finite stands for.
const char* nonFiniteFault(float v) {
    return std::isnan(v) ? "invalid operation" : "overflow";
}

std::string faultLine(const std::string& fault, const std::string& where) {
    return Space(10) + "*** Calculation ended: " + fault + where + " ***";
}

/// The flight condition of a constraint and the quantities every grid point shares.
struct ConstraintState {
    ProjectData& project;
    const Constraint& c;
    int16_t type;
    FlightCondition fc;
    float beta = 0, rho = 0, a = 0, velocity = 0;
    EngineModelValues engine;
    ConstraintOutcome& out;
    ConstraintPoints& points;
    const std::vector<float>* wsGrid = nullptr; ///< the caller's own W/S values, else the diagram's range
    const std::vector<float>* twGrid = nullptr; ///< the caller's own T/W values (landing rows)
    int gridIndex = -1;                         ///< position of the point being computed in the caller's grid

    float p(int i) const { return c.p[static_cast<std::size_t>(i)]; }

    bool full() const { return !wsGrid && !twGrid && points.count >= ConstraintPoints::kMaxPoints; }

    void store(float ws, float tw) {
        project.lastThrustLoading = tw;
        if (wsGrid || twGrid) {
            for (auto row = out.rows.rbegin(); row != out.rows.rend(); ++row)
                if (!row->isText) {
                    row->gridIndex = gridIndex;
                    break;
                }
            return;
        }
        ++points.count;
        points.wingLoading[static_cast<std::size_t>(points.count)] = ws;
        points.thrustLoading[static_cast<std::size_t>(points.count)] = tw;
    }

    /// CD of the drag polar at the current Mach number and `cl`, with CDR = p9.
    float drag(float cl) {
        DragPolar polar;
        polar.cl = cl;
        polar.cdr = p(9);
        evaluateDragPolar(polar, fc, project);
        return polar.cd;
    }

    /// The thrust lapse at the current flight condition; false when the thrust model is not available.
    bool lapse() {
        if (project.thrustModel == kEngineCycleDeck) {
            cycleDeckLapse(engine, fc, project, project.afterburner, out.engineMessages);
            return true;
        }
        if (!isAlgebraicThrustModel(project.thrustModel)) {
            out.failure = Space(10) + "*** No thrust model chosen ***";
            return false;
        }
        ThrustLapseModel(engine, fc, project);
        return true;
    }

    /// The first fault an explicit check found since the last `faulted`; empty while none.
    std::string fault = {};

    /// Checks a divisor before dividing by it: zero or a value that is not finite is a fault.
    bool divisor(float d, const char* what) {
        if (d != 0.0f && std::isfinite(d)) return true;
        if (fault.empty())
            fault = d == 0.0f ? std::string("division by zero (") + what + " is 0)"
                              : std::string(nonFiniteFault(d)) + " (" + what + ")";
        return false;
    }

    /// Checks that a computed value is finite.
    bool finite(float v, const char* what) {
        if (std::isfinite(v)) return true;
        if (fault.empty()) fault = std::string(nonFiniteFault(v)) + " (" + what + ")";
        return false;
    }

    /// An input that makes the calculation meaningless: the field, its value and what it must be.
    bool positive(float v, const char* field) {
        if (v > 0.0f && std::isfinite(v)) return true;
        if (fault.empty()) fault = std::string(field) + " =" + Str(v) + " must be above 0";
        return false;
    }

    /// Ends the constraint when a check found a fault; true when one did.
    bool faulted(const std::string& where) {
        if (fault.empty()) return false;
        out.failure = faultLine(fault, where);
        return true;
    }
};

/// The W/S grid: points min + i * increment up to the maximum (the last one kept within a relative
/// 1e-4 of it), at most 51 points; a range starting at 0 starts at 0.01 instead. A wing loading that
/// is not above 0 ends the constraint.
template <typename Point> void wingLoadingGrid(ConstraintState& s, Point point) {
    if (s.wsGrid) {
        for (std::size_t i = 0; i < s.wsGrid->size(); ++i) {
            const float at = (*s.wsGrid)[i];
            s.gridIndex = static_cast<int>(i);
            if (!point(at)) return;
            // A fault ends only this point of the caller's grid; the other points stand on their own.
            if (s.faulted(" at W/S =" + Str(at))) s.fault.clear();
        }
        return;
    }
    const OneBased<float, 3>& axis = s.project.wsAxis;
    const double count = rangeIncrementCount(axis[1], axis[2], axis[3]);
    if (!(count >= 0)) return;
    const int last = static_cast<int>(std::min(count, static_cast<double>(ConstraintPoints::kMaxPoints)));
    for (int i = 0; i <= last && !s.full(); ++i) {
        const float ws = i == 0 && axis[1] == 0.0f ? kZeroWingLoadingStart : rangePoint(axis[1], axis[3], i);
        const std::string where = " at W/S =" + Str(ws);
        if (!s.positive(ws, "the wing loading W/S") || !point(ws) || s.faulted(where)) {
            s.faulted(where);
            return;
        }
    }
}

/// Types A-E: the master equation T/W = (beta / (alpha f)) (n CD/CL + P/V).
void masterEquation(ConstraintState& s) {
    const float n = s.type == 3 ? s.p(5) : 1.0f;
    const float v = s.velocity;
    float excess = 0; // specific excess power P [ft/s or m/s]
    if (s.type == 2) excess = s.p(6);
    if (s.type == 4) excess = (v / s.project.units.g0) * s.p(7);
    if (s.type == 5) excess = s.p(8);
    const float q = s.rho * v * v / 2.0f;
    if (!s.divisor(q, "the dynamic pressure q") || !s.divisor(s.engine.alpha * s.p(10), "alpha times f") ||
        !s.finite(excess, "the excess power")) {
        s.faulted("");
        return;
    }
    wingLoadingGrid(s, [&](float ws) {
        ConstraintPointRow row;
        row.wingLoading = ws;
        row.cl = n * s.beta * ws / q;
        row.cd = s.drag(row.cl);
        if (!s.divisor(row.cl, "the lift coefficient CL") || !s.finite(row.cd, "the drag coefficient CD"))
            return false;
        float tw = (s.beta / (s.engine.alpha * s.p(10))) * (n * row.cd / row.cl + excess / v);
        if (!s.finite(tw, "T/W")) return false;
        if (tw > kThrustLoadingCeiling) tw = kCruiseCeilingValue;
        row.thrustLoading = tw;
        s.out.rows.push_back(row);
        s.store(ws, tw);
        return true;
    });
}

/// What the type J iteration ended with.
struct AccelerationTimeSolution {
    float thrustLoading = 0; ///< T/W of the last pass
    float time = 0;          ///< acceleration time at that T/W [s]
    int16_t passes = 0;
    bool converged = false; ///< the time is met within the tolerance
    bool stalled = false;   ///< two passes gave exactly the same time
};

/// The damped secant iteration on the acceleration time: two starting passes at `start` and 1.0001
/// times it, then T/W += 0.5 (t - t_req) (-dT/W / dt) until the time is met within the tolerance, two
/// passes give the same time, the time is no longer finite, or the pass limit is reached.
template <typename TimeAt>
AccelerationTimeSolution solveAccelerationTime(TimeAt timeAt, float start, float required) {
    AccelerationTimeSolution sol;
    float tw = start;
    float t = timeAt(tw);
    float twPrevious = tw, tPrevious = t;
    tw = 1.0001f * tw;
    sol.passes = 1;
    while (sol.passes < kAccelerationTimePasses) {
        ++sol.passes;
        t = timeAt(tw);
        sol.converged = std::fabs(t - required) <= kAccelerationTimeTolerance;
        sol.stalled = !sol.converged && t == tPrevious;
        if (sol.converged || sol.stalled || !std::isfinite(t)) break;
        const float slope = -(tw - twPrevious) / (t - tPrevious);
        twPrevious = tw;
        tPrevious = t;
        tw = tw + 0.5f * (t - required) * slope;
    }
    sol.thrustLoading = tw;
    sol.time = t;
    return sol;
}

/// Type J: the T/W at which the acceleration from p4 to p6 takes p8 seconds, by a secant iteration on
/// the trapezoidal time integral in V^2. The fraction of maximum thrust p10 scales the thrust as in
/// the other flight constraints.
void accelerationTime(ConstraintState& s) {
    const float vi = s.p(4), vf = s.p(6), required = s.p(8), f = s.p(10), g0 = s.project.units.g0;
    const float dv2 = (vf * vf - vi * vi) / kAccelerationSteps;
    float speed[kAccelerationSteps + 1], lapse[kAccelerationSteps + 1];
    for (int k = 0; k <= kAccelerationSteps; ++k) {
        speed[k] = std::sqrt(vi * vi + static_cast<float>(k) * dv2);
        s.fc.mach = speed[k] / s.a;
        s.fc.velocity = speed[k];
        if (!s.lapse()) return;
        lapse[k] = s.engine.alpha * f;
        s.finite(speed[k], "the speed step") && s.divisor(lapse[k], "alpha times f");
    }
    if (s.faulted(" in the speed steps")) return;

    wingLoadingGrid(s, [&](float ws) {
        float balance[kAccelerationSteps + 1]; // T/W that just balances the drag at each speed
        float most = 0;
        for (int k = 0; k <= kAccelerationSteps; ++k) {
            s.fc.mach = speed[k] / s.a;
            const float q = s.rho * speed[k] * speed[k] / 2.0f;
            if (!s.divisor(q, "the dynamic pressure q")) return false;
            const float cl = s.beta * ws / q;
            const float cd = s.drag(cl);
            if (!s.divisor(cl, "the lift coefficient CL") || !s.finite(cd, "the drag coefficient CD"))
                return false;
            balance[k] = cd * s.beta / (cl * lapse[k]);
            if (!s.finite(balance[k], "the drag-balancing T/W")) return false;
            if (k == 0 || balance[k] > most) most = balance[k];
        }
        ConstraintPointRow row;
        row.wingLoading = ws;
        auto timeAt = [&](float tw) {
            float t = 0, previous = 0;
            for (int k = 0; k <= kAccelerationSteps; ++k) {
                const float ps = (tw - balance[k]) * speed[k] * lapse[k] / s.beta;
                if (!s.divisor(ps, "the specific excess power Ps"))
                    return std::numeric_limits<float>::infinity();
                if (k > 0) t += (1.0f / ps + 1.0f / previous) * dv2 / (4.0f * g0);
                previous = ps;
            }
            return t;
        };
        std::string note;
        if (most > kThrustLoadingCeiling) {
            row.thrustLoading = kAccelerationCeilingValue;
        } else {
            const AccelerationTimeSolution sol = solveAccelerationTime(timeAt, 1.0001f * most, required);
            row.thrustLoading = sol.thrustLoading;
            if (!s.fault.empty() || !s.finite(sol.thrustLoading, "T/W") || !s.finite(sol.time, "the time"))
                return false;
            if (!sol.converged)
                note = Space(10) + "*** Acceleration time not met" +
                       (sol.stalled ? std::string(" (the iteration stalled)")
                                    : " within" + Str(static_cast<int>(sol.passes)) + " passes") +
                       " at W/S =" + Str(ws) + ": time" + Str(sol.time) + " s ***";
        }
        s.out.rows.push_back(row);
        if (!note.empty()) s.out.rows.push_back({.isText = true, .text = note});
        s.store(ws, row.thrustLoading);
        return true;
    });
}

/// Types F and G: the T/W that gives the ground roll left by the rotation and the obstacle distance.
void takeoff(ConstraintState& s) {
    const float clMax = s.p(10), kto = s.p(11), mu = s.p(12), tr = s.p(13), hobs = s.p(14), sto = s.p(15);
    const float g0 = s.project.units.g0;
    if (!s.positive(clMax, "CLmax") || !s.positive(kto, "kTO") || !s.finite(mu, "the friction coefficient") ||
        !s.finite(tr, "tR") || !s.finite(hobs, "the obstacle height") ||
        !s.finite(sto, "the take-off distance")) {
        s.faulted("");
        return;
    }
    const float cl = clMax / (kto * kto);
    const float cd = s.drag(cl);
    if (!s.divisor(cl, "the lift coefficient CL") || !s.finite(cd, "the drag coefficient CD")) {
        s.faulted("");
        return;
    }
    const bool obstacle = s.type == 7;
    wingLoadingGrid(s, [&](float ws) {
        ConstraintPointRow row;
        row.wingLoading = ws;
        row.velocity = kto * std::sqrt(2.0f * s.beta * ws / (s.rho * clMax));
        row.rotation = tr * row.velocity;
        if (obstacle) {
            if (kto < kMinimumTransitionKto) {
                s.out.warnings.push_back(
                    " *** kTO is TOO Small, must be 1.12 or larger for aircraft to transition for climb ***");
                row.obstacle = kObstacleNotReached;
            } else {
                float g = s.engine.alpha * s.project.lastThrustLoading / s.beta - cd / cl; // climb gradient
                if (g > 1.0f) g = 0.8f;
                if (g <= 0.0f) { // no climb at this thrust loading: no point, the grid goes on
                    s.out.rows.push_back({.isText = true,
                                          .text = Space(10) + "*** No climb possible at W/S =" + Str(ws) +
                                                  ": climb gradient" + Str(g) + " ***"});
                    return true;
                }
                const float angle = g < 1.0f ? std::atan(std::sqrt(g * g / (1.0f - g * g)))
                                             : static_cast<float>(std::acos(0.0)); // vertical
                const float radius = row.velocity * row.velocity / ((0.8f * kto * kto - 1.0f) * g0);
                float transition = radius * g;
                const float height = (1.0f - std::cos(angle)) * radius;
                if (height > hobs) { // the obstacle is cleared during the transition
                    row.climb = 0;
                    const float r = 1.0f - hobs / radius;
                    transition = radius * std::sqrt(1.0f - r * r);
                    row.obstacle = transition;
                } else {
                    row.climb = (hobs - height) / std::tan(angle);
                    row.obstacle = row.climb <= 0.0f ? kObstacleNotReached : transition + row.climb;
                }
            }
        }
        row.groundRoll = sto - row.rotation - row.obstacle;
        const float xi = cd - mu * cl;
        const float e = row.groundRoll * s.rho * g0 * xi / (s.beta * ws);
        if (!s.finite(e, "the ground-roll exponent")) return false;
        if (e > 0.0f) {
            const float roll = 1.0f - std::exp(-e);
            if (!s.divisor(s.engine.alpha, "the thrust lapse alpha") || !s.divisor(roll, "1 - exp(-E)"))
                return false;
            row.thrustLoading = (s.beta / s.engine.alpha) * ((xi / cl) / roll + mu);
        } else {
            row.thrustLoading = kFieldTooShort;
        }
        if (!s.finite(row.velocity, "the take-off speed") ||
            !s.finite(row.obstacle, "the obstacle distance") || !s.finite(row.climb, "the climb distance") ||
            !s.finite(row.thrustLoading, "T/W"))
            return false;
        s.out.rows.push_back(row);
        s.store(ws, row.thrustLoading);
        return true;
    });
}

/// Types H and I: the W/S at which the landing distance equals p21, for each T/W of the T/W range.
void landing(ConstraintState& s) {
    const OneBased<float, 3>& axis = s.project.twAxis;
    const float fraction = s.p(8), clMax = s.p(10), ktd = s.p(16), muB = s.p(17), tfr = s.p(18);
    const float hl = s.p(20), sl = s.p(21), alpha = s.engine.alpha, g0 = s.project.units.g0;
    const float kobs = s.p(19) <= 0.0f ? ktd : s.p(19);
    const bool obstacle = s.type == 9;
    if (!s.positive(clMax, "CLmax") || !s.positive(ktd, "kTD") || !s.positive(tfr, "tFR") ||
        !s.finite(fraction, "the fraction of CLmax") || !s.finite(muB, "the braking coefficient") ||
        !s.finite(hl, "the obstacle height") || !s.finite(sl, "the landing distance") ||
        !s.finite(kobs, "kOBS") || !s.finite(alpha, "the reverse thrust lapse")) {
        s.faulted("");
        return;
    }
    const float clTd = clMax / (ktd * ktd);
    const float cl = fraction * clTd;
    const float cd = s.drag(cl);
    const float xi = cd - muB * cl;
    s.finite(cd, "the drag coefficient CD") && s.divisor(xi, "CD - muB CL");
    const float cfr = tfr * ktd * std::sqrt(2.0f * s.beta / (s.rho * clMax));
    float ca = 0, sa0 = 0;
    if (obstacle && s.divisor(cd, "the drag coefficient CD")) {
        ca = (2.0f * s.beta / (s.rho * g0 * cd)) * (kobs * kobs - ktd * ktd) / (ktd * ktd + kobs * kobs);
        sa0 = 2.0f * hl / (ktd * ktd + kobs * kobs) * (clMax / cd);
    }
    s.finite(cfr, "the free-roll coefficient") && s.finite(ca, "the air-distance coefficient") &&
        s.finite(sa0, "the air distance");
    if (s.faulted(" in the landing coefficients")) return;
    // The rows round their count to the nearest whole number; counted in double and bounded, so that a
    // range of rows that store nothing cannot run on.
    const double rowCount = s.twGrid ? static_cast<double>(s.twGrid->size()) - 1
                                     : std::floor((static_cast<double>(axis[2]) - axis[1]) / axis[3] + 0.5);
    if (!(rowCount >= 0)) return;
    const int rowsN =
        s.twGrid ? static_cast<int>(rowCount)
                 : static_cast<int>(std::min(rowCount, static_cast<double>(ConstraintPoints::kMaxPoints)));
    for (int j = 0; j <= rowsN && !s.full(); ++j) {
        float tw = s.twGrid ? 0.0f : rangePoint(axis[1], axis[3], j);
        s.gridIndex = j;
        if (s.twGrid)
            tw = (*s.twGrid)[static_cast<std::size_t>(j)];
        else if (axis[1] <= 0.0f && s.points.count < 2)
            tw = s.points.count == 0 ? kLandingMinimumThrust : axis[3];
        if (tw <= 0.0f) tw = kLandingMinimumThrust;
        const float braking = (muB - alpha * tw / s.beta) * clTd;
        if (!s.divisor(braking, "(muB - alpha T/W / beta) CLmax / kTD^2")) {
            s.faulted(" at T/W =" + Str(tw));
            return;
        }
        float x = 1.0f + xi / braking;
        if (x < 1e-6f || std::isnan(x)) x = 1e-6f;
        const float cb = (s.beta / (s.rho * g0 * xi)) * std::log(x);
        const float a = ca + cb, b = cfr, c = sl - sa0;
        float d = b * b + 4.0f * a * c;
        if (std::fabs(a) < 1e-8f) {
            s.out.rows.push_back({.isText = true, .text = Space(10) + Str(tw) + "  Result TOO Large"});
            continue;
        }
        if (d < 0.0f) {
            s.out.rows.push_back(
                {.isText = true, .text = Space(10) + Str(tw) + "  Square Root of Negative in Solution"});
            d = -d;
        }
        const float root = (std::sqrt(d) - b) / (2.0f * a);
        ConstraintPointRow row;
        row.thrustLoading = tw;
        row.wingLoading = root * root;
        row.velocity = cfr * std::sqrt(row.wingLoading) / tfr;
        row.air = ca * row.wingLoading + sa0;
        row.freeRoll = cfr * std::sqrt(row.wingLoading);
        row.braking = cb * row.wingLoading;
        s.finite(row.wingLoading, "W/S") && s.finite(row.velocity, "the touch-down speed") &&
            s.finite(row.air + row.freeRoll + row.braking, "the landing distance");
        if (s.faulted(" at T/W =" + Str(tw))) {
            if (!s.twGrid) return;
            s.fault.clear(); // only this row of the caller's grid is lost
            continue;
        }
        if (std::fabs(row.air + row.freeRoll + row.braking) <= sl + 1.0f) {
            s.out.rows.push_back(row);
            s.store(row.wingLoading, tw);
        }
    }
}

} // namespace

namespace {

ConstraintOutcome runConstraint(ProjectData& project, int16_t number, const std::vector<float>* wsGrid,
                                const std::vector<float>* twGrid) {
    ConstraintOutcome out;
    out.number = number;
    if (number < 1 || number > kMaxConstraints) return out;
    const Constraint& c = project.constraints[static_cast<std::size_t>(number)];
    ConstraintPoints& points = project.constraintPoints[static_cast<std::size_t>(number)];
    if (!wsGrid) points.count = 0;
    out.type = constraintTypeNumber(c);
    project.resultsItem = number;
    ConstraintState s{project, c, out.type, {}, 0, 0, 0, 0, {}, out, points};
    s.wsGrid = wsGrid;
    s.twGrid = twGrid;

    // "Calculate" with the cycle deck sizes the engine to the aircraft before the first constraint.
    if (number == 1 && project.thrustModel == kEngineCycleDeck)
        sizeEngineToAircraft(project, out.engineMessages);
    const UnitConstants& u = project.units;
    // Inputs that make every point meaningless end the constraint before anything is computed.
    const bool flight = out.type != 6 && out.type != 7 && out.type != 8 && out.type != 9 && out.type != 0;
    s.positive(c.p[1], "the weight fraction beta") && s.finite(c.p[2], "the altitude") &&
        s.positive(c.p[3], "the temperature T");
    if (flight && c.p[4] == 0.0f) s.divisor(c.p[4], "the velocity V");
    if (flight) s.positive(c.p[4], out.type == 10 ? "the initial velocity" : "the velocity V");
    if (out.type == 10) s.positive(c.p[6], "the final velocity");
    if (out.type == 6 || out.type == 7) s.finite(c.p[8], "the take-off Mach number");
    if (s.faulted("")) return out;
    s.beta = c.p[1];
    s.fc.altitude = c.p[2];
    atmosphere(s.fc, u);
    if (s.fc.aboveTable)
        out.rows.push_back(
            {.isText = true, .text = Space(10) + atmosphereClampLine(c.p[2], u.system == kSI)});
    s.fc.temperature = c.p[3];
    s.fc.theta = c.p[3] / u.TSL; // the constraint's own temperature, not the standard one
    s.fc.sigma = s.fc.delta / s.fc.theta;
    s.rho = s.fc.sigma * u.rhoSL;
    s.a = u.aSL * std::sqrt(s.fc.theta);
    s.fc.soundSpeed = s.a;
    s.velocity = c.p[4];
    s.fc.velocity = s.velocity;
    s.fc.mach = s.velocity / s.a;
    const float ab = c.p[23];
    project.afterburner =
        std::isfinite(ab) && std::fabs(ab) < 32768.0f ? static_cast<int16_t>(std::trunc(ab)) : 0;
    s.engine.alpha = c.p[22];
    if (out.type == 6 || out.type == 7) s.fc.mach = c.p[8];
    if (out.type == 8 || out.type == 9) s.fc.mach = 0;
    const bool flightLapse = out.type != 8 && out.type != 9 && out.type != 0;
    s.finite(s.rho, "the density") && s.finite(s.fc.mach, "the Mach number");
    if (s.faulted(" in the flight condition")) return out;
    out.mach = s.fc.mach;
    if (flightLapse && !s.lapse()) return out;
    if (s.finite(s.engine.alpha, "the thrust lapse alpha")) out.alpha = s.engine.alpha;
    if (s.faulted(" in the flight condition")) return out;

    switch (out.type) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        masterEquation(s);
        break;
    case 6:
    case 7:
        takeoff(s);
        break;
    case 8:
    case 9:
        landing(s);
        break;
    case 10:
        accelerationTime(s);
        break;
    default:
        out.failure = Space(10) + "*** Unknown constraint type \"" + c.type + "\" ***";
        break;
    }
    if (!wsGrid && points.count > 1) project.constraintPlotMade = true;
    return out;
}

} // namespace

ConstraintOutcome calculateConstraint(ProjectData& project, int16_t number) {
    return runConstraint(project, number, nullptr, nullptr);
}

ConstraintOutcome calculateConstraintAt(ProjectData& project, int16_t number,
                                        const std::vector<float>& wingLoadings,
                                        const std::vector<float>& thrustLoadings) {
    return runConstraint(project, number, &wingLoadings, &thrustLoadings);
}

std::string ConstraintCalculation(ProjectData& project, int16_t number, ConstraintOutcome* outcome) {
    ConstraintOutcome out = calculateConstraint(project, number);
    std::string page = constraintReport(project, out);
    if (outcome) *outcome = std::move(out);
    return page;
}

} // namespace vededa
