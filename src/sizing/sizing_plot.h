#pragma once

#include "app/project_data.h"
#include "output/canvas.h"
#include "sizing/sizing_chart.h"

#include <string>
#include <vector>

namespace vededa {

/// Picture of the sizing chart, in picture units (the constraint diagram's twips).
inline constexpr float kSizingPictureWidth = 11000;
inline constexpr float kSizingPictureHeight = 8000;

/// Where the chart's frame sits on its picture.
struct SizingChartLayout {
    float left = 1400, right = 8400, top = 700, bottom = 6900;
};

/// The mapping between the chart's data (W/S, T/W) and picture units.
struct SizingChartMap {
    SizingChartLayout layout;
    float wsMin = 0, wsMax = 1, twMin = 0, twMax = 1;
    float x(float ws) const;
    float y(float tw) const;
    float ws(float x) const;
    float tw(float y) const;
    bool inside(float x, float y) const;
};

/// The mapping of `chart`'s grid range onto `layout`.
SizingChartMap sizingChartMap(const SizingChart& chart, const SizingChartLayout& layout = {});

/// Contour levels of the chart's field (fuel fraction, or W_TO with closure): round steps of 1, 2 or 5
/// times a power of ten, about ten of them, inside the field's range over the flown points.
std::vector<float> sizingContourLevels(const SizingChart& chart);

/// Draws the sizing chart on `canvas`: the infeasible region shaded, with `filled` the bands between
/// contour levels coloured over the feasible region, the labelled contour lines of the fuel fraction
/// (W_TO with closure), each constraint's boundary numbered as in the constraint diagram, the optimum
/// marked, the frame with axis values and titles, and the captions.
void drawSizingChart(Canvas& canvas, const ProjectData& project, const SizingChart& chart, bool filled,
                     const SizingChartLayout& layout = {});

} // namespace vededa
