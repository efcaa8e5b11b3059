#pragma once

#include "app/project_data.h"
#include "sizing/sizing_grid.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vededa {

/// One constraint over the sizing grid.
struct SizingConstraint {
    int16_t number = 0;   ///< constraint slot 1..30
    int16_t type = 0;     ///< type number 1..10
    std::string letter;   ///< type letter "A".."J"
    std::string name;     ///< the constraint's name
    bool landing = false; ///< types H and I: a W/S limit over T/W instead of a T/W need over W/S
    /// Required T/W at each grid W/S (landing: largest W/S allowed at each grid T/W); empty where the
    /// calculation gave no point.
    std::vector<std::optional<float>> values;
    std::string failure; ///< the calculation's own failure line, if it ended early somewhere
};

/// The aircraft at one grid point.
struct SizingCell {
    bool flown = false;     ///< the mission flew every leg without a failure or "Engine Too Small" line
    float fuelFraction = 0; ///< fuel burnt / W_TO (also kept when not flown, for the chart's contours)
    bool meetsConstraints = false; ///< T/W at or above every requirement, W/S within every landing limit
    bool feasible = false;         ///< meets the constraints and the mission was flown
    bool closed = false;           ///< with closure: the weights close (W_TO below is the closed one)
    float wto = 0;                 ///< W_TO [lbf or N]: the project's, or the closed one
    std::string failure;           ///< mission failure or closure line
};

/// Margin of one constraint at a design point: T/W available minus required (T/W types), or the
/// largest W/S allowed minus the W/S (landing types). Empty where the constraint gives no value.
struct SizingMargin {
    int16_t number = 0;
    bool landing = false;
    std::optional<float> value;
};

/// A design point with everything the side panel shows.
struct SizingPoint {
    float ws = 0, tw = 0;
    /// False when only the constraints were evaluated: the mission figures below are not known.
    bool missionComputed = true;
    bool flown = false;
    float fuelFraction = 0;
    bool feasible = false;
    bool closed = false;
    float wto = 0;
    std::vector<SizingMargin> margins;
    std::string failure;
};

/// The whole sizing chart.
struct SizingChart {
    SizingSettings settings;
    SizingGrid grid;
    std::vector<SizingConstraint> constraints;
    std::vector<SizingCell> cells;      ///< row by row over T/W: cell(i, j) = cells[j * ws.size() + i]
    std::optional<SizingPoint> optimum; ///< the least W_TO (closure) or fuel fraction of the feasible points
    bool cancelled = false;
    std::string message; ///< why nothing was calculated ("" when the chart was made)

    const SizingCell& cell(std::size_t i, std::size_t j) const { return cells[j * grid.ws.size() + i]; }
};

/// How a sizing chart is run.
struct SizingRunOptions {
    unsigned threads = 0; ///< worker threads; 0: all cores
    /// Called after every finished grid row and refinement pass with (done, total); return false to
    /// cancel. Called from the worker threads, one call at a time.
    std::function<bool(int done, int total)> progress;
};

/// Calculates the sizing chart of `project` with `settings`: each constraint at the grid W/S (landing
/// types at the grid T/W), the mission flown at every grid point with W/S and T/W replaced and W_TO kept
/// (or, with closure, solved so that the weights close), feasibility, and the optimum refined locally.
/// The project is not changed. Grid points run in parallel; the result does not depend on the number
/// of threads.
SizingChart calculateSizingChart(const ProjectData& project, const SizingSettings& settings,
                                 const SizingRunOptions& options = {});

/// Everything at one design point (W/S, T/W), computed afresh: the constraints at exactly this W/S and
/// T/W, the mission, closure when `settings.closure`, and the margins.
SizingPoint evaluateSizingPoint(const ProjectData& project, const SizingSettings& settings, float ws,
                                float tw);

/// The constraint margins at one design point (W/S, T/W), computed afresh, without the mission: the
/// cheap part of `evaluateSizingPoint` for engines whose mission takes too long to fly on every mouse
/// move. `missionComputed` is false and the point is not feasible until its mission is known.
SizingPoint evaluateSizingMargins(const ProjectData& project, const SizingSettings& settings, float ws,
                                  float tw);

/// The side panel at (ws, tw) read from a calculated chart: margins from the constraint values
/// interpolated linearly between grid points, fuel fraction and W_TO from the nearest grid cell. Fast
/// enough for every mouse move.
SizingPoint readSizingChart(const SizingChart& chart, float ws, float tw);

} // namespace vededa
