#include "scripted_dialogs.h"

#include "app/field_ranges.h"
#include "app/project_history.h"
#include "ui/analysis_form.h"
#include "ui/component_interfaces_window.h"
#include "ui/constraint_window.h"
#include "ui/contour_window.h"
#include "ui/desktop_application.h"
#include "ui/drag_input_window.h"
#include "ui/engine_data_window.h"
#include "ui/engine_model_window.h"
#include "ui/engine_test_window.h"
#include "ui/main_window.h"
#include "ui/mission_window.h"
#include "ui/results_window.h"
#include "ui/sizing_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include <memory>
#include <set>

using namespace vededa;
using vededa::test::ScriptedDialogs;

/// A user types into the number fields of every window: letters and values outside the physical
/// range are refused in the box (red frame, reason in the status bar) and change nothing; Escape puts
/// the stored value back; an accepted value is one undoable change; a value left as shown stores
/// nothing.
class NumberFieldTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<DesktopApplication> app;

    ProjectData& project() { return app->project(); }
    ProjectDocument& document() { return app->mainWindow().document(); }

    QAction* action(const char* name) { return app->mainWindow().findChild<QAction*>(name); }

    /// Opens the window `name` of the deck project as the user would and makes it the active one.
    QWidget* openWindow(const QString& name) {
        QWidget* w = nullptr;
        if (name == "constraint") {
            app->constraintWindow().open();
            w = &app->constraintWindow();
        } else if (name == "mission") {
            app->missionWindow().open();
            w = &app->missionWindow();
        } else if (name == "contour") {
            app->contourWindow().open();
            w = &app->contourWindow();
        } else if (name == "sizing") {
            app->sizingWindow().open();
            w = &app->sizingWindow();
        } else if (name == "engine data") {
            app->engineDataWindow().open();
            w = &app->engineDataWindow();
        } else if (name == "engine test") {
            app->engineTestWindow().open();
            w = &app->engineTestWindow();
        } else if (name == "interfaces") {
            app->componentInterfacesWindow().open();
            w = &app->componentInterfacesWindow();
        } else if (name == "engine model") {
            action("mnuThrustItem_4")->trigger(); // thrust model 5: the user's engine model
            w = app->mainWindow().engineModelWindow();
        } else if (name == "drag") {
            for (DragTable* t : {&project().k1Table, &project().k2Table, &project().cd0Table}) {
                t->count = 2;
                t->mach[1] = 0;
                t->mach[2] = 1;
            }
            action("mnuDragItem_6")->trigger();
            w = app->mainWindow().dragInputWindow();
        }
        if (!w) return nullptr;
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w)) return nullptr;
        return w;
    }

    /// Types `text` over the contents of `box` and leaves it with Tab, as a user would.
    static void typeAndTab(QLineEdit* box, const QString& text) {
        box->setFocus();
        QApplication::processEvents();
        box->selectAll();
        if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
        QApplication::processEvents();
    }

  private slots:
    void init() {
        dialogs = std::make_unique<ScriptedDialogs>();
        app = std::make_unique<DesktopApplication>(*dialogs);
        app->mainWindow().show();
        QVERIFY(app->mainWindow().openProjectFile(std::string(VEDEDA_TEST_DATA_DIR) + "/Vededa_deck.RUZ"));
    }
    void cleanup() {
        app.reset();
        dialogs.reset();
    }

    void refusedEntryStaysAndChangesNothing_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("accepted");
        // Deck project, English units; the first constraint is of type A, the fourth leg a climb.
        QTest::newRow("constraint altitude 1e30") << "constraint"
                                                  << "txtParameter_2"
                                                  << "1e30"
                                                  << "The altitude must be from -5000 to 300000"
                                                  << "31000";
        QTest::newRow("constraint beta with letters") << "constraint"
                                                      << "txtParameter_1"
                                                      << "0.9x"
                                                      << "weight fraction beta must be a number"
                                                      << "0.9";
        QTest::newRow("constraint Mach 12") << "constraint"
                                            << "txtParameter_5"
                                            << "12"
                                            << "Mach number must be from 0 to 10"
                                            << "1.4";
        QTest::newRow("W/S range minimum empty") << "constraint"
                                                 << "txtWS_1"
                                                 << ""
                                                 << "is empty"
                                                 << "25";
        QTest::newRow("leg altitude 1e30") << "mission"
                                           << "txtParameter_1"
                                           << "1e30"
                                           << "The altitude must be"
                                           << "1200";
        QTest::newRow("aircraft W/S letters") << "mission"
                                              << "txtWS"
                                              << "abc"
                                              << "wing loading W/S must be a number"
                                              << "70";
        QTest::newRow("contour velocity nan") << "contour"
                                              << "txtVMax"
                                              << "nan"
                                              << "velocity must be a number"
                                              << "1500";
        QTest::newRow("contour percent 0") << "contour"
                                           << "txtPercent"
                                           << "0"
                                           << "must be above 0 up to 100"
                                           << "90";
        QTest::newRow("engine data Tt4 max 1e30") << "engine data"
                                                  << "Text7"
                                                  << "1e30"
                                                  << "burner exit temperature Tt4 must be"
                                                  << "3100";
        QTest::newRow("engine data 2.5 engines") << "engine data"
                                                 << "Text1"
                                                 << "2.5"
                                                 << "number of engines must be a whole number"
                                                 << "4";
        QTest::newRow("engine test altitude 1e30") << "engine test"
                                                   << "Text2"
                                                   << "1e30"
                                                   << "The altitude must be"
                                                   << "20000";
        QTest::newRow("engine test hex Mach") << "engine test"
                                              << "Text1"
                                              << "0x1"
                                              << "flight Mach number must be a number"
                                              << "0.9";
        QTest::newRow("interface Mach 1.5") << "interfaces"
                                            << "Text1"
                                            << "1.5"
                                            << "engine face must be from 0 to 1"
                                            << "0.45";
        QTest::newRow("engine model TR 1e30") << "engine model"
                                              << "Text3"
                                              << "1e30"
                                              << "throttle ratio TR must be from 0.5 to 3"
                                              << "1.1";
        QTest::newRow("drag Mach letters") << "drag"
                                           << "txtK1Mach_1"
                                           << "O.5"
                                           << "Mach number must be a number"
                                           << "0.05";
        QTest::newRow("sizing points 2.5") << "sizing"
                                           << "txtWsPoints"
                                           << "2.5"
                                           << "number of grid points must be a whole number"
                                           << "12";
    }
    void refusedEntryStaysAndChangesNothing() {
        QFETCH(QString, window);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        QFETCH(QString, accepted);
        QWidget* w = openWindow(window);
        QVERIFY(w);
        auto* edit = w->findChild<QLineEdit*>(box);
        QVERIFY(edit && edit->isVisible());
        const QString shown = edit->text();
        const std::string before = inputFingerprint(project());
        document().checkpoint();
        const int commands = document().undoStack().count();

        typeAndTab(edit, typed);
        // The box keeps the typed text in a red frame; the reason is in the window's status bar; Tab
        // went on; the project did not change.
        QCOMPARE(edit->text(), typed);
        QVERIFY(form::showsRefusal(edit));
        QVERIFY(edit->styleSheet().contains("border"));
        QStatusBar* bar = form::fieldStatusBar(w);
        QVERIFY(bar && bar->isVisible());
        QVERIFY2(bar->currentMessage().contains(reason, Qt::CaseInsensitive),
                 qPrintable(bar->currentMessage()));
        QVERIFY(QApplication::focusWidget() != edit);
        QCOMPARE(inputFingerprint(project()), before);
        document().checkpoint();
        QCOMPARE(document().undoStack().count(), commands);

        // Return in the box does not store it either; Escape puts the stored value back.
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(inputFingerprint(project()), before);
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(edit->text(), shown);
        QVERIFY(!form::showsRefusal(edit));
        QVERIFY(edit->styleSheet().isEmpty());
        QVERIFY(bar->currentMessage().isEmpty());
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(inputFingerprint(project()), before);

        // A value inside the range is stored as one undoable change.
        typeAndTab(edit, accepted);
        QVERIFY(!form::showsRefusal(edit));
        QVERIFY(inputFingerprint(project()) != before);
        document().checkpoint();
        QCOMPARE(document().undoStack().count(), commands + 1);
        document().undoStack().undo();
        QCOMPARE(inputFingerprint(project()), before);
    }

    void correctingARefusedEntryClearsTheFrame() {
        QWidget* w = openWindow("constraint");
        QVERIFY(w);
        auto* edit = w->findChild<QLineEdit*>("txtParameter_2");
        typeAndTab(edit, "30000ft");
        QVERIFY(form::showsRefusal(edit));
        // Erasing the letters makes the entry acceptable: the frame and the reason go at once.
        edit->setFocus();
        edit->end(false);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QVERIFY(!form::showsRefusal(edit));
        QVERIFY(form::fieldStatusBar(w)->currentMessage().isEmpty());
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(project().constraints[1].p[2], 30000.0f);
    }

    void calculateStopsAtARefusedEntry_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("box");
        QTest::newRow("constraint") << "constraint"
                                    << "txtParameter_2";
        QTest::newRow("mission") << "mission"
                                 << "txtParameter_1";
    }
    void calculateStopsAtARefusedEntry() {
        QFETCH(QString, window);
        QFETCH(QString, box);
        QWidget* w = openWindow(window);
        QVERIFY(w);
        auto* edit = w->findChild<QLineEdit*>(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "1e30");
        // Calculate is clicked while the refused altitude is still in its box: no report is made.
        QTest::mouseClick(w->findChild<QPushButton*>("cmdCalculate"), Qt::LeftButton);
        QApplication::processEvents();
        QVERIFY(!app->resultsWindow().isVisible());
        QVERIFY(form::showsRefusal(edit));
        QCOMPARE(QApplication::focusWidget(), edit);
        QVERIFY(form::fieldStatusBar(w)->currentMessage().contains("altitude must be"));
        // Escape, then Calculate runs on the stored values.
        QTest::keyClick(edit, Qt::Key_Escape);
        QTest::mouseClick(w->findChild<QPushButton*>("cmdCalculate"), Qt::LeftButton);
        QApplication::processEvents();
        QVERIFY(app->resultsWindow().isVisible());
    }

    void everyNumberBoxHasAKnownQuantity() {
        // Every box of every window except the names is a number box whose quantity is in the range
        // table: walked for every constraint and every leg of the deck project.
        const std::set<QString> textBoxes = {"Text2", "txtName"};
        std::set<std::string> keys;
        auto check = [&](QWidget* w, const QString& where) {
            for (QLineEdit* edit : w->findChildren<QLineEdit*>()) {
                if (edit->window() != w || !edit->isVisibleTo(w) || textBoxes.count(edit->objectName()))
                    continue;
                if (w == &app->constraintWindow() || w == &app->missionWindow())
                    if (edit->objectName() == "Text1" || edit->objectName() == "txtLeg")
                        continue; // record number
                auto* v = dynamic_cast<const form::NumberValidator*>(edit->validator());
                QVERIFY2(v, qPrintable(where + " " + edit->objectName() + " has no number check"));
                // The series range follows the chosen variable (none chosen: any finite number).
                if (w == &app->engineTestWindow() &&
                    QStringList({"Text12", "Text13", "Text14"}).contains(edit->objectName()))
                    continue;
                QVERIFY2(findFieldRange(v->key()), qPrintable(where + " " + edit->objectName() + " key '" +
                                                              QString::fromStdString(v->key()) + "'"));
                keys.insert(v->key());
            }
        };
        for (const char* name :
             {"contour", "sizing", "engine data", "engine test", "interfaces", "engine model", "drag"})
            check(openWindow(name), name);
        for (const char* name : {"constraint", "mission"}) {
            QWidget* w = openWindow(name);
            auto* list = w->findChild<QListWidget*>("List1");
            for (int row = 0; row < list->count(); ++row) {
                list->setCurrentRow(row);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->item(row)).center());
                check(w, QString("%1 %2").arg(name).arg(row + 1));
            }
        }
        QVERIFY(keys.size() > 30);
    }

    void fieldsShowThePrecisionOfTheValue() {
        // The first constraint flies at 1492.3 ft/s at 30000 ft: Mach 1.5, not the quotient's noise.
        QWidget* w = openWindow("constraint");
        auto* mach = w->findChild<QLineEdit*>("txtParameter_5");
        QCOMPARE(mach->text(), QString("1.5"));
        // A stored single-precision value shows its shortest text, and passing through stores nothing.
        project().contour.beta = 0.1f;
        project().contour.clMax = 1.0f / 3.0f;
        QWidget* c = openWindow("contour");
        auto* beta = c->findChild<QLineEdit*>("txtBeta");
        auto* clMax = c->findChild<QLineEdit*>("txtCLmax");
        QCOMPARE(beta->text(), QString("0.1"));
        QCOMPARE(clMax->text(), QString("0.33333334"));
        const std::string before = inputFingerprint(project());
        for (QLineEdit* box : {mach, beta, clMax}) {
            box->window()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(box->window()));
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Tab);
        }
        QCOMPARE(inputFingerprint(project()), before);
        QCOMPARE(mach->text(), QString("1.5"));
        QCOMPARE(project().contour.clMax, 1.0f / 3.0f);
    }

    void engineTestNotesAnAltitudeAboveTheAtmosphereTable() {
        QWidget* w = openWindow("engine test");
        QVERIFY(w);
        typeAndTab(w->findChild<QLineEdit*>("Text2"), "150000");
        QCOMPARE(project().engine.controls[2], 150000.0f);
        QVERIFY(form::fieldStatusBar(w)->currentMessage().contains(
            "Altitude 150000 ft is above the atmosphere table: the state at its top (100000 ft) is used"));
        typeAndTab(w->findChild<QLineEdit*>("Text2"), "20000");
        QVERIFY(form::fieldStatusBar(w)->currentMessage().isEmpty());
    }

    void throttleRatioQuestionRefusesAndAsksAgain() {
        dialogs->inputs = {std::string("1e30"), std::string("fast"), std::string("1.08")};
        action("mnuThrustItem_0")->trigger();
        QCOMPARE(project().throttleRatio, 1.08f);
        const std::vector<std::string> messages = dialogs->texts("message");
        QCOMPARE(messages.size(), std::size_t(2));
        QVERIFY(messages[0].find("throttle ratio TR must be from 0.5 to 3") != std::string::npos);
        QVERIFY(messages[1].find("must be a finite number") != std::string::npos);
    }

    void eitherOrMenusCarryOneMark() {
        for (const char* group : {"grpDrag", "grpThrust", "grpTSFC", "grpUnits"}) {
            auto* g = app->mainWindow().findChild<QActionGroup*>(group);
            QVERIFY2(g && g->isExclusive(), group);
        }
        action("mnuDragItem_2")->trigger();
        action("mnuDragItem_2")->trigger(); // a second click keeps the mark
        int marked = 0;
        for (int i = 0; i < 7; ++i)
            marked += action(qPrintable(QString("mnuDragItem_%1").arg(i)))->isChecked();
        QCOMPARE(marked, 1);
        QVERIFY(action("mnuDragItem_2")->isChecked());
        QCOMPARE(int(project().dragModel), 3);
        // A unit change the user declines leaves the mark on the units that stay.
        dialogs->answers = {false};
        action("mnuUnitsItem_1")->trigger();
        QVERIFY(action("mnuUnitsItem_0")->isChecked());
        QVERIFY(!action("mnuUnitsItem_1")->isChecked());
        QCOMPARE(int(project().unitSystem), 1);
    }
};

QTEST_MAIN(NumberFieldTest)
#include "number_field_test.moc"
