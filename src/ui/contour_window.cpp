#include "ui/contour_window.h"

#include "contour/contour_data.h"
#include "output/data_table.h"
#include "ui/drag_input_window.h"
#include "ui/project_document.h"

#include "contour/contour_overlays.h"
#include "contour/contour_plot.h"
#include "engine/analysis_binding.h"
#include "models/atmosphere.h"
#include "output/number_format.h"
#include "ui/analysis_form.h"
#include "ui/plot_window.h"
#include "ui/print_service.h"
#include "ui/user_dialogs.h"
#include "ui/window_hooks.h"

#include <QApplication>

#include <optional>

#include <QButtonGroup>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QThread>
#include <QVBoxLayout>

#include <cmath>

namespace vededa {

using form::qs;

namespace {

/// Steps of the progress bar across its width.
constexpr int kProgressSteps = 1000;

/// An either/or choice of radio buttons: choosing one clears the others, and a chosen button cannot be
/// cleared by clicking it again.
QButtonGroup* exclusive(QWidget* parent, std::initializer_list<QRadioButton*> buttons) {
    auto* group = new QButtonGroup(parent);
    group->setExclusive(true);
    int id = 0;
    for (QRadioButton* b : buttons) group->addButton(b, id++);
    return group;
}

} // namespace

const char* ContourWindow::boxQuantity(int box) {
    switch (box) {
    case WingLoading:
        return "wing-loading";
    case ThrustLoading:
        return "thrust-loading";
    case Beta:
        return "beta";
    case LoadFactor:
        return "load-factor";
    case ClMax:
        return "cl-max";
    case QMax:
        return "qmax";
    case ThrustPercent:
        return "percent";
    case VMin:
    case VMax:
    case VInc:
        return "velocity";
    case HMin:
    case HMax:
        return "alt";
    case HInc:
        return "alt-step";
    case LevelMin:
    case LevelMax:
    case LevelInc:
        return "contour-level";
    case LineWidth:
        return "line-width";
    default:
        return "";
    }
}

ContourWindow::ContourWindow(ProjectData& project, UserDialogs& dialogs, PlotWindow& plot,
                             PrintService& printer, QWidget* parent)
    : QWidget(parent, Qt::Window), project_(project), dialogs_(dialogs), plotWindow_(plot),
      printer_(printer) {
    setObjectName("Form3");
    setWindowTitle("Contour Plot Data");
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;

    auto makeBox = [this](QWidget* parent, int box, const char* name) {
        boxes_[box] = form::field(parent, name, form::Quantity{project_, boxQuantity(box)},
                                  [this, box] { boxLeft(box); });
        boxes_[box]->setMaximumWidth(110);
        return boxes_[box];
    };

    // The aircraft and engine inputs.
    auto* aircraft = new QGroupBox(this);
    auto* ag = new QGridLayout(aircraft);
    const std::array<std::pair<const char*, const char*>, 7> aircraftBoxes = {{
        {"Wing Loading   (W/S)", "txtWS"},
        {"Thrust Loading (T/W)", "txtTW"},
        {"Weight Fraction (Beta)", "txtBeta"},
        {"Number of g's", "txtN"},
        {"Maximim Lift Coeff (CL max)", "txtCLmax"},
        {"Maximum Dynamic Pressure (Qmax)", "txtQmax"},
        {"Percent of Maximum Thrust", "txtPercent"},
    }};
    for (int k = 0; k < 7; ++k) {
        ag->addWidget(new QLabel(aircraftBoxes[static_cast<std::size_t>(k)].first, aircraft), k, 0);
        ag->addWidget(makeBox(aircraft, k, aircraftBoxes[static_cast<std::size_t>(k)].second), k, 1);
    }
    wingLoadingUnits_ = new QLabel(aircraft);
    qMaxUnits_ = new QLabel(aircraft);
    ag->addWidget(wingLoadingUnits_, WingLoading, 2);
    ag->addWidget(qMaxUnits_, QMax, 2);
    top->addWidget(aircraft);

    // The ranges and the levels.
    auto* ranges = new QGroupBox(this);
    auto* rg = new QGridLayout(ranges);
    rg->addWidget(new QLabel("Minimum", ranges), 0, 1);
    rg->addWidget(new QLabel("Maximum", ranges), 0, 2);
    rg->addWidget(new QLabel("Increment", ranges), 0, 3);
    auto rangeRow = [&](int row, QLabel* caption, int first, std::array<const char*, 3> names) {
        rg->addWidget(caption, row, 0);
        for (int k = 0; k < 3; ++k)
            rg->addWidget(makeBox(ranges, first + k, names[static_cast<std::size_t>(k)]), row, k + 1);
    };
    velocityUnits_ = new QLabel(ranges);
    altitudeUnits_ = new QLabel(ranges);
    rangeRow(1, velocityUnits_, VMin, {"txtVMin", "txtVMax", "txtVInc"});
    rangeRow(2, altitudeUnits_, HMin, {"txtHMin", "txtHMax", "txtHInc"});
    rg->addWidget(new QLabel("Values to be plotted", ranges), 3, 0, 1, 4);
    rg->addWidget(new QLabel("Minimum", ranges), 4, 1);
    rg->addWidget(new QLabel("Maximum", ranges), 4, 2);
    rg->addWidget(new QLabel("Contour Line Increment", ranges), 4, 3);
    rangeRow(5, new QLabel("", ranges), LevelMin, {"txtLevelMin", "txtLevelMax", "txtLevelInc"});
    rg->addWidget(new QLabel("Minimum Value", ranges), 6, 0);
    minimumValue_ = new QLabel(ranges);
    minimumValue_->setObjectName("lblMinimumValue");
    rg->addWidget(minimumValue_, 6, 1);
    rg->addWidget(new QLabel("Maximum Value", ranges), 7, 0);
    maximumValue_ = new QLabel(ranges);
    maximumValue_->setObjectName("lblMaximumValue");
    rg->addWidget(maximumValue_, 7, 1);
    lineWidthLabel_ = new QLabel("Printer Plot Line Width (1 to 4)", ranges);
    lineWidthLabel_->setObjectName("lblLineWidth");
    rg->addWidget(lineWidthLabel_, 8, 0, 1, 2);
    rg->addWidget(makeBox(ranges, LineWidth, "txtLineWidth"), 8, 2);
    top->addWidget(ranges);
    layout->addLayout(top);

    // The quantity and the two choices.
    auto* choices = new QHBoxLayout;
    auto* quantity = new QGroupBox(this);
    auto* ql = new QHBoxLayout(quantity);
    const std::array<const char*, 7> captions = {"Ps", "fs", "RF", "EF", "L/D", "D/TSL", "alpha"};
    for (int k = 0; k < 7; ++k) {
        quantities_[k] = new QRadioButton(captions[static_cast<std::size_t>(k)], quantity);
        quantities_[k]->setObjectName(QString("chkQuantity_%1").arg(k + 1));
        ql->addWidget(quantities_[k]);
    }
    quantityGroup_ = exclusive(this, {quantities_[0], quantities_[1], quantities_[2], quantities_[3],
                                      quantities_[4], quantities_[5], quantities_[6]});
    connect(quantityGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        project_.contour.quantity = static_cast<int16_t>(id + 1);
        disablePlots();
    });
    choices->addWidget(quantity, 1);
    auto* ab = new QGroupBox("Afterburner", this);
    auto* abl = new QHBoxLayout(ab);
    abOn_ = new QRadioButton("On", ab);
    abOn_->setObjectName("chkABOn");
    abOff_ = new QRadioButton("Off", ab);
    abOff_->setObjectName("chkABOff");
    abl->addWidget(abOn_);
    abl->addWidget(abOff_);
    connect(exclusive(this, {abOff_, abOn_}), &QButtonGroup::idClicked, this, [this](int id) {
        project_.contour.afterburner = static_cast<int16_t>(id);
        disablePlots();
    });
    choices->addWidget(ab);
    auto* theta = new QGroupBox("Theta 0 Plot", this);
    auto* tl = new QHBoxLayout(theta);
    thetaYes_ = new QRadioButton("Yes", theta);
    thetaYes_->setObjectName("chkThetaYes");
    thetaNo_ = new QRadioButton("No", theta);
    thetaNo_->setObjectName("chkThetaNo");
    tl->addWidget(thetaYes_);
    tl->addWidget(thetaNo_);
    connect(exclusive(this, {thetaNo_, thetaYes_}), &QButtonGroup::idClicked, this,
            [this](int id) { project_.contour.theta0Lines = static_cast<int16_t>(id); });
    choices->addWidget(theta);
    layout->addLayout(choices);

