#include "contour/contour_data.h"

#include "contour/contour_overlays.h"

#include <cmath>
#include <limits>

namespace vededa {

DataTable contourGridTable(const ProjectData& p, const ContourCalculation& calc) {
    const bool si = p.unitSystem == kSI;
    const ContourSettings& c = p.contour;
    DataColumn quantity;
    switch (c.quantity) {
    case kContourPs:
        quantity = {"ps", si ? "m/s" : "ft/s"};
        break;
    case kContourFs:
        quantity = {"fs", si ? "km" : "kft"};
        break;
    case kContourRangeFactor:
        quantity = {"rf", si ? "km" : "nm"};
        break;
    case kContourEnduranceFactor:
        quantity = {"ef", "hr"};
        break;
    case kContourLiftDrag:
        quantity = {"ld", ""};
        break;
    case kContourDragThrust:
        quantity = {"dt", ""};
        break;
    default:
        quantity = {"alpha", ""};
        break;
    }
    DataTable t;
    t.columns = {{"velocity", si ? "m/s" : "ft/s"}, {"altitude", si ? "km" : "kft"}, quantity};
    // The grid holds one column beyond the velocity maximum for the energy-height lines; the table
    // stops at the maximum, as the plot does.
    const std::size_t columns =
        calc.velocityIncrements >= 0 ? static_cast<std::size_t>(calc.velocityIncrements) + 1 : 0;
    // The grid's points lie on whole multiples of the increments, from the nearest ones to the minima.
    const double j0 = std::floor(c.velocity[1] / c.velocity[3] + 0.5f);
    const double i0 = std::floor(c.altitude[1] / c.altitude[3] + 0.5f);
    for (std::size_t i = 0; i < calc.grid.values.size(); ++i) {
        const double altitude =
            static_cast<double>(c.altitude[3]) * static_cast<float>(i0 + static_cast<double>(i));
        const auto& row = calc.grid.values[i];
        for (std::size_t j = 0; j < row.size() && j < columns; ++j) {
            const double velocity =
                static_cast<double>(static_cast<float>(j0 + static_cast<double>(j)) * c.velocity[3]);
            // A cell without engine solution has no value: an empty field (null in JSON).
            const bool failed = i < calc.failed.size() && j < calc.failed[i].size() && calc.failed[i][j];
            t.rows.push_back(
                {velocity, altitude,
                 failed ? std::numeric_limits<double>::quiet_NaN() : static_cast<double>(row[j])});
        }
    }
    return t;
}

} // namespace vededa
