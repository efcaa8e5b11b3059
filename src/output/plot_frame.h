#pragma once

#include <cstdint>

namespace vededa {

/// The picture of the Plot window in its own units, and the plot area inside it: left and top margin
/// 500, right margin 1100, bottom margin 500.
inline constexpr float kPlotPictureWidth = 10000;
inline constexpr float kPlotPictureHeight = 7000;
inline constexpr float kPlotLeftMargin = 500;
inline constexpr float kPlotTopMargin = 500;
inline constexpr float kPlotRightMargin = 1100;
inline constexpr float kPlotBottomMargin = 500;

/// The frame of the plot currently shown: the picture coordinates of its edges and the data values at
/// those edges. Each plot sets it when it draws its axes.
struct PlotFrame {
    int16_t left = 0, right = 0, bottom = 0, top = 0; ///< picture units
    float xMin = 0, xMax = 0, yMin = 0, yMax = 0;     ///< data values at the edges
};

/// The plot area of a picture `width` x `height` picture units (margins above), data limits still to set.
inline PlotFrame plotAreaOf(float width, float height) {
    PlotFrame f;
    f.left = static_cast<int16_t>(kPlotLeftMargin);
    f.top = static_cast<int16_t>(kPlotTopMargin);
    f.right = static_cast<int16_t>(width - kPlotRightMargin);
    f.bottom = static_cast<int16_t>(height - kPlotBottomMargin);
    return f;
}

/// A data point of the plot.
struct PlotPoint {
    float x = 0, y = 0;
};

/// Converts a picture point to data coordinates by the frame's linear scales, each clamped to its
/// [min, max], so a point outside the frame gives the nearest edge value. A frame with no extent
/// (left = right or bottom = top) gives the minimum of that axis.
PlotPoint PlotCoordinatesAt(const PlotFrame& frame, float xPicture, float yPicture);

} // namespace vededa
