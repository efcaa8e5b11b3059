#include "app/project_history.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace vededa {
namespace {

TEST(ProjectHistory, RestoredInputsKeepTheResultsAndTheFile) {
    ProjectData inputs = test::freshProject();
    inputs.constraintCount = 2;
    inputs.currentConstraint = 2;
    ProjectData project = inputs;
    project.constraintCount = 3;
    project.constraints[1].p[2] = 30000;
    project.afterburner = 1;
    project.engine.controls[1] = 0.01f; // an operating condition a series left behind
    project.currentConstraint = 3;
    project.projectPath = "/work/saved.RUZ";
    project.constraintPoints[1].count = 7;
    project.constraintPlotMade = true;
    project.betaStart[5] = 0.8f;

    ProjectData undone = project;
    restoreInputs(undone, inputs, KeepNavigation::No);
    EXPECT_EQ(inputFingerprint(undone), inputFingerprint(inputs));
    EXPECT_EQ(undone.currentConstraint, 2);
    EXPECT_EQ(undone.projectPath, "/work/saved.RUZ");
    EXPECT_EQ(undone.constraintPoints[1].count, 7);
    EXPECT_TRUE(undone.constraintPlotMade);
    EXPECT_EQ(undone.betaStart[5], 0.8f);

    ProjectData calculated = project;
    restoreInputs(calculated, inputs, KeepNavigation::Yes);
    EXPECT_EQ(calculated.currentConstraint, 3);
    EXPECT_EQ(calculated.afterburner, 0);
    EXPECT_EQ(calculated.engine.controls[1], inputs.engine.controls[1]);
}

TEST(ProjectHistory, FingerprintSeesEveryKindOfInput) {
    const ProjectData base = test::freshProject();
    const std::string fingerprint = inputFingerprint(base);
    const std::vector<std::function<void(ProjectData&)>> edits = {
        [](ProjectData& p) { p.constraintCount = 1; },
        [](ProjectData& p) {
            p.legs[1].name = "out";
            p.legCount = 1;
        },
        [](ProjectData& p) { p.engine.test.seriesStep = 0.1f; },
        [](ProjectData& p) { p.contour.levelIncrement = 2; },
        [](ProjectData& p) { p.afterburner = 1; },
        [](ProjectData& p) { p.engine.setup[kSetupEngineCount] = 2; },
        [](ProjectData& p) { p.engine.tt4MaxSetting = 3200; },
    };
    for (std::size_t i = 0; i < edits.size(); ++i) {
        ProjectData p = base;
        edits[i](p);
        EXPECT_NE(inputFingerprint(p), fingerprint) << "edit " << i;
    }
    ProjectData moved = base;
    moved.currentConstraint = 5; // showing another constraint is no change
    moved.constraintPoints[2].count = 3;
    EXPECT_EQ(inputFingerprint(moved), fingerprint);
}

TEST(ProjectHistory, SavedTextCarriesTheTemperatureLimitSettings) {
    ProjectData p = test::freshProject();
    p.thrustModel = 7;
    p.tsfcModel = 7;
    const std::string before = savedProjectText(p);
    p.engine.tt4MaxSetting = 3456;
    EXPECT_NE(savedProjectText(p), before);
    EXPECT_NE(savedProjectText(p).find(" 3456 "), std::string::npos);
}

} // namespace
} // namespace vededa
