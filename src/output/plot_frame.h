#pragma once

namespace vededa {

/// The frame of the plot currently shown: its edges in picture units and the data values at the edges.
struct PlotFrame {
    float left = 0, right = 0;  ///< picture x of the left and right edges
    float top = 0, bottom = 0;  ///< picture y of the top and bottom edges (y grows downward)
    float xMin = 0, xMax = 1;   ///< data value at the left and right edges
    float yMin = 0, yMax = 1;   ///< data value at the bottom and top edges
};

/// Margins of the plot area in the Plot window's picture: 500 on the left and at the top and bottom,
/// 1100 on the right (room for the side labels).
inline constexpr float kPlotLeftMargin = 500;
inline constexpr float kPlotTopMargin = 500;
inline constexpr float kPlotRightMargin = 1100;
inline constexpr float kPlotBottomMargin = 500;

/// The plot area of a picture `width` x `height` picture units, with data limits still to be set.
inline PlotFrame plotAreaOf(float width, float height) {
    PlotFrame f;
    f.left = kPlotLeftMargin;
    f.top = kPlotTopMargin;
    f.right = width - kPlotRightMargin;
    f.bottom = height - kPlotBottomMargin;
    return f;
}

/// Data coordinates of a picture point, each clamped to the frame's data range, so that a click
/// outside the frame reports the nearest edge value.
struct PlotPoint {
    float x, y;
};
PlotPoint PlotCoordinatesAt(const PlotFrame& frame, float px, float py);

} // namespace vededa
