#include "scripted_dialogs.h"

#include "ui/desktop_application.h"
#include "ui/drag_input_window.h"
#include "ui/window_placement.h"

#include <QAbstractButton>
#include <QAction>
#include <QScreen>
#include <QSettings>
#include <QtTest>

#include <memory>

using namespace vededa;
using vededa::test::ScriptedDialogs;

/// Every window opens fully on the screen, remembers where the user put it, and its close box and Done
/// lead back to the window that opened it.
class WindowGeometryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<DesktopApplication> app;

    static QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    void expectOnScreen(QWidget& w) {
        QVERIFY2(w.isVisible(), qPrintable(w.objectName()));
        const QRect frame = w.frameGeometry();
        QVERIFY2(available().contains(frame), qPrintable(QString("%1 at %2,%3 %4x%5 leaves the screen %6x%7")
                                                             .arg(w.objectName())
                                                             .arg(frame.x())
                                                             .arg(frame.y())
                                                             .arg(frame.width())
                                                             .arg(frame.height())
                                                             .arg(available().width())
                                                             .arg(available().height())));
    }
    QAbstractButton* button(QWidget& w, const char* name) { return w.findChild<QAbstractButton*>(name); }

  private slots:
    void init() {
        QSettings("Vededa", "Vededa").remove("windows");
        dialogs = std::make_unique<ScriptedDialogs>();
        app = std::make_unique<DesktopApplication>(*dialogs);
        QVERIFY(app->mainWindow().openProjectFile(std::string(VEDEDA_TEST_DATA_DIR) + "/Vededa_deck.RUZ"));
    }
    void cleanup() {
        app.reset();
        dialogs.reset();
    }

    void clamping_data() {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("expected");
        const QRect screen(0, 0, 910, 512);
        QTest::newRow("fits") << QRect(100, 100, 400, 300) << QRect(100, 100, 400, 300);
        QTest::newRow("below the edge") << QRect(100, 400, 400, 300) << QRect(100, 212 - 4, 400, 300);
        QTest::newRow("too tall") << QRect(0, 0, 600, 1142) << QRect(4, 24, 600, 512 - 28);
        QTest::newRow("too wide, off to the left")
            << QRect(-300, 50, 1338, 400) << QRect(4, 50, 910 - 8, 400);
        QTest::newRow("right of the screen")
            << QRect(2000, 50, 300, 200) << QRect(910 - 4 - 300, 50, 300, 200);
    }
    void clamping() {
        QFETCH(QRect, window);
        QFETCH(QRect, expected);
        // A frame 4 units wide on each side below a 24-unit title bar.
        QCOMPARE(clampedGeometry(window, QRect(0, 0, 910, 512), QSize(8, 28), 24), expected);
    }

    void everyWindowOpensOnTheScreen() {
        app->mainWindow().show();
        expectOnScreen(app->mainWindow());
        QWidget* windows[] = {&app->constraintWindow(), &app->missionWindow(),    &app->contourWindow(),
                              &app->engineDataWindow(), &app->engineTestWindow(), &app->sizingWindow()};
        for (QWidget* w : windows) {
            w->move(available().bottomRight() - QPoint(50, 50)); // as if remembered on a bigger screen
            w->show();
            expectOnScreen(*w);
            w->hide();
        }
        const int drag = app->project().dragModel;
        app->mainWindow().findChild<QAction*>("mnuDragItem_6")->trigger();
        expectOnScreen(*app->mainWindow().dragInputWindow());
        app->mainWindow().dragInputWindow()->hide();
        app->mainWindow().findChild<QAction*>(QString("mnuDragItem_%1").arg(drag - 1))->trigger();
        app->engineTestWindow().open();
        app->engineTestWindow().throttleHook();
        expectOnScreen(app->throttleHookWindow());
        app->constraintWindow().open();
        app->constraintWindow().calculate();
        expectOnScreen(app->resultsWindow());
        app->resultsWindow().done();
        app->constraintWindow().plot();
        expectOnScreen(app->plotWindow());
    }

    void aWindowRemembersWhereItWas() {
        QWidget& w = app->constraintWindow();
        w.show();
        w.resize(420, 330);
        w.move(available().topLeft() + QPoint(60, 70));
        const QRect placed = w.geometry();
        w.hide();
        app.reset();
        app = std::make_unique<DesktopApplication>(*dialogs);
        app->constraintWindow().open();
        QCOMPARE(app->constraintWindow().geometry(), placed);
    }

    void doneAndCloseLeadBack() {
        // Throttle Hook's Done returns to Engine Test.
        app->engineTestWindow().open();
        app->engineTestWindow().throttleHook();
        QVERIFY(!app->engineTestWindow().isVisible());
        button(app->throttleHookWindow(), "Command2")->click();
        QVERIFY(app->engineTestWindow().isVisible());
        // Closing the Results window returns to the analysis, as Done does.
        app->constraintWindow().open();
        app->constraintWindow().calculate();
        QVERIFY(!app->constraintWindow().isVisible());
        app->resultsWindow().close();
        QVERIFY(!app->resultsWindow().isVisible());
        QVERIFY(app->constraintWindow().isVisible());
        // Component Interfaces' Done returns to Engine Data.
        app->engineDataWindow().open();
        button(app->engineDataWindow(), "Command3")->click();
        QVERIFY(app->componentInterfacesWindow().isVisible());
        app->componentInterfacesWindow().close();
        QVERIFY(app->engineDataWindow().isVisible());
    }
};

QTEST_MAIN(WindowGeometryTest)
#include "window_geometry_test.moc"
