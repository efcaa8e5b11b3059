#include "ui/main_window.h"

#include "app/field_ranges.h"

#include "app/project_file.h"
#include "app/project_history.h"
#include "app/startup.h"
#include "app/status_text.h"
#include "app/units.h"
#include "output/field_text.h"
#include "output/number_format.h"
#include "ui/drag_input_window.h"
#include "ui/engine_model_window.h"
#include "ui/picture.h"
#include "ui/print_service.h"
#include "ui/user_dialogs.h"
#include "ui/window_placement.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QVBoxLayout>

#include <cctype>

namespace vededa {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

/// Menu captions of the model menus, by item index.
constexpr std::array<const char*, 7> kDragCaptions = {"Cargo/Passenger - Tprop (low drag)",
                                                      "Cargo/Passenger - Tprop (high drag)",
                                                      "Cargo/Passenger - Tfan (low drag)",
                                                      "Cargo/Passenger - Tfan (high drag)",
                                                      "Future Fighter",
                                                      "Current Fighter",
                                                      "User Input Drag Model"};
constexpr std::array<const char*, 6> kThrustCaptions = {
    "High Bypass Turbofan", "Low Bypass Mixed Turbofan", "Advanced Turbojet",
    "Advanced Turboprop",   "User Input Engine Model",   "User Input Values"};
constexpr std::array<const char*, 6> kTsfcCaptions = {"High Bypass Turbofan",    "Low Bypass Turbofan",
                                                      "Advanced Turbojet",       "Advanced Turboprop",
                                                      "User Input Engine Model", "User Input Values"};

/// The settings key of the recent project files, most recent first.
constexpr const char* kRecentFilesKey = "recentFiles";

/// Ends the edit of the field that has the focus, so that what was typed there is stored before the
/// project is saved or set aside; the focus comes back afterwards.
void commitFocusedField() {
    QWidget* focused = QApplication::focusWidget();
    if (!focused) return;
    focused->clearFocus();
    focused->setFocus();
}

/// The smallest throttle ratio the prompt accepts.
constexpr float kMinimumThrottleRatio = 0.9999f;

} // namespace

QString findProgram(const QStringList& candidates) {
    for (const QString& name : candidates) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) return path;
    }
    return {};
}

QStringList calculatorCandidates() {
    return {"galculator", "mate-calc", "gnome-calculator", "kcalc", "qalculate-gtk", "xcalc"};
}

QStringList paintCandidates() {
    return {"mtpaint", "kolourpaint", "pinta", "drawing", "grafx2", "gimp"};
}

