#include "models/tsfc.h"

#include <cmath>

namespace vededa {

bool isAlgebraicTsfcModel(int16_t model) {
    return model >= 1 && model <= 6;
}

void TsfcModel(EngineModelValues& values, const FlightCondition& fc, const ProjectData& project) {
    if (!isAlgebraicTsfcModel(project.tsfcModel)) return;
    const float m0 = fc.mach;
    const bool afterburner = project.afterburner == 1;
    float c = 1.0f;
    switch (project.tsfcModel) {
    case 1:
        c = 0.5f + 0.6f * m0;
        break;
    case 2:
        c = afterburner ? 1.8f + 0.3f * m0 : 1.0f + 0.35f * m0;
        break;
    case 3:
        c = afterburner ? 1.7f + 0.26f * m0 : 1.3f + 0.35f * m0;
        break;
    case 4:
        c = 0.2f + 0.9f * m0;
        break;
    case 5: { // A + B |M0 - Mr|^n
        const OneBased<float, 4>& u = project.userTsfc;
        c = u[1] + u[2] * std::pow(std::fabs(m0 - u[4]), u[3]);
        break;
    }
    default:
        c = 1.0f;
        break; // user values
    }
    if (project.unitSystem == kSI) c *= kTsfcSiFactor;
    values.c = c;
}

} // namespace vededa
