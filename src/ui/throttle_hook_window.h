#pragma once

#include "app/project_data.h"

#include <QWidget>

#include <string>

class QPlainTextEdit;

namespace vededa {

class UserDialogs;
class PrintService;

/// The Throttle Hook window (`Form14`): the part-throttle table of the reference engine, from 100 to
/// 10 percent of the maximum thrust, at the operating condition of the engine test.
class ThrottleHookWindow : public QWidget {
    Q_OBJECT
  public:
    ThrottleHookWindow(ProjectData& project, UserDialogs& dialogs, PrintService& printer,
                       QWidget* parent = nullptr);

    /// Empties the text, shows the window and writes the hook at Mach number `mach`, altitude
    /// `altitude` [ft or m] and ambient temperature `T0` [R or K; 0 for the table atmosphere's].
    void open(float mach, float altitude, float T0);

    /// "Print": asks, then prints the table in the report font.
    void print();

    /// The table (CRLF line ends).
    const std::string& report() const { return report_; }
    /// The deck's failure messages of the last hook (empty when every run converged).
    const std::string& messages() const { return messages_; }

  private:
    ProjectData& project_;
    UserDialogs& dialogs_;
    PrintService& printer_;
    QPlainTextEdit* text_ = nullptr;
    std::string report_, messages_;
};

} // namespace vededa
