#pragma once

#include "app/project_data.h"

#include <QWidget>

#include <array>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vededa {

class UserDialogs;
class PrintService;

/// The Component Interfaces window (`Form13`): the flow state at every station of the reference engine,
/// sized by the thrust scale, for the three Mach numbers typed at the engine face, the compressor face
/// and the afterburner exit.
class ComponentInterfacesWindow : public QWidget {
    Q_OBJECT
  public:
    ComponentInterfacesWindow(ProjectData& project, UserDialogs& dialogs, PrintService& printer,
                              QWidget* parent = nullptr);

    /// Shows the stored Mach numbers and the window.
    void open();

    /// "Calculate": the interface table into the text area; "Print" becomes visible.
    void calculate();
    /// "Print": asks, then prints the table.
    void print();

    /// The table of the last "Calculate" (CRLF line ends).
    const std::string& report() const { return report_; }

  private:
    ProjectData& project_;
    UserDialogs& dialogs_;
    PrintService& printer_;
    std::array<QLineEdit*, 3> machBoxes_{};
    QPlainTextEdit* text_ = nullptr;
    QPushButton* printButton_ = nullptr;
    std::string report_;

    std::array<float*, 3> machValues();
    void fillFields();
};

} // namespace vededa
