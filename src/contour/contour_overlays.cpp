#include "contour/contour_overlays.h"

#include "app/range_steps.h"
#include "models/atmosphere.h"
#include "output/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vededa {

namespace {

/// Int() of the reports: the largest whole number not above the value.
int intOf(double v) {
    return static_cast<int>(std::floor(v));
}

/// Rounding to the nearest whole number, halves away from zero.
int roundOf(double v) {
    return static_cast<int>(std::lround(v));
}

FlightCondition standardAt(const ProjectData& p, float altitude) {
    FlightCondition fc;
    fc.altitude = altitude;
    atmosphere(fc, p.units);
    return fc;
}

/// Grid row indices of the altitude range.
void rowRange(const ContourSettings& c, int& i0, int& i1) {
    i0 = intOf(c.altitude[1] / c.altitude[3] + 0.5);
    i1 = intOf(c.altitude[2] / c.altitude[3] + 0.5);
}

/// A count for a message: a whole number, in exponent form when it is too large for an integer.
std::string countText(double n) {
    if (std::fabs(n) < 2e9) return std::to_string(static_cast<long long>(n));
    if (!std::isfinite(n)) return "more than 1E+308";
    const std::string text = Str(n);
    return text.substr(text.find_first_not_of(' '));
}

} // namespace

std::string contourTickText(float value, float step) {
    if (!std::isfinite(value)) value = 0;
    int decimals = 0;
    const double v = value, d = std::fabs(static_cast<double>(step));
    // Whole numbers stay whole; otherwise the decimals of a round spacing (0.05 gives 2), but never more
    // than one digit finer than the spacing's size (1.016 gives 1).
    if (d > 0 && std::isfinite(d) && std::fabs(v - std::round(v)) > 1e-3 * d) {
        int exact = 0;
        while (exact < 4 && std::fabs(d * std::pow(10.0, exact) - std::round(d * std::pow(10.0, exact))) >
                                1e-3 * std::max(1.0, d * std::pow(10.0, exact)))
            ++exact;
        decimals = std::clamp(std::min(exact, static_cast<int>(std::ceil(-std::log10(d))) + 1), 0, 4);
    }
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string text = buf;
    if (text.find_first_not_of("-0.") == std::string::npos) text = text.substr(text[0] == '-');
    return text;
}

ContourLevels contourLevels(float min, float max, float increment) {
    ContourLevels out;
    if (increment == 0.0f) {
        out.levels.push_back(min);
        return out;
    }
    const double count = std::fabs(std::floor((static_cast<double>(max) - min) / increment) + 1);
    if (!std::isfinite(count) || count > 51) {
        out.message = "You require " + countText(count) + " contours.  The maximum number is 51.";
        return out;
    }
    const int n = static_cast<int>(count);
    const float last = min + static_cast<float>(n - 1) * increment;
    for (int k = 0; k < n; ++k)
        out.levels.push_back(n == 1 ? min
                                    : min + (last - min) * static_cast<float>(k) / static_cast<float>(n - 1));
    std::sort(out.levels.begin(), out.levels.end());
    return out;
}

std::string contourIncrementMessage(const ContourSettings& c) {
    if (c.velocity[3] == 0.0f || c.altitude[3] == 0.0f)
        return "The increments of the velocity and altitude ranges must not be zero.";
    for (float v : {c.velocity[1], c.velocity[2], c.velocity[3], c.altitude[1], c.altitude[2], c.altitude[3]})
        if (!std::isfinite(v)) return "The velocity and altitude ranges must be finite numbers.";
    // Counted in double and compared before any conversion to an integer, so that no count overflows.
    const double nv = rangeIncrementCount(c.velocity[1], c.velocity[2], c.velocity[3]);
    if (nv > 100) return "You require " + countText(nv) + " velocity increments.  The maximum number is 100.";
    const double nh = rangeIncrementCount(c.altitude[1], c.altitude[2], c.altitude[3]);
    if (nh > 100) return "You require " + countText(nh) + " altitude increments.  The maximum number is 100.";
    // The grid lies on whole multiples of the increments: their number from 0 must fit the grid's counters.
    constexpr double kMaxGridIndex = 1e6;
    for (double index : {static_cast<double>(c.velocity[1]) / c.velocity[3],
                         static_cast<double>(c.velocity[2]) / c.velocity[3],
                         static_cast<double>(c.altitude[1]) / c.altitude[3],
                         static_cast<double>(c.altitude[2]) / c.altitude[3]})
        if (std::fabs(index) > kMaxGridIndex)
            return "The velocity and altitude ranges lie more than a million increments from 0; choose "
                   "larger "
                   "increments.";
    return {};
}

