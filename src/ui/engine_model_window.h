#pragma once

#include "app/project_data.h"

#include <QWidget>

#include <array>

class QLineEdit;

namespace vededa {

/// The User Input Engine Model window (`Form7`): the coefficients of the user thrust-lapse equation,
/// the throttle ratio and the coefficients of the user TSFC equation. A field is stored in the project
/// when it is left, without a range check.
class EngineModelWindow : public QWidget {
    Q_OBJECT
  public:
    explicit EngineModelWindow(ProjectData& project, QWidget* parent = nullptr);

    /// Fills the nine boxes from the project and shows the window.
    void open();

  signals:
    /// A box was left and its value stored.
    void valueStored();

  private:
    ProjectData& project_;
    std::array<QLineEdit*, 10> boxes_{}; ///< Text1..Text9
    float& valueOf(int box);
};

} // namespace vededa
