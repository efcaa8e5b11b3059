#pragma once

#include "app/project_data.h"
#include "constraint/constraint_diagram.h"
#include "sizing/sizing_chart.h"
#include "ui/plot_window.h"
#include "ui/sizing_panel.h"

#include <QPointer>
#include <QString>

#include <functional>

namespace vededa {

/// The design point of the constraint diagram in the Plot window, dragged with the mouse. While the
/// button is held the diagram marks the point under the mouse and the side panel shows its constraint
/// margins, fuel fraction and W_TO; the project does not change. On release the point becomes the
/// aircraft's W/S and T/W (S and T_SL following) as one change the document can undo; Escape ends the
/// drag with the aircraft as it was.
///
/// The algebraic engine models evaluate a point in a fraction of a millisecond, so the mission is flown
/// on every move. A point whose mission takes longer than `kLiveMissionBudgetMs` (the cycle deck) shows
/// the constraint margins live and flies the mission once, on release.
class DesignPointDrag : public PlotPointDrag {
  public:
    /// Longest mission evaluation flown on every mouse move [ms].
    static constexpr double kLiveMissionBudgetMs = 30.0;
    /// How far from the marker's centre a press takes hold of it [picture units].
    static constexpr float kGrabReach = 2.0f * kDesignPointMarkerSize;
    /// How far the mouse must move from the press before the point follows it [picture units]: a click
    /// on the marker, or a hand that shakes a little, does not move the design point.
    static constexpr float kStartDistance = 40.0f;

    DesignPointDrag(ProjectData& project, PlotWindow& plot);
    ~DesignPointDrag() override;

    /// The Plot window now shows the diagram of constraints 1..`count` drawn with `window` (and, on the
    /// printer page, `printer`): its design point can be dragged and the side panel shows the point.
    void attach(int16_t count, const ConstraintDiagramLayout& window, const ConstraintDiagramLayout& printer);
    /// True while the Plot window shows this diagram.
    bool attached() const;
    /// The project's inputs changed under the diagram (undo, redo, a units switch): the marker and the
    /// panel show the aircraft's point again; in other units the diagram no longer offers the drag.
    void projectChanged();

    bool hits(float x, float y) const override;
    void grab(float x, float y) override;
    void move(float x, float y) override;
    void release(float x, float y) override;
    void cancel() override;

    /// True when the mission is flown on every move (see `kLiveMissionBudgetMs`).
    bool liveMission() const { return liveMission_; }
    SizingPanel& panel() const { return *panel_; }
    /// The point under the mouse during a drag [psf or Pa, -].
    DiagramPoint draggedPoint() const { return now_; }

    /// The budget `attach` compares the mission's time with [ms] (`kLiveMissionBudgetMs`; below zero:
    /// the mission is always flown on release).
    double liveMissionBudgetMs = kLiveMissionBudgetMs;

    /// Called after a drag set the design point, with a name for the Edit menu.
    std::function<void(const QString&)> designPointChanged;

  private:
    ProjectData& project_;
    PlotWindow& plot_;
    QPointer<SizingPanel> panel_; ///< a child of the Plot window, which may go first
    int16_t count_ = 0;
    int16_t unitSystem_ = 0;
    ConstraintDiagramLayout window_;
    ConstraintDiagramLayout printer_;
    bool liveMission_ = true;
    bool dragging_ = false;
    bool moving_ = false; ///< the mouse went farther than kStartDistance from the press
    float pressX_ = 0, pressY_ = 0;
    DiagramPoint start_;
    DiagramPoint now_;
    SizingPoint startFigures_;

    DiagramPoint aircraftPoint() const { return {project_.wingLoading, project_.thrustLoading}; }
    /// The W/S and T/W under a picture point, held to the frame and rounded to the diagram's resolution.
    DiagramPoint valuesAt(float x, float y) const;
    SizingPoint evaluate(DiagramPoint p, bool withMission) const;
    void drawAt(DiagramPoint p);
    void showFigures(const SizingPoint& figures);
};

} // namespace vededa
