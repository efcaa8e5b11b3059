#pragma once

#include "app/project_data.h"
#include "sizing/sizing_chart.h"
#include "sizing/sizing_plot.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace vededa {

class SizingPanel;

/// The chart area of the Sizing Chart window: the chart drawn through the plot canvas, the project's
/// design point marked on it, the mouse followed, and a click that picks a design point.
class SizingChartView : public QWidget {
    Q_OBJECT
  public:
    explicit SizingChartView(QWidget* parent = nullptr);

    /// Draws `chart` of `project` (nothing when the chart is empty).
    void setChart(const ProjectData& project, const SizingChart* chart);
    /// The design point to mark [psf or Pa, -].
    void setDesignPoint(float ws, float tw);

    /// The W/S and T/W under a widget position; false outside the chart's frame.
    bool valuesAt(const QPointF& position, float& ws, float& tw) const;

  signals:
    void hovered(float ws, float tw);
    void clicked(float ws, float tw);

  protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

  private:
    const ProjectData* project_ = nullptr;
    const SizingChart* chart_ = nullptr;
    QPixmap picture_;
    float designWs_ = 0, designTw_ = 0;
    void redraw();
    /// The picture rectangle and scale the chart is drawn in, as the painter canvas places it.
    QRectF pictureRect() const;
};

/// The Sizing Chart window: the grid and closure settings, Calculate on a worker thread with its
/// progress and Cancel, the chart, and a side panel that follows the mouse (W/S, T/W, each constraint's
/// margin, fuel fraction, W_TO). A click on the chart sets the project's design point (W/S and T/W, with
/// S and T_SL following); "Use Optimum" sets the optimum. Both are ordinary input changes of the
/// project, so Undo takes them back.
class SizingWindow : public QWidget {
    Q_OBJECT
  public:
    SizingWindow(ProjectData& project, QWidget* parent = nullptr);
    ~SizingWindow() override;

    /// Shows the window with its boxes filled from the project.
    void open();
    /// Fills the boxes from the project's sizing settings (or the chart defaults).
    void fill();
    /// Starts the calculation on a worker thread.
    void calculate();
    /// Asks a running calculation to stop.
    void cancel();
    /// Sets the design point to the optimum.
    void useOptimum();
    /// Sets the project's design point and tells the document.
    void setDesignPoint(float ws, float tw);
    /// Marks the project's design point on the chart again (it was set elsewhere).
    void showDesignPoint();
    /// The chart belongs to another project or unit system: it is dropped.
    void resultsStale();
    /// Waits for a running calculation to end (tests, closing).
    void waitForCalculation();

    bool calculating() const { return worker_ != nullptr; }
    const std::optional<SizingChart>& chart() const { return chart_; }
    /// The side panel's text.
    QString panelText() const;

    /// Called after the design point changed, with a name for the Edit menu.
    std::function<void(const QString&)> designPointChanged;
    /// Main window to return to on Done.
    std::function<void()> returnToMain;

  signals:
    void progressed(int done, int total);
    void finished();

  private:
    ProjectData& project_;
    std::optional<SizingChart> chart_;
    std::unique_ptr<std::thread> worker_;
    std::unique_ptr<ProjectData> workProject_;
    std::unique_ptr<SizingChart> result_;
    std::atomic<bool> cancelRequested_{false};

    enum Box {
        WsMin,
        WsMax,
        WsCount,
        TwMin,
        TwMax,
        TwCount,
        EmptyA,
        EmptyC,
        Crew,
        PayloadKept,
        PayloadReleased,
        BoxCount
    };
    std::array<QLineEdit*, BoxCount> boxes_{};
    QCheckBox* closure_ = nullptr;
    QPushButton* calculate_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* optimum_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    SizingPanel* panel_ = nullptr;
    SizingChartView* view_ = nullptr;

    void store(int box);
    void showPoint(float ws, float tw);
    void showPanel(const SizingPoint& point);
    void calculationEnded();
};

} // namespace vededa
