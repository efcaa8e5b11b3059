#include "contour/contour_grid.h"

#include "app/range_steps.h"
#include "contour/contour_overlays.h"
#include "models/atmosphere.h"
#include "output/number_format.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <thread>

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
    if (deck) {
        full = m.deckFull(mach, fc.altitude, fc.theta, fc.delta, c.afterburner);
        if (full.failed) {
            out.failed = true;
            out.failure = std::move(full.failure);
            return out;
        }
    }
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
                const DeckRating matched =
                    m.deckMatched(mach, fc.altitude, fc.theta, fc.delta, c.afterburner, drag, fullThrottle);
                if (matched.failed) {
                    out.failed = true;
                    out.failure = matched.failure;
                    return out;
                }
                cAgain = matched.c;
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

namespace {

/// One altitude row of the grid with its failed cells.
struct GridRow {
    std::vector<float> values;
    std::vector<unsigned char> failed;
    std::string firstFailure;
};

} // namespace

ContourCalculation calculateContourGrid(const ProjectData& p, const AnalysisModels& m, const PlotFrame& frame,
                                        const std::function<bool(float)>& progress, unsigned threads) {
    ContourCalculation out;
    const ContourSettings& c = p.contour;
    out.message = contourIncrementMessage(c);
    if (!out.message.empty()) return out;
    // Counted in double with the range-end tolerance: a range converted to the other unit system keeps
    // its last column (150..950 by 100 ft/s is 8 increments in m/s too). The message above bounds them.
    out.velocityIncrements =
        static_cast<int>(rangeIncrementCount(c.velocity[1], c.velocity[2], c.velocity[3]));
    out.altitudeIncrements =
        static_cast<int>(rangeIncrementCount(c.altitude[1], c.altitude[2], c.altitude[3]));
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
    for (int i = i0; i <= i1; ++i) g.y.push_back(frame.bottom - static_cast<float>(i - i0) * rowSpacing);

    // A row starts from an empty point: a point beyond the dynamic-pressure limit keeps the figures of the
    // point before it, and when the first point of a row is beyond the limit so is every point of the rows
    // below it, so an empty start gives what a single pass over all rows would.
    const int rows = i1 - i0 + 1;
    std::vector<GridRow> computed(static_cast<std::size_t>(rows));
    auto computeRow = [&](int r) {
        FlightCondition fc;
        fc.altitude = static_cast<float>(i0 + r) * c.altitude[3] * 1000.0f;
        atmosphere(fc, p.units);
        GridRow& row = computed[static_cast<std::size_t>(r)];
        ContourPoint previous;
        for (int j = j0; j <= j1 + 1; ++j) {
            previous = contourPointAt(p, m, fc, static_cast<float>(j) * c.velocity[3], previous);
            // A figure that is not a number (a velocity or altitude far beyond flight) has no value
            // either: the point counts as failed, as one where the engine has no solution.
            if (!previous.failed && !std::isfinite(previous.value(c.quantity))) {
                previous.failed = true;
                previous.failure =
                    "     The figure is not a finite number at this velocity and altitude.\r\n";
            }
            row.values.push_back(previous.failed ? 0.0f : previous.value(c.quantity));
            row.failed.push_back(previous.failed ? 1 : 0);
            if (previous.failed) {
                if (row.firstFailure.empty()) row.firstFailure = previous.failure;
                previous = ContourPoint{};
            }
        }
    };
    auto fraction = [&](int done) {
        return rows > 1 ? static_cast<float>(done - 1) / static_cast<float>(rows - 1) : 1.0f;
    };

    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    threads = std::min<unsigned>(threads, static_cast<unsigned>(rows));
    bool cancelled = false;
    if (threads <= 1) {
        for (int r = 0; r < rows && !cancelled; ++r) {
            computeRow(r);
            if (progress && !progress(fraction(r + 1))) cancelled = true;
        }
    } else {
        std::atomic<int> next{0};
        std::atomic<bool> stop{false};
        std::mutex mutex;
        std::condition_variable finished;
        int done = 0, running = static_cast<int>(threads);
        auto worker = [&] {
            for (;;) {
                const int r = next.fetch_add(1);
                if (r >= rows || stop.load()) break;
                computeRow(r);
                {
                    std::lock_guard<std::mutex> lock(mutex);
                    ++done;
                }
                finished.notify_one();
            }
            {
                std::lock_guard<std::mutex> lock(mutex);
                --running;
            }
            finished.notify_one();
        };
        std::vector<std::thread> pool;
        pool.reserve(threads);
        for (unsigned t = 0; t < threads; ++t) pool.emplace_back(worker);
        int reported = 0;
        std::unique_lock<std::mutex> lock(mutex);
        while (running > 0 || reported < done) {
            finished.wait(lock, [&] { return done > reported || running == 0; });
            while (reported < done) {
                ++reported;
                if (progress && !cancelled) {
                    lock.unlock();
                    const bool goOn = progress(fraction(reported));
                    lock.lock();
                    if (!goOn) {
                        cancelled = true;
                        stop.store(true);
                    }
                }
            }
        }
        lock.unlock();
        for (std::thread& t : pool) t.join();
    }
    if (cancelled) {
        out.cancelled = true;
        out.message = "Calculation cancelled.";
        return out;
    }
    for (GridRow& row : computed) {
        for (unsigned char f : row.failed) out.failedPoints += f;
        if (out.firstFailure.empty()) out.firstFailure = row.firstFailure;
        g.values.push_back(std::move(row.values));
        out.failed.push_back(std::move(row.failed));
    }
    const std::size_t lastColumn =
        std::min<std::size_t>(static_cast<std::size_t>(out.velocityIncrements), g.x.size() - 1);
    bool first = true;
    for (std::size_t r = 0; r < g.values.size(); ++r)
        for (std::size_t col = 0; col <= lastColumn; ++col) {
            if (out.failed[r][col]) continue;
            const float v = g.values[r][col];
            if (first) {
                out.minimum = out.maximum = v;
                first = false;
            }
            out.minimum = std::min(out.minimum, v);
            out.maximum = std::max(out.maximum, v);
        }
    return out;
}

std::string failedPointsNote(const ContourCalculation& calc) {
    if (calc.failedPoints <= 0) return {};
    return std::to_string(calc.failedPoints) + (calc.failedPoints == 1 ? " point" : " points") +
           " without engine solution";
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
