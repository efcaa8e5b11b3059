#include "scripted_dialogs.h"

#include "output/number_format.h"
#include "ui/desktop_application.h"

#include <QPushButton>
#include <QtTest>

using namespace vededa;
using vededa::test::ScriptedDialogs;

/// The analysis windows as the program wires them: opened from the System Analysis menu, returned to
/// from the Plot window, and told about a units switch.
class AnalysisWindowsTest : public QObject {
    Q_OBJECT

  private slots:
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