MainWindow::MainWindow(ProjectData& project, UserDialogs& dialogs, PrintService& printer, WindowHooks& hooks,
                       QWidget* parent)
    : QMainWindow(parent), project_(project), dialogs_(dialogs), printer_(printer), hooks_(hooks),
      document_(project) {
    setObjectName("Form1");
    setProperty("documentWindow", true);
    updateTitle();
    connect(&document_, &ProjectDocument::modifiedChanged, this, [this] { updateTitle(); });
    connect(&document_, &ProjectDocument::restored, this, [this] {
        refreshMainWindow();
        if (dragWindow_ && dragWindow_->isVisible()) dragWindow_->open();
        if (engineModelWindow_ && engineModelWindow_->isVisible()) engineModelWindow_->open();
    });
    buildMenus();
    buildCentralWidget();
    setExternalPrograms(findProgram(calculatorCandidates()), findProgram(paintCandidates()));
    refreshMainWindow();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
    auto addItem = [this](QMenu* menu, const QString& caption, const QString& arrayName, int index,
                          bool checkable, void (MainWindow::*command)(int)) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(arrayName + "_" + QString::number(index));
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, [this, command, index] { (this->*command)(index); });
        return action;
    };

    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    const std::array<const char*, 7> fileCaptions = {
        "&Open", "&Save As .......", "Plot Print &Buffer", "&Printer Setup", "&Change Picture", "-", "E&xit"};
    for (int i = 0; i < 7; ++i) {
        if (i == 5) {
            fileItems_[i] = file->addSeparator();
            fileItems_[i]->setObjectName("mnuFileItem_5");
            continue;
        }
        fileItems_[i] = addItem(file, fileCaptions[i], "mnuFileItem", i, false, &MainWindow::fileCommand);
        if (i == 0) {
            QAction* save = file->addAction("&Save");
            save->setObjectName("mnuFileSave");
            save->setShortcut(QKeySequence::Save);
            save->setShortcutContext(Qt::ApplicationShortcut);
            connect(save, &QAction::triggered, this, [this] { saveProject(); });
        }
        if (i == 1) {
            recentMenu_ = file->addMenu("Recent &Files");
            recentMenu_->setObjectName("mnuRecentFiles");
            connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
            fillRecentMenu();
        }
    }
    fileItems_[0]->setShortcut(QKeySequence::Open);
    fileItems_[1]->setShortcut(QKeySequence("Ctrl+Shift+S"));
    fileItems_[6]->setShortcut(QKeySequence("Ctrl+Q"));
    fileItems_[6]->setShortcutContext(Qt::ApplicationShortcut);

    // Undo and redo reach every change to the project, made in any window.
    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    QAction* undo = document_.undoStack().createUndoAction(this, "&Undo");
    undo->setObjectName("mnuEditUndo");
    undo->setShortcut(QKeySequence("Ctrl+Z"));
    undo->setShortcutContext(Qt::ApplicationShortcut);
    QAction* redo = document_.undoStack().createRedoAction(this, "&Redo");
    redo->setObjectName("mnuEditRedo");
    redo->setShortcuts({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")});
    redo->setShortcutContext(Qt::ApplicationShortcut);
    edit->addAction(undo);
    edit->addAction(redo);

    QMenu* system = menuBar()->addMenu("&System Analysis");
    system->setObjectName("mnuSystem");
    const std::array<const char*, 4> systemCaptions = {"&Constraint Analysis", "&Mission Analysis",
                                                       "Contour &Plots", "Si&zing Chart"};
    for (int i = 0; i < 4; ++i)
        systemItems_[i] =
            addItem(system, systemCaptions[i], "mnuSystemItem", i, false, &MainWindow::systemCommand);

    // Either/or choices carry an exclusive check mark; the marks always follow the project (setChecks),
    // so a choice the user cancels shows the model that stays. The thrust and TSFC lists may have no
    // mark (the cycle deck is chosen instead).
    auto exclusiveGroup = [this](const char* name, QActionGroup::ExclusionPolicy policy) {
        auto* group = new QActionGroup(this);
        group->setObjectName(name);
        group->setExclusionPolicy(policy);
        return group;
    };
    QActionGroup* dragGroup = exclusiveGroup("grpDrag", QActionGroup::ExclusionPolicy::Exclusive);
    QActionGroup* thrustGroup = exclusiveGroup("grpThrust", QActionGroup::ExclusionPolicy::ExclusiveOptional);
    QActionGroup* tsfcGroup = exclusiveGroup("grpTSFC", QActionGroup::ExclusionPolicy::ExclusiveOptional);
    QActionGroup* unitsGroup = exclusiveGroup("grpUnits", QActionGroup::ExclusionPolicy::Exclusive);

    QMenu* drag = menuBar()->addMenu("Aircraft &Drag");
    drag->setObjectName("mnuDrag");
    for (int i = 0; i < 7; ++i) {
        dragItems_[i] = addItem(drag, kDragCaptions[i], "mnuDragItem", i, true, &MainWindow::dragCommand);
        dragGroup->addAction(dragItems_[i]);
    }

    QMenu* engine = menuBar()->addMenu("&Engine");
    engine->setObjectName("mnuEngine");
    QMenu* thrust = engine->addMenu("Thrust");
    thrust->setObjectName("mnuThrust");
    engineItems_[0] = thrust->menuAction();
    engineItems_[0]->setObjectName("mnuEngineItem_0");
    QMenu* tsfc = engine->addMenu("TSFC");
    tsfc->setObjectName("mnuTSFC");
    engineItems_[1] = tsfc->menuAction();
    engineItems_[1]->setObjectName("mnuEngineItem_1");
    engineItems_[2] = addItem(engine, "Cycle Deck", "mnuEngineItem", 2, false, &MainWindow::engineCommand);
    // The afterburner of the afterburning engine models is the user's choice; no calculation sets it.
    afterburnerItem_ =
        addItem(engine, "&Afterburner On", "mnuEngineItem", 3, true, &MainWindow::engineCommand);
    for (int i = 0; i < 6; ++i) {
        thrustItems_[i] =
            addItem(thrust, kThrustCaptions[i], "mnuThrustItem", i, true, &MainWindow::thrustCommand);
        tsfcItems_[i] = addItem(tsfc, kTsfcCaptions[i], "mnuTSFCItem", i, true, &MainWindow::tsfcCommand);
        thrustGroup->addAction(thrustItems_[i]);
        tsfcGroup->addAction(tsfcItems_[i]);
    }

    QMenu* units = menuBar()->addMenu("&Units");
    units->setObjectName("mnuUnits");
    unitsItems_[0] = addItem(units, "English", "mnuUnitsItem", 0, true, &MainWindow::unitsCommand);
    unitsItems_[1] = addItem(units, "SI Metric", "mnuUnitsItem", 1, true, &MainWindow::unitsCommand);
    unitsGroup->addAction(unitsItems_[0]);
    unitsGroup->addAction(unitsItems_[1]);

    buildHelpMenu();
}

void MainWindow::buildCentralWidget() {
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);

    picture_ = new QLabel(central);
    picture_->setObjectName("Picture1");
    picture_->setFixedSize(480, 360);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setFrameShape(QFrame::Panel);
    picture_->setFrameShadow(QFrame::Sunken);
    layout->addWidget(picture_, 0, Qt::AlignTop);

    auto* right = new QVBoxLayout;
    auto* status = new QGroupBox("Status", central);
    status->setObjectName("Frame1");
    auto* statusLayout = new QVBoxLayout(status);
    auto makeLabel = [status, statusLayout](const char* name, const char* text) {
        auto* label = new QLabel(text, status);
        label->setObjectName(name);
        label->setWordWrap(true);
        statusLayout->addWidget(label);
        return label;
    };
    dragLabel_ = makeLabel("lblDrag", "Aircraft Drag:");
    engineLabel_ = makeLabel("lblEngine", "Engine:");
    fileLabel_ = makeLabel("lblFile", "File:");
    unitsLabel_ = makeLabel("lblUnits", "Units:");
    status->setMinimumWidth(260);
    right->addWidget(status);

    auto* buttons = new QGridLayout;
    auto makeButton = [central](const char* name, const char* caption, const char* tip) {
        auto* button = new QPushButton(caption, central);
        button->setObjectName(name);
        if (tip) button->setToolTip(tip);
        return button;
    };
    QPushButton* constraint =
        makeButton("cmdConstraint", "&Constraint Analysis", "Open Constraint Analysis Window");
    QPushButton* mission = makeButton("cmdMission", "&Mission Analysis", "Open Mission Analysis Window");
    QPushButton* contour = makeButton("cmdContour", "Contour &Plots", "Open Contour Window");
    engineTestButton_ = makeButton("cmdEngineTest", "Engine &Test", nullptr);
    engineDataButton_ = makeButton("cmdEngineData", "&Engine Data", nullptr);
    QPushButton* quit = makeButton("cmdQuit", "Quit", "Exit Program");
    calculatorButton_ = makeButton("cmdCalculator", "Calculator", nullptr);
    paintButton_ = makeButton("cmdPaintBrush", "Paint Brush", nullptr);
    buttons->addWidget(constraint, 0, 0);
    buttons->addWidget(mission, 0, 1);
    buttons->addWidget(contour, 1, 0);
    buttons->addWidget(engineTestButton_, 1, 1);
    buttons->addWidget(engineDataButton_, 2, 0);
    buttons->addWidget(calculatorButton_, 3, 0);
    buttons->addWidget(paintButton_, 3, 1);
    buttons->addWidget(quit, 4, 1);
    right->addLayout(buttons);
    right->addStretch();
    layout->addLayout(right);
    setCentralWidget(central);

    connect(constraint, &QPushButton::clicked, this,
            [this] { openWindow(hooks_.showConstraintWindow, "Constraint Analysis"); });
    connect(mission, &QPushButton::clicked, this, [this] {
        if (project_.thrustModel == 6) {
            dialogs_.message(
                kMainTitle,
                "Mission Analysis does not currently support the User Input Value for thrust or TSFC",
                MessageIcon::Warning);
            return;
        }
        openWindow(hooks_.showMissionWindow, "Mission Analysis");
    });
    connect(contour, &QPushButton::clicked, this, [this] {
        if (project_.thrustModel == 6) {
            dialogs_.message(kMainTitle, "Contour Plots can not be performed using Thrust Model #6",
                             MessageIcon::None);
            return;
        }
        openWindow(hooks_.showContourWindow, "Contour Plots");
    });
    connect(engineTestButton_, &QPushButton::clicked, this,
            [this] { openWindow(hooks_.showEngineTestWindow, "Engine Test"); });
    connect(engineDataButton_, &QPushButton::clicked, this,
            [this] { openWindow(hooks_.showEngineDataWindow, "Engine Data"); });
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
    connect(calculatorButton_, &QPushButton::clicked, this, [this] { startProgram(calculatorPath_); });
    connect(paintButton_, &QPushButton::clicked, this, [this] { startProgram(paintPath_); });
    statusBar();
}

