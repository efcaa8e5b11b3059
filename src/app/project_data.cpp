#include "app/project_data.h"

namespace vededa {

namespace {

constexpr OneBased<float, kConstraintParameters> makeConstraintDefaults() {
    OneBased<float, kConstraintParameters> d;
    const float values[] = {0.95f, 0.0f, 518.69f, 1500.0f, 1.0f,    0.0f,  0.0f,    0.0f,
                            0.0f,  1.0f, 1.2f,    0.07f,   3.0f,    50.0f, 1800.0f, 1.1f,
                            0.2f,  3.0f, 1.2f,    50.0f,   1800.0f, -0.2f, 1.0f};
    for (int i = 0; i < kConstraintParameters; ++i) d[i + 1] = values[i];
    return d;
}

} // namespace

const OneBased<float, kConstraintParameters> kConstraintDefaults = makeConstraintDefaults();

void initializeProject(ProjectData& project) {
    project = ProjectData{};
    buildLabelTables(project.labels);
    // Every slot starts as type "A" with an empty name (the record's own defaults) and these values.
    for (Constraint& c : project.constraints) {
        for (int i = 1; i <= kConstraintParameters; ++i) c.p[i] = kConstraintDefaults[i];
    }
    EngineData& e = project.engine;
    e.setup[kSetupEngineCount] = 1;
    e.setup[kSetupLossModel] = 1;
    e.thrustScale = 1;
    e.controls[8] = 0.0909f; // constant installation loss
    e.controls[11] = 30;     // compressor pressure ratio limit
    e.controls[12] = 500;    // Pt3 limit [psia]
    e.controls[13] = 1600;   // Tt3 limit [R]
    e.controls[14] = 105;    // LP spool speed limit [%]
    e.controls[15] = 105;    // HP spool speed limit [%]
    e.controls[16] = 10;     // inlet capture area [ft^2]
    e.controls[17] = 10;     // afterbody area [ft^2]
    e.controls[18] = 3;      // afterbody length [ft]
    setupUnits(project);
}

void deriveAircraftValues(ProjectData& project) {
    const float wto = project.takeoffWeight();
    if (project.wingLoading != 0.0f) project.wingArea = wto / project.wingLoading;
    project.seaLevelThrust = project.thrustLoading * wto;
}

} // namespace vededa