    // Progress and commands.
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel("Progress:", this));
    progress_ = new QProgressBar(this);
    progress_->setObjectName("picProgress");
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    bottom->addWidget(progress_, 1);
    auto button = [&](const char* caption, const char* name, void (ContourWindow::*slot)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        bottom->addWidget(b);
        return b;
    };
    calculate_ = button("Calculate", "Command1", &ContourWindow::calculate);
    cancel_ = new QPushButton("Cancel", this);
    cancel_->setObjectName("cmdCancel");
    cancel_->setEnabled(false);
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelRequested_ = true; });
    bottom->addWidget(cancel_);
    plotLines_ = button("Plot Contour Lines", "Command4", &ContourWindow::plotContourLines);
    plotColors_ = button("Plot Color Contours", "Command2", &ContourWindow::plotColorContours);
    button("Done", "Command3", &ContourWindow::done);
    layout->addLayout(bottom);

    disablePlots();
    lineWidthLabel_->hide();
    boxes_[LineWidth]->hide();
    fill();
}

void ContourWindow::open() {
    fill();
    show();
    raise();
    activateWindow();
}

void ContourWindow::fill() {
    const ContourSettings& c = project_.contour;
    const std::array<float, BoxCount> values = {project_.wingLoading,
                                                project_.thrustLoading,
                                                c.beta,
                                                c.loadFactor,
                                                c.clMax,
                                                c.qMax,
                                                c.thrustFraction * 100,
                                                c.velocity[1],
                                                c.velocity[2],
                                                c.velocity[3],
                                                c.altitude[1],
                                                c.altitude[2],
                                                c.altitude[3],
                                                c.levelMin,
                                                c.levelMax,
                                                c.levelIncrement,
                                                static_cast<float>(c.lineWidth)};
    for (int k = 0; k < BoxCount; ++k) form::showValue(boxes_[k], values[static_cast<std::size_t>(k)]);
    if (c.quantity >= 1 && c.quantity <= 7) quantities_[c.quantity - 1]->setChecked(true);
    (c.afterburner == 1 ? abOn_ : abOff_)->setChecked(true);
    (c.theta0Lines == 1 ? thetaYes_ : thetaNo_)->setChecked(true);
    const WindowUnitLabels& w = project_.labels.window;
    velocityUnits_->setText(qs("Range of Velocities " + w.velocityRange));
    altitudeUnits_->setText(qs("  Range of    Altitudes " + w.altitudeRange));
    wingLoadingUnits_->setText(qs(w.pressure));
    qMaxUnits_->setText(qs(w.pressure));
}

