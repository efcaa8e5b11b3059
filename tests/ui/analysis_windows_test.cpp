#include "scripted_dialogs.h"

#include "app/project_file.h"
#include "output/number_format.h"
#include "ui/desktop_application.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace vededa;
using vededa::test::ScriptedDialogs;

/// The analysis windows as the program wires them: opened from the System Analysis menu, returned to
/// from the Plot window, and told about a units switch.
class AnalysisWindowsTest : public QObject {
    Q_OBJECT

    /// Runs the three analyses through their windows and compares what they show with vededa-cli on
    /// the project's file.
    static void compareWithCommandLine(DesktopApplication& app) {
        app.project().clock.fixedDate = "12/8/2026";
        auto cli = [&app](const char* command) {
            QProcess p;
            p.start(VEDEDA_CLI_PATH,
                    {command, QString::fromStdString(app.project().projectPath), "--date", "12/8/2026"});
            p.waitForFinished(60000);
            return p.readAllStandardOutput().toStdString();
        };
        // The grid extremes of the contour window.
        app.mainWindow().systemCommand(2);
        app.contourWindow().calculate();
        auto shown = [&app](const char* name) {
            return app.contourWindow().findChild<QLabel*>(name)->text().toStdString();
        };
        QCOMPARE("Minimum Value = " + shown("lblMinimumValue") +
                     "\nMaximum Value = " + shown("lblMaximumValue") + "\n",
                 cli("contour"));
        // Every constraint page as the Results window shows it, one after the other.
        app.mainWindow().systemCommand(0);
        app.constraintWindow().calculate();
        std::string pages;
        for (int n = 1; n <= app.project().constraintCount; ++n) {
            pages += app.resultsWindow().text();
            app.resultsWindow().next();
        }
        QCOMPARE(pages, cli("constraints"));
        // The whole leg report, then the summary.
        app.mainWindow().systemCommand(1);
        app.missionWindow().calculate();
        for (int n = 1; n < app.project().legCount; ++n) app.resultsWindow().next();
        std::string mission = app.resultsWindow().text();
        app.resultsWindow().next();
        app.missionWindow().summary();
        mission += app.resultsWindow().text();
        QCOMPARE(mission, cli("mission"));
    }

  private slots:
    void resultsAgreeWithTheCommandLine() {
        ScriptedDialogs dialogs;
        DesktopApplication app(dialogs);
        app.loadStartupFiles(VEDEDA_TEST_DATA_DIR);
        compareWithCommandLine(app);
    }

    void resultsAgreeWithTheCommandLineInSIUnits() {
        ScriptedDialogs dialogs;
        DesktopApplication app(dialogs);
        app.loadStartupFiles(VEDEDA_TEST_DATA_DIR);
        dialogs.answers = {true};
        app.mainWindow().unitsCommand(1);
        QTemporaryDir dir;
        const std::string path = dir.filePath("SI.RUZ").toStdString();
        QVERIFY(bool(writeProject(app.project(), path)));
        QVERIFY(bool(readProject(app.project(), path)));
        app.project().projectPath = path;
        compareWithCommandLine(app);
    }

    void systemMenuOpensTheWindows() {
        ScriptedDialogs dialogs;
        DesktopApplication app(dialogs);
        app.loadStartupFiles(VEDEDA_TEST_DATA_DIR);
        app.mainWindow().systemCommand(0);
        QVERIFY(app.constraintWindow().isVisible());
        app.mainWindow().systemCommand(1);
        QVERIFY(app.missionWindow().isVisible());
        app.mainWindow().systemCommand(2);
        QVERIFY(app.contourWindow().isVisible());
        QVERIFY(dialogs.shown.empty());
    }

    void unitsSwitchDisablesTheResultButtons() {
        ScriptedDialogs dialogs;
        DesktopApplication app(dialogs);
        app.loadStartupFiles(VEDEDA_TEST_DATA_DIR);
        app.mainWindow().systemCommand(0);
        app.constraintWindow().calculate();
        app.resultsWindow().done();
        QVERIFY(app.constraintWindow().plotButton()->isEnabled());
        app.mainWindow().systemCommand(1);
        app.missionWindow().calculate();
        app.resultsWindow().done();
        QVERIFY(app.missionWindow().summaryButton()->isEnabled());
        dialogs.answers = {true};
        app.mainWindow().unitsCommand(1); // SI
        QCOMPARE(int(app.project().unitSystem), int(kSI));
        QVERIFY(!app.constraintWindow().plotButton()->isEnabled());
        QVERIFY(!app.missionWindow().summaryButton()->isEnabled());
    }

    void diagramKeepsItsConstraintsAfterMissionPages() {
        ScriptedDialogs dialogs;
        DesktopApplication app(dialogs);
        app.loadStartupFiles(VEDEDA_TEST_DATA_DIR);
        app.mainWindow().systemCommand(0);
        app.constraintWindow().calculate();
        for (int n = 1; n <= app.project().constraintCount; ++n) app.resultsWindow().next();
        QVERIFY(app.constraintWindow().isVisible());
        // The mission pages move the Results window's shared item back to 1.
        app.mainWindow().systemCommand(1);
        app.missionWindow().calculate();
        app.resultsWindow().done();
        app.constraintWindow().plot();
        int labels = 0;
        for (const auto& op : app.plotWindow().picture()->picture().opsOf(RecordingCanvas::Kind::Text))
            for (int n = 1; n <= app.project().constraintCount; ++n)
                if (op.text == formatPattern(float(n), "##")) ++labels;
        QCOMPARE(labels, int(app.project().constraintCount));
    }

    void plotDoneReturnsToItsSource() {
        ScriptedDialogs dialogs;
        DesktopApplication app(dialogs);
        app.loadStartupFiles(VEDEDA_TEST_DATA_DIR);
        app.mainWindow().systemCommand(2);
        app.contourWindow().calculate();
        app.contourWindow().plotContourLines();
        QVERIFY(app.plotWindow().isVisible());
        QVERIFY(!app.contourWindow().isVisible());
        app.plotWindow().done();
        QVERIFY(app.contourWindow().isVisible());

        app.mainWindow().systemCommand(0);
        app.constraintWindow().calculate();
        app.resultsWindow().done();
        app.constraintWindow().plot();
        QVERIFY(!app.constraintWindow().isVisible());
        app.plotWindow().done();
        QVERIFY(app.constraintWindow().isVisible());
    }
};

QTEST_MAIN(AnalysisWindowsTest)
#include "analysis_windows_test.moc"