void MainWindow::setExternalPrograms(const QString& calculator, const QString& paint) {
    calculatorPath_ = calculator;
    paintPath_ = paint;
    calculatorButton_->setVisible(!calculator.isEmpty());
    paintButton_->setVisible(!paint.isEmpty());
}

void MainWindow::startProgram(const QString& path) {
    // The program runs on its own; Vededa does not wait for it.
    if (path.isEmpty() || !QProcess::startDetached(path, {}))
        dialogs_.message(kMainTitle, "Could not start " + path.toStdString(), MessageIcon::Warning);
}

void MainWindow::openWindow(const std::function<void()>& opener, const char* name) {
    if (opener)
        opener();
    else
        statusBar()->showMessage(QString(name) + " is not available yet.", 5000);
}

void MainWindow::setChecks() {
    for (int i = 0; i < 7; ++i) dragItems_[i]->setChecked(project_.dragModel == i + 1);
    for (int i = 0; i < 6; ++i) {
        thrustItems_[i]->setChecked(project_.thrustModel == i + 1);
        tsfcItems_[i]->setChecked(project_.tsfcModel == i + 1);
    }
    for (int i = 0; i < 2; ++i) unitsItems_[i]->setChecked(project_.unitSystem == i + 1);
    if (afterburnerItem_) afterburnerItem_->setChecked(project_.afterburner == 1);
}

