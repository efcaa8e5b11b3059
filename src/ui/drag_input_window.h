#pragma once

#include "app/project_data.h"

#include <QWidget>

#include <array>
#include <string>

class QCloseEvent;
class QLineEdit;
class QTabWidget;

namespace vededa {

class UserDialogs;

/// The first problem of the user drag tables that "Done" refuses, or "" when they are usable: at least
/// two K1 and two CD0 points, and Mach numbers increasing strictly within each table.
std::string dragTablesProblem(const ProjectData& project);

/// True when the drag model can be calculated; with the user drag model whose tables are not usable
/// (fewer than two points, Mach numbers not increasing) it says so and returns false.
bool usableDragModel(const ProjectData& project, UserDialogs& dialogs);

/// The drag input window (`Form6`): point counts and the Mach/value rows of the three user drag
/// tables K1, K2 and CD0. Edits go into the project as soon as a field is left.
class DragInputWindow : public QWidget {
    Q_OBJECT
  public:
    DragInputWindow(ProjectData& project, UserDialogs& dialogs, QWidget* parent = nullptr);

    /// Fills the fields from the project and shows the window.
    void open();
    /// The "Done" checks; closes the window when the tables pass. Returns whether it closed.
    bool done();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct TableFields {
        DragTable* table = nullptr;
        QLineEdit* count = nullptr;
        std::array<QLineEdit*, kMaxDragPoints + 1> mach{};
        std::array<QLineEdit*, kMaxDragPoints + 1> value{};
        std::array<QWidget*, kMaxDragPoints + 1> rowWidgets{};
    };
    ProjectData& project_;
    UserDialogs& dialogs_;
    std::array<TableFields, 3> tables_;
    QTabWidget* tabs_ = nullptr;

    void fillTable(TableFields& t);
    void countLeft(TableFields& t);
};

} // namespace vededa
