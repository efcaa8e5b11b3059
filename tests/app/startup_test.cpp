#include "app/project_data.h"
#include "app/startup.h"
#include "app/status_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace vededa {
namespace {

TEST(Startup, DefaultFilesInTheCurrentDirectory) {
    EXPECT_EQ(defaultProjectPath("C:\\VEDEDA", '\\'), "C:\\VEDEDA\\Vededa.RUZ");
    // A drive root already ends in the separator: no second one before the project file...
    EXPECT_EQ(defaultProjectPath("C:\\", '\\'), "C:\\Vededa.RUZ");
    // ...but the picture path always gets one.
    EXPECT_EQ(defaultPicturePath("C:\\", '\\'), "C:\\\\R119ize.ROZ");
    EXPECT_EQ(defaultProjectPath("/home/pilot"), "/home/pilot/Vededa.RUZ");
    EXPECT_EQ(defaultProjectPath("/"), "/Vededa.RUZ");
    EXPECT_EQ(
        missingProjectMessage("/tmp"),
        "Your default Vededa Data file (Vededa.RUZ) is not in current directory (/tmp) !!!  Click the OK "
        "button to continue and find this file.");
}

TEST(Startup, SplashWaitsFiveSecondsAcrossTheMinute) {
    EXPECT_EQ(splashTargetSecond(10), 15);
    EXPECT_EQ(splashTargetSecond(54), 59);
    EXPECT_EQ(splashTargetSecond(55), 0);
    EXPECT_EQ(splashTargetSecond(57), 2);
}

TEST(Startup, DefaultsOfANewProject) {
    const ProjectData p = test::freshProject();
    EXPECT_EQ(p.unitSystem, kEnglish);
    EXPECT_EQ(p.dragModel, 0);
    EXPECT_EQ(p.thrustModel, 0);
    EXPECT_EQ(p.constraintCount, 0);
    EXPECT_EQ(p.legCount, 0);
    EXPECT_EQ(p.currentLeg, 1);
    EXPECT_EQ(p.throttleRatio, 1.0f);
    EXPECT_EQ(p.contour.qMax, 2133.0f);
    EXPECT_EQ(p.engine.setup[kSetupEngineCount], 1);
    EXPECT_EQ(p.engine.controls[8], 0.0909f);
    for (const Constraint& c : p.constraints) {
        EXPECT_EQ(c.type, "A");
        EXPECT_EQ(c.p[3], 518.69f);
        EXPECT_EQ(c.p[22], -0.2f);
        EXPECT_EQ(c.p[24], 0.0f);
    }
    EXPECT_EQ(p.labels.limitNames[11], " Eng. Size");
    EXPECT_EQ(p.labels.legTypeNames[13], "M - Descend (Ps < 0)");
    // With nothing loaded the status panel reads as the empty project.
    EXPECT_EQ(dragStatusText(p), "");
    EXPECT_EQ(engineStatusText(p), "Thrust: 0, TR = 1,\r\nTSFC: 0");
    EXPECT_EQ(unitsStatusText(p), "Units: English");
}

TEST(StatusText, EngineTextFollowsTheModels) {
    ProjectData p = test::freshProject();
    p.thrustModel = 3;
    p.tsfcModel = 2;
    p.afterburner = 1;
    p.throttleRatio = 1.07f;
    EXPECT_EQ(engineStatusText(p),
              "Thrust: 3 - Advanced Tjet, AB on, TR = 1.07,\r\nTSFC: 2 - Low BP Mixed Tfan");
    p.thrustModel = 6;
    p.tsfcModel = 6;
    EXPECT_EQ(engineStatusText(p), "Thrust: 6 - User Input Values,\r\nTSFC: 6 - User Input Values");
    p.thrustModel = 7;
    p.engine.fileName = "F100.REF";
    EXPECT_EQ(engineStatusText(p), "Engine: File - F100.REF");
    p.dragModel = 5;
    EXPECT_EQ(dragStatusText(p), "Drag: 5 - Future Fighter");
}

} // namespace
} // namespace vededa
