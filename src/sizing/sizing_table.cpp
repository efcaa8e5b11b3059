#include "sizing/sizing_table.h"

namespace vededa {

DataTable sizingGridTable(const ProjectData& project, const SizingChart& c) {
    const std::string wsUnit = project.unitSystem == kSI ? "Pa" : "psf";
    const std::string weightUnit = project.unitSystem == kSI ? "N" : "lbf";
    DataTable t;
    t.columns = {{"ws", wsUnit},        {"tw", ""},       {"flown", ""},
                 {"fuel_fraction", ""}, {"feasible", ""}, {"wto", weightUnit}};
    for (const SizingConstraint& s : c.constraints)
        t.columns.push_back({"margin_" + std::to_string(s.number), s.landing ? wsUnit : ""});
    const DataValue none = std::string();
    for (std::size_t j = 0; j < c.grid.tw.size(); ++j)
        for (std::size_t i = 0; i < c.grid.ws.size(); ++i) {
            const SizingCell& x = c.cell(i, j);
            const float ws = c.grid.ws[i], tw = c.grid.tw[j];
            const bool weighed = x.flown && (!c.settings.closure || x.closed);
            std::vector<DataValue> row = {
                static_cast<double>(ws), static_cast<double>(tw),
                x.flown ? 1.0 : 0.0,     x.flown ? DataValue(static_cast<double>(x.fuelFraction)) : none,
                x.feasible ? 1.0 : 0.0,  weighed ? DataValue(static_cast<double>(x.wto)) : none};
            for (const SizingConstraint& s : c.constraints) {
                const std::optional<float>& v = s.values[s.landing ? j : i];
                row.push_back(v ? DataValue(static_cast<double>(s.landing ? *v - ws : tw - *v)) : none);
            }
            t.rows.push_back(std::move(row));
        }
    return t;
}

} // namespace vededa
