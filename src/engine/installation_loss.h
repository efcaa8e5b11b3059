#pragma once

#include <cstdint>
#include <string>

namespace vededa {

/// Installation-loss models of `EngineSetup[9]`.
inline constexpr int16_t kConstantLoss = 1;   ///< "Constant Loss for Each Leg": `EngineControls[8]`
inline constexpr int16_t kPerLegLoss = 2;     ///< offered, no effect of its own
inline constexpr int16_t kCorrelatedLoss = 3; ///< inlet and nozzle correlations ("Loss Model of Chapter 6")

/// Result of one loss correlation: the loss as a fraction of the uninstalled thrust, or a failure when
/// the operating point gives no thrust to refer the loss to.
struct LossResult {
    float phi = 0;
    bool valid = true;
    std::string failure;
    float afterbodyParameter = 0; ///< nozzle loss: the afterbody parameter a
    float dragCoefficient = 0;    ///< nozzle loss: the afterbody drag coefficient C_D
};

/// Inlet (spillage) loss at one operating point, with a fixed ratio of specific heats 1.4.
/// `specificThrust` F/m0 [lbf/(lbm/s) or N/(kg/s)], `a0` ambient speed of sound, `A0` free-stream capture
/// area of the engine flow, `A1` the inlet capture area (enlarged to the capture area for this call when
/// it is too small, with two warning lines appended to `report`), `gc` of the unit system.
/// M0 below 0.01 is taken as 0.01.
LossResult InletLoss(float specificThrust, float M0, float a0, float A0, float& A1, int16_t lossModel,
                     float gc, int16_t unitSystem, std::string& report);

/// Afterbody and nozzle loss from the three afterbody drag tables: subsonic below Mach 0.8 (by the
/// afterbody parameter and D9/D10), transonic from 0.8 to 1.2 (by Mach and L/D10), supersonic above 1.2
/// (by the afterbody parameter and A9/A10, with the supersonic factor). `A9` nozzle exit area, `A10`
/// afterbody area, `L` afterbody length.
LossResult NozzleLoss(float specificThrust, float M0, float a0, float A0, float A9, float A10, float L,
                      float gc);

/// The afterbody drag coefficient of the tables at Mach `M0` for the afterbody parameter `a`, the diameter
/// ratio D9/D10, the length ratio L/D10 and the area ratio A9/A10.
float afterbodyDragCoefficient(float M0, float a, float diameterRatio, float lengthRatio, float areaRatio);

} // namespace vededa
