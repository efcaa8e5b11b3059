#include "sizing/sizing_mission.h"

#include "engine/analysis_binding.h"
#include "engine/cycle_deck_model.h"
#include "mission/leg_set.h"
#include "mission/mission_calculation.h"

#include <cmath>
#include <string_view>

namespace vededa {

namespace {

/// Texts of the mission report that mean a leg was not flown as asked.
constexpr std::string_view kFailureMarks[] = {"Engine Too Small", "**** Leg not computed", "not converged"};

/// The first report line of `page` that carries a failure mark, trimmed; "" when there is none.
std::string failureLine(const std::string& page) {
    for (std::string_view mark : kFailureMarks) {
        const std::size_t at = page.find(mark);
        if (at == std::string::npos) continue;
        std::size_t begin = page.rfind('\n', at);
        begin = begin == std::string::npos ? 0 : begin + 1;
        std::size_t end = page.find('\r', at);
        if (end == std::string::npos) end = page.find('\n', at);
        std::string line = page.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
        const std::size_t first = line.find_first_not_of(' ');
        return first == std::string::npos ? line : line.substr(first);
    }
    return {};
}

} // namespace

float missionFuelFraction(const ProjectData& project) {
    double burnt = 0;
    for (int i = 1; i <= project.missionResults.lastLeg; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        if (legTypeIndex(project.legs[k].type) == 12) continue; // payload release, not fuel
        burnt += static_cast<double>(project.betaStart[k]) - project.betaStart[k + 1];
    }
    return static_cast<float>(burnt);
}

MissionAtPoint flyMissionAt(ProjectData& work, const AnalysisModels* models, float ws, float tw, float wto) {
    MissionAtPoint m;
    work.wingLoading = ws;
    work.thrustLoading = tw;
    work.takeoffWeight() = wto;
    deriveAircraftValues(work);
    work.missionResults = MissionResults{};
    AnalysisModels own;
    if (!models || work.thrustModel == kEngineCycleDeck) {
        own = bindAnalysisModels(work);
        models = &own;
    }
    const std::string deckFailure = work.labels.limitNames[12];
    for (int i = 1; i <= work.legCount; ++i) {
        const std::string page = computeMissionLeg(work, *models, i);
        if (!m.failure.empty()) continue;
        std::string line = failureLine(page);
        if (line.empty() && work.thrustModel == kEngineCycleDeck &&
            work.missionResults.limit[static_cast<std::size_t>(i)] == deckFailure)
            line = "engine deck found no solution";
        if (!line.empty()) m.failure = "Leg " + std::to_string(i) + ": " + line;
    }
    m.fuelFraction = missionFuelFraction(work);
    m.flown = m.failure.empty() && std::isfinite(m.fuelFraction);
    if (!std::isfinite(m.fuelFraction)) {
        m.fuelFraction = 0;
        if (m.failure.empty()) m.failure = "fuel fraction is not a number";
    }
    return m;
}

} // namespace vededa
