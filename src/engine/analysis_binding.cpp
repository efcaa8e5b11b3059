#include "engine/analysis_binding.h"

#include "engine/cycle_deck_model.h"
#include "models/drag_polar.h"
#include "models/thrust_lapse.h"
#include "models/tsfc.h"

#include <algorithm>
#include <array>
#include <memory>

namespace vededa {

namespace {

/// The flight condition the deck is run at.
FlightCondition deckCondition(float mach, float altitude, float theta, float delta) {
    FlightCondition fc;
    fc.mach = mach;
    fc.altitude = altitude;
    fc.theta = theta;
    fc.delta = delta;
    return fc;
}

/// The project's settings with the afterburner off and on: the algebraic models read the flag from the
/// project, and two fixed copies let concurrent calls share them without writing.
using SettingsPair = std::array<ProjectData, 2>;

const ProjectData& withAfterburner(const SettingsPair& s, int16_t afterburner) {
    return s[afterburner == 1 ? 1 : 0];
}

} // namespace

AnalysisModels bindAnalysisModels(ProjectData& project) {
    if (project.thrustModel == kEngineCycleDeck) {
        std::string sizing;
        sizeEngineToAircraft(project, sizing);
    }
    auto settings = std::make_shared<SettingsPair>(SettingsPair{project, project});
    (*settings)[0].afterburner = 0;
    (*settings)[1].afterburner = 1;
    AnalysisModels m;
    m.polar = [settings](float mach) {
        DragPolar polar;
        FlightCondition fc;
        fc.mach = mach;
        evaluateDragPolar(polar, fc, (*settings)[0]);
        return PolarCoefficients{polar.k1, polar.k2, polar.cd0};
    };
    m.thrustLapse = [settings](float mach, float theta, float delta, int16_t afterburner, float userLapse) {
        const ProjectData& p = withAfterburner(*settings, afterburner);
        if (p.thrustModel == kEngineUserValues) return std::max(userLapse, kMinimumLapse);
        EngineModelValues values;
        FlightCondition fc;
        fc.mach = mach;
        fc.theta = theta;
        fc.delta = delta;
        ThrustLapseModel(values, fc, p);
        return values.alpha;
    };
    m.tsfcCoefficient = [settings](float mach, int16_t afterburner) {
        EngineModelValues values;
        FlightCondition fc;
        fc.mach = mach;
        TsfcModel(values, fc, withAfterburner(*settings, afterburner));
        return values.c;
    };
    if (project.thrustModel == kEngineCycleDeck) {
        auto engine = std::make_shared<const InstalledEngine>(InstalledEngine::of(project));
        m.installedEngine = engine;
        m.deckFull = [engine](float mach, float altitude, float theta, float delta, int16_t afterburner) {
            return installedLapse(*engine, deckCondition(mach, altitude, theta, delta), afterburner);
        };
        m.deckMatched = [engine](float mach, float altitude, float theta, float delta, int16_t afterburner,
                                 float drag, bool fullThrottle) {
            return installedTsfc(*engine, deckCondition(mach, altitude, theta, delta), afterburner, drag,
                                 fullThrottle);
        };
    }
    return m;
}

} // namespace vededa