void ContourWindow::store(int box) {
    ContourSettings& c = project_.contour;
    const float v = static_cast<float>(form::numberIn(boxes_[box]));
    switch (box) {
    case WingLoading:
        project_.wingLoading = v;
        break;
    case ThrustLoading:
        project_.thrustLoading = v;
        break;
    case Beta:
        c.beta = v;
        break;
    case LoadFactor:
        c.loadFactor = v;
        break;
    case ClMax:
        c.clMax = v;
        break;
    case QMax:
        c.qMax = v;
        break;
    case ThrustPercent:
        c.thrustFraction = v / 100;
        break;
    case VMin:
        c.velocity[1] = v;
        break;
    case VMax:
        c.velocity[2] = v;
        break;
    case VInc:
        c.velocity[3] = v;
        break;
    case HMin:
        c.altitude[1] = v;
        break;
    case HMax:
        c.altitude[2] = v;
        break;
    case HInc:
        c.altitude[3] = v;
        break;
    case LevelMin:
        c.levelMin = v;
        break;
    case LevelMax:
        c.levelMax = v;
        break;
    case LevelInc:
        c.levelIncrement = v;
        break;
    case LineWidth:
        // Only 1 to 4 is taken, as its whole part.
        if (v > 0 && v < 5) c.lineWidth = static_cast<int16_t>(std::floor(v));
        break;
    default:
        break;
    }
}

