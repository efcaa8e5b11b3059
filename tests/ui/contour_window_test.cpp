#include "scripted_dialogs.h"

#include "app/project_file.h"
#include "contour/contour_grid.h"
#include "contour/contour_plot.h"
#include "engine/analysis_binding.h"
#include "output/plot_frame.h"
#include "ui/analysis_form.h"
#include "ui/contour_window.h"
#include "ui/plot_window.h"
#include "ui/print_service.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QtTest>

#include <memory>

using namespace vededa;
using vededa::test::ScriptedDialogs;

class ContourWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProjectData> project;
    ScriptedDialogs dialogs;
    std::unique_ptr<PrintService> printer;
    std::unique_ptr<PlotWindow> plot;
    std::unique_ptr<ContourWindow> window;

    QLineEdit* edit(const QString& name) { return window->findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    QRadioButton* check(const QString& name) { return window->findChild<QRadioButton*>(name); }
    void leave(const QString& name, const QString& text) {
        edit(name)->setText(text);
        edit(name)->setModified(true); // as typed by the user
        emit edit(name)->editingFinished();
    }

  private slots:
    void init() {
        project = std::make_unique<ProjectData>();
        initializeProject(*project);
        QVERIFY(bool(readProject(*project, VEDEDA_TEST_DATA_DIR "/Vededa.RUZ")));
        project->clock.fixedDate = "12/8/2026";
        dialogs = ScriptedDialogs();
        printer = std::make_unique<PrintService>(dialogs);
        plot = std::make_unique<PlotWindow>(*project, dialogs, *printer);
        window = std::make_unique<ContourWindow>(*project, dialogs, *plot, *printer);
        plot->returnToSource = [this](int16_t) { window->comeBack(); };
        window->open();
    }

    void velocityIncrements_data() {
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<QString>("message");
        QTest::newRow("100 accepted") << "1000"
                                      << "";
        QTest::newRow("101 refused") << "1010"
                                     << "You require 101 velocity increments.  The maximum number is 100.";
    }
    void velocityIncrements() {
        QFETCH(QString, maximum);
        QFETCH(QString, message);
        leave("txtVMin", "0");
        leave("txtVMax", maximum);
        leave("txtVInc", "10");
        leave("txtHMin", "0");
        leave("txtHMax", "10");
        leave("txtHInc", "2");
        button("Command1")->click();
        if (message.isEmpty()) {
            QVERIFY(dialogs.texts("message").empty());
            QVERIFY(button("Command4")->isEnabled());
        } else {
            QCOMPARE(dialogs.texts("message"), std::vector<std::string>{message.toStdString()});
            QVERIFY(!button("Command4")->isEnabled());
        }
    }

    void altitudesAboveTheAtmosphereTableAreNoted() {
        leave("txtVMin", "200");
        leave("txtVMax", "1000");
        leave("txtVInc", "400");
        leave("txtHMin", "90000");
        leave("txtHMax", "150000");
        leave("txtHInc", "30000");
        button("Command1")->click();
        QVERIFY(button("Command4")->isEnabled());
        const QString note = form::fieldStatusBar(window.get())->currentMessage();
        QVERIFY2(note.contains("Altitude 150000 ft is above the atmosphere table"), qPrintable(note));
    }

    void calculateShowsTheExtremesAndLevels() {
        auto twin = std::make_unique<ProjectData>(*project);
        QVERIFY(!button("Command4")->isEnabled());
        QVERIFY(edit("txtLineWidth")->isHidden());
        button("Command1")->click();
        QVERIFY(button("Command4")->isEnabled());
        QVERIFY(!edit("txtLineWidth")->isHidden());
        QCOMPARE(window->findChild<QProgressBar*>("picProgress")->value(),
                 window->findChild<QProgressBar*>("picProgress")->maximum());

        PlotFrame frame = plotAreaOf(kPlotPictureWidth, kPlotPictureHeight);
        frame.xMin = twin->contour.velocity[1];
        frame.xMax = twin->contour.velocity[2];
        frame.yMin = twin->contour.altitude[1];
        frame.yMax = twin->contour.altitude[2];
        const AnalysisModels models = bindAnalysisModels(*twin);
        const ContourCalculation calc = calculateContourGrid(*twin, models, frame);
        setDefaultContourLevels(*twin, calc);
        QCOMPARE(window->findChild<QLabel*>("lblMinimumValue")->text().toStdString(),
                 contourExtremeText(twin->contour.quantity, calc.minimum));
        QCOMPARE(window->findChild<QLabel*>("lblMaximumValue")->text().toStdString(),
                 contourExtremeText(twin->contour.quantity, calc.maximum));
        QCOMPARE(project->contour.levelMax, twin->contour.levelMax);
        QCOMPARE(project->contour.levelIncrement, twin->contour.levelIncrement);
        vededa::test::saveShot(*window, "contour-window");

        // The plot in the Plot window is the core's drawing of the same grid.
        button("Command4")->click();
        QVERIFY(plot->isVisible());
        QVERIFY(!window->isVisible());
        RecordingCanvas expected(kPlotPictureWidth, kPlotPictureHeight);
        QCOMPARE(drawContourPlot(expected, frame, *twin, models, calc, false), std::string());
        const RecordingCanvas& shown = plot->picture()->picture();
        QCOMPARE(shown.opsOf(RecordingCanvas::Kind::Line).size(),
                 expected.opsOf(RecordingCanvas::Kind::Line).size());
        QVERIFY(shown.opsOf(RecordingCanvas::Kind::Line).size() > 100);
        QCOMPARE(plot->findChild<QLabel*>("Label2")->text(), QString("Vel (fps) ="));
        QCOMPARE(plot->findChild<QLabel*>("Label3")->text(), QString("Alt (kft) ="));
        vededa::test::saveShot(*plot, "contour-plot");
        plot->findChild<QPushButton*>("Command1")->click();
        QVERIFY(window->isVisible());
        QVERIFY(button("Command4")->isEnabled());

        // Any input change asks for a new calculation.
        leave("txtBeta", "0.9");
        QVERIFY(!button("Command4")->isEnabled());
    }

    void contourCount_data() {
        QTest::addColumn<QString>("increment");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("51 levels") << "10" << true;
        QTest::newRow("52 levels") << "9.8" << false;
    }
    void contourCount() {
        QFETCH(QString, increment);
        QFETCH(bool, drawn);
        button("Command1")->click();
        leave("txtLevelMin", "0");
        leave("txtLevelMax", "500");
        leave("txtLevelInc", increment);
        button("Command4")->click();
        QCOMPARE(plot->isVisible(), drawn);
        if (!drawn)
            QCOMPARE(dialogs.texts("message"),
                     std::vector<std::string>{"You require 52 contours.  The maximum number is 51."});
    }

    void bothContourPlotsPrintWithTheBuffer() {
        project->printBufferFlag = 1;
        button("Command1")->click();
        button("Command4")->click();
        QVERIFY(plot->printEnabled());
        QVERIFY(printer->hasPendingPage());
        plot->findChild<QPushButton*>("Command1")->click();
        button("Command2")->click(); // colour contours: bands, lines and colour bar on the page too
        QVERIFY(window->colorMode());
        QVERIFY(plot->printEnabled());
        QVERIFY(printer->hasPendingPage());
        QVERIFY(!printer->pendingPage(1, 1).opsOf(RecordingCanvas::Kind::Polygon).empty());
        QVERIFY(!plot->picture()->picture().opsOf(RecordingCanvas::Kind::Polygon).empty());
        vededa::test::saveShot(*plot, "contour-color");
        plot->findChild<QPushButton*>("Command1")->click();
        QVERIFY(!window->colorMode());
        QVERIFY(window->isVisible());
    }

    void quantityChecksAreExclusive() {
        button("Command1")->click();
        QVERIFY(button("Command4")->isEnabled());
        check("chkQuantity_2")->click();
        QCOMPARE(int(project->contour.quantity), 2);
        QVERIFY(!check("chkQuantity_1")->isChecked());
        QVERIFY(!button("Command4")->isEnabled());
        QVERIFY(!button("Command2")->isEnabled());
        check("chkQuantity_2")->click(); // a checked box stays checked
        QVERIFY(check("chkQuantity_2")->isChecked());
        check("chkABOn")->click();
        QCOMPARE(int(project->contour.afterburner), 1);
        QVERIFY(!check("chkABOff")->isChecked());
        check("chkThetaYes")->click();
        QCOMPARE(int(project->contour.theta0Lines), 1);
    }

    void doneStoresEveryBox() {
        for (auto [name, text] :
             {std::pair{"txtPercent", "80"}, {"txtLineWidth", "3"}, {"txtCLmax", "1.5"}}) {
            edit(name)->setText(text); // typed, not yet left: Done stores them
            edit(name)->setModified(true);
        }
        button("Command3")->click();
        QCOMPARE(project->contour.thrustFraction, 0.8f);
        QCOMPARE(project->contour.clMax, 1.5f);
        QCOMPARE(int(project->contour.lineWidth), 3);
        QVERIFY(!window->isVisible());
    }

    void doneAndCalculateStopAtARefusedBox() {
        window->show();
        const float clMax = project->contour.clMax;
        const int16_t lineWidth = project->contour.lineWidth;
        for (auto [name, text] :
             {std::pair{"txtPercent", "80"}, {"txtLineWidth", "7"}, {"txtCLmax", "1.5abc"}}) {
            edit(name)->setText(text);
            edit(name)->setModified(true);
        }
        button("Command3")->click();
        // The accepted box is stored; the refused ones keep their text, framed, and nothing of them is.
        QCOMPARE(project->contour.thrustFraction, 0.8f);
        QCOMPARE(project->contour.clMax, clMax);
        QCOMPARE(project->contour.lineWidth, lineWidth);
        QVERIFY(window->isVisible());
        QCOMPARE(edit("txtCLmax")->text(), QString("1.5abc"));
        QVERIFY(edit("txtCLmax")->property("refused").toBool());
        QVERIFY(edit("txtLineWidth")->property("refused").toBool());
        button("Command1")->click(); // Calculate
        QCOMPARE(dialogs.shown.size(), std::size_t(0));
        QVERIFY(!button("Command4")->isEnabled());
    }
};

QTEST_MAIN(ContourWindowTest)
#include "contour_window_test.moc"
