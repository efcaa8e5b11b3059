#include "app/project_file.h"
#include "engine/analysis_binding.h"
#include "models/atmosphere.h"
#include "sizing/sizing_chart.h"
#include "sizing/sizing_grid.h"
#include "sizing/sizing_table.h"
#include "sizing/weight_closure.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vededa {
namespace {

ProjectData defaultFighter(const char* file = "Vededa.RUZ") {
    ProjectData p = test::freshProject();
    EXPECT_TRUE(readProject(p, test::dataPath(file)));
    return p;
}

SizingSettings grid(float wsMin, float wsMax, int16_t wsCount, float twMin, float twMax, int16_t twCount) {
    SizingSettings s;
    s.wsMin = wsMin, s.wsMax = wsMax, s.wsCount = wsCount;
    s.twMin = twMin, s.twMax = twMax, s.twCount = twCount;
    return s;
}

// ---- The grid ---------------------------------------------------------------------------------

TEST(SizingGrid, PointsAreMinimumPlusIndexTimesStepAndZeroWingLoadingIsReplaced) {
    const std::vector<float> v = gridValues(0.4f, 2.0f, 41);
    ASSERT_EQ(v.size(), 41u);
    const float step = (2.0f - 0.4f) / 40.0f;
    for (int i = 0; i < 41; ++i)
        EXPECT_EQ(v[static_cast<std::size_t>(i)], 0.4f + static_cast<float>(i) * step);
    const SizingGrid g = sizingGrid(grid(0, 100, 11, 0, 1, 3));
    EXPECT_EQ(g.ws.front(), kSizingZeroWingLoading);
    EXPECT_EQ(g.ws[1], 10.0f);
    EXPECT_EQ(g.tw.front(), 0.0f);
    EXPECT_EQ(gridPointCount(20, 120, 2.5f), 41);
    EXPECT_EQ(gridPointCount(20, 120, 0), 0);
}

TEST(SizingGrid, DefaultsAreTheDiagramAxesWith41PointsAndRangesAreChecked) {
    const ProjectData p = defaultFighter();
    const SizingSettings s = effectiveSizingSettings(p);
    EXPECT_EQ(s.wsMin, p.wsAxis[1]);
    EXPECT_EQ(s.wsMax, p.wsAxis[2]);
    EXPECT_EQ(s.twMin, p.twAxis[1]);
    EXPECT_EQ(s.twMax, p.twAxis[2]);
    EXPECT_EQ(s.wsCount, 41);
    EXPECT_EQ(s.twCount, 41);
    EXPECT_FALSE(s.closure);
    struct Case {
        SizingSettings s;
        bool ok;
    } cases[] = {{grid(20, 120, 41, 0.4f, 2, 41), true},   {grid(120, 20, 41, 0.4f, 2, 41), false},
                 {grid(20, 20, 41, 0.4f, 2, 41), false},   {grid(-10, 20, 41, 0.4f, 2, 41), false},
                 {grid(20, 120, 1, 0.4f, 2, 41), false},   {grid(20, 120, 41, 0.4f, NAN, 41), false},
                 {grid(20, 120, 41, 0.4f, 2, 1000), false}};
    for (const Case& c : cases)
        EXPECT_EQ(sizingSettingsProblem(c.s).empty(), c.ok) << sizingSettingsProblem(c.s);
}

// ---- Constraints against a closed form -----------------------------------------------------------

/// A project with one type A cruise constraint at full thrust and a given thrust lapse (the "User Input
/// Values" thrust model), and no mission: T/W = q CD / ((W/S) alpha) with CL = (W/S) / q.
ProjectData oneCruiseConstraint(float alpha) {
    ProjectData p = defaultFighter();
    p.thrustModel = 6;
    p.constraintCount = 1;
    p.legCount = 0;
    Constraint& c = p.constraints[1];
    c.type = "A";
    c.name = "cruise";
    c.p[1] = 1;       // beta
    c.p[2] = 30000;   // altitude [ft]
    c.p[3] = 411.86f; // temperature [R]
    c.p[4] = 900;     // velocity [ft/s]
    c.p[9] = 0;       // CDR
    c.p[10] = 1;      // fraction of maximum thrust
    c.p[22] = alpha;  // thrust lapse
    c.p[23] = 0;
    return p;
}

double cruiseThrustLoading(ProjectData& p, double ws) {
    const Constraint& c = p.constraints[1];
    FlightCondition fc;
    fc.altitude = c.p[2];
    atmosphere(fc, p.units);
    const double theta = c.p[3] / p.units.TSL;
    const double rho = fc.delta / theta * p.units.rhoSL;
    const double v = c.p[4];
    const double q = rho * v * v / 2;
    const double mach = v / (p.units.aSL * std::sqrt(theta));
    const PolarCoefficients k = bindAnalysisModels(p).polar(static_cast<float>(mach));
    const double cl = ws / q;
    const double cd = k.k1 * cl * cl + k.k2 * cl + k.cd0;
    return q * cd / ws / c.p[22];
}

TEST(SizingConstraints, CruiseBoundaryMatchesClosedFormAndFeasibilityChangesAcrossIt) {
    ProjectData p = oneCruiseConstraint(0.5f);
    const SizingChart chart = calculateSizingChart(p, grid(20, 120, 11, 0.2f, 2.2f, 21));
    ASSERT_TRUE(chart.message.empty());
    ASSERT_EQ(chart.constraints.size(), 1u);
    const SizingConstraint& c = chart.constraints[0];
    EXPECT_FALSE(c.landing);
    for (std::size_t i = 0; i < chart.grid.ws.size(); ++i) {
        const double expected = cruiseThrustLoading(p, chart.grid.ws[i]);
        ASSERT_TRUE(c.values[i]);
        test::expectNear(*c.values[i], expected, 1e-4, "W/S " + std::to_string(chart.grid.ws[i]));
        // With no mission, a point is feasible exactly when its T/W is at or above the boundary.
        for (std::size_t j = 0; j < chart.grid.tw.size(); ++j) {
            const SizingCell& cell = chart.cell(i, j);
            EXPECT_TRUE(cell.flown);
            EXPECT_EQ(cell.feasible, chart.grid.tw[j] >= *c.values[i]) << i << "," << j;
        }
    }
    // Points a little above and below the boundary, evaluated alone, with their margins.
    for (float ws : {35.0f, 64.0f, 101.0f}) {
        const float tw = static_cast<float>(cruiseThrustLoading(p, ws));
        const SizingPoint above = evaluateSizingPoint(p, chart.settings, ws, tw * 1.01f);
        const SizingPoint below = evaluateSizingPoint(p, chart.settings, ws, tw * 0.99f);
        EXPECT_TRUE(above.feasible);
        EXPECT_FALSE(below.feasible);
        ASSERT_TRUE(above.margins.at(0).value);
        test::expectNear(*above.margins[0].value, 0.01 * tw, 2e-2);
    }
}

TEST(SizingConstraints, LandingGivesWingLoadingLimitsOverThrustLoading) {
    ProjectData p = defaultFighter();
    const SizingChart chart = calculateSizingChart(p, grid(20, 120, 21, 0.4f, 2, 9));
    bool found = false;
    for (const SizingConstraint& c : chart.constraints) {
        if (c.letter != "H") continue;
        found = true;
        EXPECT_TRUE(c.landing);
        ASSERT_EQ(c.values.size(), chart.grid.tw.size());
        // Without reverse thrust the landing limit does not depend on T/W; every W/S beyond it fails.
        for (std::size_t j = 0; j < c.values.size(); ++j) {
            ASSERT_TRUE(c.values[j]);
            EXPECT_FLOAT_EQ(*c.values[j], *c.values[0]);
            for (std::size_t i = 0; i < chart.grid.ws.size(); ++i)
                if (chart.grid.ws[i] > *c.values[j]) {
                    EXPECT_FALSE(chart.cell(i, j).meetsConstraints);
                }
        }
    }
    EXPECT_TRUE(found);
}

// ---- The mission against Breguet -----------------------------------------------------------------

TEST(SizingMission, OneCruiseLegFuelFractionIsBreguetWithConstantLiftToDragAndTsfc) {
    ProjectData p = defaultFighter();
    p.constraintCount = 0;
    p.legCount = 1;
    MissionLeg& leg = p.legs[1];
    leg = MissionLeg{};
    leg.type = "E";
    leg.name = "cruise";
    leg.p[1] = 30000; // altitude [ft]
    leg.p[2] = 0;     // standard temperature
    leg.p[4] = 0.9f;  // Mach
    FlightCondition fc;
    fc.altitude = 30000;
    atmosphere(fc, p.units);
    const double a = p.units.aSL * std::sqrt(static_cast<double>(fc.theta));
    leg.p[3] = static_cast<float>(0.9 * a); // velocity [ft/s]
    leg.p[15] = 500;                        // distance [nm]
    leg.p[16] = 1;
    p.betaStart[1] = 1;
    const SizingChart chart = calculateSizingChart(p, grid(40, 100, 4, 1.0f, 1.5f, 2));
    const AnalysisModels m = bindAnalysisModels(p);
    const PolarCoefficients k = m.polar(0.9f);
    const double c = m.tsfcCoefficient(0.9f, 0) * std::sqrt(static_cast<double>(fc.theta));
    const double rho = fc.sigma * p.units.rhoSL, v = leg.p[3], q = rho * v * v / 2;
    for (std::size_t j = 0; j < chart.grid.tw.size(); ++j)
        for (std::size_t i = 0; i < chart.grid.ws.size(); ++i) {
            const double cl = chart.grid.ws[i] / q;
            const double cd = k.k1 * cl * cl + k.k2 * cl + k.cd0;
            const double range = 500.0 * p.units.lengthPerDistance;
            const double expected = 1.0 - std::exp(-c * (cd / cl) * range / v / p.units.rateConstant);
            const SizingCell& cell = chart.cell(i, j);
            EXPECT_TRUE(cell.flown) << cell.failure;
            test::expectNear(cell.fuelFraction, expected, 1e-4);
            EXPECT_EQ(cell.wto, p.takeoffWeight());
        }
}

TEST(SizingMission, PayloadReleaseIsNotFuelAndLowThrustIsNotFlown) {
    ProjectData p = defaultFighter();
    const SizingChart chart = calculateSizingChart(p, grid(60, 70, 2, 0.4f, 1.6f, 2));
    // The default mission releases 1200 lb at leg 10; at T/W 1.6 it is flown, at 0.4 the engine is too small.
    const SizingCell& high = chart.cell(0, 1);
    const SizingCell& low = chart.cell(0, 0);
    EXPECT_TRUE(high.flown) << high.failure;
    EXPECT_FALSE(low.flown);
    EXPECT_NE(low.failure.find("Engine Too Small"), std::string::npos) << low.failure;
    EXPECT_FALSE(low.feasible);
    // The mission report at the project's own point: fuel used 5135 lb of 24000, payload 1200 excluded.
    const SizingPoint at = evaluateSizingPoint(p, chart.settings, p.wingLoading, p.thrustLoading);
    test::expectNear(at.fuelFraction, 5135.0 / 24000.0, 2e-3);
}

// ---- Weight closure ---------------------------------------------------------------------------

TEST(WeightClosure, ClosesAnalyticallyAndRefusesImpossibleFractions) {
    struct Case {
        float ff, a, c, fixed;
        bool closes;
        double expected; // W_TO, when it closes
    } cases[] = {
        {0.3f, 0.5f, 0.0f, 2000, true, 2000.0 / (1 - 0.3 - 0.5)}, // C = 0: W = Wf / (1 - ff - A)
        {0.0f, 0.4f, 0.0f, 600, true, 1000.0},
        {0.6f, 0.5f, 0.0f, 2000, false, 0}, // fuel + empty >= 1
        {0.5f, 0.5f, 0.0f, 2000, false, 0}, // exactly 1
        {0.3f, 0.5f, 0.0f, 0, false, 0},    // nothing to carry
        {NAN, 0.5f, 0.0f, 2000, false, 0},
    };
    for (const Case& k : cases) {
        const ClosureSolution s = closeWeights(k.ff, k.a, k.c, k.fixed);
        EXPECT_EQ(s.converged, k.closes) << k.ff << " " << k.a;
        if (k.closes) {
            test::expectNear(s.wto, k.expected, 1e-6);
        } else {
            EXPECT_NE(s.failure.find("Weights do not close"), std::string::npos);
        }
    }
    // A power law: the answer satisfies W = Wf / (1 - ff - A W^C).
    const ClosureSolution s = closeWeights(0.25f, 1.6f, -0.1f, 3200);
    ASSERT_TRUE(s.converged);
    test::expectNear(s.wto, 3200.0 / (1 - 0.25 - 1.6 * std::pow(static_cast<double>(s.wto), -0.1)), 1e-5);
}

TEST(WeightClosure, FighterClosesOnTheChartAndAnImpossibleOneSaysWhy) {
    ProjectData p = defaultFighter();
    SizingSettings s = grid(36, 42, 3, 2.4f, 2.8f, 3);
    s.closure = true;
    setDefaultClosure(s, p.unitSystem);
    const SizingChart chart = calculateSizingChart(p, s);
    const float fixed = s.crewWeight + s.payloadKept + s.payloadReleased;
    int closed = 0;
    for (const SizingCell& cell : chart.cells) {
        if (!cell.flown) continue;
        ASSERT_TRUE(cell.closed) << cell.failure;
        ++closed;
        // The weights add up at the closed W_TO with the mission flown at that weight.
        const double empty = s.emptyA * std::pow(static_cast<double>(cell.wto), s.emptyC);
        test::expectNear(cell.wto, fixed / (1.0 - cell.fuelFraction - empty), 1e-3);
    }
    EXPECT_GT(closed, 0);
    ASSERT_TRUE(chart.optimum);
    for (const SizingCell& cell : chart.cells)
        if (cell.feasible) {
            EXPECT_LE(chart.optimum->wto, cell.wto * (1 + 1e-6));
        }

    s.emptyA = 5; // the empty weight alone is more than the aircraft
    const SizingChart impossible = calculateSizingChart(p, s);
    for (const SizingCell& cell : impossible.cells) {
        EXPECT_FALSE(cell.closed);
        EXPECT_FALSE(cell.feasible);
        EXPECT_NE(cell.failure.find("Weights do not close"), std::string::npos) << cell.failure;
    }
    EXPECT_FALSE(impossible.optimum);
}

// ---- Optimum and threads ----------------------------------------------------------------------

TEST(SizingOptimum, IsFeasibleAndNoWorseThanAnyFeasibleGridPoint) {
    ProjectData p = defaultFighter();
    const SizingChart chart = calculateSizingChart(p, grid(20, 120, 21, 0.4f, 3.0f, 27));
    ASSERT_TRUE(chart.optimum);
    const SizingPoint& o = *chart.optimum;
    EXPECT_TRUE(o.feasible);
    ASSERT_EQ(o.margins.size(), static_cast<std::size_t>(p.constraintCount));
    for (const SizingMargin& m : o.margins) {
        ASSERT_TRUE(m.value);
        EXPECT_GE(*m.value, 0.0f) << m.number;
    }
    for (const SizingCell& cell : chart.cells)
        if (cell.feasible) {
            EXPECT_LE(o.fuelFraction, cell.fuelFraction + 1e-6f);
        }
    // The default fighter's optimum sits where the landing limit meets the supersonic turn.
    float smallest = INFINITY;
    for (const SizingMargin& m : o.margins)
        smallest = std::min(smallest, m.landing ? *m.value / 10 : *m.value);
    EXPECT_LT(smallest, 0.02f);
}

void expectSameCharts(const SizingChart& a, const SizingChart& b) {
    ASSERT_EQ(a.cells.size(), b.cells.size());
    for (std::size_t k = 0; k < a.cells.size(); ++k) {
        EXPECT_EQ(a.cells[k].fuelFraction, b.cells[k].fuelFraction) << k;
        EXPECT_EQ(a.cells[k].flown, b.cells[k].flown) << k;
        EXPECT_EQ(a.cells[k].feasible, b.cells[k].feasible) << k;
        EXPECT_EQ(a.cells[k].wto, b.cells[k].wto) << k;
    }
    ASSERT_EQ(a.optimum.has_value(), b.optimum.has_value());
    if (a.optimum) {
        EXPECT_EQ(a.optimum->ws, b.optimum->ws);
        EXPECT_EQ(a.optimum->tw, b.optimum->tw);
        EXPECT_EQ(a.optimum->fuelFraction, b.optimum->fuelFraction);
    }
}

TEST(SizingThreads, OneAndManyThreadsGiveIdenticalCharts) {
    for (const char* file : {"Vededa.RUZ", "Vededa_deck.RUZ"}) {
        SCOPED_TRACE(file);
        ProjectData p = defaultFighter(file);
        SizingSettings s = grid(30, 90, 7, 0.8f, 2.6f, 7);
        s.closure = std::string(file) == "Vededa.RUZ";
        setDefaultClosure(s, p.unitSystem);
        SizingRunOptions one, four;
        one.threads = 1;
        four.threads = 4;
        expectSameCharts(calculateSizingChart(p, s, one), calculateSizingChart(p, s, four));
    }
}

TEST(SizingThreads, CancelStopsTheChartAndProgressCounts) {
    ProjectData p = defaultFighter();
    SizingRunOptions o;
    o.threads = 2;
    int calls = 0, last = 0;
    o.progress = [&](int done, int total) {
        ++calls;
        EXPECT_GE(done, last);
        EXPECT_LE(done, total);
        last = done;
        return done < 40;
    };
    const SizingChart chart = calculateSizingChart(p, grid(20, 120, 21, 0.4f, 2, 21), o);
    EXPECT_TRUE(chart.cancelled);
    EXPECT_FALSE(chart.optimum);
    EXPECT_GT(calls, 0);
}

TEST(SizingChartReadout, InterpolatesMarginsBetweenGridPoints) {
    ProjectData p = oneCruiseConstraint(0.5f);
    const SizingChart chart = calculateSizingChart(p, grid(20, 120, 41, 0.2f, 2.2f, 41));
    const SizingPoint r = readSizingChart(chart, 63.3f, 1.0f);
    ASSERT_EQ(r.margins.size(), 1u);
    ASSERT_TRUE(r.margins[0].value);
    test::expectNear(1.0f - *r.margins[0].value, cruiseThrustLoading(p, 63.3), 5e-3);
}

TEST(SizingPoint, MarginsAloneMatchTheFullPointAndClaimNoMission) {
    const ProjectData p = defaultFighter();
    const SizingSettings s = effectiveSizingSettings(p);
    for (const auto& [ws, tw] :
         std::vector<std::pair<float, float>>{{42.4f, 2.34f}, {80, 1.5f}, {30, 0.6f}}) {
        const SizingPoint full = evaluateSizingPoint(p, s, ws, tw);
        const SizingPoint margins = evaluateSizingMargins(p, s, ws, tw);
        EXPECT_TRUE(full.missionComputed);
        EXPECT_FALSE(margins.missionComputed);
        EXPECT_FALSE(margins.feasible);
        ASSERT_EQ(margins.margins.size(), full.margins.size());
        for (std::size_t k = 0; k < full.margins.size(); ++k) {
            EXPECT_EQ(margins.margins[k].number, full.margins[k].number);
            EXPECT_EQ(margins.margins[k].value, full.margins[k].value) << ws << " " << tw << " #" << k + 1;
        }
    }
}

TEST(SizingTable, OneRowPerGridPointWithUnitsAndNoNumberWhereThereIsNoFigure) {
    const ProjectData p = defaultFighter();
    const SizingChart c = calculateSizingChart(p, grid(20, 120, 3, 0.4f, 2.4f, 3));
    const DataTable t = sizingGridTable(p, c);
    ASSERT_EQ(t.columns.size(), 6u + 12u);
    EXPECT_EQ(t.columns[0].key, "ws");
    EXPECT_EQ(t.columns[0].unit, "psf");
    EXPECT_EQ(t.columns[5].unit, "lbf");
    ASSERT_EQ(t.rows.size(), 9u);
    for (std::size_t k = 0; k < c.constraints.size(); ++k) {
        EXPECT_EQ(t.columns[6 + k].key, "margin_" + std::to_string(c.constraints[k].number));
        EXPECT_EQ(t.columns[6 + k].unit, c.constraints[k].landing ? "psf" : "");
    }
    bool failed = false, flown = false;
    for (std::size_t j = 0; j < 3; ++j)
        for (std::size_t i = 0; i < 3; ++i) {
            const std::vector<DataValue>& row = t.rows[j * 3 + i];
            const SizingCell& x = c.cell(i, j);
            EXPECT_EQ(std::get<double>(row[0]), c.grid.ws[i]);
            EXPECT_EQ(std::get<double>(row[1]), c.grid.tw[j]);
            EXPECT_EQ(std::get<double>(row[2]), x.flown ? 1.0 : 0.0);
            EXPECT_EQ(std::get<double>(row[4]), x.feasible ? 1.0 : 0.0);
            if (x.flown) {
                flown = true;
                EXPECT_EQ(std::get<double>(row[3]), x.fuelFraction);
                EXPECT_EQ(std::get<double>(row[5]), x.wto);
            } else {
                // A failed mission has no fuel fraction and no weight: empty cells, not zeros.
                failed = true;
                EXPECT_EQ(std::get<std::string>(row[3]), "");
                EXPECT_EQ(std::get<std::string>(row[5]), "");
            }
            for (std::size_t k = 0; k < c.constraints.size(); ++k) {
                const SizingConstraint& sc = c.constraints[k];
                const std::optional<float>& v = sc.values[sc.landing ? j : i];
                ASSERT_TRUE(v.has_value());
                EXPECT_FLOAT_EQ(static_cast<float>(std::get<double>(row[6 + k])),
                                sc.landing ? *v - c.grid.ws[i] : c.grid.tw[j] - *v);
            }
        }
    EXPECT_TRUE(failed);
    EXPECT_TRUE(flown);
    // The shared writers never write a non-number for the empty cells.
    const std::string csv = toCsv(t);
    EXPECT_EQ(csv.rfind("ws [psf],tw,flown,fuel_fraction,feasible,wto [lbf],margin_1,", 0), 0u);
    EXPECT_EQ(csv.find("nan"), std::string::npos);
}

} // namespace
} // namespace vededa
