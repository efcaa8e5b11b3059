#include "constraint/constraint_calculation.h"

#include "engine/cycle_deck_model.h"

#include "constraint/constraint_report.h"
#include "constraint/constraint_set.h"
#include "models/atmosphere.h"
#include "models/drag_polar.h"
#include "models/thrust_lapse.h"
#include "output/number_format.h"
#include "output/report.h"

#include <cfenv>
#include <cmath>

namespace vededa {

namespace {

constexpr int kFaultFlags = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;
/// T/W above this is out of any sensible diagram; it is stored as the marker value.
constexpr float kThrustLoadingCeiling = 100.0f;
constexpr float kCruiseCeilingValue = 99.0f;        ///< types A-E beyond the ceiling
constexpr float kAccelerationCeilingValue = 99.99f; ///< type J beyond the ceiling
constexpr float kFieldTooShort = 10000.0f;          ///< types F, G: no ground roll left
constexpr float kObstacleNotReached = 10000.0f;     ///< type G: obstacle distance without a climb
constexpr float kZeroWingLoadingStart = 0.01f;      ///< first grid point of a W/S range that starts at 0
constexpr float kLandingMinimumThrust = 0.001f;     ///< landing rows: T/W at or below 0 becomes this
constexpr int16_t kAccelerationSteps = 20;          ///< type J: equal steps of V^2

/// The name of the floating-point fault that was raised, or an empty string.
std::string raisedFault() {
    const int f = std::fetestexcept(kFaultFlags);
    if (f & FE_DIVBYZERO) return "division by zero";
    if (f & FE_OVERFLOW) return "overflow";
    if (f & FE_INVALID) return "invalid operation";
    return {};
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

    /// Ends the constraint when a floating-point fault was raised; true when one was.
    bool faulted(const std::string& where) {
        const std::string fault = raisedFault();
        if (fault.empty()) return false;
        out.failure = faultLine(fault, where);
        return true;
    }
};

/// The W/S grid: from the minimum by the increment (single-precision running sum) up to the maximum,
/// at most 51 points; a range starting at 0 starts at 0.01 instead.
template <typename Point> void wingLoadingGrid(ConstraintState& s, Point point) {
    if (s.wsGrid) {
        for (std::size_t i = 0; i < s.wsGrid->size(); ++i) {
            const float at = (*s.wsGrid)[i];
            s.gridIndex = static_cast<int>(i);
            if (!point(at)) return;
            // A fault ends only this point of the caller's grid; the other points stand on their own.
            if (s.faulted(" at W/S =" + Str(at))) std::feclearexcept(FE_ALL_EXCEPT);
        }
        return;
    }
    const OneBased<float, 3>& axis = s.project.wsAxis;
    float ws = axis[1];
    bool first = true;
    while (!s.full() && (axis[3] >= 0 ? ws <= axis[2] : ws >= axis[2])) {
        const float at = first && axis[1] == 0.0f ? kZeroWingLoadingStart : ws;
        first = false;
        if (!point(at)) return;
        if (s.faulted(" at W/S =" + Str(at))) return;
        ws += axis[3];
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
    wingLoadingGrid(s, [&](float ws) {
        ConstraintPointRow row;
        row.wingLoading = ws;
        row.cl = n * s.beta * ws / q;
        row.cd = s.drag(row.cl);
        float tw = (s.beta / (s.engine.alpha * s.p(10))) * (n * row.cd / row.cl + excess / v);
        if (tw > kThrustLoadingCeiling) tw = kCruiseCeilingValue;
        row.thrustLoading = tw;
        if (std::fetestexcept(kFaultFlags)) return true; // reported by the grid
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
        if (sol.converged || sol.stalled || !std::isfinite(t) || std::fetestexcept(kFaultFlags)) break;
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
    }
    if (s.faulted(" in the speed steps")) return;

    wingLoadingGrid(s, [&](float ws) {
        float balance[kAccelerationSteps + 1]; // T/W that just balances the drag at each speed
        float most = 0;
        for (int k = 0; k <= kAccelerationSteps; ++k) {
            s.fc.mach = speed[k] / s.a;
            const float q = s.rho * speed[k] * speed[k] / 2.0f;
            const float cl = s.beta * ws / q;
            const float cd = s.drag(cl);
            balance[k] = cd * s.beta / (cl * lapse[k]);
            if (k == 0 || balance[k] > most) most = balance[k];
        }
        ConstraintPointRow row;
        row.wingLoading = ws;
        auto timeAt = [&](float tw) {
            float t = 0, previous = 0;
            for (int k = 0; k <= kAccelerationSteps; ++k) {
                const float ps = (tw - balance[k]) * speed[k] * lapse[k] / s.beta;
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
            if (!sol.converged && !std::fetestexcept(kFaultFlags))
                note = Space(10) + "*** Acceleration time not met" +
                       (sol.stalled ? std::string(" (the iteration stalled)")
                                    : " within" + Str(static_cast<int>(sol.passes)) + " passes") +
                       " at W/S =" + Str(ws) + ": time" + Str(sol.time) + " s ***";
        }
        if (std::fetestexcept(kFaultFlags)) return true; // reported by the grid
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
    const float cl = clMax / (kto * kto);
    const float cd = s.drag(cl);
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
        row.thrustLoading =
            e > 0.0f ? (s.beta / s.engine.alpha) * ((xi / cl) / (1.0f - std::exp(-e)) + mu) : kFieldTooShort;
        if (std::fetestexcept(kFaultFlags)) return true; // reported by the grid
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
    const float clTd = clMax / (ktd * ktd);
    const float cl = fraction * clTd;
    const float cd = s.drag(cl);
    const float xi = cd - muB * cl;
    const float cfr = tfr * ktd * std::sqrt(2.0f * s.beta / (s.rho * clMax));
    float ca = 0, sa0 = 0;
    if (obstacle) {
        ca = (2.0f * s.beta / (s.rho * g0 * cd)) * (kobs * kobs - ktd * ktd) / (ktd * ktd + kobs * kobs);
        sa0 = 2.0f * hl / (ktd * ktd + kobs * kobs) * (clMax / cd);
    }
    if (s.faulted(" in the landing coefficients")) return;
    const auto rowsN = s.twGrid ? static_cast<int>(s.twGrid->size()) - 1
                                : static_cast<int>(std::floor((axis[2] - axis[1]) / axis[3] + 0.5f));
    for (int j = 0; j <= rowsN && !s.full(); ++j) {
        float tw = axis[1] + static_cast<float>(j) * axis[3];
        s.gridIndex = j;
        if (s.twGrid)
            tw = (*s.twGrid)[static_cast<std::size_t>(j)];
        else if (axis[1] <= 0.0f && s.points.count < 2)
            tw = s.points.count == 0 ? kLandingMinimumThrust : axis[3];
        if (tw <= 0.0f) tw = kLandingMinimumThrust;
        float x = 1.0f + xi / ((muB - alpha * tw / s.beta) * clTd);
        if (x < 1e-6f) x = 1e-6f;
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
        if (s.faulted(" at T/W =" + Str(tw))) {
            if (!s.twGrid) return;
            std::feclearexcept(FE_ALL_EXCEPT); // only this row of the caller's grid is lost
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
    std::feclearexcept(FE_ALL_EXCEPT);
    const UnitConstants& u = project.units;
    s.beta = c.p[1];
    s.fc.altitude = c.p[2];
    atmosphere(s.fc, u);
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
    out.mach = s.fc.mach;
    const bool flightLapse = out.type != 8 && out.type != 9 && out.type != 0;
    if (flightLapse && !s.lapse()) return out;
    out.alpha = s.engine.alpha;
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
    std::feclearexcept(FE_ALL_EXCEPT);
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