void ContourWindow::boxLeft(int box) {
    store(box);
    // The aircraft inputs, the throttle and the ranges change the grid: a new calculation is needed.
    if (box <= HInc) disablePlots();
    if (box == LineWidth) boxes_[LineWidth]->setText(QString::number(project_.contour.lineWidth));
}

void ContourWindow::disablePlots() {
    plotLines_->setEnabled(false);
    plotColors_->setEnabled(false);
}

bool ContourWindow::storeChanged() {
    // Typed boxes are stored; a refused entry is shown and stops the command that asked.
    bool refused = false;
    for (int k = 0; k < BoxCount; ++k) {
        if (form::takeTypedNumber(boxes_[k])) boxLeft(k);
        refused = refused || form::showsRefusal(boxes_[k]);
    }
    return !refused;
}

void ContourWindow::calculate() {
    if (!storeChanged()) return;
    if (!usableDragModel(project_, dialogs_)) return;
    const std::string refusal = contourIncrementMessage(project_.contour);
    if (!refusal.empty()) {
        dialogs_.message(kApplicationTitle, refusal, MessageIcon::Warning);
        return;
    }
    // With the cycle deck the binding first sizes the engine to the aircraft. The calculation leaves the
    // user's inputs as they are.
    std::optional<CalculationScope> scope(std::in_place, project_);
    models_ = bindAnalysisModels(project_);
    frame_ = plotAreaOf(kPlotPictureWidth, kPlotPictureHeight);
    const ContourSettings& c = project_.contour;
    frame_.xMin = c.velocity[1];
    frame_.xMax = c.velocity[2];
    frame_.yMin = c.altitude[1];
    frame_.yMax = c.altitude[2];
    QApplication::setOverrideCursor(Qt::WaitCursor);
    progress_->setValue(0);
    // The grid is computed on a worker thread (its rows on every core) from a copy of the project, while
    // this window keeps drawing its progress and answers Cancel.
    const ProjectData snapshot = project_;
    const AnalysisModels models = models_;
    const PlotFrame frame = frame_;
    ContourCalculation calc;
    cancelRequested_ = false;
    calculate_->setEnabled(false);
    cancel_->setEnabled(true);
    QEventLoop loop;
    QThread* worker = QThread::create([&] {
        calc = calculateContourGrid(snapshot, models, frame, [this](float done) {
            const int value = static_cast<int>(done * kProgressSteps);
            QMetaObject::invokeMethod(
                progress_, [this, value] { progress_->setValue(value); }, Qt::QueuedConnection);
            return !cancelRequested_.load();
        });
    });
    connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    delete worker;
    cancel_->setEnabled(false);
    calculate_->setEnabled(true);
    QApplication::restoreOverrideCursor();
    scope.reset();
    if (calc.cancelled) {
        progress_->setValue(0);
        return;
    }
    if (!calc.message.empty()) {
        dialogs_.message(kApplicationTitle, calc.message, MessageIcon::Warning);
        return;
    }
    setDefaultContourLevels(project_, calc);
    minimumValue_->setText(qs(contourExtremeText(c.quantity, calc.minimum)));
    maximumValue_->setText(qs(contourExtremeText(c.quantity, calc.maximum)));
    calculation_ = std::move(calc);
    project_.contourPlotMade = true;
    fill();
    lineWidthLabel_->show();
    boxes_[LineWidth]->show();
    plotLines_->setEnabled(true);
    plotColors_->setEnabled(true);
    // Grid rows above the atmosphere table use its top state: the status bar says so.
    FlightCondition top;
    top.altitude = c.altitude[2];
    atmosphere(top, project_.units);
    if (top.aboveTable)
        form::fieldStatusBar(this)->showMessage(
            qs(atmosphereClampLine(c.altitude[2], project_.unitSystem == kSI)));
}

