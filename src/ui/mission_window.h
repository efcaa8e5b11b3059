#pragma once

#include "app/project_data.h"
#include "models/analysis_models.h"

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
class ResultsWindow;
class PrintService;
class MissionPlotWindow;

/// The Mission window (`Form10`): the leg list, the current leg's type, name and parameter boxes, the
/// aircraft data, and the commands Add, Remove, Change, Calculate, Summary, Plot and Done. It edits the
/// project through the leg operations; Calculate pages the leg reports in the Results window, Summary
/// shows the mission summary there and Plot opens the mission plot window.
class MissionWindow : public QWidget {
    Q_OBJECT
  public:
    /// Number of parameter boxes of the window.
    static constexpr int kBoxes = 14;

    MissionWindow(ProjectData& project, UserDialogs& dialogs, ResultsWindow& results, PrintService& printer,
                  QWidget* parent = nullptr);
    ~MissionWindow() override;

    /// Shows the window with the current leg.
    void open();
    /// Show leg: the current leg's boxes, the count, the leg list, the aircraft boxes, the type list.
    void showLeg();

    void add();
    void remove();
    void change();
    void calculate();
    void summary();
    void plot();
    void done();
    /// A units switch or a newly opened project: the results belong to the old data.
    void resultsStale();

    QPushButton* summaryButton() const { return summaryButton_; }
    QPushButton* plotButton() const { return plotButton_; }
    MissionPlotWindow& plotWindow();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ProjectData& project_;
    UserDialogs& dialogs_;
    ResultsWindow& results_;
    PrintService& printer_;
    std::unique_ptr<MissionPlotWindow> plotWindow_;
    AnalysisModels models_;

    QListWidget* list_ = nullptr;
    QLineEdit* number_ = nullptr;
    QLabel* currentLabel_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QComboBox* type_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLabel* nameCaption_ = nullptr;
    QLabel* typeCaption_ = nullptr;
    std::array<QLabel*, kBoxes> boxLabels_{};
    std::array<QLineEdit*, kBoxes> boxes_{};
    std::array<int16_t, kBoxes> boxParameter_{};
    QLineEdit* wingLoading_ = nullptr;
    QLineEdit* thrustLoading_ = nullptr;
    QLineEdit* beta_ = nullptr;
    QLineEdit* takeoffWeight_ = nullptr;
    QLineEdit* seaLevelThrust_ = nullptr;
    QLineEdit* wingArea_ = nullptr;
    std::array<QLabel*, 6> aircraftUnits_{};
    QPushButton* summaryButton_ = nullptr;
    QPushButton* plotButton_ = nullptr;

    void boxLeft(int box);
    void numberLeft();
    void typeLeft();
    void showAircraft();
    void refreshUnitLabels();
    void registerResultsModes();
};

} // namespace vededa
