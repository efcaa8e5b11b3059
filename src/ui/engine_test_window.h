#pragma once

#include "app/project_data.h"

#include <QWidget>

#include <array>
#include <string>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vededa {

class UserDialogs;
class ResultsWindow;
class ThrottleHookWindow;

/// The Engine Test window (`Form12`): the cycle deck at one operating condition and a percentage of
/// the maximum thrust, the engine performance series into the Results window and the throttle hook.
/// Every field is stored in the project when it is left.
class EngineTestWindow : public QWidget {
    Q_OBJECT
  public:
    EngineTestWindow(ProjectData& project, UserDialogs& dialogs, ResultsWindow& results,
                     ThrottleHookWindow& hook, QWidget* parent = nullptr);

    /// Fills the fields from the project, runs Reset and shows the window.
    void open();

    /// "Test": the deck at the typed condition and percent of the maximum thrust.
    void test();
    /// "Perform Series of Calculations for Iteration Range": checks the series settings, then the
    /// Results window runs the series.
    void series();
    /// "Calculate Throttle Hook": the Throttle Hook window takes over at the typed condition.
    void throttleHook();

    /// The deck's failure messages of the last run (empty when it converged).
    const std::string& messages() const { return messages_; }

  private:
    /// An input field: its box and how a typed number is stored.
    struct Field {
        QLineEdit* box = nullptr;
        float* stored = nullptr;
    };

    ProjectData& project_;
    UserDialogs& dialogs_;
    ResultsWindow& results_;
    ThrottleHookWindow& hook_;
    std::array<Field, 14> fields_{}; ///< Text1..Text14
    std::array<QRadioButton*, 7> options_{};
    QButtonGroup* optionGroup_ = nullptr;
    std::string messages_;

    QLabel* output(const char* name) const;
    QLineEdit* addField(int index, float* stored);
    void commitField(int index);
    /// The series range boxes take the range of the chosen series variable.
    void followSeriesVariable();
    /// Says in the status bar when the altitude lies above the atmosphere table (its top is used).
    void showAtmosphereNote();
    void fillFields();
    void reset();
    void clearOptions();
    void clearOutputs();
    void setOutput(const char* name, const std::string& text);
};

} // namespace vededa