void ContourWindow::plotContourLines() {
    if (!calculation_) return;
    if (!storeChanged()) return;
    const ContourSettings& c = project_.contour;
    const ContourLevels levels = contourLevels(c.levelMin, c.levelMax, c.levelIncrement);
    if (!levels.message.empty()) {
        dialogs_.message(kApplicationTitle, levels.message, MessageIcon::Warning);
        return;
    }
    hide();
    colorMode_ = false;
    // A contour plot starts a fresh printer page.
    printer_.discardPendingPage();
    plotWindow_.showPlot(
        [this](Canvas& canvas) { drawContourPlot(canvas, frame_, project_, models_, *calculation_, false); },
        [this](Canvas& canvas) { drawContourPlot(canvas, frame_, project_, models_, *calculation_, true); },
        kPlotSourceContour);
    // The data of the plot as drawn, kept with it while the window shows it.
    plotWindow_.setDataTable([csv = toCsv(contourGridTable(project_, *calculation_))] { return csv; });
    plotWindow_.setFrame(frame_);
    const bool si = project_.unitSystem == kSI;
    plotWindow_.setReadoutCaptions(si ? "Vel (mps) =" : "Vel (fps) =", si ? "Alt (km)  =" : "Alt (kft) =");
    plotWindow_.setPrintEnabled(project_.printBufferFlag == 1);
}

void ContourWindow::plotColorContours() {
    if (!calculation_) return;
    if (!storeChanged()) return;
    const ContourSettings& c = project_.contour;
    const ContourLevels levels = contourLevels(c.levelMin, c.levelMax, c.levelIncrement);
    if (!levels.message.empty()) {
        dialogs_.message(kApplicationTitle, levels.message, MessageIcon::Warning);
        return;
    }
    colorMode_ = true;
    hide();
    // The colour plot goes onto the printer page like the line plot: the bands, lines and labels are
    // one drawing on every canvas.
    printer_.discardPendingPage();
    plotWindow_.showPlot(
        [this](Canvas& canvas) {
            drawContourPlot(canvas, frame_, project_, models_, *calculation_, false, true);
        },
        [this](Canvas& canvas) {
            drawContourPlot(canvas, frame_, project_, models_, *calculation_, true, true);
        },
        kPlotSourceContour);
    // The data of the plot as drawn, kept with it while the window shows it.
    plotWindow_.setDataTable([csv = toCsv(contourGridTable(project_, *calculation_))] { return csv; });
    plotWindow_.setFrame(frame_);
    const bool si = project_.unitSystem == kSI;
    plotWindow_.setReadoutCaptions(si ? "Vel (mps) =" : "Vel (fps) =", si ? "Alt (km)  =" : "Alt (kft) =");
    plotWindow_.setPrintEnabled(project_.printBufferFlag == 1);
}

void ContourWindow::comeBack() {
    colorMode_ = false;
    open();
}

void ContourWindow::done() {
    if (!storeChanged()) return;
    hide();
    if (returnToMain) returnToMain();
}

void ContourWindow::resultsStale() {
    calculation_.reset();
    disablePlots();
    if (isVisible()) fill();
}

} // namespace vededa
