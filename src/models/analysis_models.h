#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vededa {

struct InstalledEngine;

/// Drag polar coefficients at one Mach number: CD = K1 CL^2 + K2 CL + CD0 (+ CDR, added by the caller).
struct PolarCoefficients {
    float k1 = 0, k2 = 0, cd0 = 0;
};

/// The flight-condition models the analyses need (mission legs, contour points), bound to the project's
/// current model selections. The algebraic engine models give the installed thrust lapse alpha (never below
/// 0.001) and the TSFC coefficient C in the project's units (1/hr, or mg/(N s) in SI); `userLapse` is the
/// leg's own thrust lapse for the "User Input Values" thrust model.
/// Full-throttle or throttled engine figures of the cycle deck at one flight condition.
struct DeckRating {
    float alpha = 0.001f;         ///< installed thrust over the aircraft's sea-level static thrust
    float c = 0.5f;               ///< installed TSFC coefficient, TSFC = C sqrt(theta)
    bool failed = false;          ///< the deck found no solution: alpha and c are the stated substitutes
    std::string failure;          ///< the deck's failure lines (five blanks, text, CRLF each)
    int16_t afterburnerState = 0; ///< the deck's afterburner state (1: put out or throttled)
};

struct AnalysisModels {
    std::function<PolarCoefficients(float mach)> polar;
    std::function<float(float mach, float theta, float delta, int16_t afterburner, float userLapse)>
        thrustLapse;
    std::function<float(float mach, int16_t afterburner)> tsfcCoefficient;
    /// Cycle deck (thrust model 7) only: full throttle at (mach, altitude, theta, delta), and the engine
    /// throttled to the installed thrust `drag` (full throttle when `fullThrottle`).
    std::function<DeckRating(float mach, float altitude, float theta, float delta, int16_t afterburner)>
        deckFull;
    std::function<DeckRating(float mach, float altitude, float theta, float delta, int16_t afterburner,
                             float drag, bool fullThrottle)>
        deckMatched;
    /// Cycle deck only: the installed engine the deck figures are bound to (sized to the aircraft), for
    /// callers that run the deck themselves (the mission legs).
    std::shared_ptr<const InstalledEngine> installedEngine;
};

} // namespace vededa
