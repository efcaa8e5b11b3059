#include "ui/design_point_drag.h"

#include "output/plot_frame.h"
#include "ui/sizing_panel.h"

#include <QApplication>

#include <chrono>
#include <cmath>

namespace vededa {

namespace {

/// The step a dragged value is rounded to: a thousandth of the axis range's decade (0.1 psf on a
/// 0..200 psf axis, 0.001 on a 0..2 T/W axis), finer than one pixel of the window.
float dragStep(float range) {
    const float r = std::fabs(range);
    if (!(r > 0.0f) || !std::isfinite(r)) return 0.0f;
    return std::pow(10.0f, std::floor(std::log10(r)) - 3.0f);
}

float roundedTo(float v, float step) {
    return step > 0.0f ? std::round(v / step) * step : v;
}

} // namespace

DesignPointDrag::DesignPointDrag(ProjectData& project, PlotWindow& plot)
    : project_(project), plot_(plot), panel_(new SizingPanel(&plot)) {
    panel_->hide();
}

DesignPointDrag::~DesignPointDrag() {
    if (!panel_) return;
    if (attached()) {
        plot_.setPointDrag(nullptr);
        plot_.setSidePanel(nullptr);
    }
    delete panel_;
}

void DesignPointDrag::attach(int16_t count, const ConstraintDiagramLayout& window,
                             const ConstraintDiagramLayout& printer) {
    count_ = count;
    window_ = window;
    printer_ = printer;
    unitSystem_ = project_.unitSystem;
    dragging_ = false;
    plot_.setPointDrag(this);
    plot_.setSidePanel(panel_);
    // The aircraft's own point, with its mission: how long the mission takes decides whether it is
    // flown on every move.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto begin = std::chrono::steady_clock::now();
    startFigures_ = evaluate(aircraftPoint(), true);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - begin;
    QApplication::restoreOverrideCursor();
    liveMission_ = took.count() <= liveMissionBudgetMs;
    showFigures(startFigures_);
}

bool DesignPointDrag::attached() const {
    return panel_ && plot_.sidePanel() == panel_ && plot_.source() == kPlotSourceConstraint;
}

void DesignPointDrag::projectChanged() {
    if (!attached()) return;
    if (dragging_) plot_.picture()->cancelDrag();
    if (project_.unitSystem != unitSystem_) {
        // The diagram's curves are in the old units: it stays as a picture, without the drag.
        plot_.setPointDrag(nullptr);
        plot_.setSidePanel(nullptr);
        return;
    }
    drawAt(aircraftPoint());
    startFigures_ = evaluate(aircraftPoint(), true);
    showFigures(startFigures_);
}

bool DesignPointDrag::hits(float x, float y) const {
    const DiagramPoint a = aircraftPoint();
    const float xmin = project_.wsAxis[1], xmax = project_.wsAxis[2];
    const float ymin = project_.twAxis[1], ymax = project_.twAxis[2];
    // The marker is drawn only inside the frame.
    if (!(a.x >= std::min(xmin, xmax) && a.x <= std::max(xmin, xmax) && a.y >= std::min(ymin, ymax) &&
          a.y <= std::max(ymin, ymax)))
        return false;
    const DiagramPoint m = designPointOnPicture(project_, window_, a);
    return std::fabs(x - m.x) <= kGrabReach && std::fabs(y - m.y) <= kGrabReach;
}

DiagramPoint DesignPointDrag::valuesAt(float x, float y) const {
    const PlotPoint p = PlotCoordinatesAt(plot_.frame(), x, y);
    return {roundedTo(p.x, dragStep(project_.wsAxis[2] - project_.wsAxis[1])),
            roundedTo(p.y, dragStep(project_.twAxis[2] - project_.twAxis[1]))};
}

SizingPoint DesignPointDrag::evaluate(DiagramPoint p, bool withMission) const {
    const SizingSettings settings = effectiveSizingSettings(project_);
    return withMission ? evaluateSizingPoint(project_, settings, p.x, p.y)
                       : evaluateSizingMargins(project_, settings, p.x, p.y);
}

void DesignPointDrag::drawAt(DiagramPoint p) {
    plot_.redrawPicture([&](Canvas& canvas) { drawConstraintDiagram(canvas, project_, count_, window_, p); });
}

void DesignPointDrag::showFigures(const SizingPoint& figures) {
    panel_->showPoint(figures, project_.unitSystem == kSI);
}

void DesignPointDrag::grab(float x, float y) {
    dragging_ = true;
    moving_ = false;
    pressX_ = x;
    pressY_ = y;
    start_ = now_ = aircraftPoint();
}

void DesignPointDrag::move(float x, float y) {
    if (!dragging_) return;
    if (!moving_ && std::hypot(x - pressX_, y - pressY_) < kStartDistance) return;
    moving_ = true;
    const DiagramPoint p = valuesAt(x, y);
    plot_.showReadout(p.x, p.y);
    if (p.x == now_.x && p.y == now_.y) return;
    now_ = p;
    drawAt(now_);
    showFigures(evaluate(now_, liveMission_));
}

void DesignPointDrag::release(float x, float y) {
    if (!dragging_) return;
    move(x, y);
    dragging_ = false;
    if (!moving_ || (now_.x == start_.x && now_.y == start_.y)) return; // a click changes nothing
    project_.wingLoading = now_.x;
    project_.thrustLoading = now_.y;
    deriveAircraftValues(project_);
    if (designPointChanged) designPointChanged("Design Point");
    plot_.redrawPrinterPage(
        [&](Canvas& canvas) { drawConstraintDiagram(canvas, project_, count_, printer_); });
    // The new point's figures with its mission (flown only now when it was too slow to fly live).
    QApplication::setOverrideCursor(Qt::WaitCursor);
    startFigures_ = evaluate(now_, true);
    QApplication::restoreOverrideCursor();
    showFigures(startFigures_);
}

void DesignPointDrag::cancel() {
    if (!dragging_) return;
    dragging_ = false;
    now_ = start_;
    drawAt(start_);
    showFigures(startFigures_);
}

} // namespace vededa