void OverlayPolyline::add(float velocity, float altitude) {
    const ContourSettings& c = contour_;
    const float vSpan = c.velocity[2] - c.velocity[1];
    const float hSpan = (c.altitude[2] - c.altitude[1]) * 1000.0f;
    if (vSpan == 0.0f || hSpan == 0.0f || !std::isfinite(velocity) || !std::isfinite(altitude)) return;
    float x = (velocity - c.velocity[1]) * (frame_.right - frame_.left) / vSpan + frame_.left;
    float y = frame_.bottom - (frame_.bottom - frame_.top) * (altitude - c.altitude[1] * 1000.0f) / hSpan;
    const float left = frame_.left, right = frame_.right, top = frame_.top, bottom = frame_.bottom;
    x = std::trunc(std::clamp(x, std::min(left, right), std::max(left, right)));
    y = std::trunc(std::clamp(y, std::min(top, bottom), std::max(top, bottom)));
    if (started_) canvas_.line(lastX_, lastY_, x, y);
    started_ = true;
    lastX_ = x;
    lastY_ = y;
}

void drawMachLines(Canvas& canvas, const PlotFrame& frame, const ProjectData& p) {
    const ContourSettings& c = p.contour;
    const float aTop = standardAt(p, c.altitude[2] * 1000.0f).soundSpeed;
    int m = 0;
    while (m < 5 && static_cast<float>(m + 1) * aTop <= c.velocity[2]) ++m;
    canvas.setColor(kMachColor);
    const int hLow = roundOf(c.altitude[1]), hHigh = roundOf(c.altitude[2]);
    for (int mach = 1; mach <= m; ++mach) {
        OverlayPolyline line(canvas, frame, c);
        for (int h = hLow; h <= hHigh; ++h) {
            const float altitude = static_cast<float>(h) * 1000.0f;
            line.add(static_cast<float>(mach) * standardAt(p, altitude).soundSpeed, altitude);
        }
    }
}

void drawTheta0Lines(Canvas& canvas, const PlotFrame& frame, const ProjectData& p) {
    const ContourSettings& c = p.contour;
    const FlightCondition top = standardAt(p, c.altitude[2] * 1000.0f);
    const double lowRaw = (1.0 + 0.2 * std::pow(c.velocity[1] / top.soundSpeed, 2.0)) * top.theta;
    const double highRaw = (1.0 + 0.2 * std::pow(c.velocity[2] / top.soundSpeed, 2.0)) * top.theta;
    const double high = std::min(intOf(20.0 * highRaw) / 20.0, 1.2);
    const double low = std::max(intOf(20.0 * lowRaw + 1.0) / 20.0, 0.8);
    const int count = roundOf((high - low) / 0.05 + 1.0);
    canvas.setColor(kTheta0Color);
    const int hLow = roundOf(c.altitude[1]), hHigh = roundOf(c.altitude[2]);
    for (int k = 1; k <= count; ++k) {
        const double theta0 = low + (k - 1) * 0.05;
        OverlayPolyline line(canvas, frame, c);
        for (int h = hLow; h <= hHigh; ++h) {
            const float altitude = static_cast<float>(h) * 1000.0f;
            const FlightCondition fc = standardAt(p, altitude);
            const double mach = std::sqrt(std::max(0.0, 5.0 * (theta0 / fc.theta - 1.0)));
            line.add(static_cast<float>(mach * fc.soundSpeed), altitude);
        }
    }
}

namespace {

/// One point per grid altitude row of the speed `speedAt(rho)`.
template <typename SpeedAt>
void drawRowLine(Canvas& canvas, const PlotFrame& frame, const ProjectData& p, int color, SpeedAt speedAt) {
    const ContourSettings& c = p.contour;
    if (c.altitude[3] == 0.0f) return;
    int i0 = 0, i1 = 0;
    rowRange(c, i0, i1);
    canvas.setColor(color);
    OverlayPolyline line(canvas, frame, c);
    for (int i = i0; i <= i1; ++i) {
        const float altitude = static_cast<float>(i) * c.altitude[3] * 1000.0f;
        const FlightCondition fc = standardAt(p, altitude);
        const double rho = static_cast<double>(fc.sigma) * p.units.rhoSL;
        line.add(static_cast<float>(speedAt(rho)), altitude);
    }
}

} // namespace

