// Constraints with the cycle deck as the thrust model.
#include "app/project_file.h"
#include "constraint/constraint_calculation.h"
#include "engine/cycle_deck_model.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vededa {
namespace {

TEST(ConstraintDeck, CruiseUsesTheSizedDeckLapse) {
    ProjectData p = test::freshProject();
    ASSERT_TRUE(readProject(p, test::dataPath("Vededa_deck.RUZ")).ok);
    const ConstraintOutcome first = calculateConstraint(p, 1);
    ASSERT_TRUE(first.failure.empty()) << first.failure;
    EXPECT_NEAR(p.engine.thrustScale, 0.6f, 1e-4f);
    // The lapse of the constraint's flight condition, from the deck directly.
    const Constraint& c = p.constraints[1];
    FlightCondition fc;
    fc.altitude = c.p[2];
    atmosphere(fc, p.units);
    fc.theta = c.p[3] / p.units.TSL;
    fc.mach = c.p[4] / (p.units.aSL * std::sqrt(fc.theta));
    EngineModelValues values;
    std::string messages;
    cycleDeckLapse(values, fc, p, static_cast<int16_t>(c.p[23]), messages);
    test::expectNear(first.alpha, values.alpha, 1e-5, "alpha");
    ASSERT_FALSE(first.rows.empty());
    const ConstraintPointRow& row = first.rows.back();
    test::expectNear(row.thrustLoading, c.p[1] / (values.alpha * c.p[10]) * row.cd / row.cl, 1e-5, "T/W");
    // Every constraint of the example project computes without a failure line.
    for (int16_t n = 2; n <= p.constraintCount; ++n) {
        const ConstraintOutcome out = calculateConstraint(p, n);
        EXPECT_TRUE(out.failure.empty()) << "constraint " << n << ": " << out.failure;
        EXPECT_EQ(out.engineMessages.find("converge"), std::string::npos) << out.engineMessages;
    }
}

} // namespace
} // namespace vededa
