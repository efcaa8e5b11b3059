#pragma once

#include "app/project_data.h"
#include "output/canvas.h"
#include "output/plot_frame.h"

#include <string>
#include <vector>

namespace vededa {

/// Palette colours of the contour plot.
inline constexpr int kContourLineColor = 0;   ///< contour lines and tick marks: black
inline constexpr int kEnergyColor = 1;        ///< energy-height lines, best path and frame: blue
inline constexpr int kMaxQColor = 2;          ///< maximum dynamic pressure line: green
inline constexpr int kTheta0Color = 3;        ///< lines of constant theta0: cyan
inline constexpr int kMachColor = 4;          ///< lines of constant Mach number: red
inline constexpr int kStallColor = 6;         ///< stall line: yellow
inline constexpr int kContourLabelLight = 15; ///< contour values written on dark colour bands: white

/// The contour levels of the plot, or the message that refuses them.
struct ContourLevels {
    std::vector<float> levels;
    std::string message; ///< non-empty when the levels are refused
};

/// N = |Int((max - min)/increment) + 1| evenly spaced levels from `min` to min + (N - 1) increment; more
/// than 51 levels are refused with "You require N contours.  The maximum number is 51.".
ContourLevels contourLevels(float min, float max, float increment);

/// The refusal of a velocity or altitude range with more than 100 increments, or "" when both are
/// accepted.
std::string contourIncrementMessage(const ContourSettings& contour);

/// Maps overlay points (velocity, altitude in ft or m) onto the plot frame, clamped to the frame and
/// truncated to whole picture units, and joins each point to the previous one.
class OverlayPolyline {
  public:
    OverlayPolyline(Canvas& canvas, const PlotFrame& frame, const ContourSettings& contour)
        : canvas_(canvas), frame_(frame), contour_(contour) {}
    void add(float velocity, float altitude);
    void restart() { started_ = false; }

  private:
    Canvas& canvas_;
    const PlotFrame& frame_;
    const ContourSettings& contour_;
    bool started_ = false;
    float lastX_ = 0, lastY_ = 0;
};

/// Lines of constant whole Mach number 1 .. m, m the highest (at most 5) whose speed at the top
/// altitude is inside the velocity range.
void drawMachLines(Canvas& canvas, const PlotFrame& frame, const ProjectData& project);

/// Lines of constant theta0 = theta (1 + 0.2 M^2) in steps of 0.05 within 0.8 .. 1.2.
void drawTheta0Lines(Canvas& canvas, const PlotFrame& frame, const ProjectData& project);

/// The stall line V = sqrt(2 n beta (W/S) / (rho CLmax)) and the maximum dynamic pressure line
/// V = sqrt(2 Qmax / rho), one point per grid altitude row.
void drawStallLine(Canvas& canvas, const PlotFrame& frame, const ProjectData& project);
void drawMaxDynamicPressureLine(Canvas& canvas, const PlotFrame& frame, const ProjectData& project);

/// Inward tick marks on the four edges (velocity ticks 100 units long, altitude ticks 80), then the frame
/// in blue.
void drawContourTicks(Canvas& canvas, const PlotFrame& frame, const ProjectData& project);

} // namespace vededa

namespace vededa {

/// Contour quantity codes.
inline constexpr int16_t kContourPs = 1, kContourFs = 2, kContourRangeFactor = 3, kContourEnduranceFactor = 4,
                         kContourLiftDrag = 5, kContourDragThrust = 6, kContourAlpha = 7;

/// The plot title: the quantity with the minimum, maximum and increment of the contour levels and its
/// unit ("Ps  (min = 0, max = 600, incr = 50 ft/sec)"); the printer page uses short names for the
/// range and endurance factors and the drag-to-thrust ratio.
std::string contourTitle(const ProjectData& project, float min, float max, float increment, bool printerPage);

/// The text of an axis value of the contour plot: whole numbers as they are, others with one decimal more
/// than the spacing `step` of the values needs (at most four), so converted ranges read "4.1", not
/// "4.064024".
std::string contourTickText(float value, float step);

/// Title, side labels (aircraft and engine data, model numbers), axis titles and tick values of a contour
/// plot; the printer page also gets the file name and the date. Returns the picture y below the last
/// side label.
float drawContourLabels(Canvas& canvas, const PlotFrame& frame, const ProjectData& project, float min,
                        float max, float increment, bool printerPage);

/// The legend of the overlay lines right of the frame from `top` down: a short line in each overlay's
/// colour with its name (Mach lines, theta0 lines when drawn, stall, maximum dynamic pressure, and with
/// `energy` the energy-height lines and the best-climb path). Returns the picture y below it.
float drawContourLegend(Canvas& canvas, const PlotFrame& frame, const ProjectData& project, float top,
                        bool energy);

} // namespace vededa