void drawStallLine(Canvas& canvas, const PlotFrame& frame, const ProjectData& p) {
    const ContourSettings& c = p.contour;
    if (!(c.clMax > 0.0f)) return;
    drawRowLine(canvas, frame, p, kStallColor, [&](double rho) {
        return std::sqrt(2.0 * c.loadFactor * c.beta * p.wingLoading / (rho * c.clMax));
    });
}

void drawMaxDynamicPressureLine(Canvas& canvas, const PlotFrame& frame, const ProjectData& p) {
    drawRowLine(canvas, frame, p, kMaxQColor,
                [&](double rho) { return std::sqrt(2.0 * p.contour.qMax / rho); });
}

void drawContourTicks(Canvas& canvas, const PlotFrame& f, const ProjectData& p) {
    const ContourSettings& c = p.contour;
    const bool si = p.unitSystem == kSI;
    canvas.setColor(kContourLineColor);
    const int vTicks = roundOf((c.velocity[2] - c.velocity[1]) / (si ? 50.0 : 100.0));
    for (int k = 1; k < vTicks; ++k) {
        const float x = f.left + (f.right - f.left) * static_cast<float>(k) / static_cast<float>(vTicks);
        canvas.line(x, f.bottom, x, f.bottom - 100.0f);
        canvas.line(x, f.top, x, f.top + 100.0f);
    }
    const int hTicks = roundOf((c.altitude[2] - c.altitude[1]) / (si ? 1.0 : 5.0));
    for (int k = 1; k < hTicks; ++k) {
        const float y = f.bottom - (f.bottom - f.top) * static_cast<float>(k) / static_cast<float>(hTicks);
        canvas.line(f.left, y, f.left + 80.0f, y);
        canvas.line(f.right, y, f.right - 80.0f, y);
    }
    canvas.setColor(kEnergyColor);
    canvas.line(f.left, f.bottom, f.right, f.bottom);
    canvas.line(f.right, f.bottom, f.right, f.top);
    canvas.line(f.right, f.top, f.left, f.top);
    canvas.line(f.left, f.top, f.left, f.bottom);
}

} // namespace vededa

