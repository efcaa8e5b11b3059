#include "mission/leg_list.h"

#include "output/report.h"

namespace vededa {

std::string legListHeader() {
    return "Leg      Type      Name";
}

std::string legListLine(int n, const MissionLeg& leg) {
    return std::to_string(n) + Space(n < 10 ? 8 : 7) + leg.type + Space(9) + leg.name;
}

} // namespace vededa
