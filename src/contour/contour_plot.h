#pragma once

#include "contour/contour_grid.h"
#include "output/canvas.h"

namespace vededa {

/// Lines of constant energy height and the path that maximises the plotted quantity along them (Ps and
/// fs plots): every level is scanned along the velocity columns with the grid interpolated in altitude;
/// at one g the best point of each level is refined by a golden-section search on the point calculation.
/// The best points are joined level to level from the lower left corner of the field.
void drawEnergyHeightLines(Canvas& canvas, const PlotFrame& frame, const ProjectData& project,
                           const AnalysisModels& models, const ContourCalculation& calculation);

/// The whole contour plot: contour lines of the grid at the project's levels in black, the overlays, the
/// energy-height lines for Ps and fs, tick marks, frame and labels. Returns the refusal of the levels, or
/// "" when drawn.
std::string drawContourPlot(Canvas& canvas, const PlotFrame& frame, const ProjectData& project,
                            const AnalysisModels& models, const ContourCalculation& calculation,
                            bool printerPage);

} // namespace vededa
