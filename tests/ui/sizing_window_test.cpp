#include "app/project_file.h"
#include "ui/plot_export.h"
#include "ui/project_document.h"
#include "ui/sizing_panel.h"
#include "ui/sizing_window.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace vededa;

class SizingWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProjectData> project;
    std::unique_ptr<SizingWindow> window;

    QLineEdit* edit(const QString& name) { return window->findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) { return window->findChild<QPushButton*>(name); }
    void leave(const QString& name, const QString& text) {
        edit(name)->setText(text);
        edit(name)->setModified(true); // as typed by the user
        emit edit(name)->editingFinished();
    }
    void calculateAndWait() {
        QTest::mouseClick(button("cmdCalculate"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!window->calculating(), 60000);
        QCoreApplication::processEvents();
    }

  private slots:
    void init() {
        project = std::make_unique<ProjectData>();
        initializeProject(*project);
        QVERIFY(bool(readProject(*project, VEDEDA_TEST_DATA_DIR "/Vededa.RUZ")));
        project->clock.fixedDate = "12/8/2026";
        // Pictures for the documentation name the file as a reader of it finds it.
        if (qEnvironmentVariableIsSet("VEDEDA_SHOT_DIR")) project->projectPath = "data/Vededa.RUZ";
        window = std::make_unique<SizingWindow>(*project);
        window->open();
    }

    void settingsFillFromTheDiagramAxesAndStoreWhatIsTyped() {
        QCOMPARE(edit("txtWsMin")->text(), QString("20"));
        QCOMPARE(edit("txtTwPoints")->text(), QString("41"));
        QVERIFY(!project->sizing.stored);
        leave("txtTwMax", "3");
        QVERIFY(project->sizing.stored);
        QCOMPARE(project->sizing.twMax, 3.0f);
        QCOMPARE(project->sizing.wsMax, 120.0f);
    }

    void calculateFindsTheOptimumAndUseOptimumSetsTheDesignPoint() {
        leave("txtWsPoints", "11");
        leave("txtTwPoints", "14");
        leave("txtTwMax", "3");
        const ProjectData before = *project;
        calculateAndWait();
        QVERIFY(window->chart().has_value());
        QVERIFY(window->chart()->optimum.has_value());
        QVERIFY(button("cmdUseOptimum")->isEnabled());
        // The calculation changed no input of the project.
        QCOMPARE(project->wingLoading, before.wingLoading);
        QCOMPARE(project->lastThrustLoading, before.lastThrustLoading);
        QVERIFY(window->panelText().contains("Fuel fraction"));
        if (qEnvironmentVariableIsSet("VEDEDA_SHOT_DIR")) {
            window->resize(1300, 640);
            QCoreApplication::processEvents();
            window->grab().save(qEnvironmentVariable("VEDEDA_SHOT_DIR") + "/screenshot-sizing-window.png");
        }
        QString named;
        window->designPointChanged = [&](const QString& label) { named = label; };
        QTest::mouseClick(button("cmdUseOptimum"), Qt::LeftButton);
        QCOMPARE(named, QString("Design Point"));
        QCOMPARE(project->wingLoading, window->chart()->optimum->ws);
        QCOMPARE(project->thrustLoading, window->chart()->optimum->tw);
        QCOMPARE(project->wingArea, project->takeoffWeight() / project->wingLoading);
        QCOMPARE(project->seaLevelThrust, project->thrustLoading * project->takeoffWeight());
    }

    void clickOnTheChartSetsTheDesignPointAndUndoTakesItBack() {
        ProjectDocument document(*project);
        window->designPointChanged = [&](const QString& label) { document.checkpoint(label); };
        leave("txtWsPoints", "6");
        leave("txtTwPoints", "6");
        document.checkpoint();
        calculateAndWait();
        auto* view = window->findChild<SizingChartView*>("picSizing");
        QVERIFY(view);
        const float ws0 = project->wingLoading;
        const QPoint centre = view->rect().center();
        float ws = 0, tw = 0;
        QVERIFY(view->valuesAt(centre, ws, tw));
        QTest::mouseClick(view, Qt::LeftButton, {}, centre);
        QCOMPARE(project->wingLoading, ws);
        QCOMPARE(project->thrustLoading, tw);
        QVERIFY(document.undoStack().canUndo());
        document.undoStack().undo();
        QCOMPARE(project->wingLoading, ws0);
    }

    void withoutAFeasiblePointThePanelShowsTheDesignPoint() {
        // The default fighter's own axes hold no feasible point.
        leave("txtWsPoints", "6");
        leave("txtTwPoints", "6");
        calculateAndWait();
        QVERIFY(window->chart().has_value());
        QVERIFY(!window->chart()->optimum.has_value());
        QVERIFY(!button("cmdUseOptimum")->isEnabled());
        const SizingPoint p = evaluateSizingPoint(*project, effectiveSizingSettings(*project),
                                                  project->wingLoading, project->thrustLoading);
        QCOMPARE(window->panelText(), QString::fromStdString(sizingPanelText(p, false)));
        QVERIFY(window->panelText().contains("short"));
    }

    /// The pictures of the worked example in the documentation, written when VEDEDA_SHOT_DIR is set.
    void workedExampleCharts() {
        if (!qEnvironmentVariableIsSet("VEDEDA_SHOT_DIR")) QSKIP("pictures only when VEDEDA_SHOT_DIR is set");
        SizingSettings s = effectiveSizingSettings(*project);
        s.twMax = 3;
        s.twCount = 53; // T/W 0.4 to 3 by 0.05
        const SizingChart chart = calculateSizingChart(*project, s);
        QVERIFY(chart.optimum.has_value());
        for (bool filled : {false, true}) {
            RecordingCanvas picture(kSizingPictureWidth, kSizingPictureHeight);
            drawSizingChart(picture, *project, chart, filled);
            const QString name = filled ? "/sizing-chart-filled.png" : "/sizing-chart.png";
            QCOMPARE(
                exportPlot(picture, (qEnvironmentVariable("VEDEDA_SHOT_DIR") + name).toStdString(), 1100),
                std::string());
        }
    }

    void cancelStopsACalculation() {
        leave("txtWsPoints", "201");
        leave("txtTwPoints", "201");
        QTest::mouseClick(button("cmdCalculate"), Qt::LeftButton);
        QVERIFY(window->calculating());
        QTest::mouseClick(button("cmdCancel"), Qt::LeftButton);
        window->waitForCalculation();
        QVERIFY(!window->calculating());
        QVERIFY(!window->chart().has_value());
        QVERIFY(button("cmdCalculate")->isEnabled());
    }

    void cleanup() { window.reset(); }
};

QTEST_MAIN(SizingWindowTest)
#include "sizing_window_test.moc"
