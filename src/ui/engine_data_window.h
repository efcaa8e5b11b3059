#pragma once

#include "app/project_data.h"
#include "engine/reference_file.h"
#include "ui/window_hooks.h"

#include <QWidget>

#include <array>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace vededa {

class UserDialogs;
class EngineDesignDialog;

/// The Engine Data window (`Form11`): reads a reference engine file and lists it, and edits the engine
/// limits, the number of engines and the installation-loss model of the cycle deck. Every field is
/// stored in the project by the core's field rules when it is left.
class EngineDataWindow : public QWidget {
    Q_OBJECT
  public:
    EngineDataWindow(ProjectData& project, UserDialogs& dialogs, WindowHooks& hooks,
                     QWidget* parent = nullptr);

    /// Fills every field, caption and the listing from the project, then shows the window.
    void open();

    /// What the window does when it is activated: fills the fields from the project, shows the Tt7 max
    /// field only for the afterburning types, selects the loss model, and rebuilds the listing while
    /// the cycle deck is the thrust model (otherwise empties it).
    void activate();

    /// "Read Ridor Refr Data File": the open dialog, then `readFile` of the chosen file.
    void readCommand();

    /// Reads `path` as a reference engine file. A refused file shows its message and changes nothing;
    /// a read file appends its listing and updates the captions and fields. True when it was read.
    bool readFile(const std::string& path);

    /// "Design...": shows the dialog that makes a reference engine from a design.
    void designCommand();

    EngineDesignDialog* designDialog() const { return designDialog_; }

  signals:
    /// A reference file was read: the project now runs the cycle deck.
    void referenceRead();

  private:
    struct Field {
        EngineDataField id;
        QLineEdit* box = nullptr;
        QLabel* caption = nullptr;
        QLabel* unit = nullptr;
    };

    ProjectData& project_;
    UserDialogs& dialogs_;
    WindowHooks& hooks_;
    std::array<Field, 12> fields_{}; ///< Text1..Text12 in field order
    std::array<QRadioButton*, 3> lossOptions_{};
    QPlainTextEdit* listing_ = nullptr;
    QLabel* fileCaption_ = nullptr;
    QLabel* typeCaption_ = nullptr;
    QLabel* scaleCaption_ = nullptr;
    QPushButton* componentButton_ = nullptr;
    EngineDesignDialog* designDialog_ = nullptr;

    Field& field(EngineDataField id);
    void fillFields();
    void showTypeDependentFields();
    void showLossModel();
    void setUnitCaptions();
    void appendListing(const std::string& text);
    void lossOptionChosen(int option);
};

} // namespace vededa
