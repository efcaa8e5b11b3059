#include "engine/cycle_deck_model.h"

#include "engine/installation_loss.h"

#include <cfenv>
#include <cmath>

namespace vededa {

DeckRun runDeckAt(ProjectData& p, float M0, float altitude, float T0, float P0, float tt4, float tt7,
                  int16_t mode, float thrustPerEngine, std::string& report) {
    EngineData& e = p.engine;
    auto& c = e.controls;
    c[1] = M0;
    c[2] = altitude;
    c[3] = T0;
    c[4] = P0;
    c[5] = tt4;
    c[6] = tt7;
    c[10] = thrustPerEngine;
    e.setup[kSetupThrottleMode] = mode;
    DeckRun run;
    run.Tt4 = tt4;
    run.Tt7 = tt7;
    float scale = e.thrustScale;
    // The deck reports its own arithmetic failures by its limit code; the caller's fault flags are kept.
    std::fexcept_t callerFlags;
    std::fegetexceptflag(&callerFlags, FE_ALL_EXCEPT);
    RunEngineDeck(e, p.units, run.cycle, report, run.F, run.S, run.m0, run.A0, run.A9, run.Tt4, run.Tt7,
                  run.afterburnerState, run.limit, scale);
    std::fesetexceptflag(&callerFlags, FE_ALL_EXCEPT);
    if (!std::isfinite(run.F) || !std::isfinite(run.S)) run.limit = kLimitNoSolution;
    return run;
}

namespace {

bool afterburningType(const ProjectData& p) {
    const int16_t type = p.engine.setup[kSetupEngineType];
    return type == 2 || type == 5;
}

int16_t engineCount(const ProjectData& p) {
    return p.engine.setup[kSetupEngineCount] > 0 ? p.engine.setup[kSetupEngineCount]
                                                 : static_cast<int16_t>(1);
}

/// The loss of the constant or correlated model before a deck run (the correlated one starts at `start`).
float startingLoss(const ProjectData& p, float start) {
    switch (p.engine.setup[kSetupLossModel]) {
    case kConstantLoss:
        return p.engine.controls[8];
    case kCorrelatedLoss:
        return start;
    default:
        return 0.0f;
    }
}

} // namespace

bool sizeEngineToAircraft(ProjectData& p, std::string& report) {
    p.engine.thrustScale = 1;
    const float tt7 = afterburningType(p) ? p.engine.tt7MaxSetting : 0.0f;
    const DeckRun run = runDeckAt(p, 0.0f, 0.0f, p.units.TSL, p.units.PSL / p.units.pressureConstant,
                                  p.engine.tt4MaxSetting, tt7, 1, 0.0f, report);
    if (run.failed() || !(run.F > 0.0f)) {
        report += "     Engine sizing failed at sea-level static conditions; thrust scale 1 is used.\r\n";
        return false;
    }
    p.engine.thrustScale = p.seaLevelThrust / (run.F * static_cast<float>(engineCount(p)));
    return true;
}

InstallationLosses correlatedLosses(const ProjectData& p, const DeckRun& run, float M0, float T0,
                                    std::string& report) {
    InstallationLosses losses;
    if (!(run.m0 > 0.0f)) return losses;
    const auto& c = p.engine.controls;
    const float a0 = static_cast<float>(static_cast<double>(p.units.aSL) *
                                        std::sqrt(static_cast<double>(T0) / p.units.TSL));
    const float specificThrust = run.F / run.m0;
    float A1 = c[16]; // the stored geometry is not changed
    const LossResult inlet = InletLoss(specificThrust, M0, a0, run.A0, A1, p.engine.setup[kSetupLossModel],
                                       p.units.gc, p.unitSystem, report);
    const LossResult nozzle = NozzleLoss(specificThrust, M0, a0, run.A0, run.A9, c[17], c[18], p.units.gc);
    if (!inlet.failure.empty()) report += "     " + inlet.failure + "\r\n";
    if (!nozzle.failure.empty()) report += "     " + nozzle.failure + "\r\n";
    losses.inlet = inlet.valid ? inlet.phi : 0.0f;
    losses.nozzle = nozzle.valid ? nozzle.phi : 0.0f;
    losses.afterbodyParameter = nozzle.afterbodyParameter;
    losses.afterbodyDrag = nozzle.dragCoefficient;
    return losses;
}

DeckRun cycleDeckLapse(EngineModelValues& values, const FlightCondition& fc, ProjectData& p,
                       int16_t afterburner, std::string& report) {
    if (p.engine.engine.reference[54] > 0.0f) p.throttleRatio = p.engine.engine.reference[54];
    float phi = startingLoss(p, 0.0f);
    const float T0 = p.units.TSL * fc.theta;
    const float P0 = p.units.PSL * fc.delta / p.units.pressureConstant;
    const float tt7 = afterburner == 1 ? p.engine.tt7MaxSetting : 0.0f;
    const DeckRun run =
        runDeckAt(p, fc.mach, fc.altitude, T0, P0, p.engine.tt4MaxSetting, tt7, 1, 0.0f, report);
    if (run.failed()) {
        values.alpha = kMinimumLapse;
        values.c = 0.5f;
        return run;
    }
    if (p.engine.setup[kSetupLossModel] == kCorrelatedLoss)
        phi = correlatedLosses(p, run, fc.mach, T0, report).total();
    values.alpha = (1.0f - phi) * run.F * static_cast<float>(engineCount(p)) / p.seaLevelThrust;
    if (!(values.alpha > kMinimumLapse)) values.alpha = kMinimumLapse;
    values.c = run.S / (1.0f - phi) / std::sqrt(fc.theta);
    return run;
}

DeckRun cycleDeckTsfc(EngineModelValues& values, const FlightCondition& fc, ProjectData& p,
                      int16_t afterburner, float dragRequired, bool fullThrottle, bool matchedLapse,
                      std::string& report) {
    const bool correlated = p.engine.setup[kSetupLossModel] == kCorrelatedLoss;
    float phi = startingLoss(p, 0.1f);
    const float T0 = p.units.TSL * fc.theta;
    const float P0 = p.units.PSL * fc.delta / p.units.pressureConstant;
    const float tt7 = afterburner == 1 ? p.engine.tt7MaxSetting : 0.0f;
    const int16_t mode = fullThrottle ? 1 : 2;
    const float n = static_cast<float>(engineCount(p));
    DeckRun run;
    for (int pass = 0; pass < kLossIterationPasses; ++pass) {
        run = runDeckAt(p, fc.mach, fc.altitude, T0, P0, p.engine.tt4MaxSetting, tt7, mode,
                        dragRequired / (1.0f - phi) / n, report);
        if (run.failed()) {
            values.alpha = kMinimumLapse;
            values.c = 0.5f;
            return run;
        }
        if (!correlated) break;
        float phiNew = correlatedLosses(p, run, fc.mach, T0, report).total();
        if (phiNew > 0.9f || phiNew < -0.05f) phiNew = 0.9f;
        const float change = std::fabs(phi - phiNew);
        phi = phi + 0.5f * (phiNew - phi);
        if (change <= 0.0005f) break;
    }
    values.c = run.S / (1.0f - phi) / std::sqrt(fc.theta);
    if (matchedLapse) {
        values.alpha = (1.0f - phi) * run.F * n / p.seaLevelThrust;
        if (!(values.alpha > kMinimumLapse)) values.alpha = kMinimumLapse;
    }
    return run;
}

} // namespace vededa
