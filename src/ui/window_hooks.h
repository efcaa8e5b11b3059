#pragma once

#include <cstdint>
#include <functional>

namespace vededa {

/// The windows of the analyses, as the main window and the Results and Plot windows reach them. Each
/// analysis window plugs its opener and its reactions in here when it is built; an empty opener
/// means that window is not part of this build.
struct WindowHooks {
    std::function<void()> showConstraintWindow;
    std::function<void()> showMissionWindow;
    std::function<void()> showContourWindow;
    std::function<void()> showSizingWindow;
    std::function<void()> showEngineTestWindow;
    std::function<void()> showEngineDataWindow;
    /// The component-interface window, opened from the engine data window.
    std::function<void()> showComponentInterfacesWindow;
    /// After a reference engine file was read: the mission window disables its "Summary" button.
    std::function<void()> referenceEngineRead;
    /// After a units switch: disable the buttons that show results computed in the old unit system.
    std::function<void()> unitsSwitched;
    /// After a project was opened: the mission window disables its "Summary" button.
    std::function<void()> projectOpened;
    /// After a project was opened or the units changed: refresh the unit labels of every window.
    std::function<void()> refreshUnitLabels;
    /// At quit: unload every other window.
    std::function<void()> closeOtherWindows;
};

/// Message box titles.
inline constexpr const char* kMainTitle = "Aircraft Systems Analysis";
inline constexpr const char* kApplicationTitle = "Vededa";

} // namespace vededa
