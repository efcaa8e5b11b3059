// The installed engine of the cycle-deck model: sizing, installation losses, thrust lapse and TSFC.
#include "engine/cycle_deck_model.h"

#include "engine/installation_loss.h"

#include <cmath>

namespace vededa {

namespace {

bool afterburningType(const EngineData& e) {
    const int16_t type = e.setup[kSetupEngineType];
    return type == 2 || type == 5;
}

/// T0 [R or K] and P0 [psia or Pa] of a flight condition's temperature and pressure ratios.
float ambientTemperature(const InstalledEngine& e, const FlightCondition& fc) {
    return e.units.TSL * fc.theta;
}
float ambientPressure(const InstalledEngine& e, const FlightCondition& fc) {
    return e.units.PSL * fc.delta / e.units.pressureConstant;
}

} // namespace

InstalledEngine InstalledEngine::of(const ProjectData& p) {
    InstalledEngine e;
    e.engine = p.engine;
    e.units = p.units;
    e.unitSystem = p.unitSystem;
    e.engineCount =
        p.engine.setup[kSetupEngineCount] > 0 ? p.engine.setup[kSetupEngineCount] : static_cast<int16_t>(1);
    e.lossModel = p.engine.setup[kSetupLossModel];
    e.seaLevelThrust = p.seaLevelThrust;
    e.thrustScale = p.engine.thrustScale;
    return e;
}

DeckConditions InstalledEngine::conditions(float mach, float altitude, float T0, float P0, float tt4,
                                           float tt7) const {
    DeckConditions c = DeckConditions::fromControls(engine, units, thrustScale);
    c.mach = mach;
    c.altitude = altitude;
    c.T0 = T0;
    c.P0 = P0;
    c.tt4 = tt4;
    c.tt7 = tt7;
    c.throttleMode = 1;
    c.requiredThrust = 0;
    return c;
}

float InstalledEngine::constantLoss() const {
    return lossModel == kConstantLoss ? engine.controls[8] : 0.0f;
}

EngineSizing sizeEngine(const InstalledEngine& e) {
    EngineSizing s;
    InstalledEngine unit = e;
    unit.thrustScale = 1;
    const float tt7 = afterburningType(e.engine) ? e.engine.tt7MaxSetting : 0.0f;
    s.deck = runEngineDeck(e.engine,
                           unit.conditions(0.0f, 0.0f, e.units.TSL, e.units.PSL / e.units.pressureConstant,
                                           e.engine.tt4MaxSetting, tt7));
    if (s.deck.failed() || !(s.deck.F > 0.0f)) {
        s.messages = s.deck.failureText() +
                     "     Engine sizing failed at sea-level static conditions; thrust scale 1 is used.\r\n";
        return s;
    }
    s.ok = true;
    s.thrustScale = e.seaLevelThrust / (s.deck.F * static_cast<float>(e.engineCount));
    return s;
}

InstallationLosses correlatedLosses(const InstalledEngine& e, const DeckResult& run, float M0, float T0,
                                    std::string& report) {
    InstallationLosses losses;
    if (!(run.m0 > 0.0f)) return losses;
    const auto& c = e.engine.controls;
    const float a0 = static_cast<float>(static_cast<double>(e.units.aSL) *
                                        std::sqrt(static_cast<double>(T0) / e.units.TSL));
    const float specificThrust = run.F / run.m0;
    float A1 = c[16]; // the stored geometry is not changed
    const LossResult inlet =
        InletLoss(specificThrust, M0, a0, run.A0, A1, e.lossModel, e.units.gc, e.unitSystem, report);
    const LossResult nozzle = NozzleLoss(specificThrust, M0, a0, run.A0, run.A9, c[17], c[18], e.units.gc);
    if (!inlet.failure.empty()) report += "     " + inlet.failure + "\r\n";
    if (!nozzle.failure.empty()) report += "     " + nozzle.failure + "\r\n";
    losses.inlet = inlet.valid ? inlet.phi : 0.0f;
    losses.nozzle = nozzle.valid ? nozzle.phi : 0.0f;
    losses.afterbodyParameter = nozzle.afterbodyParameter;
    losses.afterbodyDrag = nozzle.dragCoefficient;
    return losses;
}

InstallationLosses correlatedLosses(const ProjectData& p, const DeckResult& run, float M0, float T0,
                                    std::string& report) {
    return correlatedLosses(InstalledEngine::of(p), run, M0, T0, report);
}

InstalledRun installedFullThrottle(const InstalledEngine& e, const DeckConditions& conditions, float phi) {
    InstalledRun r;
    DeckConditions c = conditions;
    c.throttleMode = 1;
    r.deck = runEngineDeck(e.engine, c);
    r.phi = phi;
    r.messages = r.deck.failureText();
    if (r.deck.failed()) return r;
    if (e.lossModel == kCorrelatedLoss) {
        r.losses = correlatedLosses(e, r.deck, c.mach, c.T0, r.messages);
        r.phi = r.losses.total();
    }
    return r;
}

InstalledRun installedMatched(const InstalledEngine& e, const DeckConditions& conditions, float required,
                              float phi, bool fullThrottle,
                              const std::function<std::string(float perEngine, float phi)>& onPass) {
    InstalledRun r;
    const bool correlated = e.lossModel == kCorrelatedLoss;
    DeckConditions c = conditions;
    c.throttleMode = fullThrottle ? 1 : 2;
    const float n = static_cast<float>(e.engineCount);
    r.lossConverged = !correlated;
    for (int pass = 0; pass < kLossIterationPasses; ++pass) {
        r.lossPasses = pass + 1;
        r.perEngineRequired = required / (1.0f - phi) / n;
        if (onPass) {
            const std::string line = onPass(r.perEngineRequired, phi);
            if (!line.empty()) r.messages += line + "\r\n";
        }
        c.requiredThrust = r.perEngineRequired;
        r.deck = runEngineDeck(e.engine, c);
        r.messages += r.deck.failureText();
        if (!correlated || r.deck.failed()) break;
        r.losses = correlatedLosses(e, r.deck, c.mach, c.T0, r.messages);
        float phiNew = r.losses.total();
        if (!(phiNew >= -0.05f && phiNew <= 0.9f)) phiNew = 0.9f;
        const float change = std::fabs(phi - phiNew);
        phi = phi + 0.5f * (phiNew - phi);
        if (change <= 0.0005f) {
            r.lossConverged = true;
            break;
        }
    }
    r.phi = phi;
    return r;
}

namespace {

/// The deck conditions at a flight condition with Tt4 and, with the afterburner on, Tt7 at their settings.
DeckConditions settingsAt(const InstalledEngine& e, const FlightCondition& fc, int16_t afterburner) {
    const float tt7 = afterburner == 1 ? e.engine.tt7MaxSetting : 0.0f;
    return e.conditions(fc.mach, fc.altitude, ambientTemperature(e, fc), ambientPressure(e, fc),
                        e.engine.tt4MaxSetting, tt7);
}

/// The engine run at its full throttle at a flight condition, with the constant installation loss.
InstalledRun fullThrottleAt(const InstalledEngine& e, const FlightCondition& fc, int16_t afterburner) {
    return installedFullThrottle(e, settingsAt(e, fc, afterburner), e.constantLoss());
}

/// The engine matched to the drag at a flight condition (or at full throttle when `fullThrottle`);
/// the installation-loss iteration starts from 0.1 with the correlated loss model.
InstalledRun matchedAt(const InstalledEngine& e, const FlightCondition& fc, int16_t afterburner,
                       float dragRequired, bool fullThrottle) {
    const float phi = e.lossModel == kCorrelatedLoss ? 0.1f : e.constantLoss();
    return installedMatched(e, settingsAt(e, fc, afterburner), dragRequired, phi, fullThrottle);
}

/// Installed thrust lapse alpha of a run, never below the smallest lapse the analyses divide by.
float lapseOf(const InstalledRun& run, const InstalledEngine& e) {
    const float alpha = run.installedThrust(e.engineCount) / e.seaLevelThrust;
    return alpha > kMinimumLapse ? alpha : kMinimumLapse;
}

/// Installed TSFC parameter C of a run: S / (1 - phi) / sqrt(theta).
float tsfcOf(const InstalledRun& run, const FlightCondition& fc) {
    return run.deck.S / (1.0f - run.phi) / std::sqrt(fc.theta);
}

/// Lapse and TSFC of a run, or its failure.
DeckRating ratingOf(const InstalledRun& run, const InstalledEngine& e, const FlightCondition& fc) {
    DeckRating rating;
    rating.afterburnerState = run.deck.afterburnerState;
    if (run.failed()) {
        rating.failed = true;
        rating.failure = run.messages;
        return rating;
    }
    rating.alpha = lapseOf(run, e);
    rating.c = tsfcOf(run, fc);
    return rating;
}

} // namespace

DeckRating installedLapse(const InstalledEngine& e, const FlightCondition& fc, int16_t afterburner) {
    return ratingOf(fullThrottleAt(e, fc, afterburner), e, fc);
}

DeckRating installedTsfc(const InstalledEngine& e, const FlightCondition& fc, int16_t afterburner,
                         float dragRequired, bool fullThrottle) {
    return ratingOf(matchedAt(e, fc, afterburner, dragRequired, fullThrottle), e, fc);
}

DeckRun runDeckAt(const ProjectData& p, float M0, float altitude, float T0, float P0, float tt4, float tt7,
                  int16_t mode, float thrustPerEngine, std::string& report) {
    DeckConditions c = DeckConditions::fromControls(p.engine, p.units, p.engine.thrustScale);
    c.mach = M0;
    c.altitude = altitude;
    c.T0 = T0;
    c.P0 = P0;
    c.tt4 = tt4;
    c.tt7 = tt7;
    c.throttleMode = mode;
    c.requiredThrust = thrustPerEngine;
    DeckRun run = runEngineDeck(p.engine, c);
    report += run.failureText();
    return run;
}

bool sizeEngineToAircraft(ProjectData& p, std::string& report) {
    const EngineSizing s = sizeEngine(InstalledEngine::of(p));
    p.engine.thrustScale = s.thrustScale;
    report += s.messages;
    return s.ok;
}

DeckRun cycleDeckLapse(EngineModelValues& values, const FlightCondition& fc, ProjectData& p,
                       int16_t afterburner, std::string& report) {
    if (p.engine.engine.reference[54] > 0.0f) p.throttleRatio = p.engine.engine.reference[54];
    const InstalledEngine e = InstalledEngine::of(p);
    const InstalledRun run = fullThrottleAt(e, fc, afterburner);
    report += run.messages;
    if (run.failed()) {
        values.alpha = kMinimumLapse;
        values.c = 0.5f;
        return run.deck;
    }
    values.alpha = lapseOf(run, e);
    values.c = tsfcOf(run, fc);
    return run.deck;
}

DeckRun cycleDeckTsfc(EngineModelValues& values, const FlightCondition& fc, ProjectData& p,
                      int16_t afterburner, float dragRequired, bool fullThrottle, bool matchedLapse,
                      std::string& report) {
    const InstalledEngine e = InstalledEngine::of(p);
    const InstalledRun run = matchedAt(e, fc, afterburner, dragRequired, fullThrottle);
    report += run.messages;
    if (run.failed()) {
        values.alpha = kMinimumLapse;
        values.c = 0.5f;
        return run.deck;
    }
    values.c = tsfcOf(run, fc);
    if (matchedLapse) {
        values.alpha = lapseOf(run, e);
    }
    return run.deck;
}

} // namespace vededa
