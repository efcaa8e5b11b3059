// Mission legs through the cycle deck, checked against the deck's own outputs.
#include "app/project_file.h"
#include "engine/analysis_binding.h"
#include "engine/cycle_deck_model.h"
#include "engine/installation_loss.h"
#include "engine/reference_file.h"
#include "mission/mission_calculation.h"
#include "mission/mission_report.h"
#include "models/atmosphere.h"
#include "output/number_format.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vededa {
namespace {

ProjectData deckProject() {
    ProjectData p = test::freshProject();
    EXPECT_TRUE(readProject(p, test::dataPath("Vededa.RUZ")).ok);
    const ReferenceReadResult r = ReadReferenceFile(p, test::dataPath("fighter_ab.REF"));
    EXPECT_TRUE(r.ok) << r.message;
    p.engine.setup[kSetupEngineCount] = 2;
    p.engine.setup[kSetupLossModel] = kConstantLoss;
    p.legCount = 0;
    return p;
}

MissionLeg& addLeg(ProjectData& p, const char* type) {
    p.legCount = static_cast<int16_t>(p.legCount + 1);
    MissionLeg& leg = p.legs[static_cast<std::size_t>(p.legCount)];
    leg = MissionLeg{};
    leg.type = type;
    leg.p[19] = p.engine.tt4MaxSetting;
    leg.p[20] = p.engine.tt7MaxSetting;
    return leg;
}

TEST(MissionDeck, WarmUpBurnsWhatTheDeckSays) {
    ProjectData p = deckProject();
    MissionLeg& warm = addLeg(p, "I");
    warm.p[2] = 518.69f;
    warm.p[16] = 60;
    const std::string report = computeMission(p, bindAnalysisModels(p));
    ASSERT_EQ(report.find("NoSolution"), std::string::npos) << report;
    // The same deck run by hand: sea-level static, full throttle, dry.
    std::string messages;
    const DeckRun run = runDeckAt(p, 0.0f, 0.0f, 518.69f, 2116.224f / 144.0f, p.engine.tt4MaxSetting, 0.0f, 1,
                                  0.0f, messages);
    const double phi = p.engine.controls[8];
    const double c = run.S / (1.0 - phi);
    const double twAvailable = (1.0 - phi) * run.F * 2.0 / p.takeoffWeight();
    test::expectNear(p.missionResults.pi[1], 1.0 - c * twAvailable * 60.0 / 1.0 / 3600.0, 1e-6, "PI");
    test::expectNear(p.missionResults.thrustAvailable[1], twAvailable * p.takeoffWeight(), 1e-5, "thrust");
    EXPECT_EQ(p.missionResults.limit[1], " Tt4      ");
    EXPECT_NE(report.find("          Tt4      = 3.200E+03 R       Limit    =  Tt4      "), std::string::npos)
        << report;
}

TEST(MissionDeck, CruiseMatchesTheRequiredThrust) {
    ProjectData p = deckProject();
    MissionLeg& e = addLeg(p, "E");
    e.p[1] = 30000;
    e.p[2] = 411.86f;
    e.p[3] = 900;
    e.p[4] = 0.9f;
    e.p[15] = 100;
    const std::string report = computeMission(p, bindAnalysisModels(p));
    const MissionResults& r = p.missionResults;
    EXPECT_NE(report.find("          One Engine Uninstalled Thrust ="), std::string::npos);
    EXPECT_EQ(r.limit[1], " Thrust   ") << report;
    EXPECT_FLOAT_EQ(r.thrustAvailable[1], r.thrustRequired[1]);
    // The fuel used follows from the deck's specific fuel consumption at the matched thrust.
    std::string messages;
    const double phi = p.engine.controls[8];
    const double theta = 411.86 / 518.69;
    FlightCondition fc;
    fc.altitude = 30000;
    atmosphere(fc, p.units);
    const DeckRun run = runDeckAt(p, 0.9f, 30000, 411.86f, fc.pressure / 144.0f, p.engine.tt4MaxSetting, 0.0f,
                                  2, static_cast<float>(r.thrustRequired[1] / (1.0 - phi) / 2.0), messages);
    // The second deck call starts from the first one's state: equal within the iteration tolerances.
    test::expectNear(r.tsfc[1], run.S / (1.0 - phi), 1e-4, "installed TSFC");
    const double rho = fc.delta / theta * 0.0023768;
    const double q = 0.5 * rho * 900.0 * 900.0;
    const double cl = 64.0 / q;
    const double cdcl = r.thrustRequired[1] / (q * p.wingArea) / cl;
    const double pi = std::exp(-run.S / (1.0 - phi) * cdcl * 100.0 * 6080.0 / 900.0 / 3600.0);
    test::expectNear(r.pi[1], pi, 1e-4, "PI");
}

// An installation loss of 1 or more leaves no installed thrust: the leg says so instead of dividing
// by the thrust that is left, whether the deck is matched to a demand (cruise) or runs at full throttle.
TEST(MissionDeck, LossThatLeavesNoThrustRefusesTheLeg) {
    struct Case {
        int16_t model;
        float loss;
        const char* leg;
    };
    for (const Case& c : {Case{kConstantLoss, 1.0f, "E"}, Case{kConstantLoss, 1.5f, "I"},
                          Case{kPerLegLoss, 1.0f, "E"}, Case{kPerLegLoss, 1.0f, "I"}}) {
        ProjectData p = deckProject();
        p.engine.setup[kSetupLossModel] = c.model;
        p.engine.controls[8] = c.loss;
        MissionLeg& leg = addLeg(p, c.leg);
        leg.p[1] = 30000;
        leg.p[2] = 411.86f;
        leg.p[3] = 900;
        leg.p[4] = 0.9f;
        leg.p[15] = 100;
        leg.p[16] = 60;
        leg.p[21] = c.loss;
        const long before = nonFiniteOutputCount();
        const std::string report = computeMission(p, bindAnalysisModels(p));
        EXPECT_NE(report.find("the installation loss must be below 1"), std::string::npos)
            << c.leg << " " << c.loss << "\n"
            << report;
        EXPECT_EQ(nonFiniteOutputCount(), before) << report;
    }
}

TEST(MissionDeck, ExampleProjectFliesEveryLeg) {
    ProjectData p = test::freshProject();
    ASSERT_TRUE(readProject(p, test::dataPath("Vededa_deck.RUZ")).ok);
    const std::string report = computeMission(p, bindAnalysisModels(p));
    EXPECT_EQ(report.find("****"), std::string::npos) << "no failure or too-small engine line";
    EXPECT_NEAR(p.engine.thrustScale, 0.6f, 1e-4f); // 30000 lb over two engines of 25000 lb
    for (int i = 1; i <= p.legCount; ++i)
        EXPECT_NE(p.missionResults.limit[static_cast<std::size_t>(i)], "NoSolution") << "leg " << i;
}

/// A leg the engine cannot fly at full throttle: its thrust, TSFC and summary column are the engine's.
struct SmallEngineLeg {
    const char* type;
    float altitude, temperature, velocity, mach, loadFactor;
};

class TooSmallEngine : public ::testing::TestWithParam<SmallEngineLeg> {};

TEST_P(TooSmallEngine, LegReportsWhatTheEngineGives) {
    const SmallEngineLeg l = GetParam();
    ProjectData p = deckProject();
    p.thrustLoading = 0.12f; // engines sized to a twelfth of the weight: too small to hold the leg
    p.seaLevelThrust = p.thrustLoading * p.takeoffWeight();
    MissionLeg& leg = addLeg(p, l.type);
    leg.p[1] = l.altitude;
    leg.p[2] = l.temperature;
    leg.p[3] = l.velocity;
    leg.p[4] = l.mach;
    leg.p[8] = l.loadFactor;
    leg.p[9] = 1;    // turns
    leg.p[15] = 100; // cruise distance
    leg.p[16] = 600; // loiter time
    const std::string report = computeMission(p, bindAnalysisModels(p));
    const MissionResults& r = p.missionResults;
    ASSERT_EQ(r.limit[1], " Eng. Size") << report;
    EXPECT_NE(report.find("**** Engine Too Small, Unnstalled Thrust ="), std::string::npos) << report;
    // The engine's full-throttle installed thrust at the leg's condition, not the demanded thrust.
    FlightCondition fc;
    fc.altitude = l.altitude;
    atmosphere(fc, p.units);
    fc.mach = r.mach[1];
    fc.theta = l.temperature / 518.69f;
    EngineModelValues full;
    std::string messages;
    ProjectData sized = p;
    cycleDeckLapse(full, fc, sized, 0, messages);
    const double installed = full.alpha * p.seaLevelThrust;
    EXPECT_LT(r.thrustAvailable[1], 0.99 * r.thrustRequired[1]);
    test::expectNear(r.thrustAvailable[1], installed, 1e-4, "thrust the engine gives");
    test::expectNear(r.tsfc[1], full.c * std::sqrt(fc.theta), 1e-4, "TSFC at full throttle");
    // The summary's installed-thrust column carries the same figure.
    const std::string summary = missionSummary(p, 2);
    EXPECT_NE(summary.find(FormatField(r.thrustAvailable[1], 0)), std::string::npos) << summary;
    EXPECT_EQ(summary.find(FormatField(r.thrustRequired[1], 0) + " " + FormatField(r.thrustRequired[1], 0)),
              std::string::npos)
        << summary;
}

INSTANTIATE_TEST_SUITE_P(MatchedLegs, TooSmallEngine,
                         ::testing::Values(SmallEngineLeg{"E", 30000, 411.86f, 900, 0.9f, 1},
                                           SmallEngineLeg{"F", 30000, 411.86f, 900, 0.9f, 5},
                                           SmallEngineLeg{"H", 30000, 411.86f, 0, 0, 1}),
                         [](const auto& info) { return std::string(info.param.type); });

} // namespace
} // namespace vededa