void MainWindow::showEngineText(const std::string& text) {
    QString t = qs(text);
    t.replace("\r\n", "\n");
    engineLabel_->setText(t);
}

void MainWindow::refreshMainWindow() {
    setupUnits(project_);
    setChecks();
    const std::string drag = dragStatusText(project_);
    if (!drag.empty()) dragLabel_->setText(qs(drag));
    showEngineText(engineStatusText(project_));
    fileLabel_->setText(qs("File: " + project_.projectPath));
    unitsLabel_->setText(qs(unitsStatusText(project_)));
    const bool deck = project_.thrustModel == 7;
    engineTestButton_->setVisible(deck);
    engineDataButton_->setVisible(deck);
    updateTitle();
}

void MainWindow::showCycleDeckEngine() {
    setChecks();
    showEngineText(engineStatusText(project_));
    const bool deck = project_.thrustModel == 7;
    engineTestButton_->setVisible(deck);
    engineDataButton_->setVisible(deck);
}

bool MainWindow::loadPicture(const QString& path) {
    const QImage image = readPicture(path);
    if (image.isNull()) {
        picture_->setPixmap(QPixmap());
        return false;
    }
    picture_->setPixmap(QPixmap::fromImage(image).scaled(picture_->size() - QSize(4, 4), Qt::KeepAspectRatio,
                                                         Qt::SmoothTransformation));
    return true;
}

void MainWindow::fileCommand(int index) {
    switch (index) {
    case 0:
        openProject();
        break;
    case 1:
        saveProjectAs();
        break;
    case 2:
        project_.printBufferFlag =
            dialogs_.ask("Plot Print Buffer",
                         "Do you want to save a plot in a printer buffer for high resolution printing ?",
                         true)
                ? 1
                : 0;
        break;
    case 3:
        printer_.setup();
        break;
    case 4:
        changePicture();
        break;
    case 6:
        close();
        break;
    default:
        break;
    }
}

void MainWindow::updateTitle() {
    // The title names the file and carries the modified mark.
    updateWindowTitle();
    if (windowTitle().contains("[*]")) setWindowModified(document_.isModified());
}

bool MainWindow::maySetProjectAside() {
    commitFocusedField();
    document_.checkpoint();
    if (!document_.isModified()) return true;
    switch (dialogs_.askSaveChanges(kMainTitle, "Save changes to " + document_.displayName() + "?")) {
    case SaveChoice::Save:
        return saveProject();
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Cancel:
        break;
    }
    return false;
}

