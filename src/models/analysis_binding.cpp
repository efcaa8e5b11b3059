#include "models/analysis_binding.h"

#include "models/drag_polar.h"
#include "models/thrust_lapse.h"
#include "models/tsfc.h"

#include <algorithm>
#include <memory>

namespace vededa {

AnalysisModels bindAnalysisModels(const ProjectData& project) {
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
    return m;
}

} // namespace vededa
