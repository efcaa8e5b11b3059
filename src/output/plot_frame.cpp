#include "output/plot_frame.h"

#include <algorithm>

namespace vededa {

namespace {

float scaled(float pixel, int16_t from, int16_t to, float vFrom, float vTo) {
    if (from == to) return std::min(vFrom, vTo);
    const double v =
        (static_cast<double>(pixel) - from) * (static_cast<double>(vTo) - vFrom) / (to - from) + vFrom;
    const double lo = std::min(vFrom, vTo), hi = std::max(vFrom, vTo);
    return static_cast<float>(std::clamp(v, lo, hi));
}

} // namespace

PlotPoint PlotCoordinatesAt(const PlotFrame& frame, float xPicture, float yPicture) {
    return {scaled(xPicture, frame.left, frame.right, frame.xMin, frame.xMax),
            scaled(yPicture, frame.bottom, frame.top, frame.yMin, frame.yMax)};
}

} // namespace vededa