void MainWindow::openProject() {
    if (!maySetProjectAside()) return;
    const std::string path = dialogs_.openFile("Open", kProjectOpenFilter);
    if (path.empty()) return; // cancelled: the project and its path stay as they were
    const FileResult result = readProject(project_, path);
    if (!result) {
        // The reader left the project untouched; say what was wrong and where.
        dialogs_.message(kMainTitle, result.message, MessageIcon::Warning);
        return;
    }
    projectReplaced();
}

bool MainWindow::openProjectFile(const std::string& path) {
    if (!maySetProjectAside()) return false;
    const FileResult result = readProject(project_, path);
    if (!result) {
        dialogs_.message(kMainTitle, result.message, MessageIcon::Warning);
        return false;
    }
    projectReplaced();
    return true;
}

void MainWindow::projectReplaced() {
    refreshMainWindow();
    if (hooks_.projectOpened) hooks_.projectOpened();
    if (hooks_.refreshUnitLabels) hooks_.refreshUnitLabels();
    document_.resetHistory();
    rememberRecentFile(QString::fromStdString(project_.projectPath));
    updateTitle();
}

bool MainWindow::saveProject() {
    if (project_.projectPath.empty()) return saveProjectAs();
    commitFocusedField();
    document_.checkpoint();
    const FileResult result = writeProject(project_, project_.projectPath);
    if (!result) {
        dialogs_.message(kMainTitle, result.message, MessageIcon::Warning);
        return false;
    }
    document_.markSaved();
    rememberRecentFile(QString::fromStdString(project_.projectPath));
    updateTitle();
    statusBar()->showMessage(QString::fromStdString("Saved " + project_.projectPath), 5000);
    return true;
}

bool MainWindow::saveProjectAs() {
    commitFocusedField();
    document_.checkpoint();
    const std::string proposed =
        project_.projectPath.empty() ? std::string("Vededa.RUZ") : project_.projectPath;
    const std::string path = chooseSaveFile(dialogs_, "Save As", kProjectSaveFilter, proposed);
    if (path.empty()) return false;
    const FileResult result = writeProject(project_, path);
    if (!result) {
        dialogs_.message(kMainTitle, result.message, MessageIcon::Warning);
        return false;
    }
    project_.projectPath = path;
    fileLabel_->setText(qs("File: " + path));
    document_.markSaved();
    rememberRecentFile(QString::fromStdString(path));
    updateTitle();
    return true;
}

QStringList MainWindow::recentFiles() {
    QSettings settings("Vededa", "Vededa");
    return settings.value(kRecentFilesKey).toStringList();
}

void MainWindow::rememberRecentFile(const QString& path) {
    if (path.isEmpty()) return;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFiles) files.removeLast();
    QSettings settings("Vededa", "Vededa");
    settings.setValue(kRecentFilesKey, files);
}

void MainWindow::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList files = recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction* action =
            recentMenu_->addAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        action->setObjectName(QString("mnuRecentFile_%1").arg(i));
        action->setToolTip(path);
        action->setStatusTip(path);
        connect(action, &QAction::triggered, this, [this, path] { openProjectFile(path.toStdString()); });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void MainWindow::changePicture() {
    const std::string path = dialogs_.openFile("Change Picture", kPictureFilter);
    if (!path.empty()) project_.picturePath = path;
    loadPicture(qs(project_.picturePath));
}

void MainWindow::systemCommand(int index) {
    switch (index) {
    case 0:
        openWindow(hooks_.showConstraintWindow, "Constraint Analysis");
        break;
    case 1:
        openWindow(hooks_.showMissionWindow, "Mission Analysis");
        break;
    case 2:
        if (project_.thrustModel == 6)
            dialogs_.message(kMainTitle, "Contour Plots can not be performed using Thrust Model #6.",
                             MessageIcon::None);
        else
            openWindow(hooks_.showContourWindow, "Contour Plots");
        break;
    case 3:
        openWindow(hooks_.showSizingWindow, "Sizing Chart");
        break;
    default:
        break;
    }
}

void MainWindow::dragCommand(int index) {
    project_.dragModel = static_cast<int16_t>(index + 1);
    setChecks();
    dragLabel_->setText(qs(dragStatusText(project_)));
    if (project_.dragModel == 7) showDragInputWindow();
}

