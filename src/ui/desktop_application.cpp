#include "ui/desktop_application.h"

#include "app/build_info.h"
#include "app/project_file.h"
#include "app/startup.h"
#include "ui/design_point_drag.h"
#include "ui/mission_plot_window.h"
#include "ui/picture.h"
#include "ui/user_dialogs.h"
#include "ui/window_placement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTime>
#include <QVBoxLayout>

namespace vededa {

namespace {

/// The splash closes at the latest after this long, even when the wall clock jumps.
constexpr int kSplashLongestMs = 6500;
/// How often the splash looks at the clock.
constexpr int kSplashPollMs = 100;

} // namespace

SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form8");
    setWindowTitle("VEDEDA");
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("Vededa - Vededa Analysis", this);
    title->setObjectName("Label1");
    QFont big = title->font();
    big.setPointSize(16);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QString("Version %1 - November 17, 1999").arg(programVersion()), this);
    version->setObjectName("Label2");
    version->setAlignment(Qt::AlignCenter);
    picture_ = new QLabel(this);
    picture_->setObjectName("Picture1");
    picture_->setFixedSize(480, 360);
    picture_->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(picture_, 0, Qt::AlignCenter);
}

bool SplashWindow::loadPicture(const QString& path) {
    const QImage image = readPicture(path);
    if (image.isNull()) return false;
    picture_->setPixmap(
        QPixmap::fromImage(image).scaled(picture_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return true;
}

DesktopApplication::DesktopApplication(UserDialogs& dialogs) : dialogs_(dialogs), printer_(dialogs) {
    initializeProject(project_);
    placement_ = std::make_unique<WindowPlacement>();
    main_ = std::make_unique<MainWindow>(project_, dialogs_, printer_, hooks_);
    printer_.projectName = [this] {
        return QFileInfo(QString::fromStdString(project_.projectPath)).completeBaseName().toStdString();
    };
    results_ = std::make_unique<ResultsWindow>(project_, dialogs_, printer_);
    plot_ = std::make_unique<PlotWindow>(project_, dialogs_, printer_);
    connectAnalysisWindows();
    engineData_ = std::make_unique<EngineDataWindow>(project_, dialogs_, hooks_);
    hooks_.showEngineDataWindow = [this] { engineData_->open(); };
    interfaces_ = std::make_unique<ComponentInterfacesWindow>(project_, dialogs_, printer_);
    hooks_.showComponentInterfacesWindow = [this] { interfaces_->open(); };
    hook_ = std::make_unique<ThrottleHookWindow>(project_, dialogs_, printer_);
    engineTest_ = std::make_unique<EngineTestWindow>(project_, dialogs_, *results_, *hook_);
    hooks_.showEngineTestWindow = [this] { engineTest_->open(); };
    // A close box does what Done does; Done returns to the window that opened the child window.
    const std::pair<QWidget*, const char*> doneButtons[] = {
        {results_.get(), "Command3"},    {plot_.get(), "Command1"},    {constraint_.get(), "cmdDone"},
        {mission_.get(), "cmdDone"},     {contour_.get(), "Command3"}, {engineData_.get(), "Command2"},
        {interfaces_.get(), "Command3"}, {hook_.get(), "Command2"},    {engineTest_.get(), "Command4"},
    };
    for (const auto& [window, name] : doneButtons)
        closeBoxRunsDone(window, window->findChild<QAbstractButton*>(name));
    auto comeBackTo = [](QWidget* window) {
        window->show();
        window->raise();
        window->activateWindow();
    };
    QObject::connect(hook_->findChild<QAbstractButton*>("Command2"), &QAbstractButton::clicked,
                     engineTest_.get(), [this, comeBackTo] { comeBackTo(engineTest_.get()); });
    QObject::connect(interfaces_->findChild<QAbstractButton*>("Command3"), &QAbstractButton::clicked,
                     engineData_.get(), [this, comeBackTo] {
                         if (engineData_->isHidden()) comeBackTo(engineData_.get());
                     });
    // Long forms scroll, so that every window fits a small or scaled screen.
    for (QWidget* form : std::initializer_list<QWidget*>{constraint_.get(), mission_.get(), contour_.get(),
                                                         engineData_.get(), engineTest_.get()})
        makeScrollable(form);
    // A read reference file makes the cycle deck the engine model: the main window shows its engine
    // text, check marks and the engine buttons, and the mission summary of another engine is stale.
    QObject::connect(engineData_.get(), &EngineDataWindow::referenceRead, main_.get(),
                     [this] { main_->showCycleDeckEngine(); });
    hooks_.refreshUnitLabels = [this, previous = hooks_.refreshUnitLabels] {
        if (previous) previous();
        if (engineData_->isVisible()) engineData_->activate();
        if (engineTest_->isVisible()) engineTest_->open();
    };
    // Undo and redo put other inputs into the project: every window shows them, and results computed
    // from the inputs before are stale.
    QObject::connect(&main_->document(), &ProjectDocument::restored, main_.get(), [this] {
        hooks_.unitsSwitched();
        hooks_.refreshUnitLabels();
    });
    hooks_.closeOtherWindows = [this] {
        results_->hide();
        plot_->hide();
        constraint_->hide();
        mission_->plotWindow().hide();
        mission_->hide();
        contour_->hide();
        sizing_->hide();
        engineData_->hide();
        interfaces_->hide();
        hook_->hide();
        engineTest_->hide();
        if (splash_) splash_->hide();
    };
}

void DesktopApplication::connectAnalysisWindows() {
    constraint_ = std::make_unique<ConstraintWindow>(project_, dialogs_, *results_, *plot_);
    mission_ = std::make_unique<MissionWindow>(project_, dialogs_, *results_, printer_);
    contour_ = std::make_unique<ContourWindow>(project_, dialogs_, *plot_, printer_);
    hooks_.showConstraintWindow = [this] { constraint_->open(); };
    hooks_.showMissionWindow = [this] { mission_->open(); };
    hooks_.showContourWindow = [this] { contour_->open(); };
    sizing_ = std::make_unique<SizingWindow>(project_);
    // The chart with its settings and side panel is wider than a small or scaled screen: it scrolls.
    makeScrollable(sizing_.get());
    hooks_.showSizingWindow = [this] { sizing_->open(); };
    sizing_->returnToMain = [this] {
        main_->raise();
        main_->activateWindow();
    };
    // A design point picked on the sizing chart is one undoable change with its own name.
    // The constraint diagram and the sizing chart both mark the design point: a point set on one moves
    // the mark on the other.
    sizing_->designPointChanged = [this](const QString& label) {
        main_->document().checkpoint(label);
        constraint_->designPointDrag().projectChanged();
    };
    constraint_->designPointDrag().designPointChanged = [this](const QString& label) {
        main_->document().checkpoint(label);
        sizing_->showDesignPoint();
    };
    contour_->returnToMain = [this] {
        main_->raise();
        main_->activateWindow();
    };
    plot_->returnToSource = [this](int16_t source) {
        if (source == kPlotSourceConstraint) constraint_->open();
        if (source == kPlotSourceContour) contour_->comeBack();
    };
    hooks_.unitsSwitched = [this] {
        constraint_->unitsSwitched();
        mission_->resultsStale();
        contour_->resultsStale();
        sizing_->resultsStale();
    };
    // The results of the analyses belong to the project they were computed for.
    hooks_.projectOpened = [this] {
        mission_->resultsStale();
        contour_->resultsStale();
        sizing_->resultsStale();
    };
    // Results computed with another engine are stale once a reference engine is read.
    hooks_.referenceEngineRead = [this] {
        mission_->resultsStale();
        contour_->resultsStale();
    };
    hooks_.refreshUnitLabels = [this] {
        if (constraint_->isVisible()) constraint_->redisplay();
        if (mission_->isVisible()) mission_->showLeg();
        if (contour_->isVisible()) contour_->fill();
    };
}

DesktopApplication::~DesktopApplication() = default;

std::string DesktopApplication::loadStartupFiles(const std::string& directory) {
    StartupSources sources;
    sources.directory = directory;
    return loadStartupFiles(sources);
}

std::string DesktopApplication::loadStartupFiles(const StartupSources& sources) {
    const StartupFiles files = chooseStartupFiles(sources);
    startupReference_ = files.referenceEngine;
    std::string chosen = files.project;
    if (chosen.empty()) {
        dialogs_.message(kMissingProjectTitle, missingProjectMessage(sources.directory), MessageIcon::None);
        chosen = dialogs_.openFile("Open", kProjectOpenFilter);
    }
    if (!chosen.empty()) {
        // A damaged file leaves the default project and says what was wrong, instead of starting on
        // a half-read project.
        const FileResult result = readProject(project_, chosen);
        if (!result) dialogs_.message(kMainTitle, result.message, MessageIcon::Warning);
    }

    // The picture is looked for in the start directory, then among the bundled examples, not where
    // the project file says.
    std::string picture = files.picture;
    if (picture.empty()) {
        picture = defaultPicturePath(sources.directory);
        dialogs_.message(kMissingPictureTitle, missingPictureMessage(sources.directory), MessageIcon::None);
        const std::string name = dialogs_.openFile("Open", kPictureFilter);
        if (!name.empty()) picture = name;
    }
    project_.picturePath = picture;
    return picture;
}

void DesktopApplication::showMainWindow(const QString& picture) {
    main_->loadPicture(picture);
    main_->refreshMainWindow();
    if (splash_) splash_->close();
    main_->show();
    main_->activateWindow();
    if (!startupReference_.empty()) {
        // A reference engine file opened from the desktop: read it as the Engine Data window's
        // command would.
        engineData_->open();
        engineData_->readFile(startupReference_);
        startupReference_.clear();
    }
}

void DesktopApplication::start(bool splash) {
    StartupSources sources;
    sources.directory = currentDirectory();
    start(splash, sources);
}

void DesktopApplication::start(bool splash, const StartupSources& sources) {
    const std::string picture = loadStartupFiles(sources);
    // The project as read is the state the modified mark and undo start from.
    main_->document().resetHistory();
    const QString qPicture = QString::fromStdString(picture);
    if (!splash) {
        showMainWindow(qPicture);
        return;
    }
    splash_ = std::make_unique<SplashWindow>();
    splash_->loadPicture(qPicture);
    splash_->show();
    // Wait about five seconds: until the seconds field of the clock reaches its target, looking at
    // the clock from the event loop so the windows keep painting.
    const int target = splashTargetSecond(QTime::currentTime().second());
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    QObject::connect(&splashTimer_, &QTimer::timeout, [this, target, elapsed, qPicture] {
        if (QTime::currentTime().second() != target && elapsed->elapsed() < kSplashLongestMs) return;
        splashTimer_.stop();
        showMainWindow(qPicture);
    });
    splashTimer_.start(kSplashPollMs);
}

} // namespace vededa
