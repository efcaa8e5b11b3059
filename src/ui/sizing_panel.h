#pragma once

#include "sizing/sizing_chart.h"

#include <QString>
#include <QWidget>

#include <string>

class QPlainTextEdit;

namespace vededa {

/// The text of the side panel of a design point: W/S, T/W, each constraint's margin (T/W available
/// minus required; landing: W/S allowed minus W/S) marked "short" where it is negative, fuel fraction,
/// W_TO and whether the point is feasible. A point whose mission was not flown yet says so instead of
/// mission figures.
std::string sizingPanelText(const SizingPoint& point, bool si);

/// The side panel of the Sizing Chart window and of the constraint diagram while its design point is
/// dragged: one read-only text view of `sizingPanelText`.
class SizingPanel : public QWidget {
    Q_OBJECT
  public:
    explicit SizingPanel(QWidget* parent = nullptr);

    /// Shows `point` in the units of the project (`si`: SI units).
    void showPoint(const SizingPoint& point, bool si);
    void clear();
    QString text() const;

  private:
    QPlainTextEdit* view_ = nullptr;
};

} // namespace vededa
