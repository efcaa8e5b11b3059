#include "sizing/sizing_chart.h"

#include "constraint/constraint_calculation.h"
#include "constraint/constraint_set.h"
#include "engine/analysis_binding.h"
#include "engine/cycle_deck_model.h"
#include "sizing/sizing_mission.h"
#include "sizing/weight_closure.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <mutex>
#include <thread>

namespace vededa {

namespace {

/// Local refinement of the optimum: passes at most, and points per axis of each pass's sub-grid. A
/// pass whose best point lies on the sub-grid's edge moves the sub-grid there at the same size (the
/// optimum usually runs along a constraint line to a corner); otherwise the next pass halves it.
constexpr int kRefinePasses = 10;
constexpr int kRefinePoints = 5;
/// Missions flown per grid point at most while the closed W_TO settles (the fuel fraction may depend
/// on W_TO through payload releases and the sized engine).
constexpr int kClosureMissionPasses = 20;
/// The closed W_TO has settled when it changes by less than this, relative.
constexpr double kClosureMissionTolerance = 1e-5;
/// Type G: fixed-point passes on the previous point's T/W when a single W/S is evaluated alone.
constexpr int kObstaclePasses = 5;
constexpr float kObstacleTolerance = 1e-4f;
/// The T/W the diagram's first type G point starts from before any constraint was computed.
constexpr float kFirstThrustLoading = 1.0f;

bool isLanding(int16_t type) {
    return type == 8 || type == 9;
}

/// Runs `work(k, worker)` for every k in [0, n) on `threads` threads (the calling thread is worker 0).
/// Points are handed out one at a time; after `cancel` is set no new point starts.
void parallelFor(int n, unsigned threads, const std::function<void(int, unsigned)>& work,
                 std::atomic<bool>& cancel) {
    std::atomic<int> next{0};
    auto loop = [&](unsigned worker) {
        for (int k = next++; k < n && !cancel.load(); k = next++) work(k, worker);
    };
    std::vector<std::thread> pool;
    for (unsigned w = 1; w < threads; ++w) pool.emplace_back(loop, w);
    loop(0);
    for (std::thread& t : pool) t.join();
}

unsigned threadCount(const SizingRunOptions& o, int points) {
    unsigned n = o.threads ? o.threads : std::thread::hardware_concurrency();
    if (n == 0) n = 1;
    return std::min<unsigned>(n, static_cast<unsigned>(std::max(points, 1)));
}

/// The fixed weight the closure carries: crew and payload, kept and released [lbf or N].
float fixedWeight(const SizingSettings& s) {
    return s.crewWeight + s.payloadKept + s.payloadReleased;
}

/// One thread's working copy of the project and its bound models.
class PointWorker {
  public:
    PointWorker(const ProjectData& project, const SizingSettings& settings)
        : base_(project), settings_(settings), work_(std::make_unique<ProjectData>(project)) {
        if (project.thrustModel != kEngineCycleDeck) models_ = bindAnalysisModels(*work_);
    }

    /// The mission (and the closure when asked) at (ws, tw): fills the mission part of `cell`.
    void fly(float ws, float tw, SizingCell& cell) {
        const AnalysisModels* models = base_.thrustModel == kEngineCycleDeck ? nullptr : &models_;
        float wto = base_.takeoffWeight();
        auto flyAt = [&](float w) {
            *work_ = base_;
            return flyMissionAt(*work_, models, ws, tw, w);
        };
        MissionAtPoint m = flyAt(wto);
        cell.wto = wto;
        if (settings_.closure) {
            cell.closed = false;
            for (int pass = 1; pass <= kClosureMissionPasses; ++pass) {
                const ClosureSolution sol =
                    closeWeights(m.fuelFraction, settings_.emptyA, settings_.emptyC, fixedWeight(settings_));
                if (!sol.converged) {
                    if (m.failure.empty()) m.failure = sol.failure;
                    break;
                }
                const bool settled =
                    std::fabs(static_cast<double>(sol.wto) - wto) <= kClosureMissionTolerance * wto;
                wto = sol.wto;
                cell.wto = wto;
                if (settled) {
                    cell.closed = true;
                    break;
                }
                if (pass == kClosureMissionPasses) {
                    if (m.failure.empty())
                        m.failure = "Weights do not close: W_TO still changing after " +
                                    std::to_string(kClosureMissionPasses) + " missions";
                    break;
                }
                m = flyAt(wto);
            }
        }
        cell.flown = m.flown;
        cell.fuelFraction = m.fuelFraction;
        cell.failure = m.failure;
    }