namespace vededa {

std::string contourTitle(const ProjectData& p, float min, float max, float increment, bool printerPage) {
    const bool si = p.unitSystem == kSI;
    std::string name, unit = ")";
    switch (p.contour.quantity) {
    case kContourPs:
        name = "Ps";
        unit = si ? " m/sec)" : " ft/sec)";
        break;
    case kContourFs:
        name = "fs";
        unit = si ? " km)" : " kft)";
        break;
    case kContourRangeFactor:
        name = printerPage ? "RF" : "Range Factor";
        unit = si ? " km)" : " nm)";
        break;
    case kContourEnduranceFactor:
        name = printerPage ? "EF" : "Endurance Factor";
        unit = " hr)";
        break;
    case kContourLiftDrag:
        name = "Lift/Drag";
        break;
    case kContourDragThrust:
        name = printerPage ? "Drag/T@SL" : "Drag/Thrust@SL";
        break;
    default:
        name = "Alpha";
        break;
    }
    return name + "  (min =" + Str(min) + ", max =" + Str(max) + ", incr =" + Str(increment) + unit;
}

float drawContourLabels(Canvas& canvas, const PlotFrame& f, const ProjectData& p, float min, float max,
                        float increment, bool printerPage) {
    const ContourSettings& c = p.contour;
    const bool si = p.unitSystem == kSI;
    const float line = canvas.textHeight() * 1.3f;
    canvas.setColor(0);
    canvas.text(0.5f * (f.left + f.right), f.top - 1.5f * line,
                contourTitle(p, min, max, increment, printerPage), HAlign::Center, VAlign::Top);
    if (printerPage)
        canvas.text(f.left, f.top - 3.0f * line, "File: " + p.projectPath + "      Date:" + p.clock.date());

    // Side labels right of the frame.
    std::vector<std::string> side = {"W/S =" + Str(p.wingLoading),
                                     "T/W =" + Str(p.thrustLoading),
                                     "Beta=" + formatPattern(c.beta, "0.####"),
                                     "g's = " + formatPattern(c.loadFactor, "##.##"),
                                     "CLm = " + formatPattern(c.clMax, "#.###"),
                                     "Qmx =" + formatPattern(c.qMax, "####"),
                                     "Tmx = " + formatPattern(c.thrustFraction * 100.0f, "#####")};
    if (p.thrustModel == 7) {
        static const char* const cycles[] = {"",           "Tjet",      "Tjet w/AB", "Tfan",
                                             "Tfan mixed", "Tfan w/AB", "Tprop"};
        const int type = p.engine.setup[kSetupEngineType];
        if (type >= 1 && type <= 6) side.emplace_back(cycles[type]);
    }
    side.push_back("Engine #" + std::to_string(p.thrustModel));
    side.push_back("TSFC #" + std::to_string(p.tsfcModel));
    side.push_back("Aircraft #" + std::to_string(p.dragModel));
    // A long value (SI wing loading, dynamic pressure in Pa) would run off the picture: the side labels
    // then get a smaller font that fits the room right of the frame.
    const float plotFont = canvas.fontSize();
    float widest = 0;
    for (const std::string& s : side) widest = std::max(widest, canvas.textWidth(s));
    const float room = canvas.width() - (f.right + 80.0f) - 20.0f;
    if (widest > room && room > 0) canvas.setFontSize(plotFont * std::max(0.6f, room / widest));
    float y = f.top;
    for (const std::string& s : side) {
        canvas.text(f.right + 80.0f, y, s);
        y += line;
    }
    if (canvas.fontSize() != plotFont) canvas.setFontSize(plotFont);

    // Axis titles and tick values.
    // The axis title above the altitude values, kept inside the picture when the frame sits high.
    const float altTop = std::max(0.0f, f.top - 2.6f * line);
    canvas.text(f.left - 60.0f, altTop, "Alt", HAlign::Right);
    canvas.text(f.left - 60.0f, altTop + 0.9f * line, si ? "(km)" : "(kft)", HAlign::Right);
    canvas.text(0.5f * (f.left + f.right), f.bottom + 1.5f * line, si ? "Vel (m/sec)" : "Vel (ft/sec)",
                HAlign::Center);
    const int hTicks = std::max(1, roundOf((c.altitude[2] - c.altitude[1]) / (si ? 1.0 : 5.0)));
    const int hEvery = std::max(1, hTicks / 10);
    for (int k = 0; k <= hTicks; k += hEvery) {
        const float value = c.altitude[1] + (c.altitude[2] - c.altitude[1]) * static_cast<float>(k) /
                                                static_cast<float>(hTicks);
        const float yy = f.bottom - (f.bottom - f.top) * static_cast<float>(k) / static_cast<float>(hTicks);
        canvas.text(f.left - 60.0f, yy,
                    contourTickText(value, (c.altitude[2] - c.altitude[1]) * static_cast<float>(hEvery) /
                                               static_cast<float>(hTicks)),
                    HAlign::Right, VAlign::Middle);
    }
    const int vTicks = std::max(1, roundOf((c.velocity[2] - c.velocity[1]) / (si ? 50.0 : 100.0)));
    const int vEvery = std::max(1, vTicks / 5);
    for (int k = 0; k <= vTicks; k += vEvery) {
        const float value = c.velocity[1] + (c.velocity[2] - c.velocity[1]) * static_cast<float>(k) /
                                                static_cast<float>(vTicks);
        const float xx = f.left + (f.right - f.left) * static_cast<float>(k) / static_cast<float>(vTicks);
        canvas.text(xx, f.bottom + 0.3f * line,
                    contourTickText(value, (c.velocity[2] - c.velocity[1]) * static_cast<float>(vEvery) /
                                               static_cast<float>(vTicks)),
                    HAlign::Center);
    }
    return y;
}

float drawContourLegend(Canvas& canvas, const PlotFrame& f, const ProjectData& p, float top, bool energy) {
    struct Entry {
        int color;
        float width;
        const char* name;
    };
    std::vector<Entry> entries = {{kMachColor, 1, "Mach 1,2.."}};
    if (p.contour.theta0Lines == 1) entries.push_back({kTheta0Color, 1, "theta0"});
    entries.push_back({kStallColor, 1, "Stall"});
    entries.push_back({kMaxQColor, 1, "q max"});
    if (energy) {
        entries.push_back({kEnergyColor, 1, "Energy ht"});
        entries.push_back({kEnergyColor, 3, "Best climb"});
    }
    const float font = canvas.fontSize();
    canvas.setFontSize(0.85f * font);
    const float step = 1.25f * canvas.textHeight();
    const float x = f.right + 80.0f;
    float y = top;
    for (const Entry& e : entries) {
        canvas.setColor(e.color);
        canvas.setLineWidth(e.width);
        canvas.line(x, y + 0.5f * step, x + 180.0f, y + 0.5f * step);
        canvas.setColor(kContourLineColor);
        canvas.text(x + 230.0f, y + 0.5f * step, e.name, HAlign::Left, VAlign::Middle);
        y += step;
    }
    canvas.setLineWidth(1);
    canvas.setFontSize(font);
    return y;
}

} // namespace vededa
