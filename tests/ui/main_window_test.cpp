#include "scripted_dialogs.h"

#include "app/project_file.h"
#include "app/startup.h"
#include "app/status_text.h"
#include "ui/desktop_application.h"
#include "ui/drag_input_window.h"
#include "ui/engine_model_window.h"
#include "ui/main_window.h"
#include "ui/print_service.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <memory>

using namespace vededa;
using vededa::test::ScriptedDialogs;

namespace {

QString dataFile(const char* name) {
    return QString(VEDEDA_TEST_DATA_DIR) + "/" + name;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    ProjectData project;
    ScriptedDialogs dialogs;
    std::unique_ptr<PrintService> printer;
    WindowHooks hooks;
    std::unique_ptr<MainWindow> window;
    int missionOpened = 0, contourOpened = 0;

    QAction* action(const QString& name) { return window->findChild<QAction*>(name); }
    QString label(const char* name) { return window->findChild<QLabel*>(name)->text(); }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    std::vector<bool> checks(const QString& array, int count) {
        std::vector<bool> out;
        for (int i = 0; i < count; ++i) out.push_back(action(array + "_" + QString::number(i))->isChecked());
        return out;
    }

  private slots:
    void init() {
        project = ProjectData();
        initializeProject(project);
        dialogs = ScriptedDialogs();
        printer = std::make_unique<PrintService>(dialogs);
        hooks = WindowHooks();
        missionOpened = contourOpened = 0;
        hooks.showMissionWindow = [this] { ++missionOpened; };
        hooks.showContourWindow = [this] { ++contourOpened; };
        window = std::make_unique<MainWindow>(project, dialogs, *printer, hooks);
        window->show();
    }
    void cleanup() { window.reset(); }

    void captionsAndInitialTexts() {
        QCOMPARE(window->windowTitle(), QString("Vededa - Vededa Analysis - Version 1.26"));
        QCOMPARE(action("mnuFileItem_1")->text(), QString("&Save As ......."));
        QCOMPARE(action("mnuThrustItem_1")->text(), QString("Low Bypass Mixed Turbofan"));
        QCOMPARE(action("mnuTSFCItem_1")->text(), QString("Low Bypass Turbofan"));
        QCOMPARE(button("cmdMission")->toolTip(), QString("Open Mission Analysis Window"));
        // A fresh project: no model chosen, English units.
        QCOMPARE(label("lblDrag"), QString("Aircraft Drag:"));
        QCOMPARE(label("lblEngine"), QString("Thrust: 0, TR = 1,\nTSFC: 0"));
        QCOMPARE(label("lblUnits"), QString("Units: English"));
        QCOMPARE(checks("mnuDragItem", 7), std::vector<bool>(7, false));
        QVERIFY(action("mnuUnitsItem_0")->isChecked());
        QVERIFY(button("cmdEngineTest")->isHidden());
        QVERIFY(button("cmdEngineData")->isHidden());
    }

    void dragItemChecksAndText_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("text");
        QTest::newRow("1") << 0 << "Drag: 1 - Cargo/Passenger - Tprop (low drag)";
        QTest::newRow("4") << 3 << "Drag: 4 - Cargo/Passenger - Tfan (high drag)";
        QTest::newRow("6") << 5 << "Drag: 6 - Current Fighter";
    }
    void dragItemChecksAndText() {
        QFETCH(int, item);
        QFETCH(QString, text);
        action("mnuDragItem_2")->trigger(); // a previous choice whose mark must go
        action("mnuDragItem_" + QString::number(item))->trigger();
        QCOMPARE(project.dragModel, item + 1);
        std::vector<bool> want(7, false);
        want[item] = true;
        QCOMPARE(checks("mnuDragItem", 7), want);
        QCOMPARE(label("lblDrag"), text);
        QVERIFY(!window->dragInputWindow());
    }

    void userDragModelOpensTheDragWindow() {
        action("mnuDragItem_6")->trigger();
        QVERIFY(window->dragInputWindow() && window->dragInputWindow()->isVisible());
        QCOMPARE(label("lblDrag"), QString("Drag: 7 - User Input Drag Model"));
    }

