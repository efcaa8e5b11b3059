#include "constraint/constraint_data.h"

namespace vededa {

DataTable constraintCurvesTable(const ProjectData& p, int16_t count) {
    DataTable t;
    t.columns = {{"constraint", ""},
                 {"type", ""},
                 {"name", ""},
                 {"wing_loading", p.unitSystem == kSI ? "Pa" : "psf"},
                 {"thrust_loading", ""}};
    for (int16_t n = 1; n <= count && n <= kMaxConstraints; ++n) {
        const auto slot = static_cast<std::size_t>(n);
        const ConstraintPoints& pts = p.constraintPoints[slot];
        for (int j = 1; j <= pts.count; ++j) {
            const auto i = static_cast<std::size_t>(j);
            t.rows.push_back({static_cast<double>(n), p.constraints[slot].type, p.constraints[slot].name,
                              static_cast<double>(pts.wingLoading[i]),
                              static_cast<double>(pts.thrustLoading[i])});
        }
    }
    return t;
}

} // namespace vededa
