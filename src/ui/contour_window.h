#pragma once

#include <atomic>

#include "app/project_data.h"
#include "contour/contour_grid.h"
#include "models/analysis_models.h"
#include "output/plot_frame.h"

#include <QWidget>

#include <array>
#include <optional>

class QButtonGroup;
class QRadioButton;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace vededa {

class UserDialogs;
class PlotWindow;
class PrintService;

/// The Contour Plot Data window (`Form3`): the aircraft and engine inputs, the velocity and altitude
/// ranges, the quantity, the afterburner and theta0 choices, and Calculate (with its progress bar),
/// Plot Contour Lines, Plot Color Contours and Done. The contour plot is drawn in the Plot window.
class ContourWindow : public QWidget {
    Q_OBJECT
  public:
    ContourWindow(ProjectData& project, UserDialogs& dialogs, PlotWindow& plot, PrintService& printer,
                  QWidget* parent = nullptr);

    /// Shows the window with every box filled from the project.
    void open();
    /// Fills every box and check box from the project.
    void fill();

    void calculate();
    void plotContourLines();
    void plotColorContours();
    void done();
    /// The Plot window's Done: this window comes back, out of colour mode.
    void comeBack();
    /// A units switch: the grid belongs to the old unit system.
    void resultsStale();

    bool colorMode() const { return colorMode_; }
    const std::optional<ContourCalculation>& calculation() const { return calculation_; }
    /// The frame the grid was calculated in (the Plot window's plot area).
    const PlotFrame& frame() const { return frame_; }
    /// Main window to return to on Done.
    std::function<void()> returnToMain;

  private:
    ProjectData& project_;
    UserDialogs& dialogs_;
    PlotWindow& plotWindow_;
    PrintService& printer_;
    AnalysisModels models_;
    std::optional<ContourCalculation> calculation_;
    PlotFrame frame_;
    bool colorMode_ = false;

    /// The text boxes, in window order.
    enum Box {
        WingLoading,
        ThrustLoading,
        Beta,
        LoadFactor,
        ClMax,
        QMax,
        ThrustPercent,
        VMin,
        VMax,
        VInc,
        HMin,
        HMax,
        HInc,
        LevelMin,
        LevelMax,
        LevelInc,
        LineWidth,
        BoxCount
    };
    std::array<QLineEdit*, BoxCount> boxes_{};
    std::array<QRadioButton*, 7> quantities_{};
    QRadioButton* abOn_ = nullptr;
    QRadioButton* abOff_ = nullptr;
    QRadioButton* thetaYes_ = nullptr;
    QRadioButton* thetaNo_ = nullptr;
    QButtonGroup* quantityGroup_ = nullptr;
    QLabel* lineWidthLabel_ = nullptr;
    QLabel* minimumValue_ = nullptr;
    QLabel* maximumValue_ = nullptr;
    QLabel* velocityUnits_ = nullptr;
    QLabel* altitudeUnits_ = nullptr;
    QLabel* wingLoadingUnits_ = nullptr;
    QLabel* qMaxUnits_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* calculate_ = nullptr;
    QPushButton* cancel_ = nullptr; ///< stops a running calculation after the rows under way
    std::atomic<bool> cancelRequested_{false};
    QPushButton* plotLines_ = nullptr;
    QPushButton* plotColors_ = nullptr;

    void boxLeft(int box);
    void store(int box);
    /// Stores every box whose text the user changed and has not yet left; false when a box holds a
    /// refused entry (its reason is shown).
    bool storeChanged();
    /// The range-table key of the quantity of box `box`.
    static const char* boxQuantity(int box);
    void disablePlots();
};

} // namespace vededa