    void throttleRatioPromptRepeatsBelowOne() {
        dialogs.inputs = {"0.5", "", "1.07"};
        project.throttleRatio = 0.5f;
        action("mnuThrustItem_1")->trigger();
        const auto prompts = dialogs.texts("input");
        QCOMPARE(prompts.size(), size_t(3));
        QCOMPARE(prompts[0], std::string("Throttle Ratio (=>1.0)|0.5"));
        QCOMPARE(dialogs.shown[0].title, std::string("Engine TR"));
        QCOMPARE(project.throttleRatio, 1.07f);
        QCOMPARE(label("lblEngine"), QString("Thrust: 2 - Low BP Mixed Tfan, AB off, TR = 1.07,\nTSFC: 0"));
        QCOMPARE(checks("mnuThrustItem", 6), (std::vector<bool>{false, true, false, false, false, false}));
    }

    void cancellingTheThrottleRatioEndsThePrompt() {
        project.throttleRatio = 0.5f;
        action("mnuThrustItem_0")->trigger(); // no scripted answer: Cancel
        QCOMPARE(dialogs.texts("input").size(), size_t(1));
        QCOMPARE(project.throttleRatio, 1.0f);
    }

    void userEngineModelsAskNoThrottleRatio_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("modelWindow");
        QTest::newRow("user input model") << 4 << true;
        QTest::newRow("user input values") << 5 << false;
    }
    void userEngineModelsAskNoThrottleRatio() {
        QFETCH(int, item);
        QFETCH(bool, modelWindow);
        action("mnuThrustItem_" + QString::number(item))->trigger();
        QVERIFY(dialogs.texts("input").empty());
        QVERIFY(!label("lblEngine").contains("TR ="));
        QCOMPARE(window->engineModelWindow() != nullptr && window->engineModelWindow()->isVisible(),
                 modelWindow);
    }

    void thrustChoiceFollowsIntoTsfcOnlyFromTheCycleDeck_data() {
        QTest::addColumn<int>("tsfcBefore");
        QTest::addColumn<int>("tsfcAfter");
        QTest::newRow("cycle deck") << 7 << 3;
        QTest::newRow("own TSFC model") << 2 << 2;
    }
    void thrustChoiceFollowsIntoTsfcOnlyFromTheCycleDeck() {
        QFETCH(int, tsfcBefore);
        QFETCH(int, tsfcAfter);
        project.tsfcModel = static_cast<int16_t>(tsfcBefore);
        dialogs.inputs = {"1"};
        action("mnuThrustItem_2")->trigger();
        QCOMPARE(int(project.tsfcModel), tsfcAfter);
        QVERIFY(action("mnuTSFCItem_" + QString::number(tsfcAfter - 1))->isChecked());
    }

    void tsfcItemKeepsTheThrustModel() {
        project.thrustModel = 1;
        action("mnuTSFCItem_3")->trigger();
        QCOMPARE(int(project.thrustModel), 1);
        QCOMPARE(label("lblEngine"), QString("Thrust: 1 - High BP Tfan, TR = 1,\nTSFC: 4 - Advanced Tprop"));
    }

    void cycleDeckClearsTheEngineMarks() {
        project.engine.fileName = "F100.REF";
        dialogs.inputs = {"1"};
        action("mnuThrustItem_0")->trigger();
        action("mnuTSFCItem_0")->trigger();
        action("mnuEngineItem_2")->trigger();
        QCOMPARE(label("lblEngine"), QString("Engine: File - F100.REF"));
        QCOMPARE(checks("mnuThrustItem", 6), std::vector<bool>(6, false));
        QCOMPARE(checks("mnuTSFCItem", 6), std::vector<bool>(6, false));
    }

    void unitsCommand_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("system");
        QTest::newRow("SI, Yes") << 1 << true << 1 << 2;
        QTest::newRow("SI, No") << 1 << false << 1 << 1;
        QTest::newRow("English already") << 0 << true << 0 << 1;
    }
    void unitsCommand() {
        QFETCH(int, item);
        QFETCH(bool, answer);
        QFETCH(int, questions);
        QFETCH(int, system);
        int switched = 0;
        hooks.unitsSwitched = [&switched] { ++switched; };
        dialogs.answers = {answer};
        const float temperature = project.constraints[3].p[3];
        action("mnuUnitsItem_" + QString::number(item))->trigger();
        QCOMPARE(int(dialogs.texts("ask").size()), questions);
        if (questions)
            QCOMPARE(dialogs.texts("ask")[0], std::string("Do you really want to change unit systems?"));
        QCOMPARE(int(project.unitSystem), system);
        QCOMPARE(checks("mnuUnitsItem", 2), (std::vector<bool>{system == 1, system == 2}));
        QCOMPARE(label("lblUnits"), QString(system == 2 ? "Units: SI Metric" : "Units: English"));
        QCOMPARE(switched, system == 2 ? 1 : 0);
        if (system == 2)
            QVERIFY(qAbs(project.constraints[3].p[3] - 288.161f) < 0.01f);
        else
            QCOMPARE(project.constraints[3].p[3], temperature);
    }

    void missionButtonRefusesUserValuesButTheMenuOpens() {
        project.thrustModel = 6;
        button("cmdMission")->click();
        QCOMPARE(missionOpened, 0);
        QCOMPARE(dialogs.texts("message"),
                 std::vector<std::string>{
                     "Mission Analysis does not currently support the User Input Value for thrust or TSFC"});
        action("mnuSystemItem_1")->trigger();
        QCOMPARE(missionOpened, 1);
    }

    void contourRefusesUserValuesFromButtonAndMenu() {
        project.thrustModel = 6;
        button("cmdContour")->click();
        action("mnuSystemItem_2")->trigger();
        QCOMPARE(contourOpened, 0);
        QCOMPARE(dialogs.texts("message"),
                 (std::vector<std::string>{"Contour Plots can not be performed using Thrust Model #6",
                                           "Contour Plots can not be performed using Thrust Model #6."}));
        project.thrustModel = 1;
        button("cmdContour")->click();
        QCOMPARE(contourOpened, 1);
    }

    void openGoodFileRefreshesEverything() {
        dialogs.files = {dataFile("Vededa.RUZ").toStdString()};
        action("mnuFileItem_0")->trigger();
        QVERIFY2(dialogs.texts("message").empty(), "no error for the bundled project");
        QCOMPARE(label("lblFile"), "File: " + dataFile("Vededa.RUZ"));
        QVERIFY(project.dragModel >= 1);
        QCOMPARE(label("lblDrag").toStdString(), dragStatusText(project));
        QVERIFY(action("mnuDragItem_" + QString::number(project.dragModel - 1))->isChecked());
        QCOMPARE(label("lblEngine").replace("\n", "\r\n").toStdString(), engineStatusText(project));
    }

    void openBadFileShowsTheErrorAndKeepsTheProject() {
        QTemporaryDir dir;
        const QString bad = dir.filePath("broken.RUZ");
        {
            std::ofstream out(bad.toStdString(), std::ios::binary);
            out << "Vededa\r\n126\r\n1\r\n0, 0, six\r\n";
        }
        project.dragModel = 3;
        const std::string before = projectText(project);
        dialogs.saveChoices = {SaveChoice::Discard}; // the drag model set above is not saved
        dialogs.files = {bad.toStdString()};
        action("mnuFileItem_0")->trigger();
        const auto messages = dialogs.texts("message");
        QCOMPARE(messages.size(), size_t(1));
        QVERIFY2(messages[0].find("broken.RUZ") != std::string::npos, messages[0].c_str());
        QVERIFY2(messages[0].find("4") != std::string::npos, messages[0].c_str());
        QCOMPARE(projectText(project), before);
        QCOMPARE(label("lblFile"), QString("File: "));
    }

    void saveAsWritesAndFailureKeepsThePath() {
        QTemporaryDir dir;
        const QString good = dir.filePath("copy.RUZ");
        dialogs.files = {good.toStdString(), dir.filePath("missing/dir/x.RUZ").toStdString()};
        action("mnuFileItem_1")->trigger();
        QVERIFY(QFile::exists(good));
        QCOMPARE(label("lblFile"), "File: " + good);
        action("mnuFileItem_1")->trigger();
        QCOMPARE(dialogs.texts("message").size(), size_t(1));
        QCOMPARE(label("lblFile"), "File: " + good);
        QCOMPARE(QString::fromStdString(project.projectPath), good);
    }

    void printBufferQuestion() {
        dialogs.answers = {true, false};
        action("mnuFileItem_2")->trigger();
        QCOMPARE(int(project.printBufferFlag), 1);
        QCOMPARE(dialogs.shown.back().title, std::string("Plot Print Buffer"));
        action("mnuFileItem_2")->trigger();
        QCOMPARE(int(project.printBufferFlag), 0);
    }

    void quitAsksAndDiscardsThePendingPage() {
        printer->pendingPage(100, 100).line(0, 0, 1, 1);
        dialogs.answers = {false};
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        QVERIFY(printer->hasPendingPage());
        dialogs.answers = {true};
        action("mnuFileItem_6")->trigger();
        QVERIFY(!window->isVisible());
        QVERIFY(!printer->hasPendingPage());
        QCOMPARE(dialogs.texts("ask"),
                 std::vector<std::string>(2, "Do you really want to quit this program?"));
    }

    void engineModelWindowStoresLeadingNumbers() {
        action("mnuTSFCItem_4")->trigger();
        EngineModelWindow* w = window->engineModelWindow();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QString("User Input Engine Model"));
        vededa::test::saveShot(*w, "engine-model-window");
        auto* tr = w->findChild<QLineEdit*>("Text3");
        QCOMPARE(tr->text(), QString("1"));
        tr->setText("1.05xyz");
        tr->setModified(true);
        emit tr->editingFinished();
        QCOMPARE(project.throttleRatio, 1.0f); // letters are refused, the box keeps them in a red frame
        QVERIFY(tr->property("refused").toBool());
        tr->setText("1.05");
        tr->setModified(true);
        emit tr->editingFinished();
        QCOMPARE(project.throttleRatio, 1.05f);
        QCOMPARE(label("lblEngine"), QString("Thrust: 0, TR = 1.05,\nTSFC: 5 - User Input Model"));
        auto* mr = w->findChild<QLineEdit*>("Text8");
        const float before = project.userTsfc[4];
        mr->setText("abc");
        mr->setModified(true);
        emit mr->editingFinished();
        QCOMPARE(project.userTsfc[4], before);
        auto* n = w->findChild<QLineEdit*>("Text9");
        n->setText("-2.5");
        n->setModified(true);
        emit n->editingFinished();
        QCOMPARE(project.userTsfc[3], -2.5f);
    }

    void externalProgramButtonsFollowWhatIsInstalled() {
        window->setExternalPrograms("", "/nonexistent/paint-program");
        QVERIFY(button("cmdCalculator")->isHidden());
        QVERIFY(!button("cmdPaintBrush")->isHidden());
        button("cmdPaintBrush")->click(); // a program that cannot start is reported, not fatal
        QCOMPARE(dialogs.texts("message").size(), size_t(1));
        QVERIFY(window->isVisible());
    }

    void cycleDeckProjectShowsTheEngineButtons() {
        project.thrustModel = 7;
        project.tsfcModel = 7;
        project.engine.fileName = "TJ.REF";
        window->refreshMainWindow();
        QVERIFY(!button("cmdEngineTest")->isHidden());
        QVERIFY(!button("cmdEngineData")->isHidden());
        QCOMPARE(label("lblEngine"), QString("Engine: File - TJ.REF"));
        QCOMPARE(checks("mnuThrustItem", 6), std::vector<bool>(6, false));
    }

    void printerSetupAndChangePicture() {
        action("mnuFileItem_3")->trigger();
        QCOMPARE(dialogs.shown.back().kind, std::string("printer"));
        const std::string picture = dataFile("R119ize.ROZ").toStdString();
        dialogs.files = {picture};
        action("mnuFileItem_4")->trigger();
        QCOMPARE(dialogs.shown.back().text, std::string(kPictureFilter));
        QCOMPARE(project.picturePath, picture);
        QVERIFY(!window->findChild<QLabel*>("Picture1")->pixmap().isNull());
        action("mnuFileItem_4")->trigger(); // cancelled: the current picture stays
        QCOMPARE(project.picturePath, picture);
        QVERIFY(!window->findChild<QLabel*>("Picture1")->pixmap().isNull());
    }

    void startWithAndWithoutSplash() {
        const QString here = QDir::currentPath();
        QDir::setCurrent(VEDEDA_TEST_DATA_DIR);
        ScriptedDialogs startDialogs;
        {
            DesktopApplication app(startDialogs);
            app.start(false);
            QVERIFY(app.mainWindow().isVisible());
        }
        {
            // The splash waits on a timer, so the event loop runs and the main window is not shown yet.
            DesktopApplication app(startDialogs);
            app.start(true);
            QVERIFY(!app.mainWindow().isVisible());
            QWidget* splash = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == "Form8" && w->isVisible()) splash = w;
            QVERIFY(splash);
            QCOMPARE(splash->windowTitle(), QString("VEDEDA"));
            QTest::qWait(50);
            QVERIFY(splash->isVisible());
        }
        QDir::setCurrent(here);
        QVERIFY(startDialogs.shown.empty());
    }

    void fileFiltersInQtForm_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("qt");
        QTest::newRow("project open")
            << kProjectOpenFilter << "Vededa Files (*.RUZ);;Data Files (*.DAT);;Any Files (*)";
        QTest::newRow("picture") << kPictureFilter
                                 << "Bit Mapped Picture Files (*.BMP);;JPG Picture Files (*.JPG)";
        QTest::newRow("no parentheses") << "PDF Files|*.pdf"
                                        << "PDF Files (*.pdf)";
    }
    void fileFiltersInQtForm() {
        QFETCH(QString, filter);
        QFETCH(QString, qt);
        QCOMPARE(QString::fromStdString(qtFileFilter(filter.toStdString())), qt);
    }

    void startupWithoutFilesAsksAndKeepsDefaults() {
        QTemporaryDir dir;
        ScriptedDialogs startDialogs;
        DesktopApplication app(startDialogs);
        const std::string picture = app.loadStartupFiles(dir.path().toStdString());
        QCOMPARE(startDialogs.shown.size(), size_t(4));
        QCOMPARE(startDialogs.shown[0].title, std::string("Data File Not Found"));
        QCOMPARE(startDialogs.shown[1].text,
                 std::string("Vededa Files (*.RUZ)|*.RUZ|Data Files (*.DAT)|*.DAT|Any Files (*.*)|*.*"));
        QCOMPARE(startDialogs.shown[2].title, std::string("Image File Not Found"));
        QCOMPARE(startDialogs.shown[2].text,
                 "Your image file (R119ize.ROZ) is not in current directory (" + dir.path().toStdString() +
                     ") !!!  Click the OK button to continue and find this file.");
        QCOMPARE(picture, dir.path().toStdString() + "/R119ize.ROZ");
        QCOMPARE(int(app.project().dragModel), 0);
        QCOMPARE(int(app.project().constraintCount), 0);
    }

    void startupInTheDataFolderAsksNothing() {
        ScriptedDialogs startDialogs;
        DesktopApplication app(startDialogs);
        app.loadStartupFiles(VEDEDA_TEST_DATA_DIR);
        QVERIFY(startDialogs.shown.empty());
        QVERIFY(app.project().dragModel >= 1);
        QVERIFY(app.mainWindow().loadPicture(QString::fromStdString(app.project().picturePath)));
        // The status after start-up is the status after opening the same file.
        app.mainWindow().refreshMainWindow();
        auto engineText = [&app] { return app.mainWindow().findChild<QLabel*>("lblEngine")->text(); };
        const QString atStart = engineText();
        startDialogs.files = {dataFile("Vededa.RUZ").toStdString()};
        app.mainWindow().fileCommand(0);
        QCOMPARE(engineText(), atStart);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
