// Contour grids through the cycle deck: every bundled engine over the cycle-deck project's velocity-altitude
// field, and the largest Ps grid of the fighter, have an engine solution at every point of the engine's
// operating envelope.
#include "app/project_file.h"
#include "contour/contour_grid.h"
#include "contour/contour_overlays.h"
#include "engine/analysis_binding.h"
#include "engine/reference_file.h"
#include "models/atmosphere.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vededa {
namespace {

struct FieldCase {
    const char* file;
    float machMin, machMax; ///< the engine's operating Mach range
    int16_t quantity;
};

ProjectData deckProjectWith(const FieldCase& fc) {
    ProjectData p = test::freshProject();
    EXPECT_TRUE(readProject(p, test::dataPath("Vededa_deck.RUZ")).ok);
    const ReferenceReadResult r = ReadReferenceFile(p, test::dataPath(fc.file));
    EXPECT_TRUE(r.ok) << r.message;
    p.contour.quantity = fc.quantity;
    p.contour.afterburner = p.engine.setup[kSetupEngineType] == 2 || p.engine.setup[kSetupEngineType] == 5;
    return p;
}

/// The failed cells inside the envelope: Mach within the engine's range, the speed above the stall speed of
/// the plot's load factor, weight fraction and maximum lift coefficient (beyond the dynamic-pressure limit
/// the deck is not run).
std::string failuresInEnvelope(const ProjectData& p, const ContourCalculation& calc, const FieldCase& fc,
                               int& inside) {
    std::ostringstream list;
    inside = 0;
    const ContourSettings& c = p.contour;
    for (std::size_t r = 0; r < calc.failed.size(); ++r) {
        FlightCondition at;
        at.altitude = (c.altitude[1] + static_cast<float>(r) * c.altitude[3]) * 1000.0f;
        atmosphere(at, p.units);
        for (std::size_t j = 0; j < calc.failed[r].size(); ++j) {
            if (!calc.failed[r][j]) continue;
            const float v = c.velocity[1] + static_cast<float>(j) * c.velocity[3];
            const float mach = v / at.soundSpeed;
            if (mach < fc.machMin || mach > fc.machMax) continue;
            const float q = 0.5f * at.sigma * p.units.rhoSL * v * v;
            if (q < c.loadFactor * c.beta * p.wingLoading / c.clMax) continue;
            if (0.7f * p.units.PSL * at.delta * mach * mach > 1.3f * c.qMax) continue;
            ++inside;
            list << "  " << at.altitude << " ft, " << v << " ft/s (M " << mach << ")\n";
        }
    }
    return list.str();
}

class DeckContourField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(DeckContourField, NoPointOfTheEnvelopeWithoutEngineSolution) {
    const FieldCase fc = GetParam();
    ProjectData p = deckProjectWith(fc);
    const AnalysisModels models = bindAnalysisModels(p);
    const ContourCalculation calc = calculateContourGrid(p, models, plotAreaOf(9000, 6000));
    ASSERT_TRUE(calc.message.empty()) << calc.message;
    int inside = 0;
    const std::string list = failuresInEnvelope(p, calc, fc, inside);
    EXPECT_EQ(inside, 0) << fc.file << " (" << calc.failedPoints << " failed in all)\n"
                         << list << calc.firstFailure;
}

INSTANTIATE_TEST_SUITE_P(BundledEngines, DeckContourField,
                         ::testing::Values(FieldCase{"fighter_ab.REF", 0, 2, kContourPs},
                                           FieldCase{"fighter_ab.REF", 0, 2, kContourRangeFactor},
                                           FieldCase{"turbojet.REF", 0, 2, kContourPs},
                                           FieldCase{"turbojet_ab.REF", 0, 2, kContourPs},
                                           FieldCase{"turbofan_hbp.REF", 0, 0.9f, kContourRangeFactor},
                                           FieldCase{"turbofan_mixed.REF", 0, 2, kContourRangeFactor},
                                           FieldCase{"turboprop.REF", 0, 0.75f, kContourRangeFactor},
                                           FieldCase{"ramjet.REF", 1, 2, kContourPs}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.')) + "_" +
                                    std::to_string(info.param.quantity);
                         });

TEST(DeckContourField, LargestPsGridOfTheFighterHasNoFailedPoint) {
    ProjectData p = deckProjectWith({"fighter_ab.REF", 0, 3, kContourPs});
    p.contour.velocity[1] = 0;
    p.contour.velocity[2] = 2000;
    p.contour.velocity[3] = 20;
    p.contour.altitude[1] = 0;
    p.contour.altitude[2] = 60;
    p.contour.altitude[3] = 0.6f;
    const ContourCalculation calc = calculateContourGrid(p, bindAnalysisModels(p), plotAreaOf(9000, 6000));
    ASSERT_TRUE(calc.message.empty()) << calc.message;
    int inside = 0;
    const std::string list = failuresInEnvelope(p, calc, {"fighter_ab.REF", 0, 3, kContourPs}, inside);
    EXPECT_EQ(inside, 0) << list << calc.firstFailure;
}

} // namespace
} // namespace vededa
