#include "models/analysis_binding.h"

#include "engine/cycle_deck_model.h"
#include "models/drag_polar.h"
#include "models/thrust_lapse.h"
#include "models/tsfc.h"

#include <algorithm>
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

} // namespace

AnalysisModels bindAnalysisModels(ProjectData& project) {
    if (project.thrustModel == kEngineCycleDeck) {
        std::string sizing;
        sizeEngineToAircraft(project, sizing);
    }
    // One copy of the settings the models read; the afterburner flag is set per call.
    auto settings = std::make_shared<ProjectData>(project);
    AnalysisModels m;
    m.polar = [settings](float mach) {
        DragPolar polar;
        FlightCondition fc;
        fc.mach = mach;
        evaluateDragPolar(polar, fc, *settings);
        return PolarCoefficients{polar.k1, polar.k2, polar.cd0};
    };
    m.thrustLapse = [settings](float mach, float theta, float delta, int16_t afterburner, float userLapse) {
        if (settings->thrustModel == kEngineUserValues) return std::max(userLapse, kMinimumLapse);
        EngineModelValues values;
        FlightCondition fc;
        fc.mach = mach;
        fc.theta = theta;
        fc.delta = delta;
        settings->afterburner = afterburner;
        ThrustLapseModel(values, fc, *settings);
        return values.alpha;
    };
    m.tsfcCoefficient = [settings](float mach, int16_t afterburner) {
        EngineModelValues values;
        FlightCondition fc;
        fc.mach = mach;
        settings->afterburner = afterburner;
        TsfcModel(values, fc, *settings);
        return values.c;
    };
    if (project.thrustModel == kEngineCycleDeck) {
        m.deckFull = [settings](float mach, float altitude, float theta, float delta, int16_t afterburner) {
            EngineModelValues values;
            std::string messages;
            cycleDeckLapse(values, deckCondition(mach, altitude, theta, delta), *settings, afterburner,
                           messages);
            return DeckRating{values.alpha, values.c};
        };
        m.deckMatched = [settings](float mach, float altitude, float theta, float delta, int16_t afterburner,
                                   float drag, bool fullThrottle) {
            EngineModelValues values;
            std::string messages;
            cycleDeckTsfc(values, deckCondition(mach, altitude, theta, delta), *settings, afterburner, drag,
                          fullThrottle, false, messages);
            return DeckRating{values.alpha, values.c};
        };
    }
    return m;
}

} // namespace vededa
