#include "app/status_text.h"

#include "output/number_format.h"

namespace vededa {

std::string dragStatusText(const ProjectData& project) {
    static const char* const suffixes[] = {"",
                                           " - Cargo/Passenger - Tprop (low drag)",
                                           " - Cargo/Passenger - Tprop (high drag)",
                                           " - Cargo/Passenger - Tfan (low drag)",
                                           " - Cargo/Passenger - Tfan (high drag)",
                                           " - Future Fighter",
                                           " - Current Fighter",
                                           " - User Input Drag Model"};
    const int m = project.dragModel;
    if (m < 1 || m > 7) return {};
    return "Drag: " + std::to_string(m) + suffixes[m];
}

std::string engineModelSuffix(int model) {
    static const char* const suffixes[] = {"",
                                           " - High BP Tfan",
                                           " - Low BP Mixed Tfan",
                                           " - Advanced Tjet",
                                           " - Advanced Tprop",
                                           " - User Input Model",
                                           " - User Input Values"};
    return model >= 1 && model <= 6 ? suffixes[model] : "";
}

std::string engineStatusText(const ProjectData& project) {
    if (project.thrustModel == 7) return "Engine: File - " + project.engine.fileName;
    std::string text =
        "Thrust: " + std::to_string(project.thrustModel) + engineModelSuffix(project.thrustModel);
    if (project.thrustModel == 2 || project.thrustModel == 3)
        text += project.afterburner == 1 ? ", AB on" : ", AB off";
    if (project.thrustModel < 5) text += ", TR = " + plainText(project.throttleRatio);
    text += ",\r\nTSFC: " + std::to_string(project.tsfcModel) + engineModelSuffix(project.tsfcModel);
    return text;
}

std::string unitsStatusText(const ProjectData& project) {
    return project.unitSystem == kSI ? "Units: SI Metric" : "Units: English";
}

} // namespace vededa
