#pragma once

#include "app/project_data.h"
#include "output/canvas.h"

#include <string>

namespace vededa {

/// Y-axis quantities of the mission plot.
enum class MissionPlotQuantity { Beta = 1, Pi, Time, Distance, CumulativeTime, CumulativeDistance };

/// The plain upper bound of an axis for the largest value v: rounded up to the next 10000, 1000, 100 or
/// 10 above those magnitudes, to the next whole number above 1 and the next tenth above 0; values not
/// above 0 are kept.
float raisedAxisMaximum(float v);

/// Draws the mission results by leg: title, axes with their end values and label, one filled bar per
/// computed leg in the colours 1..14 (repeating), and the leg numbers. With no leg computed it draws the
/// title, the frame and the words "No mission leg has been computed." instead of bars.
void drawMissionPlot(Canvas& canvas, const ProjectData& project, MissionPlotQuantity quantity);

} // namespace vededa
