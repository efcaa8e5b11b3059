#pragma once

#include "app/project_data.h"
#include "mission/mission_plot.h"
#include "output/canvas.h"

#include <QWidget>

#include <array>
#include <functional>

class QRadioButton;

namespace vededa {

class UserDialogs;
class PrintService;

/// The picture box of the mission plot window: the recorded plot scaled into the widget.
class MissionPlotPicture : public QWidget {
    Q_OBJECT
  public:
    /// The picture's size in its own units.
    static constexpr float kWidth = 9000, kHeight = 6000, kFontSize = 180;
    explicit MissionPlotPicture(QWidget* parent = nullptr);
    RecordingCanvas& picture() { return picture_; }
    void clearPicture();

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    RecordingCanvas picture_;
};

/// The mission plot window (`Form15`): one bar per computed leg of the quantity chosen in the "Y Axis"
/// frame, with Plot, Print and Done.
class MissionPlotWindow : public QWidget {
    Q_OBJECT
  public:
    MissionPlotWindow(ProjectData& project, UserDialogs& dialogs, PrintService& printer,
                      QWidget* parent = nullptr);

    MissionPlotQuantity quantity() const { return quantity_; }
    void setQuantity(MissionPlotQuantity quantity);

    void plot();
    void print();
    void done();
    /// "Export...": the plot as PNG, SVG or PDF.
    void exportPlot();
    /// "Save Data...": the computed legs' results as a CSV table.
    void saveData();
    MissionPlotPicture* picture() const { return picture_; }

    /// Done: the Mission window comes back.
    std::function<void()> returnToMission;

  private:
    ProjectData& project_;
    UserDialogs& dialogs_;
    PrintService& printer_;
    MissionPlotPicture* picture_ = nullptr;
    std::array<QRadioButton*, 6> options_{};
    MissionPlotQuantity quantity_ = MissionPlotQuantity::Beta;
};

} // namespace vededa
