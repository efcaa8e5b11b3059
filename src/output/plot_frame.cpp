#include "output/plot_frame.h"

#include <algorithm>

namespace vededa {

PlotPoint PlotCoordinatesAt(const PlotFrame& f, float px, float py) {
    float x = f.xMin;
    float y = f.yMin;
    if (f.right != f.left) x = (px - f.left) * (f.xMax - f.xMin) / (f.right - f.left) + f.xMin;
    if (f.top != f.bottom) y = (py - f.bottom) * (f.yMax - f.yMin) / (f.top - f.bottom) + f.yMin;
    x = std::clamp(x, std::min(f.xMin, f.xMax), std::max(f.xMin, f.xMax));
    y = std::clamp(y, std::min(f.yMin, f.yMax), std::max(f.yMin, f.yMax));
    return {x, y};
}

} // namespace vededa
