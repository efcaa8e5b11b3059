#pragma once

#include "app/project_data.h"
#include "ui/project_document.h"
#include "ui/window_hooks.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>

class QAction;
class QSettings;
class QLabel;
class QMenu;
class QPushButton;
class QUrl;

namespace vededa {

class UserDialogs;
class PrintService;
class DragInputWindow;
class EngineModelWindow;

/// The program's home window (`Form1`): the picture, the status panel of the current project, the
/// buttons that open the analysis windows and the menus that choose the drag, thrust and TSFC models
/// and the unit system. It shows project fields and stores nothing of its own.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(ProjectData& project, UserDialogs& dialogs, PrintService& printer, WindowHooks& hooks,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    /// Sets every check mark and the four status texts from the project, shows or hides the engine
    /// deck buttons and sets up the units.
    void refreshMainWindow();

    /// After a reference engine file was read: the cycle deck is the engine model, so the check marks,
    /// the engine text and the engine deck buttons follow. The unit setup is not run again, since it
    /// would overwrite the unit flag the file brought.
    void showCycleDeckEngine();

    /// Loads `path` into the picture box; an empty or unreadable file shows no picture.
    bool loadPicture(const QString& path);

    /// The external programs the "Calculator" and "Paint Brush" buttons start; an empty path hides
    /// the button.
    void setExternalPrograms(const QString& calculator, const QString& paint);

    /// The project as a document: modified mark, undo and redo.
    ProjectDocument& document() { return document_; }

    /// Opens the project file `path` after asking about unsaved changes; false when it was not opened
    /// (cancelled, or the file was refused with a message).
    bool openProjectFile(const std::string& path);
    /// File > Save: writes the open file (Save As when the project has none); false when not saved.
    bool saveProject();
    /// File > Save As; false when not saved.
    bool saveProjectAs();
    /// Asks "Save changes to NAME?" when the project differs from its file; true when the caller may go
    /// on (saved, discarded or nothing to save), false on Cancel or a failed save.
    bool maySetProjectAside();

    /// The recent project files, most recent first (settings key "recentFiles").
    static QStringList recentFiles();
    /// Puts `path` first in the recent files, keeping at most kRecentFiles.
    static void rememberRecentFile(const QString& path);
    static constexpr int kRecentFiles = 8;

    // The menu commands, by item index as the menus hold them.
    void fileCommand(int index);
    void systemCommand(int index);
    void dragCommand(int index);
    void thrustCommand(int index);
    void tsfcCommand(int index);
    void engineCommand(int index);
    void unitsCommand(int index);

    /// The user manual Help > Manual opens ("" when none is installed), and the function that hands
    /// it to the desktop's viewer (QDesktopServices by default; tests replace it).
    void setManualPath(const QString& path) { manualPath_ = path; }
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { urlOpener_ = std::move(opener); }

    /// Help > Manual (F1): opens the manual in the desktop's viewer, or says why it cannot.
    void showManual();
    /// Help > About: the version, the build's source revision and the libraries' licenses.
    void showAbout();

    /// The caption: the project file's name, then the program caption.
    void updateWindowTitle();

    DragInputWindow* dragInputWindow() const { return dragWindow_; }
    EngineModelWindow* engineModelWindow() const { return engineModelWindow_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    ProjectData& project_;
    UserDialogs& dialogs_;
    PrintService& printer_;
    WindowHooks& hooks_;
    ProjectDocument document_;
    QMenu* recentMenu_ = nullptr;
    QAction* afterburnerItem_ = nullptr;

    std::array<QAction*, 7> fileItems_{};
    std::array<QAction*, 4> systemItems_{};
    std::array<QAction*, 7> dragItems_{};
    std::array<QAction*, 3> engineItems_{};
    std::array<QAction*, 6> thrustItems_{};
    std::array<QAction*, 6> tsfcItems_{};
    std::array<QAction*, 2> unitsItems_{};

    QLabel* picture_ = nullptr;
    QLabel* dragLabel_ = nullptr;
    QLabel* engineLabel_ = nullptr;
    QLabel* fileLabel_ = nullptr;
    QLabel* unitsLabel_ = nullptr;
    QPushButton* engineTestButton_ = nullptr;
    QPushButton* engineDataButton_ = nullptr;
    QPushButton* calculatorButton_ = nullptr;
    QPushButton* paintButton_ = nullptr;
    QString calculatorPath_, paintPath_;

    QString manualPath_;
    std::function<bool(const QUrl&)> urlOpener_;

    DragInputWindow* dragWindow_ = nullptr;
    EngineModelWindow* engineModelWindow_ = nullptr;

    void buildMenus();
    void buildHelpMenu();
    void buildCentralWidget();
    void setChecks();
    void showEngineText(const std::string& text);
    void openWindow(const std::function<void()>& opener, const char* name);
    void startProgram(const QString& path);
    void askThrottleRatio();
    void openProject();
    void updateTitle();
    void fillRecentMenu();
    void projectReplaced();
    void changePicture();
    void showDragInputWindow();
    void showEngineModelWindow();
};

/// The main window's caption for the project file `projectPath`: "Vededa - Vededa Analysis - Version
/// 1.26" alone without a file, else preceded by the file's name and the modified-mark placeholder
/// "[*]" (shown as "*" while the window is marked modified).
QString mainWindowTitle(const std::string& projectPath);

/// The first installed program of `candidates` (names searched on the executable path), or "".
QString findProgram(const QStringList& candidates);

/// The calculators and paint programs looked for, in order of preference.
QStringList calculatorCandidates();
QStringList paintCandidates();

} // namespace vededa
