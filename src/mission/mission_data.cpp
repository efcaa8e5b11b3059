#include "mission/mission_data.h"

namespace vededa {

DataTable missionLegsTable(const ProjectData& p) {
    const bool si = p.unitSystem == kSI;
    DataTable t;
    t.columns = {{"leg", ""},
                 {"type", ""},
                 {"name", ""},
                 {"beta_start", ""},
                 {"pi", ""},
                 {"time", "s"},
                 {"distance", si ? "km" : "nm"},
                 {"mach", ""},
                 {"altitude", si ? "m" : "ft"},
                 {"thrust_required", si ? "N" : "lbf"},
                 {"thrust_available", si ? "N" : "lbf"},
                 {"tsfc", si ? "mg/(N s)" : "1/hr"}};
    const MissionResults& r = p.missionResults;
    for (int16_t n = 1; n <= r.lastLeg && n <= kMaxLegs; ++n) {
        const auto i = static_cast<std::size_t>(n);
        auto d = [](float v) { return static_cast<double>(v); };
        t.rows.push_back({static_cast<double>(n), p.legs[i].type, p.legs[i].name, d(p.betaStart[i]),
                          d(r.pi[i]), d(r.time[i]), d(r.distance[i]), d(r.mach[i]), d(r.altitude[i]),
                          d(r.thrustRequired[i]), d(r.thrustAvailable[i]), d(r.tsfc[i])});
    }
    return t;
}

std::string missionLegsCsv(const ProjectData& p) {
    return toCsv(missionLegsTable(p));
}

} // namespace vededa
