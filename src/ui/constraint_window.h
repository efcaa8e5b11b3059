#pragma once

#include "app/project_data.h"

#include <QWidget>

#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vededa {

class UserDialogs;
class DesignPointDrag;
class ResultsWindow;
class PlotWindow;

/// The Constraint window (`Form2`): the constraint list, the current constraint's type, name and
/// parameter rows, the W/S and T/W ranges, and the commands Add, Remove, Change, Calculate, Plot and
/// Done. It edits the project through the constraint set operations; Calculate pages the results in
/// the Results window and Plot draws the constraint diagram in the Plot window.
class ConstraintWindow : public QWidget {
    Q_OBJECT
  public:
    /// Number of parameter rows of the window.
    static constexpr int kRows = 14;

    ConstraintWindow(ProjectData& project, UserDialogs& dialogs, ResultsWindow& results, PlotWindow& plot,
                     QWidget* parent = nullptr);
    ~ConstraintWindow() override;

    /// Shows the window with the current constraint.
    void open();
    /// Redisplay: list, type list, ranges, name, line width and the rows of the current constraint.
    void redisplay();

    void add();
    void remove();
    void change();
    void calculate();
    void plot();
    void done();
    /// A units switch: the diagram results belong to the old unit system.
    void unitsSwitched();

    QPushButton* plotButton() const { return plotButton_; }
    /// The diagram's design point, dragged in the Plot window.
    DesignPointDrag& designPointDrag() const { return *drag_; }

  private:
    ProjectData& project_;
    UserDialogs& dialogs_;
    ResultsWindow& results_;
    PlotWindow& plotWindow_;

    QListWidget* list_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLabel* currentLabel_ = nullptr;
    QLineEdit* number_ = nullptr;
    QComboBox* type_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLabel* nameCaption_ = nullptr;
    QLabel* typeCaption_ = nullptr;
    std::array<QLabel*, kRows> rowLabels_{};
    std::array<QLineEdit*, kRows> rowFields_{};
    QLabel* wsCaption_ = nullptr;
    std::array<QLineEdit*, 3> ws_{};
    std::array<QLineEdit*, 3> tw_{};
    QLabel* lineWidthLabel_ = nullptr;
    QLineEdit* lineWidth_ = nullptr;
    QPushButton* plotButton_ = nullptr;
    /// Constraints paged through when the Results window last returned here: the diagram draws these.
    int16_t pagedConstraints_ = 0;
    std::unique_ptr<DesignPointDrag> drag_;

    void fillRows();
    void rowLeft(int row);
    void typeChosen();
    void registerResultsMode();
    void comeBack();
};

} // namespace vededa