    /// Each constraint at exactly (ws, tw): required T/W at ws, or the largest W/S at tw for landings.
    std::vector<SizingMargin> margins(float ws, float tw) {
        std::vector<SizingMargin> out;
        *work_ = base_;
        const std::vector<float> wsList{ws}, twList{tw};
        for (int16_t n = 1; n <= base_.constraintCount; ++n) {
            SizingMargin m;
            m.number = n;
            const int16_t type = constraintTypeNumber(base_.constraints[static_cast<std::size_t>(n)]);
            m.landing = isLanding(type);
            std::optional<float> value;
            work_->lastThrustLoading = kFirstThrustLoading;
            for (int pass = 0; pass < (type == 7 ? kObstaclePasses : 1); ++pass) {
                const ConstraintOutcome o = calculateConstraintAt(*work_, n, wsList, twList);
                std::optional<float> now;
                for (const ConstraintPointRow& r : o.rows)
                    if (!r.isText && r.gridIndex == 0) now = m.landing ? r.wingLoading : r.thrustLoading;
                const bool settled = now && value && std::fabs(*now - *value) <= kObstacleTolerance * *now;
                value = now;
                if (!now || settled) break;
                work_->lastThrustLoading = *now;
            }
            if (value && std::isfinite(*value)) m.value = m.landing ? *value - ws : tw - *value;
            out.push_back(m);
        }
        return out;
    }

    SizingPoint evaluate(float ws, float tw) {
        SizingPoint p;
        p.ws = ws;
        p.tw = tw;
        p.margins = margins(ws, tw);
        SizingCell cell;
        fly(ws, tw, cell);
        p.flown = cell.flown;
        p.fuelFraction = cell.fuelFraction;
        p.closed = cell.closed;
        p.wto = cell.wto;
        p.failure = cell.failure;
        const bool meets = std::all_of(p.margins.begin(), p.margins.end(),
                                       [](const SizingMargin& m) { return m.value && *m.value >= 0.0f; });
        p.feasible = meets && p.flown && (!settings_.closure || p.closed);
        return p;
    }

