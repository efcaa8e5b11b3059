#include "scripted_dialogs.h"

#include "app/project_file.h"
#include "mission/mission_calculation.h"
#include "mission/mission_report.h"
#include "engine/analysis_binding.h"
#include "output/number_format.h"
#include "ui/mission_plot_window.h"
#include "ui/mission_window.h"
#include "ui/print_service.h"
#include "ui/results_window.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

using namespace vededa;
using vededa::test::ScriptedDialogs;

class MissionWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProjectData> project;
    ScriptedDialogs dialogs;
    std::unique_ptr<PrintService> printer;
    std::unique_ptr<ResultsWindow> results;
    std::unique_ptr<MissionWindow> window;

    QLineEdit* edit(const QString& name) { return window->findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    QComboBox* types() { return window->findChild<QComboBox*>("cboType"); }
    void leave(const QString& name, const QString& text) {
        edit(name)->setText(text);
        edit(name)->setModified(true); // as typed by the user
        emit edit(name)->editingFinished();
    }
    void chooseType(const char* letter) {
        for (int i = 0; i < types()->count(); ++i)
            if (types()->itemText(i).startsWith(letter)) types()->setCurrentIndex(i);
    }
    /// Legs of the given types, named L1, L2, ...
    void legs(const std::string& letters) {
        project->legCount = static_cast<int16_t>(letters.size());
        for (std::size_t i = 0; i < letters.size(); ++i) {
            MissionLeg& leg = project->legs[i + 1];
            leg.type = std::string(1, letters[i]);
            leg.name = "L" + std::to_string(i + 1);
        }
        window->showLeg();
    }
    bool shown(const char* name) { return !edit(name)->isHidden(); }

  private slots:
    void init() {
        project = std::make_unique<ProjectData>();
        initializeProject(*project);
        project->thrustModel = 2;
        project->clock.fixedDate = "12/8/2026";
        dialogs = ScriptedDialogs();
        printer = std::make_unique<PrintService>(dialogs);
        results = std::make_unique<ResultsWindow>(*project, dialogs, *printer);
        window = std::make_unique<MissionWindow>(*project, dialogs, *results, *printer);
        window->open();
    }

    void addRefusals_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("typeChosen");
        QTest::addColumn<QString>("message");
        QTest::newRow("31st") << 30 << true << "You can not have more mission legs than the maximum of 30";
        QTest::newRow("no type") << 2 << false << "You must select a leg type before clicking the Add button";
    }
    void addRefusals() {
        QFETCH(int, count);
        QFETCH(bool, typeChosen);
        QFETCH(QString, message);
        legs(std::string(static_cast<std::size_t>(count), 'E'));
        if (typeChosen) chooseType("A");
        edit("txtName")->setText("Climb");
        button("cmdAdd")->click();
        QCOMPARE(dialogs.texts("message"), std::vector<std::string>{message.toStdString()});
        QCOMPARE(int(project->legCount), count);
    }

    void cruiseReferencesFollowInsertAndRemove() {
        legs("AEG");
        project->legs[2].p[16] = 1; // counts from leg 1: before the insertion point, stays
        project->legs[3].p[16] = 3; // counts from a leg after the insertion point: moves with it
        leave("txtLeg", "2");
        chooseType("B");
        edit("txtName")->setText("Accel");
        button("cmdAdd")->click();
        QCOMPARE(int(project->legCount), 4);
        QCOMPARE(project->legs[2].type, std::string("B"));
        QCOMPARE(project->legs[2].name, std::string("Accel"));
        QCOMPARE(project->legs[3].p[16], 1.0f);
        QCOMPARE(project->legs[4].p[16], 4.0f);
        auto* list = window->findChild<QListWidget*>("List1");
        QCOMPARE(list->item(1)->text(), QString("2        B         Accel"));
        // At the place after the last leg there are no boxes to edit.
        leave("txtLeg", "5");
        QVERIFY(!shown("txtParameter_1"));

        // Removing leg 1 moves every later leg down, and their references never below 0.
        leave("txtLeg", "1");
        dialogs.answers = {false, true};
        button("cmdRemove")->click();
        QCOMPARE(int(project->legCount), 4);
        button("cmdRemove")->click();
        QCOMPARE(dialogs.texts("ask").back(), std::string("Do you really want to remove mission leg #1?"));
        QCOMPARE(int(project->legCount), 3);
        QCOMPARE(project->legs[2].p[16], 0.0f);
        QCOMPARE(project->legs[3].p[16], 3.0f);
        QCOMPARE(list->count(), 3);
    }

    void typeListPreviewsUntilChange() {
        legs("AE");
        leave("txtLeg", "2");
        chooseType("H");
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(types(), &out);
        auto* list = window->findChild<QListWidget*>("List1");
        QCOMPARE(list->item(1)->text(), QString("2   H - Loiter"));
        QCOMPARE(project->legs[2].type, std::string("E"));
        edit("txtName")->setText("Hold");
        button("cmdChange")->click();
        QCOMPARE(project->legs[2].type, std::string("H"));
        QCOMPARE(project->legs[2].name, std::string("Hold"));
        QCOMPARE(list->item(1)->text(), QString("2        H         Hold"));
    }

    void altitudeAndMachLinks() {
        legs("A");
        project->legs[1].p[3] = 900;
        window->showLeg();
        leave("txtParameter_1", "0");
        QCOMPARE(project->legs[1].p[2], project->units.TSL);
        QCOMPARE(edit("txtParameter_2")->text(),
                 QString::fromStdString(formatPattern(project->units.TSL, "####.00")));
        QVERIFY(std::fabs(project->legs[1].p[4] - 900 / project->units.aSL) < 1e-4f);
        leave("txtParameter_4", "0.8");
        QVERIFY(std::fabs(project->legs[1].p[3] - 0.8f * project->units.aSL) < 0.01f);
        QCOMPARE(edit("txtParameter_3")->text(),
                 QString::fromStdString(formatPattern(project->legs[1].p[3], "####.00")));
    }

    void engineFieldsFollowTheThrustModel_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("engineLabel");
        QTest::newRow("1: none") << 1 << "";
        QTest::newRow("2: AB") << 2 << "Engine AB (1=On/0=Off)";
        QTest::newRow("6: lapse") << 6 << "Engine Thrust Lapse (Alpha)";
    }
    void engineFieldsFollowTheThrustModel() {
        QFETCH(int, model);
        QFETCH(QString, engineLabel);
        project->thrustModel = static_cast<int16_t>(model);
        legs("H"); // altitude, temperature, CDR, time, then the engine fields
        QVERIFY(shown("txtParameter_4"));
        QCOMPARE(shown("txtParameter_5"), !engineLabel.isEmpty());
        QVERIFY(!shown("txtParameter_6"));
        if (!engineLabel.isEmpty())
            QCOMPARE(window->findChild<QLabel*>("lblParameter_5")->text().trimmed(), engineLabel);
    }

    void aircraftBoxesStayConsistent() {
        leave("txtWTO", "40000");
        leave("txtTW", "0.5");
        QCOMPARE(edit("txtTSL")->text(), QString("20000"));
        leave("txtWS", "100");
        QCOMPARE(edit("txtS")->text(), QString("400"));
        leave("txtS", "500");
        QCOMPARE(project->wingLoading, 80.0f);
        QCOMPARE(edit("txtWS")->text(), QString("80"));
        leave("txtTSL", "30000");
        QCOMPARE(project->thrustLoading, 0.75f);
    }

    void calculateSummaryAndPlot() {
        QVERIFY(bool(readProject(*project, VEDEDA_TEST_DATA_DIR "/Vededa.RUZ")));
        project->clock.fixedDate = "12/8/2026";
        auto twin = std::make_unique<ProjectData>(*project);
        window->showLeg();
        QVERIFY(!button("cmdSummary")->isEnabled());
        QVERIFY(!button("cmdPlot")->isEnabled());
        button("cmdCalculate")->click();
        QVERIFY(results->isVisible());
        QVERIFY(!window->isVisible());
        auto* next = results->findChild<QPushButton*>("Command2");
        QCOMPARE(next->text(), QString("Next Leg"));
        for (int n = 1; n < project->legCount; ++n) next->click();
        // The report after the last leg is the whole mission report, as the CLI writes it.
        const std::string report = computeMission(*twin, bindAnalysisModels(*twin));
        QCOMPARE(results->text(), report);
        next->click();
        QVERIFY(window->isVisible());
        QVERIFY(button("cmdSummary")->isEnabled());
        QVERIFY(button("cmdPlot")->isEnabled());

        button("cmdSummary")->click();
        QCOMPARE(next->text(), QString("Next Page"));
        QVERIFY(next->isHidden()); // one page without the cycle deck
        QCOMPARE(results->text(), missionSummary(*twin, 1));
        vededa::test::saveShot(*results, "mission-summary");
        results->findChild<QPushButton*>("Command3")->click();
        QVERIFY(window->isVisible());
        vededa::test::saveShot(*window, "mission-window");

        button("cmdPlot")->click();
        MissionPlotWindow& plot = window->plotWindow();
        QVERIFY(plot.isVisible());
        QCOMPARE(plot.picture()->picture().opsOf(RecordingCanvas::Kind::FilledBox).size(),
                 std::size_t(project->legCount));
        plot.findChild<QRadioButton*>("Option1_4")->setChecked(true);
        QCOMPARE(plot.quantity(), MissionPlotQuantity::CumulativeTime);
        plot.findChild<QPushButton*>("cmdPlot")->click();
        vededa::test::saveShot(plot, "mission-plot");

        QTemporaryDir dir;
        const QString pdf = dir.filePath("mission.pdf");
        printer->setPdfOutput(pdf.toStdString());
        dialogs.answers = {false, true};
        plot.findChild<QPushButton*>("cmdPrint")->click();
        QVERIFY(!QFile::exists(pdf));
        plot.findChild<QPushButton*>("cmdPrint")->click();
        QCOMPARE(dialogs.texts("ask").back(), std::string("Print the Plot Results to PRINTER?"));
        QVERIFY(QFile(pdf).size() > 0);

        plot.findChild<QPushButton*>("cmdDone")->click();
        QVERIFY(!plot.isVisible());
        QVERIFY(window->isVisible());

        window->resultsStale();
        QVERIFY(!button("cmdSummary")->isEnabled());
        QVERIFY(!button("cmdPlot")->isEnabled());
    }
};

QTEST_MAIN(MissionWindowTest)
#include "mission_window_test.moc"
