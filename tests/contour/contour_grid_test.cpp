#include "app/units.h"
#include "contour/contour_grid.h"
#include "contour/contour_overlays.h"
#include "contour/contour_plot.h"
#include "models/atmosphere.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace vededa {
namespace {

AnalysisModels simpleModels() {
    AnalysisModels m;
    m.polar = [](float mach) {
        return PolarCoefficients{mach > 1 ? 0.2f : 0.12f, 0.0f, mach > 1 ? 0.03f : 0.018f};
    };
    m.thrustLapse = [](float mach, float, float delta, int16_t ab, float) {
        return std::max(0.001f, (ab ? 1.0f : 0.6f) * delta * std::pow(1.0f + 0.2f * mach * mach, 3.5f));
    };
    m.tsfcCoefficient = [](float mach, int16_t ab) { return ab ? 1.8f + 0.3f * mach : 1.0f + 0.35f * mach; };
    return m;
}

ProjectData fighter() {
    ProjectData p = test::freshProject();
    p.dragModel = p.thrustModel = p.tsfcModel = 2;
    p.wingLoading = 64;
    p.thrustLoading = 1.25f;
    p.contour.beta = 0.9f;
    p.contour.afterburner = 1;
    p.contour.velocity[1] = 100;
    p.contour.velocity[2] = 2000;
    p.contour.velocity[3] = 50;
    p.contour.altitude[1] = 0;
    p.contour.altitude[2] = 60;
    p.contour.altitude[3] = 2;
    return p;
}

TEST(ContourPoint, SpecificExcessPowerAtSeaLevel) {
    const ProjectData p = fighter();
    FlightCondition fc;
    fc.altitude = 0;
    atmosphere(fc, p.units);
    const ContourPoint pt = contourPointAt(p, simpleModels(), fc, 558.2f, ContourPoint{});
    const double mach = 0.5, q = 0.7 * 2116.224 * mach * mach;
    const double cl = 0.9 * 64 / q, cd = 0.12 * cl * cl + 0.018;
    const double alpha = std::pow(1.05, 3.5);
    test::expectNear(pt.ps, (alpha * 1.25 / 0.9 - cd / cl) * 558.2, 1e-5, "Ps");
    test::expectNear(pt.liftDrag, cl / cd, 1e-6, "L/D");
    const double tsfc = 1.8 + 0.15;
    test::expectNear(pt.fs, pt.ps / (alpha * tsfc) * 3600 / 1000, 1e-5, "fs");
    // A standing start is evaluated at Mach 0.002, never at 0.
    const ContourPoint zero = contourPointAt(p, simpleModels(), fc, 0.0f, ContourPoint{});
    EXPECT_TRUE(std::isfinite(zero.liftDrag));
}

TEST(ContourGrid, GridCoversOneColumnBeyondTheRange) {
    ProjectData p = fighter();
    PlotFrame frame = plotAreaOf(9000, 6000);
    int rows = 0;
    const ContourCalculation calc = calculateContourGrid(p, simpleModels(), frame, [&](float) {
        ++rows;
        return true;
    });
    ASSERT_TRUE(calc.message.empty()) << calc.message;
    EXPECT_EQ(calc.grid.values.size(), 31u);
    EXPECT_EQ(calc.grid.x.size(), 40u); // j0 = 2 .. j1 + 1 = 41
    EXPECT_EQ(rows, 31);
    EXPECT_FLOAT_EQ(calc.grid.x.front(), frame.left);
    EXPECT_FLOAT_EQ(calc.grid.y.front(), frame.bottom);
    EXPECT_FLOAT_EQ(calc.grid.y.back(), frame.top);
    EXPECT_GT(calc.maximum, 400.0f);
    EXPECT_LT(calc.minimum, 0.0f);
    setDefaultContourLevels(p, calc);
    EXPECT_EQ(p.contour.levelIncrement, 50.0f);
    EXPECT_EQ(p.contour.levelMin, 0.0f);
    EXPECT_EQ(p.contour.levelMax, std::trunc(calc.maximum));

    // The whole plot draws; look at it as an engineer would.
    p.contour.levelIncrement = std::ceil(p.contour.levelMax / 20.0f);
    SvgCanvas svg(9000, 6000, 140, 1200);
    PlotFrame f = frame;
    f.xMin = 100, f.xMax = 2000, f.yMin = 0, f.yMax = 60;
    EXPECT_EQ(drawContourPlot(svg, f, p, simpleModels(), calc, false), "");
    std::ofstream(test::tempDir() + "/contour.svg") << svg.document();
}

TEST(ContourGrid, TooManyIncrementsAreRefused) {
    ProjectData p = fighter();
    p.contour.velocity[3] = 10;
    p.contour.velocity[1] = 0;
    p.contour.velocity[2] = 1010;
    const ContourCalculation calc = calculateContourGrid(p, simpleModels(), plotAreaOf(9000, 6000));
    EXPECT_EQ(calc.message, "You require 101 velocity increments.  The maximum number is 100.");
    EXPECT_TRUE(calc.grid.values.empty());
}

/// A cycle-deck binding over the simple models whose engine has no solution above `ceiling` [ft].
AnalysisModels deckModelsFailingAbove(float ceiling) {
    AnalysisModels m = simpleModels();
    m.deckFull = [ceiling](float mach, float altitude, float, float delta, int16_t) {
        DeckRating r;
        if (altitude > ceiling) {
            r.failed = true;
            r.failure = "     Solution for mass flow will not converge, ERRM =1\r\n";
            return r;
        }
        r.alpha = delta * std::pow(1.0f + 0.2f * mach * mach, 3.5f);
        r.c = 1.2f;
        return r;
    };
    m.deckMatched = [](float, float, float, float, int16_t, float, bool) {
        DeckRating r;
        r.alpha = 0.5f;
        r.c = 1.1f;
        return r;
    };
    return m;
}

TEST(ContourGrid, CellsWithoutEngineSolutionAreMarkedCountedAndLeftOutOfTheExtremes) {
    ProjectData p = fighter();
    p.thrustModel = 7;
    p.contour.quantity = 7; // alpha: the failed cells would otherwise read 0.001
    p.contour.qMax = 1e6f;  // no point beyond the dynamic-pressure limit, which also reads 0.001
    const ContourCalculation calc =
        calculateContourGrid(p, deckModelsFailingAbove(40000), plotAreaOf(9000, 6000));
    ASSERT_TRUE(calc.message.empty());
    ASSERT_EQ(calc.failed.size(), calc.grid.values.size());
    int failedRows = 0;
    for (std::size_t r = 0; r < calc.failed.size(); ++r) {
        const float altitude = static_cast<float>(r) * 2000.0f;
        const bool rowFails = altitude > 40000;
        failedRows += rowFails;
        for (std::size_t j = 0; j < calc.failed[r].size(); ++j) {
            EXPECT_EQ(calc.failed[r][j] != 0, rowFails) << r << "," << j;
            if (rowFails) {
                EXPECT_EQ(calc.grid.values[r][j], 0.0f);
            }
        }
    }
    EXPECT_EQ(failedRows, 10); // 42 .. 60 kft
    const int columns = static_cast<int>(calc.grid.x.size());
    EXPECT_EQ(calc.failedPoints, failedRows * columns);
    EXPECT_EQ(failedPointsNote(calc),
              std::to_string(failedRows * columns) + " points without engine solution");
    EXPECT_NE(calc.firstFailure.find("mass flow"), std::string::npos);
    // The lowest lapse of the solved cells (40 kft, lowest speed), not a failed cell's substitute.
    EXPECT_GT(calc.minimum, 0.15f);
}

// The grid's increments are counted with the range-end tolerance: a range converted to the other unit
// system keeps its last column, and a figure that is not a number leaves its cell out as a failed one.
TEST(ContourGrid, ConvertedRangesKeepTheirLastColumnAndNonFiniteFiguresFail) {
    ProjectData p = fighter();
    // 150..950 by 100 ft/s in m/s: the span over the increment falls a rounding error short of 8.
    p.contour.velocity[1] = 150;
    p.contour.velocity[2] = 950;
    p.contour.velocity[3] = 100;
    ASSERT_TRUE(switchUnits(p, kSI));
    const ContourCalculation si = calculateContourGrid(p, simpleModels(), plotAreaOf(9000, 6000));
    ASSERT_TRUE(si.message.empty()) << si.message;
    EXPECT_EQ(si.velocityIncrements, 8);
    EXPECT_EQ(si.altitudeIncrements, 30);

    // Velocities far beyond flight give figures that are not numbers: those cells fail and stay out of
    // the extremes.
    ProjectData wild = fighter();
    wild.contour.velocity[1] = -3e38f;
    wild.contour.velocity[2] = 0;
    wild.contour.velocity[3] = 7.5e37f;
    const ContourCalculation calc = calculateContourGrid(wild, simpleModels(), plotAreaOf(9000, 6000));
    ASSERT_TRUE(calc.message.empty()) << calc.message;
    EXPECT_GT(calc.failedPoints, 0);
    EXPECT_TRUE(std::isfinite(calc.minimum) && std::isfinite(calc.maximum));
    for (std::size_t r = 0; r < calc.grid.values.size(); ++r)
        for (std::size_t j = 0; j < calc.grid.values[r].size(); ++j)
            EXPECT_TRUE(calc.failed[r][j] || std::isfinite(calc.grid.values[r][j])) << r << "," << j;
}

TEST(ContourGrid, PointsBeyondTheDynamicPressureLimitKeepTheirDefinedFigures) {
    // Beyond 1.3 Qmax the deck is not run: the lapse is the floor 0.001, Ps, fs, RF and EF keep the figures
    // of the point before in the row, and the point is not one without engine solution (the q-max line
    // of the plot marks that boundary).
    const int16_t quantities[] = {kContourPs, kContourFs, kContourRangeFactor, kContourAlpha};
    ProjectData p = fighter();
    p.thrustModel = 7;
    p.contour.qMax = 1500;
    for (const int16_t quantity : quantities) {
        p.contour.quantity = quantity;
        const ContourCalculation calc =
            calculateContourGrid(p, deckModelsFailingAbove(1e9f), plotAreaOf(9000, 6000));
        ASSERT_TRUE(calc.message.empty());
        EXPECT_EQ(calc.failedPoints, 0) << quantity;
        int beyond = 0;
        for (std::size_t r = 0; r < calc.grid.values.size(); ++r) {
            FlightCondition fc;
            fc.altitude = static_cast<float>(r) * 2000.0f;
            atmosphere(fc, p.units);
            for (std::size_t j = 1; j < calc.grid.values[r].size(); ++j) {
                const float mach = static_cast<float>(j + 2) * 50.0f / fc.soundSpeed;
                const bool isBeyond = 0.7f * p.units.PSL * fc.delta * mach * mach > 1.3f * p.contour.qMax;
                if (!isBeyond) continue;
                ++beyond;
                EXPECT_EQ(calc.failed[r][j], 0);
                if (quantity == kContourAlpha) {
                    EXPECT_EQ(calc.grid.values[r][j], 0.001f) << fc.altitude << " ft, column " << j;
                } else {
                    EXPECT_EQ(calc.grid.values[r][j], calc.grid.values[r][j - 1])
                        << quantity << " at " << fc.altitude << " ft, column " << j;
                }
            }
        }
        EXPECT_GT(beyond, 100) << quantity;
    }
}

TEST(ContourGrid, NoFailedCellsGiveNoNote) {
    ProjectData p = fighter();
    p.thrustModel = 7;
    p.contour.qMax = 1e6f; // no point beyond the dynamic-pressure limit
    const ContourCalculation calc =
        calculateContourGrid(p, deckModelsFailingAbove(1e9f), plotAreaOf(9000, 6000));
    EXPECT_EQ(calc.failedPoints, 0);
    EXPECT_EQ(failedPointsNote(calc), "");
}

/// A synthetic calculation over the fighter's field: a ramp rising by 10 per velocity column, so every
/// contour line is vertical and crosses the middle of its cells; the points of rows 3..5 and columns
/// 4..6 failed when `withFailures`.
ContourCalculation rampWithFailedBlock(const PlotFrame& frame, bool withFailures) {
    ContourCalculation calc;
    const std::size_t rows = 31, cols = 40;
    calc.grid.values.assign(rows, std::vector<float>(cols));
    calc.failed.assign(rows, std::vector<unsigned char>(cols, 0));
    for (std::size_t j = 0; j < cols; ++j)
        calc.grid.x.push_back(frame.left + static_cast<float>(j) * (frame.right - frame.left) / 38.0f);
    for (std::size_t r = 0; r < rows; ++r) {
        calc.grid.y.push_back(frame.bottom - static_cast<float>(r) * (frame.bottom - frame.top) / 30.0f);
        for (std::size_t j = 0; j < cols; ++j) {
            calc.grid.values[r][j] = 10.0f * static_cast<float>(j);
            if (withFailures && r >= 3 && r <= 5 && j >= 4 && j <= 6) {
                calc.grid.values[r][j] = 0; // what the grid holds for a failed point
                calc.failed[r][j] = 1;
                ++calc.failedPoints;
            }
        }
    }
    calc.minimum = 0, calc.maximum = 390;
    calc.velocityIncrements = 38, calc.altitudeIncrements = 30;
    return calc;
}

TEST(ContourPlot, FailedPointsLeaveGapsAndAreCounted) {
    ProjectData p = fighter();
    p.contour.quantity = kContourLiftDrag;
    p.contour.levelMin = 5, p.contour.levelMax = 385, p.contour.levelIncrement = 10;
    PlotFrame frame = plotAreaOf(9000, 6000);
    frame.xMin = 100, frame.xMax = 2000, frame.yMin = 0, frame.yMax = 60;
    for (const bool withFailures : {false, true}) {
        const ContourCalculation calc = rampWithFailedBlock(frame, withFailures);
        // Every cell touching a failed point: rows 2..5 and columns 3..6 of cells.
        const float left = calc.grid.x[3], right = calc.grid.x[7];
        const float top = calc.grid.y[6], bottom = calc.grid.y[2];
        auto inGap = [&](float x, float y) {
            return x > left + 1 && x < right - 1 && y > top + 1 && y < bottom - 1;
        };
        SCOPED_TRACE(withFailures);
        RecordingCanvas canvas(9000, 6000, 140);
        ASSERT_EQ(drawContourPlot(canvas, frame, p, simpleModels(), calc, false, true), "");
        int contourPieces = 0, bandPieces = 0, greyCells = 0;
        bool noted = false, grey = false;
        for (const RecordingCanvas::Op& op : canvas.ops()) {
            if (op.kind == RecordingCanvas::Kind::Rgb) grey = op.rgb == Rgb{220, 220, 220};
            if (op.kind == RecordingCanvas::Kind::Color) grey = false;
            // The gap cells are shaded grey: each a box between neighbouring grid points.
            if (op.kind == RecordingCanvas::Kind::FilledBox && grey &&
                inGap(0.5f * (op.x1 + op.x2), 0.5f * (op.y1 + op.y2)))
                ++greyCells;
            // The ramp's contour lines are the vertical pieces; the overlays are not vertical.
            if (op.kind == RecordingCanvas::Kind::Line && std::fabs(op.x1 - op.x2) < 0.01f &&
                inGap(op.x1, op.y1) && inGap(op.x2, op.y2))
                ++contourPieces;
            if (op.kind == RecordingCanvas::Kind::Polygon) {
                float cx = 0, cy = 0;
                for (const CanvasPoint& q : op.points) cx += q.x, cy += q.y;
                const float n = static_cast<float>(op.points.size());
                if (inGap(cx / n, cy / n)) ++bandPieces;
            }
            if (op.kind == RecordingCanvas::Kind::Text &&
                op.text.find("without engine solution") != std::string::npos) {
                EXPECT_EQ(op.text, "9 points without engine solution");
                EXPECT_TRUE(op.x1 > frame.left && op.x1 < frame.right && op.y1 > frame.top &&
                            op.y1 < frame.bottom);
                noted = true;
            }
        }
        EXPECT_EQ(noted, withFailures);
        EXPECT_EQ(greyCells, withFailures ? 16 : 0); // the 4 x 4 cells touching the 3 x 3 failed points
        EXPECT_EQ(contourPieces > 0, !withFailures);
        EXPECT_EQ(bandPieces > 0, !withFailures);
    }
}

TEST(ContourPlot, NoOverlayRunsAcrossAContourValue) {
    // Ps and fs of the fighter: Mach, stall, q-max and theta0 lines, energy-height lines and the best-climb
    // path all run over a field of many labelled lines.
    ProjectData p = fighter();
    p.contour.theta0Lines = 1;
    p.contour.qMax = 1500;
    PlotFrame frame = plotAreaOf(9000, 6000);
    frame.xMin = 100, frame.xMax = 2000, frame.yMin = 0, frame.yMax = 60;
    for (const int16_t quantity : {kContourPs, kContourFs}) {
        SCOPED_TRACE(quantity);
        p.contour.quantity = quantity;
        p.contour.levelMin = quantity == kContourPs ? -400.0f : -20.0f;
        p.contour.levelMax = quantity == kContourPs ? 800.0f : 40.0f;
        p.contour.levelIncrement = quantity == kContourPs ? 50.0f : 2.0f;
        const ContourCalculation calc = calculateContourGrid(p, simpleModels(), frame);
        RecordingCanvas canvas(9000, 6000, 140);
        ASSERT_EQ(drawContourPlot(canvas, frame, p, simpleModels(), calc, false), "");
        struct Box {
            CanvasPoint c;
            float angle, halfLength, halfHeight;
            std::string text;
        };
        std::vector<Box> boxes;
        std::vector<RecordingCanvas::Op> overlays;
        float font = canvas.startFontSize();
        int color = 0;
        for (const RecordingCanvas::Op& op : canvas.ops()) {
            if (op.kind == RecordingCanvas::Kind::FontSize) font = op.x1;
            if (op.kind == RecordingCanvas::Kind::Color) color = static_cast<int>(op.x1);
            if (op.kind == RecordingCanvas::Kind::RotatedText) {
                const float width =
                    0.6f * font * static_cast<float>(op.text.size()); // the canvas' text width
                boxes.push_back({{op.x1, op.y1}, op.x2, 0.5f * width, 0.5f * font, op.text});
            }
            // Everything not black is an overlay (or the frame, which no label reaches).
            if (op.kind == RecordingCanvas::Kind::Line && color != kContourLineColor) overlays.push_back(op);
        }
        ASSERT_GT(boxes.size(), 8u);
        ASSERT_GT(overlays.size(), 200u);
        int crossed = 0;
        for (const Box& b : boxes)
            for (const auto& s : overlays)
                if (test::segmentCrossesTurnedBox({s.x1, s.y1}, {s.x2, s.y2}, b.c, b.angle, b.halfLength,
                                                  b.halfHeight)) {
                    ++crossed;
                    ADD_FAILURE() << "overlay " << s.x1 << "," << s.y1 << " - " << s.x2 << "," << s.y2
                                  << " runs across the value " << b.text;
                }
        EXPECT_EQ(crossed, 0);
    }
}

TEST(ContourPlot, EnergyHeightLinesAndBestClimbPathLeaveGapsAtFailedPoints) {
    ProjectData p = fighter();
    p.contour.quantity = kContourPs;
    p.contour.levelMin = 0, p.contour.levelMax = 100, p.contour.levelIncrement = 10;
    PlotFrame frame = plotAreaOf(9000, 6000);
    frame.xMin = 100, frame.xMax = 2000, frame.yMin = 0, frame.yMax = 60;
    // Negative everywhere, highest at column 10; the failed points (which hold 0) would be the best of
    // every energy level that crosses them if they were read as values.
    ContourCalculation calc = rampWithFailedBlock(frame, true);
    for (std::size_t r = 0; r < calc.grid.values.size(); ++r)
        for (std::size_t j = 0; j < calc.grid.values[r].size(); ++j)
            if (!calc.failed[r][j])
                calc.grid.values[r][j] = -5.0f - 10.0f * std::fabs(static_cast<float>(j) - 10.0f);
    // Failed points lie in columns 4..6 on rows 3..5: no point of an energy-height line or the best-climb
    // path may be taken from the cells between rows 2 and 6 there.
    const float left = calc.grid.x[4] - 1, right = calc.grid.x[6] + 1;
    const float top = calc.grid.y[6] + 1, bottom = calc.grid.y[2] - 1;
    auto inGap = [&](float x, float y) { return x > left && x < right && y > top && y < bottom; };

    RecordingCanvas canvas(9000, 6000, 140);
    drawEnergyHeightLines(canvas, frame, p, simpleModels(), calc);
    float width = 1;
    int thin = 0, path = 0;
    for (const RecordingCanvas::Op& op : canvas.ops()) {
        if (op.kind == RecordingCanvas::Kind::LineWidth) width = op.x1;
        if (op.kind != RecordingCanvas::Kind::Line) continue;
        (width > 1 ? path : thin) += 1;
        EXPECT_FALSE(inGap(op.x1, op.y1) || inGap(op.x2, op.y2))
            << (width > 1 ? "best-climb path" : "energy-height line") << " at " << op.x1 << "," << op.y1
            << " - " << op.x2 << "," << op.y2;
        // No line bridges the gap: the failed columns are never spanned by one segment at gap height.
        const bool spans = std::min(op.x1, op.x2) < left && std::max(op.x1, op.x2) > right;
        EXPECT_FALSE(spans && std::max(op.y1, op.y2) > top && std::min(op.y1, op.y2) < bottom)
            << op.x1 << "," << op.y1 << " - " << op.x2 << "," << op.y2;
    }
    EXPECT_GT(thin, 50);
    EXPECT_GT(path, 10);
}

TEST(ContourGrid, RowsInParallelGiveTheSingleThreadGridAndCancelStops) {
    ProjectData p = fighter();
    p.contour.velocity[1] = 1500; // the lowest rows start beyond the dynamic-pressure limit
    p.contour.velocity[2] = 3000;
    p.contour.qMax = 1500;
    p.thrustModel = 7;
    for (int16_t quantity : {1, 2, 4, 7}) {
        p.contour.quantity = quantity;
        const AnalysisModels m = deckModelsFailingAbove(50000);
        const ContourCalculation one = calculateContourGrid(p, m, plotAreaOf(9000, 6000), nullptr, 1);
        const ContourCalculation four = calculateContourGrid(p, m, plotAreaOf(9000, 6000), nullptr, 4);
        EXPECT_EQ(one.grid.values, four.grid.values) << quantity;
        EXPECT_EQ(one.failed, four.failed) << quantity;
        EXPECT_EQ(one.minimum, four.minimum);
        EXPECT_EQ(one.maximum, four.maximum);
    }
    int calls = 0;
    float last = -1;
    bool increasing = true;
    const ContourCalculation cancelled = calculateContourGrid(
        p, simpleModels(), plotAreaOf(9000, 6000),
        [&](float done) {
            increasing = increasing && done > last;
            last = done;
            return ++calls < 3;
        },
        2);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.message, "Calculation cancelled.");
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(increasing);
    int seen = 0;
    calculateContourGrid(
        p, simpleModels(), plotAreaOf(9000, 6000),
        [&](float done) {
            ++seen;
            last = done;
            return true;
        },
        3);
    EXPECT_EQ(seen, 31);
    EXPECT_EQ(last, 1.0f);
}

} // namespace
} // namespace vededa
