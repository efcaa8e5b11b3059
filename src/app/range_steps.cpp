#include "app/range_steps.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vededa {

double rangeIncrementCount(float min, float max, float increment) {
    const double lo = min, hi = max, step = increment;
    if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(step) || step == 0.0)
        return std::numeric_limits<double>::quiet_NaN();
    const double slack = kRangeEndTolerance * std::max(std::fabs(hi), std::fabs(step)) / std::fabs(step);
    return std::floor((hi - lo) / step + slack);
}

float rangePoint(float min, float increment, int i) {
    return static_cast<float>(static_cast<double>(min) + static_cast<double>(i) * increment);
}

} // namespace vededa
