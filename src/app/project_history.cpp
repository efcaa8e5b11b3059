#include "app/project_history.h"

#include "app/project_file.h"

#include <sstream>

namespace vededa {

std::string savedProjectText(const ProjectData& project) {
    if (project.thrustModel != 7) return projectText(project);
    ProjectData copy = project;
    copy.engine.controls[5] = copy.engine.tt4MaxSetting;
    copy.engine.controls[6] = copy.engine.tt7MaxSetting;
    return projectText(copy);
}

std::string inputFingerprint(const ProjectData& project) {
    std::ostringstream out;
    out.precision(9);
    out << savedProjectText(project) << '\n';
    // Inputs the project file does not hold.
    const EngineTestSettings& t = project.engine.test;
    out << t.percent << ' ' << t.seriesVariable << ' ' << t.seriesMin << ' ' << t.seriesMax << ' '
        << t.seriesStep << ' ' << t.interfaceMach1 << ' ' << t.interfaceMach2 << ' ' << t.interfaceMach7
        << '\n';
    const ContourSettings& c = project.contour;
    out << c.loadFactor << ' ' << c.clMax << ' ' << c.qMax << ' ' << c.thrustFraction << ' ' << c.quantity
        << ' ' << c.theta0Lines << ' ' << c.lineWidth << ' ' << c.levelMin << ' ' << c.levelMax << ' '
        << c.levelIncrement << '\n';
    out << project.afterburner << ' ' << project.plotLineWidth << ' ' << project.engine.tt4MaxSetting << ' '
        << project.engine.tt7MaxSetting << ' ' << project.engine.setup[kSetupThrottleMode] << '\n';
    for (int i = 6; i <= 9; ++i) out << project.engine.setup[static_cast<std::size_t>(i)] << ' ';
    for (int i = 1; i <= 18; ++i) out << project.engine.controls[static_cast<std::size_t>(i)] << ' ';
    out << '\n' << project.picturePath << '\n';
    return out.str();
}

void restoreInputs(ProjectData& project, const ProjectData& inputs, KeepNavigation navigation) {
    ProjectData next = inputs;
    // Results and working values belong to the calculations, not to the inputs.
    next.constraintPoints = project.constraintPoints;
    next.lastThrustLoading = project.lastThrustLoading;
    next.resultsItem = project.resultsItem;
    next.missionResults = project.missionResults;
    for (std::size_t i = 2; i <= 31; ++i) next.betaStart[i] = project.betaStart[i];
    next.flight = project.flight;
    next.engine.thrustScale = project.engine.thrustScale;
    next.engine.airMassFlow = project.engine.airMassFlow;
    next.constraintPlotMade = project.constraintPlotMade;
    next.contourPlotMade = project.contourPlotMade;
    // Settings of the session, not of the project's contents.
    next.projectPath = project.projectPath;
    next.printBufferFlag = project.printBufferFlag;
    next.clock = project.clock;
    if (navigation == KeepNavigation::Yes) {
        next.currentConstraint = project.currentConstraint;
        next.currentLeg = project.currentLeg;
    }
    project = std::move(next);
}

} // namespace vededa