void MainWindow::askThrottleRatio() {
    for (;;) {
        const std::optional<std::string> answer =
            dialogs_.input("Engine TR", "Throttle Ratio (=>1.0)", fieldText(project_.throttleRatio));
        if (!answer) {
            // Cancel ends the question; a ratio below 1 would leave the engine models without a
            // meaningful throttle break, so it is set to 1.
            if (project_.throttleRatio < kMinimumThrottleRatio) project_.throttleRatio = 1;
            return;
        }
        if (!answer->empty()) {
            // Letters or a ratio outside its physical range are refused with the reason and asked
            // again; the stored ratio stays.
            double typed = 0;
            const std::string problem =
                fieldTextProblem(*findFieldRange("tr"), *answer, project_.unitSystem == kSI, typed);
            if (!problem.empty()) {
                std::string reason = problem;
                reason[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(reason[0])));
                dialogs_.message("Engine TR", reason, MessageIcon::Warning);
                continue;
            }
            project_.throttleRatio = static_cast<float>(typed);
        }
        if (project_.throttleRatio >= kMinimumThrottleRatio) return;
    }
}

void MainWindow::thrustCommand(int index) {
    project_.thrustModel = static_cast<int16_t>(index + 1);
    if (project_.tsfcModel == 7) project_.tsfcModel = project_.thrustModel;
    setChecks();
    if (project_.thrustModel == 5) showEngineModelWindow();
    if (project_.thrustModel < 5) askThrottleRatio();
    showEngineText(engineStatusText(project_));
}

void MainWindow::tsfcCommand(int index) {
    project_.tsfcModel = static_cast<int16_t>(index + 1);
    setChecks();
    showEngineText(engineStatusText(project_));
    if (project_.tsfcModel == 5) showEngineModelWindow();
}

void MainWindow::engineCommand(int index) {
    if (index == 3) {
        project_.afterburner = project_.afterburner == 1 ? 0 : 1;
        setChecks();
        showEngineText(engineStatusText(project_));
        return;
    }
    if (index != 2) return; // the Thrust and TSFC items only open their submenus
    showEngineText("Engine: File - " + project_.engine.fileName);
    for (QAction* a : thrustItems_) a->setChecked(false);
    for (QAction* a : tsfcItems_) a->setChecked(false);
    openWindow(hooks_.showEngineDataWindow, "Engine Data");
}

void MainWindow::unitsCommand(int index) {
    const auto system = static_cast<int16_t>(index + 1);
    if (system == project_.unitSystem) {
        setChecks();
        return;
    }
    if (!dialogs_.ask(kMainTitle, "Do you really want to change unit systems?", true)) {
        setChecks();
        return;
    }
    switchUnits(project_, system);
    setChecks();
    unitsLabel_->setText(qs(unitsStatusText(project_)));
    if (hooks_.unitsSwitched) hooks_.unitsSwitched();
    if (hooks_.refreshUnitLabels) hooks_.refreshUnitLabels();
}

void MainWindow::showDragInputWindow() {
    if (!dragWindow_) {
        dragWindow_ = new DragInputWindow(project_, dialogs_, this);
        makeScrollable(dragWindow_);
    }
    dragWindow_->open();
}

void MainWindow::showEngineModelWindow() {
    if (!engineModelWindow_) {
        engineModelWindow_ = new EngineModelWindow(project_, this);
        makeScrollable(engineModelWindow_);
        // The throttle ratio typed there is part of the engine text.
        connect(engineModelWindow_, &EngineModelWindow::valueStored, this,
                [this] { showEngineText(engineStatusText(project_)); });
    }
    engineModelWindow_->open();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    commitFocusedField();
    document_.checkpoint();
    // Unsaved changes get the Save / Discard / Cancel question; otherwise the quit is confirmed.
    const bool mayQuit = document_.isModified()
                             ? maySetProjectAside()
                             : dialogs_.ask(kMainTitle, "Do you really want to quit this program?", true);
    if (!mayQuit) {
        event->ignore();
        return;
    }
    printer_.discardPendingPage();
    if (dragWindow_) dragWindow_->hide();
    if (engineModelWindow_) engineModelWindow_->hide();
    if (hooks_.closeOtherWindows) hooks_.closeOtherWindows();
    event->accept();
    QCoreApplication::quit();
}

} // namespace vededa
