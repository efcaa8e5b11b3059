// The constraint diagram's design point dragged with the mouse in the Plot window, as a user does it.
#include "scripted_dialogs.h"

#include "app/project_file.h"
#include "output/number_format.h"
#include "ui/constraint_window.h"
#include "ui/design_point_drag.h"
#include "ui/desktop_application.h"
#include "ui/main_window.h"
#include "ui/plot_window.h"
#include "ui/print_service.h"
#include "ui/project_document.h"
#include "ui/results_window.h"
#include "ui/sizing_panel.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace vededa;
using vededa::test::ScriptedDialogs;

class DesignPointDragTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProjectData> project;
    ScriptedDialogs dialogs;
    std::unique_ptr<PrintService> printer;
    std::unique_ptr<ResultsWindow> results;
    std::unique_ptr<PlotWindow> plot;
    std::unique_ptr<ConstraintWindow> window;
    std::unique_ptr<ProjectDocument> document;

    DesignPointDrag& drag() { return window->designPointDrag(); }
    PlotPicture* picture() { return plot->picture(); }

    /// The widget position of (W/S, T/W) on the diagram shown.
    QPoint at(float ws, float tw) {
        const PlotFrame& f = plot->frame();
        const double x = f.left + (ws - f.xMin) * (f.right - f.left) / (f.xMax - f.xMin);
        const double y = f.bottom - (tw - f.yMin) * (f.bottom - f.top) / (f.yMax - f.yMin);
        return picture()->fromPicture(QPointF(x, y)).toPoint();
    }
    QPoint designPoint() { return at(project->wingLoading, project->thrustLoading); }
    QString panelText() { return drag().panel().text(); }

    void open(const char* file, double liveMissionBudgetMs = DesignPointDrag::kLiveMissionBudgetMs) {
        project = std::make_unique<ProjectData>();
        initializeProject(*project);
        QVERIFY(bool(readProject(*project, std::string(VEDEDA_TEST_DATA_DIR "/") + file)));
        project->clock.fixedDate = "12/8/2026";
        // Pictures for the documentation name the file as a reader of it finds it.
        if (qEnvironmentVariableIsSet("VEDEDA_SHOT_DIR")) project->projectPath = std::string("data/") + file;
        dialogs = ScriptedDialogs();
        printer = std::make_unique<PrintService>(dialogs);
        results = std::make_unique<ResultsWindow>(*project, dialogs, *printer);
        plot = std::make_unique<PlotWindow>(*project, dialogs, *printer);
        window = std::make_unique<ConstraintWindow>(*project, dialogs, *results, *plot);
        plot->returnToSource = [this](int16_t) { window->open(); };
        document = std::make_unique<ProjectDocument>(*project);
        drag().designPointChanged = [this](const QString& label) { document->checkpoint(label); };
        drag().liveMissionBudgetMs = liveMissionBudgetMs;
        window->open();
        // Plot computes the constraints the Results window was not paged through, then draws.
        window->plot();
        plot->resize(1100, 700);
        QVERIFY(QTest::qWaitForWindowExposed(plot.get()));
        QVERIFY(drag().attached());
    }

  private slots:
    void cleanup() {
        window.reset();
        plot.reset();
        document.reset();
    }

    void dragMovesTheMarkerAndPanelAndReleaseIsOneUndoableChange() {
        open("Vededa.RUZ");
        QVERIFY(drag().liveMission());
        QCOMPARE(plot->sidePanel(), static_cast<QWidget*>(&drag().panel()));
        QVERIFY(drag().panel().isVisible());
        QVERIFY(panelText().contains("Fuel fraction"));
        const ProjectData before = *project;
        const float ws0 = project->wingLoading, tw0 = project->thrustLoading;

        QTest::mousePress(picture(), Qt::LeftButton, {}, designPoint());
        QVERIFY(picture()->dragging());
        QTest::mouseMove(picture(), at(80, 1.5f));
        // While the button is held the panel shows the point under the mouse and the project stays.
        const DiagramPoint p = drag().draggedPoint();
        QVERIFY(std::fabs(p.x - 80) < 1.0f);
        QVERIFY(std::fabs(p.y - 1.5f) < 0.02f);
        QCOMPARE(plot->readoutX(), formatPattern(p.x, "####.00")); // the point's values, not the mouse's
        QCOMPARE(project->wingLoading, ws0);
        QCOMPARE(project->thrustLoading, tw0);
        QVERIFY(!document->undoStack().canUndo());
        const SizingPoint exact = evaluateSizingPoint(*project, effectiveSizingSettings(*project), p.x, p.y);
        QCOMPARE(panelText(), QString::fromStdString(sizingPanelText(exact, false)));
        QVERIFY(panelText().contains("Fuel fraction"));
        if (qEnvironmentVariableIsSet("VEDEDA_SHOT_DIR"))
            plot->grab().save(qEnvironmentVariable("VEDEDA_SHOT_DIR") + "/screenshot-design-point-drag.png");

        QTest::mouseRelease(picture(), Qt::LeftButton, {}, at(80, 1.5f));
        QVERIFY(!picture()->dragging());
        QCOMPARE(project->wingLoading, p.x);
        QCOMPARE(project->thrustLoading, p.y);
        QCOMPARE(project->wingArea, project->takeoffWeight() / project->wingLoading);
        QCOMPARE(project->seaLevelThrust, project->thrustLoading * project->takeoffWeight());
        QCOMPARE(document->undoStack().count(), 1);
        QCOMPARE(document->undoStack().undoText(), QString("Design Point"));
        // The marker can be taken again where it was put.
        QVERIFY(drag().hits(static_cast<float>(picture()->toPicture(at(p.x, p.y)).x()),
                            static_cast<float>(picture()->toPicture(at(p.x, p.y)).y())));

        document->undoStack().undo();
        QCOMPARE(project->wingLoading, before.wingLoading);
        QCOMPARE(project->thrustLoading, before.thrustLoading);
        QCOMPARE(project->wingArea, before.wingArea);
        QCOMPARE(project->seaLevelThrust, before.seaLevelThrust);
    }

    void escapeCancelsAndAPressWithoutMoveOrAwayFromTheMarkerChangesNothing() {
        open("Vededa.RUZ");
        const ProjectData before = *project;
        const QString panelBefore = panelText();

        QTest::mousePress(picture(), Qt::LeftButton, {}, designPoint());
        QTest::mouseMove(picture(), at(100, 1.0f));
        QVERIFY(panelText() != panelBefore);
        QTest::keyClick(picture(), Qt::Key_Escape); // reaches the window from the picture
        QVERIFY(!picture()->dragging());
        QCOMPARE(panelText(), panelBefore);
        QTest::mouseRelease(picture(), Qt::LeftButton, {}, at(100, 1.0f));
        QCOMPARE(project->wingLoading, before.wingLoading);
        QCOMPARE(project->thrustLoading, before.thrustLoading);

        // A click on the marker without a move.
        QTest::mouseClick(picture(), Qt::LeftButton, {}, designPoint());
        // A press away from the marker captures the coordinates, as before.
        QTest::mousePress(picture(), Qt::LeftButton, {}, at(110, 0.6f));
        QVERIFY(!picture()->dragging());
        QTest::mouseRelease(picture(), Qt::LeftButton, {}, at(110, 0.6f));
        QVERIFY(std::fabs(QString::fromStdString(plot->readoutX()).toFloat() - 110) < 1.0f);
        QCOMPARE(project->wingLoading, before.wingLoading);
        QCOMPARE(project->thrustLoading, before.thrustLoading);
        QCOMPARE(project->wingArea, before.wingArea);
        QVERIFY(!document->undoStack().canUndo());
    }

    void thePrinterPageShowsTheDesignPointWhereTheDragLeftIt() {
        open("Vededa.RUZ");
        project->printBufferFlag = 1;
        window->plot();
        QVERIFY(printer->hasPendingPage());
        QTest::mousePress(picture(), Qt::LeftButton, {}, designPoint());
        QTest::mouseMove(picture(), at(90, 1.2f));
        QTest::mouseRelease(picture(), Qt::LeftButton, {}, at(90, 1.2f));
        const RecordingCanvas& page = printer->pendingPage(kPlotPictureWidth, kPlotPictureHeight);
        std::vector<std::string> marked;
        for (const auto& op : page.opsOf(RecordingCanvas::Kind::Text))
            if (op.text.rfind("W/S=", 0) == 0) marked.push_back(op.text);
        // One diagram with the new point: not the old one, nor both.
        QCOMPARE(marked.size(), std::size_t(1));
        QCOMPARE(marked[0], "W/S=" + Str(project->wingLoading) + " T/W=" + Str(project->thrustLoading));
    }

    void aDragOutsideTheFrameStopsAtItsEdge() {
        open("Vededa.RUZ");
        QTest::mousePress(picture(), Qt::LeftButton, {}, designPoint());
        QTest::mouseMove(picture(), picture()->rect().bottomRight() - QPoint(2, 2));
        QTest::mouseRelease(picture(), Qt::LeftButton, {}, picture()->rect().bottomRight() - QPoint(2, 2));
        QCOMPARE(project->wingLoading, project->wsAxis[2]);
        QCOMPARE(project->thrustLoading, project->twAxis[1]);
        QVERIFY(std::isfinite(project->wingArea));
    }

    void anotherPlotOrOtherUnitsEndTheDrag() {
        open("Vededa.RUZ");
        plot->showPlot([](Canvas&) {}, kPlotSourceContour);
        QVERIFY(!drag().attached());
        QVERIFY(!plot->sidePanel());
        QVERIFY(!drag().panel().isVisible());
        const float ws0 = project->wingLoading;
        QTest::mousePress(picture(), Qt::LeftButton, {}, designPoint());
        QVERIFY(!picture()->dragging());
        QTest::mouseRelease(picture(), Qt::LeftButton, {}, designPoint());
        QCOMPARE(project->wingLoading, ws0);

        // The diagram again; a units switch leaves it as a picture without the drag.
        QTest::mouseClick(plot->findChild<QPushButton*>("Command1"), Qt::LeftButton); // Done
        QVERIFY(window->isVisible());
        window->plot();
        QVERIFY(drag().attached());
        project->unitSystem = kSI;
        window->unitsSwitched();
        QVERIFY(!drag().attached());
    }

    void theCycleDeckFliesItsMissionLiveOrOnReleaseWhenItIsSlow_data() {
        QTest::addColumn<double>("budget");
        QTest::addColumn<bool>("live");
        QTest::newRow("live") << 1000.0 << true;
        QTest::newRow("on release") << -1.0 << false;
    }
    void theCycleDeckFliesItsMissionLiveOrOnReleaseWhenItIsSlow() {
        QFETCH(double, budget);
        QFETCH(bool, live);
        open("Vededa_deck.RUZ", budget);
        QCOMPARE(drag().liveMission(), live);
        const QPoint to = at(project->wingLoading * 1.1f, project->thrustLoading * 0.95f);
        QTest::mousePress(picture(), Qt::LeftButton, {}, designPoint());
        QTest::mouseMove(picture(), to);
        const DiagramPoint p = drag().draggedPoint();
        const SizingSettings s = effectiveSizingSettings(*project);
        const SizingPoint expected =
            live ? evaluateSizingPoint(*project, s, p.x, p.y) : evaluateSizingMargins(*project, s, p.x, p.y);
        QCOMPARE(panelText(), QString::fromStdString(sizingPanelText(expected, false)));
        QCOMPARE(panelText().contains("Mission flown on release"), !live);
        QTest::mouseRelease(picture(), Qt::LeftButton, {}, to);
        QCOMPARE(project->wingLoading, p.x);
        QVERIFY(panelText().contains("Fuel fraction"));
        QCOMPARE(panelText(),
                 QString::fromStdString(sizingPanelText(evaluateSizingPoint(*project, s, p.x, p.y), false)));
        QCOMPARE(document->undoStack().count(), 1);
    }

    /// In the whole program: Edit > Undo puts the marker back on the diagram.
    void inTheProgramEditUndoPutsTheMarkerBack() {
        ScriptedDialogs appDialogs;
        DesktopApplication app(appDialogs);
        app.loadStartupFiles(VEDEDA_TEST_DATA_DIR);
        ProjectData& p = app.project();
        const float ws0 = p.wingLoading, tw0 = p.thrustLoading;
        app.mainWindow().systemCommand(0);
        app.constraintWindow().plot();
        PlotWindow& w = app.plotWindow();
        w.resize(1100, 700);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto markerText = [&] {
            for (const auto& op : w.picture()->picture().opsOf(RecordingCanvas::Kind::Text))
                if (op.text.rfind("W/S=", 0) == 0) return op.text;
            return std::string();
        };
        const PlotFrame& f = w.frame();
        auto to = [&](float ws, float tw) {
            return w.picture()
                ->fromPicture(QPointF(f.left + (ws - f.xMin) * (f.right - f.left) / (f.xMax - f.xMin),
                                      f.bottom - (tw - f.yMin) * (f.bottom - f.top) / (f.yMax - f.yMin)))
                .toPoint();
        };
        QTest::mousePress(w.picture(), Qt::LeftButton, {}, to(ws0, tw0));
        QTest::mouseMove(w.picture(), to(70, 1.6f));
        QTest::mouseRelease(w.picture(), Qt::LeftButton, {}, to(70, 1.6f));
        QVERIFY(p.wingLoading != ws0);
        QCOMPARE(markerText(), "W/S=" + Str(p.wingLoading) + " T/W=" + Str(p.thrustLoading));

        app.mainWindow().findChild<QAction*>("mnuEditUndo")->trigger();
        QCOMPARE(p.wingLoading, ws0);
        QCOMPARE(p.thrustLoading, tw0);
        QCOMPARE(markerText(), "W/S=" + Str(ws0) + " T/W=" + Str(tw0));
    }
};

QTEST_MAIN(DesignPointDragTest)
#include "design_point_drag_test.moc"