  private:
    const ProjectData& base_;
    const SizingSettings& settings_;
    std::unique_ptr<ProjectData> work_;
    AnalysisModels models_;
};

/// The value the optimum minimises: W_TO with closure, otherwise the fuel fraction.
float criterion(const SizingSettings& s, float fuelFraction, float wto) {
    return s.closure ? wto : fuelFraction;
}

/// The constraints over the grid, computed in order on one copy as the diagram computes them.
std::vector<SizingConstraint> constraintsOverGrid(const ProjectData& project, const SizingGrid& grid) {
    std::vector<SizingConstraint> out;
    auto work = std::make_unique<ProjectData>(project);
    work->lastThrustLoading = kFirstThrustLoading;
    for (int16_t n = 1; n <= project.constraintCount; ++n) {
        const Constraint& c = project.constraints[static_cast<std::size_t>(n)];
        SizingConstraint sc;
        sc.number = n;
        sc.type = constraintTypeNumber(c);
        sc.letter = c.type;
        sc.name = c.name;
        sc.landing = isLanding(sc.type);
        sc.values.assign(sc.landing ? grid.tw.size() : grid.ws.size(), std::nullopt);
        const ConstraintOutcome o = calculateConstraintAt(*work, n, grid.ws, grid.tw);
        for (const ConstraintPointRow& r : o.rows) {
            if (r.isText || r.gridIndex < 0 || static_cast<std::size_t>(r.gridIndex) >= sc.values.size())
                continue;
            const float v = sc.landing ? r.wingLoading : r.thrustLoading;
            if (std::isfinite(v)) sc.values[static_cast<std::size_t>(r.gridIndex)] = v;
        }
        sc.failure = o.failure;
        out.push_back(std::move(sc));
    }
    return out;
}

bool meetsConstraints(const std::vector<SizingConstraint>& constraints, std::size_t i, std::size_t j,
                      const SizingGrid& g) {
    for (const SizingConstraint& c : constraints) {
        const std::optional<float>& v = c.values[c.landing ? j : i];
        if (!v) return false;
        if (c.landing ? !(g.ws[i] <= *v) : !(g.tw[j] >= *v)) return false;
    }
    return true;
}

} // namespace

SizingPoint evaluateSizingPoint(const ProjectData& project, const SizingSettings& settings, float ws,
                                float tw) {
    PointWorker worker(project, settings);
    return worker.evaluate(ws, tw);
}

SizingPoint evaluateSizingMargins(const ProjectData& project, const SizingSettings& settings, float ws,
                                  float tw) {
    PointWorker worker(project, settings);
    SizingPoint p;
    p.ws = ws;
    p.tw = tw;
    p.missionComputed = false;
    p.margins = worker.margins(ws, tw);
    return p;
}

SizingChart calculateSizingChart(const ProjectData& project, const SizingSettings& settings,
                                 const SizingRunOptions& options) {
    SizingChart chart;
    chart.settings = settings;
    chart.message = sizingSettingsProblem(settings);
    if (!chart.message.empty()) return chart;
    chart.grid = sizingGrid(settings);
    const SizingGrid& g = chart.grid;
    const std::size_t nws = g.ws.size(), ntw = g.tw.size();
    const int points = static_cast<int>(nws * ntw);
    const int total = points + kRefinePasses * kRefinePoints * kRefinePoints;

    chart.constraints = constraintsOverGrid(project, g);
    chart.cells.assign(nws * ntw, SizingCell{});

    const unsigned threads = threadCount(options, points);
    std::vector<std::unique_ptr<PointWorker>> workers;
    for (unsigned w = 0; w < threads; ++w)
        workers.push_back(std::make_unique<PointWorker>(project, settings));

    std::atomic<bool> cancel{false};
    std::mutex progressLock;
    int done = 0;
    auto report = [&](int count) {
        if (!options.progress) return;
        std::lock_guard<std::mutex> lock(progressLock);
        done += count;
        if (!options.progress(done, total)) cancel = true;
    };
    std::atomic<int> sinceReport{0};
    parallelFor(
        points, threads,
        [&](int k, unsigned w) {
            const std::size_t i = static_cast<std::size_t>(k) % nws, j = static_cast<std::size_t>(k) / nws;
            SizingCell& cell = chart.cells[static_cast<std::size_t>(k)];
            workers[w]->fly(g.ws[i], g.tw[j], cell);
            cell.meetsConstraints = meetsConstraints(chart.constraints, i, j, g);
            cell.feasible = cell.meetsConstraints && cell.flown && (!settings.closure || cell.closed);
            if (++sinceReport % static_cast<int>(nws) == 0) report(static_cast<int>(nws));
        },
        cancel);
    if (cancel) {
        chart.cancelled = true;
        return chart;
    }

    // The best feasible grid point.
    std::optional<std::size_t> best;
    for (std::size_t k = 0; k < chart.cells.size(); ++k) {
        const SizingCell& c = chart.cells[k];
        if (!c.feasible) continue;
        if (!best || criterion(settings, c.fuelFraction, c.wto) <
                         criterion(settings, chart.cells[*best].fuelFraction, chart.cells[*best].wto))
            best = k;
    }
    if (!best) return chart;

    // Local refinement: a 5 x 5 sub-grid around the best point, twice narrowed, inside the grid's range.
    const std::size_t bi = *best % nws, bj = *best / nws;
    float cws = g.ws[bi], ctw = g.tw[bj];
    float dws = nws > 1 ? g.ws[1] - g.ws[0] : 0.0f, dtw = ntw > 1 ? g.tw[1] - g.tw[0] : 0.0f;
    std::optional<SizingPoint> optimum;
    for (int pass = 0; pass < kRefinePasses; ++pass) {
        std::vector<SizingPoint> candidates(kRefinePoints * kRefinePoints);
        parallelFor(
            kRefinePoints * kRefinePoints, std::min<unsigned>(threads, kRefinePoints * kRefinePoints),
            [&](int k, unsigned w) {
                const float fx = static_cast<float>(k % kRefinePoints) / (kRefinePoints - 1) * 2.0f - 1.0f;
                const float fy = static_cast<float>(k / kRefinePoints) / (kRefinePoints - 1) * 2.0f - 1.0f;
                const float ws = std::clamp(cws + fx * dws, g.ws.front(), g.ws.back());
                const float tw = std::clamp(ctw + fy * dtw, g.tw.front(), g.tw.back());
                candidates[static_cast<std::size_t>(k)] = workers[w]->evaluate(ws, tw);
            },
            cancel);
        report(kRefinePoints * kRefinePoints);
        if (cancel) {
            chart.cancelled = true;
            return chart;
        }
        bool onEdge = false;
        for (int k = 0; k < kRefinePoints * kRefinePoints; ++k) {
            const SizingPoint& p = candidates[static_cast<std::size_t>(k)];
            if (!p.feasible) continue;
            if (!optimum || criterion(settings, p.fuelFraction, p.wto) <
                                criterion(settings, optimum->fuelFraction, optimum->wto)) {
                optimum = p;
                const int a = k % kRefinePoints, b = k / kRefinePoints;
                onEdge = a == 0 || b == 0 || a == kRefinePoints - 1 || b == kRefinePoints - 1;
            }
        }
        if (optimum) {
            cws = optimum->ws;
            ctw = optimum->tw;
        }
        if (!onEdge) {
            dws *= 0.5f;
            dtw *= 0.5f;
        }
    }
    report(total - done);
    if (!optimum) {
        // No refined point passed the exact checks: the grid point itself, with its exact margins.
        SizingPoint p = workers[0]->evaluate(g.ws[bi], g.tw[bj]);
        const SizingCell& c = chart.cells[*best];
        p.flown = c.flown;
        p.fuelFraction = c.fuelFraction;
        p.closed = c.closed;
        p.wto = c.wto;
        p.feasible = c.feasible;
        optimum = p;
    }
    chart.optimum = optimum;
    return chart;
}

SizingPoint readSizingChart(const SizingChart& chart, float ws, float tw) {
    SizingPoint p;
    p.ws = ws;
    p.tw = tw;
    const SizingGrid& g = chart.grid;
    if (g.ws.size() < 2 || g.tw.size() < 2 || chart.cells.size() != g.ws.size() * g.tw.size()) return p;
    // Position in the grid: cell index and the fraction towards the next point, clamped to the grid.
    auto locate = [](const std::vector<float>& v, float x, std::size_t& k, float& f) {
        const float step = (v.back() - v.front()) / static_cast<float>(v.size() - 1);
        float u = step > 0.0f ? (x - v.front()) / step : 0.0f;
        u = std::clamp(u, 0.0f, static_cast<float>(v.size() - 1));
        k = std::min(static_cast<std::size_t>(u), v.size() - 2);
        f = u - static_cast<float>(k);
    };
    std::size_t i = 0, j = 0;
    float fx = 0, fy = 0;
    locate(g.ws, ws, i, fx);
    locate(g.tw, tw, j, fy);
    auto lerp = [](const std::optional<float>& a, const std::optional<float>& b,
                   float f) -> std::optional<float> {
        if (!a || !b) return f < 0.5f ? a : b;
        return *a + f * (*b - *a);
    };
    bool meets = true;
    for (const SizingConstraint& c : chart.constraints) {
        SizingMargin m;
        m.number = c.number;
        m.landing = c.landing;
        const std::optional<float> v =
            c.landing ? lerp(c.values[j], c.values[j + 1], fy) : lerp(c.values[i], c.values[i + 1], fx);
        if (v) m.value = c.landing ? *v - ws : tw - *v;
        meets = meets && m.value && *m.value >= 0.0f;
        p.margins.push_back(m);
    }
    const SizingCell* corner[4] = {&chart.cell(i, j), &chart.cell(i + 1, j), &chart.cell(i, j + 1),
                                   &chart.cell(i + 1, j + 1)};
    const float w[4] = {(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy};
    p.flown = p.closed = true;
    for (int k = 0; k < 4; ++k) {
        p.fuelFraction += w[k] * corner[k]->fuelFraction;
        p.wto += w[k] * corner[k]->wto;
        p.flown = p.flown && corner[k]->flown;
        p.closed = p.closed && corner[k]->closed;
    }
    const SizingCell& nearest = chart.cell(fx < 0.5f ? i : i + 1, fy < 0.5f ? j : j + 1);
    if (!p.flown) p.failure = nearest.failure;
    p.feasible = meets && p.flown && (!chart.settings.closure || p.closed);
    return p;
}

} // namespace vededa
