#pragma once

#include "contour/contour_grid.h"
#include "output/canvas.h"

namespace vededa {

/// Lines of constant energy height and the path that maximises the plotted quantity along them (Ps and
/// fs plots): every level is scanned along the velocity columns with the grid interpolated in altitude;
/// at one g the best point of each level is refined by a golden-section search on the point calculation.
/// The best points are joined level to level from the lower left corner of the field, in a line three
/// times `lineWidth` wide.
void drawEnergyHeightLines(Canvas& canvas, const PlotFrame& frame, const ProjectData& project,
                           const AnalysisModels& models, const ContourCalculation& calculation,
                           float lineWidth = 1);

/// Size of the inline contour labels relative to the plot's text.
inline constexpr float kContourLabelScale = 0.85f;

/// The quantity of the project's contour plot with its unit, as the colour bar names it ("Ps (ft/s)").
std::string contourQuantityCaption(const ProjectData& project);

/// The whole contour plot: with `filled`, colour bands between the levels first; then the contour lines
/// of the grid at the project's levels in black with their values written inline, the overlays, the
/// energy-height lines for Ps and fs, tick marks, frame, labels, the legend of the overlay lines and,
/// with `filled`, the colour bar. Cells touching a point where the engine deck found no solution are
/// left as gaps, and the number of such points is written in a corner of the frame. Returns the refusal of
/// the levels, or "" when drawn.
std::string drawContourPlot(Canvas& canvas, const PlotFrame& frame, const ProjectData& project,
                            const AnalysisModels& models, const ContourCalculation& calculation,
                            bool printerPage, bool filled = false);

} // namespace vededa
