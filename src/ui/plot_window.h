#pragma once

#include "app/project_data.h"
#include "output/canvas.h"
#include "output/plot_frame.h"

#include <QWidget>

#include <functional>

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace vededa {

class UserDialogs;
class PrintService;

/// Which window opened the Plot window.
inline constexpr int16_t kPlotSourceConstraint = 2;
inline constexpr int16_t kPlotSourceContour = 3;

/// A point of the plot shown that the mouse can drag (the constraint diagram's design point). The
/// Plot window hands it the mouse in picture units; Escape during a drag cancels it.
class PlotPointDrag {
  public:
    virtual ~PlotPointDrag() = default;
    /// True when a press at picture point (x, y) takes hold of the point.
    virtual bool hits(float x, float y) const = 0;
    /// The drag began at (x, y) (a point `hits` accepted).
    virtual void grab(float x, float y) = 0;
    /// The mouse moved to (x, y) with the button held.
    virtual void move(float x, float y) = 0;
    /// The button was released at (x, y): the drag ends and takes effect.
    virtual void release(float x, float y) = 0;
    /// Escape: the drag ends without effect.
    virtual void cancel() = 0;
};

/// The picture box of the Plot window: shows the recorded plot scaled into the widget and reports
/// left-button clicks in picture units; a press on a draggable point drags it instead.
class PlotPicture : public QWidget {
    Q_OBJECT
  public:
    explicit PlotPicture(QWidget* parent = nullptr);
    RecordingCanvas& picture() { return picture_; }
    void clearPicture();
    /// The picture point under a widget position.
    QPointF toPicture(const QPointF& widgetPos) const;
    /// The widget position of a picture point.
    QPointF fromPicture(const QPointF& picturePos) const;

    /// The point the mouse can drag (none: nullptr).
    void setPointDrag(PlotPointDrag* drag);
    bool dragging() const { return dragging_; }
    /// Ends a drag without effect (Escape).
    void cancelDrag();

  signals:
    void clicked(float x, float y);

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    RecordingCanvas picture_;
    PlotPointDrag* drag_ = nullptr;
    bool dragging_ = false;
};

/// The Plot window (`Form4`): shows the constraint diagram or a contour plot, captures data
/// coordinates with the mouse, and prints through the plot print buffer.
class PlotWindow : public QWidget {
    Q_OBJECT
  public:
    PlotWindow(ProjectData& project, UserDialogs& dialogs, PrintService& printer, QWidget* parent = nullptr);

    /// Draws a plot: `draw` runs once on the window's picture and, while the print buffer is switched
    /// on, its calls are repeated on the pending printer page. Shows the window with Print enabled.
    void showPlot(const std::function<void(Canvas&)>& draw, int16_t source);
    /// The same with a drawing of its own for the printer page (wider lines, printer captions); the
    /// printer page is drawn only while the print buffer is switched on.
    void showPlot(const std::function<void(Canvas&)>& draw, const std::function<void(Canvas&)>& printerDraw,
                  int16_t source);

    /// The captions of the two coordinate read-outs ("W/S (psf) =", "T/W        =" ...); both values
    /// show "0" again.
    void setReadoutCaptions(const std::string& x, const std::string& y);
    /// Print is offered only when the plot went onto the printer page.
    void setPrintEnabled(bool enabled);
    bool printEnabled() const;
    std::string readoutX() const;
    std::string readoutY() const;

    /// Draws the plot shown anew on the window only (a point being dragged); the printer page and the
    /// window's state stay.
    void redrawPicture(const std::function<void(Canvas&)>& draw);
    /// Draws the printer page anew when the print buffer holds one (the plot changed after a drag).
    void redrawPrinterPage(const std::function<void(Canvas&)>& printerDraw);

    /// The point of the plot shown that the mouse can drag, and a side panel shown right of the
    /// picture; both belong to the plot shown (the next plot drops them). nullptr: none.
    void setPointDrag(PlotPointDrag* drag);
    void setSidePanel(QWidget* panel);
    QWidget* sidePanel() const { return sidePanel_; }
    /// The source of the plot shown (kPlotSourceConstraint, kPlotSourceContour).
    int16_t source() const { return source_; }

    /// The frame of the plot shown, set by the plot when it draws its axes.
    void setFrame(const PlotFrame& frame) { frame_ = frame; }
    const PlotFrame& frame() const { return frame_; }

    /// Returns to the plot's source window when Done is pressed.
    std::function<void(int16_t source)> returnToSource;

    /// The data behind the plot shown as CSV text (the source window sets it after showing its plot);
    /// "Save Data..." is offered only while one is set.
    void setDataTable(std::function<std::string()> csv);

    void capture(float x, float y);
    /// The read-outs show the data point (x, y) (a point being dragged).
    void showReadout(float x, float y);
    void print();
    void done();
    /// "Export...": the plot as PNG, SVG or PDF.
    void exportPlot();
    /// "Save Data...": the plot's data as a CSV file.
    void saveData();
    bool printed() const { return printed_; }
    PlotPicture* picture() const { return picture_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    ProjectData& project_;
    UserDialogs& dialogs_;
    PrintService& printer_;
    PlotPicture* picture_ = nullptr;
    QLabel* xCaption_ = nullptr;
    QLabel* yCaption_ = nullptr;
    QLabel* xLabel_ = nullptr;
    QLabel* yLabel_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* saveDataButton_ = nullptr;
    QHBoxLayout* pictureRow_ = nullptr;
    QWidget* sidePanel_ = nullptr;
    std::function<std::string()> dataTable_;
    PlotFrame frame_;
    int16_t source_ = 0;
    bool printed_ = false;
};

} // namespace vededa
