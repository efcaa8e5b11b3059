#pragma once

#include "app/project_data.h"
#include "app/startup_files.h"
#include "ui/component_interfaces_window.h"
#include "ui/constraint_window.h"
#include "ui/contour_window.h"
#include "ui/engine_data_window.h"
#include "ui/engine_test_window.h"
#include "ui/main_window.h"
#include "ui/mission_window.h"
#include "ui/plot_window.h"
#include "ui/print_service.h"
#include "ui/results_window.h"
#include "ui/sizing_window.h"
#include "ui/throttle_hook_window.h"
#include "ui/window_hooks.h"

#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>

namespace vededa {

class UserDialogs;
class WindowPlacement;

/// The splash window (`Form8`) shown while the program starts.
class SplashWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SplashWindow(QWidget* parent = nullptr);
    bool loadPicture(const QString& path);

  private:
    QLabel* picture_ = nullptr;
};

/// The whole desktop program: the one project, the printer and every window, and the start-up
/// sequence that loads the default project and picture and hands over from the splash to the main
/// window.
class DesktopApplication {
  public:
    explicit DesktopApplication(UserDialogs& dialogs);
    ~DesktopApplication();

    /// Loads the default project file and finds the picture in `directory`, asking for them when they
    /// are missing. Returns the picture path to show.
    std::string loadStartupFiles(const std::string& directory);

    /// Loads the start-up project chosen from `sources` (see `chooseStartupFiles`), asking for the
    /// project and the picture only when none was found. Returns the picture path to show.
    std::string loadStartupFiles(const StartupSources& sources);

    /// Runs the start-up in the current directory. With `splash` the splash window stays up for
    /// about five seconds (without blocking the event loop) before the main window appears;
    /// otherwise the main window appears at once.
    void start(bool splash);

    /// The same with the command line's file, the recent projects and the bundled examples. A
    /// reference engine file named on the command line is read in the Engine Data window once the
    /// main window is up.
    void start(bool splash, const StartupSources& sources);

    ProjectData& project() { return project_; }
    WindowHooks& hooks() { return hooks_; }
    PrintService& printer() { return printer_; }
    MainWindow& mainWindow() { return *main_; }
    ResultsWindow& resultsWindow() { return *results_; }
    PlotWindow& plotWindow() { return *plot_; }
    ConstraintWindow& constraintWindow() { return *constraint_; }
    MissionWindow& missionWindow() { return *mission_; }
    ContourWindow& contourWindow() { return *contour_; }
    SizingWindow& sizingWindow() { return *sizing_; }
    EngineDataWindow& engineDataWindow() { return *engineData_; }
    ComponentInterfacesWindow& componentInterfacesWindow() { return *interfaces_; }
    ThrottleHookWindow& throttleHookWindow() { return *hook_; }
    EngineTestWindow& engineTestWindow() { return *engineTest_; }

  private:
    UserDialogs& dialogs_;
    std::unique_ptr<WindowPlacement> placement_;
    ProjectData project_;
    WindowHooks hooks_;
    PrintService printer_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<ResultsWindow> results_;
    std::unique_ptr<PlotWindow> plot_;
    std::unique_ptr<ConstraintWindow> constraint_;
    std::unique_ptr<MissionWindow> mission_;
    std::unique_ptr<ContourWindow> contour_;
    std::unique_ptr<SizingWindow> sizing_;
    std::unique_ptr<EngineDataWindow> engineData_;
    std::unique_ptr<ComponentInterfacesWindow> interfaces_;
    std::unique_ptr<ThrottleHookWindow> hook_;
    std::unique_ptr<EngineTestWindow> engineTest_;
    std::unique_ptr<SplashWindow> splash_;
    QTimer splashTimer_;
    std::string startupReference_;
    void showMainWindow(const QString& picture);
    void connectAnalysisWindows();
};

} // namespace vededa
