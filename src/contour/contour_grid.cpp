#include "contour/contour_grid.h"

#include "contour/contour_overlays.h"
#include "models/atmosphere.h"
#include "output/number_format.h"

#include <algorithm>
#include <cmath>

namespace vededa {

float ContourPoint::value(int16_t quantity) const {
    switch (quantity) {
    case kContourPs:
        return ps;
    case kContourFs:
        return fs;
    case kContourRangeFactor:
        return rangeFactor;
    case kContourEnduranceFactor:
        return enduranceFactor;
    case kContourLiftDrag:
        return liftDrag;
    case kContourDragThrust:
        return dragThrust;
    default:
        return alpha;
    }
}

ContourPoint contourPointAt(const ProjectData& p, const AnalysisModels& m, const FlightCondition& fc,
                            float velocity, const ContourPoint& previous) {
    const ContourSettings& c = p.contour;
    const UnitConstants& u = p.units;
    ContourPoint out = previous;
    float mach = velocity / fc.soundSpeed;
    if (mach < 0.002f) mach = 0.002f;
    const float q = 0.7f * u.PSL * fc.delta * mach * mach;
    const float cl = c.loadFactor * c.beta * p.wingLoading / q;
    const PolarCoefficients k = m.polar(mach);
    const float cd = k.k1 * cl * cl + k.k2 * cl + k.cd0;
    out.liftDrag = cl / cd;
    out.dragThrust = c.beta * c.loadFactor / out.liftDrag / p.thrustLoading;
    if (p.thrustModel == 7 && q > 1.3f * c.qMax) {
        // Beyond the dynamic pressure the deck is run at: the engine figures of the previous point stay.
        out.alpha = 0.001f;
        return out;
    }
    if (c.quantity == kContourLiftDrag) return out;
    const bool deck = p.thrustModel == 7 && m.deckFull;
    DeckRating full;
    if (deck) full = m.deckFull(mach, fc.altitude, fc.theta, fc.delta, c.afterburner);
    const float alpha = deck ? full.alpha : m.thrustLapse(mach, fc.theta, fc.delta, c.afterburner, 0.0f);
    out.alpha = alpha;
    out.ps = (c.thrustFraction * alpha * p.thrustLoading / c.beta - c.loadFactor * cd / cl) * velocity;
    // With the cycle deck the full-throttle run gives the fuel consumption as well.
    const float cTsfc = deck ? full.c : m.tsfcCoefficient(mach, c.afterburner);
    const float sqrtTheta = std::sqrt(fc.theta);
    const float tsfc = cTsfc * sqrtTheta;
    out.fs = out.ps / (c.thrustFraction * alpha * tsfc) * u.rateConstant / 1000.0f;
    if (c.quantity == kContourRangeFactor || c.quantity == kContourEnduranceFactor) {
        const bool si = p.unitSystem == kSI;
        float ef = 0;
        if (out.ps > 0.0f) {
            float cAgain = 0;
            if (deck && m.deckMatched) {
                // The engine throttled to the drag of this point (full throttle when it cannot supply it).
                const float drag = (cd / cl) * c.loadFactor * c.beta * p.takeoffWeight() / c.thrustFraction;
                const bool fullThrottle = alpha * p.seaLevelThrust < drag;
                cAgain =
                    m.deckMatched(mach, fc.altitude, fc.theta, fc.delta, c.afterburner, drag, fullThrottle).c;
            } else {
                cAgain = m.tsfcCoefficient(mach, c.afterburner);
            }
            if (!(cAgain > 0.0f)) cAgain = 0.5f;
            ef = cl / (cd * cAgain * sqrtTheta);
        } else {
            float factor = (out.ps + 100.0f) / 100.0f;
            if (factor < -0.1f) factor = -0.1f;
            ef = cl / (tsfc * cd) * factor;
        }
        if (si) ef *= 28.325f;
        out.enduranceFactor = ef;
        out.rangeFactor = ef * velocity * 3600.0f / (si ? 1000.0f : 6080.0f);
    }
    return out;
}

ContourCalculation calculateContourGrid(const ProjectData& p, const AnalysisModels& m, const PlotFrame& frame,
                                        const std::function<bool(float)>& progress) {
    ContourCalculation out;
    const ContourSettings& c = p.contour;
    out.message = contourIncrementMessage(c);
    if (!out.message.empty()) return out;
    out.velocityIncrements = static_cast<int>(std::floor((c.velocity[2] - c.velocity[1]) / c.velocity[3]));
    out.altitudeIncrements = static_cast<int>(std::floor((c.altitude[2] - c.altitude[1]) / c.altitude[3]));
    const int i0 = static_cast<int>(std::floor(c.altitude[1] / c.altitude[3] + 0.5f));
    const int i1 = static_cast<int>(std::floor(c.altitude[2] / c.altitude[3] + 0.5f));
    const int j0 = static_cast<int>(std::floor(c.velocity[1] / c.velocity[3] + 0.5f));
    const int j1 = static_cast<int>(std::floor(c.velocity[2] / c.velocity[3] + 0.5f));
    if (i1 <= i0 || j1 <= j0) {
        out.message = "The velocity and altitude ranges must each span at least one increment.";
        return out;
    }
    const float columnSpacing = (frame.right - frame.left) / static_cast<float>(j1 - j0);
    const float rowSpacing = (frame.bottom - frame.top) / static_cast<float>(i1 - i0);
    ContourGrid& g = out.grid;
    for (int j = j0; j <= j1 + 1; ++j) g.x.push_back(frame.left + static_cast<float>(j - j0) * columnSpacing);
    ContourPoint previous;
    for (int i = i0; i <= i1; ++i) {
        FlightCondition fc;
        fc.altitude = static_cast<float>(i) * c.altitude[3] * 1000.0f;
        atmosphere(fc, p.units);
        g.y.push_back(frame.bottom - static_cast<float>(i - i0) * rowSpacing);
        std::vector<float> row;
        for (int j = j0; j <= j1 + 1; ++j) {
            previous = contourPointAt(p, m, fc, static_cast<float>(j) * c.velocity[3], previous);
            row.push_back(previous.value(c.quantity));
        }
        g.values.push_back(std::move(row));
        if (progress && !progress(static_cast<float>(i - i0) / static_cast<float>(i1 - i0))) {
            out.message = "Calculation cancelled.";
            return out;
        }
    }
    out.minimum = out.maximum = g.values[0][0];
    const std::size_t lastColumn =
        std::min<std::size_t>(static_cast<std::size_t>(out.velocityIncrements), g.x.size() - 1);
    for (std::size_t r = 0; r < g.values.size(); ++r)
        for (std::size_t col = 0; col <= lastColumn; ++col) {
            out.minimum = std::min(out.minimum, g.values[r][col]);
            out.maximum = std::max(out.maximum, g.values[r][col]);
        }
    return out;
}

std::string contourExtremeText(int16_t quantity, float value) {
    if (quantity >= 4) return formatPattern(value, "####0.00");
    return plainText(std::trunc(value));
}

void setDefaultContourLevels(ProjectData& p, const ContourCalculation& calc) {
    ContourSettings& c = p.contour;
    c.levelMax = static_cast<float>(leadingNumber(contourExtremeText(c.quantity, calc.maximum)));
    const float gridMinimum = static_cast<float>(leadingNumber(formatPattern(calc.minimum, "####0.0")));
    switch (c.quantity) {
    case kContourPs:
        c.levelIncrement = 50, c.levelMin = 0;
        break;
    case kContourFs:
        c.levelIncrement = 500, c.levelMin = 0;
        break;
    case kContourRangeFactor:
        c.levelIncrement = 50, c.levelMin = 0;
        break;
    case kContourEnduranceFactor:
        c.levelIncrement = 0.1f, c.levelMin = 0;
        break;
    case kContourLiftDrag:
        c.levelIncrement = 0.5f, c.levelMin = gridMinimum;
        break;
    default:
        c.levelIncrement = 0.05f, c.levelMin = gridMinimum;
        break;
    }
}

} // namespace vededa
